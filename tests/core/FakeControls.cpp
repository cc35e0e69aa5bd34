// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeControls.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kelvane::testing {

std::vector<std::string> FakeControls::messages() const {
    std::vector<std::string> shown;
    for (const std::string& entry : log) {
        if (entry.starts_with("message: ")) shown.push_back(entry.substr(9));
    }
    return shown;
}

std::vector<std::string> FakeControls::captions() const {
    std::vector<std::string> shown;
    for (const std::string& entry : log) {
        if (entry.starts_with("caption: ")) shown.push_back(entry.substr(9));
    }
    return shown;
}

void FakeControls::setListText(std::string_view bytes) {
    list = bytes;
    log.push_back("list = " + list);
}

void FakeControls::appendListText(std::string_view bytes) {
    list += bytes;
    log.push_back("list += " + std::string(bytes));
}

void FakeControls::setFormCaption(std::string_view caption) {
    formCaption = caption;
    log.push_back("caption: " + formCaption);
}

void FakeControls::setSummaryCaption(std::string_view caption) {
    summaryCaption = caption;
    log.push_back("summary: " + summaryCaption);
}

void FakeControls::setWidthText(std::string_view text) {
    width = text;
    log.push_back("width = " + width);
}

void FakeControls::setSaveNameText(std::string_view text) {
    saveName = text;
    log.push_back("name = " + saveName);
}

void FakeControls::appendSideText(std::string_view bytes) {
    sideText += bytes;
    log.push_back("side += " + std::string(bytes));
}

void FakeControls::resetProgress() {
    progressValue = 0;
    log.push_back("progress reset");
}

void FakeControls::setProgressMaximum(std::uint64_t maximum) {
    progressMaximum = maximum;
}

void FakeControls::showProgress() {
    progressVisible = true;
    log.push_back("progress show");
}

void FakeControls::advanceProgress(std::uint64_t steps) {
    progressValue += steps;
    if (progressValue > progressMaximum) throw std::logic_error("progress beyond its maximum");
}

void FakeControls::hideProgress() {
    progressVisible = false;
    log.push_back("progress hide");
}

MessageAnswer FakeControls::messageBox(std::string_view text, MessageButtons buttons,
                                       std::string_view title) {
    log.push_back("message: " + std::string(title) + " | " +
                  (buttons == MessageButtons::Ok ? "OK" : "OK Cancel") + " | " + std::string(text));
    if (answers.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeControls::yieldToEvents() {
    ++yields;
    if (onYield) onYield();
}

void FakeControls::refreshFileList() {
    log.push_back("refresh files");
}

void FakeControls::setStatusLine(std::string_view text) {
    status = text;
}

}  // namespace kelvane::testing
