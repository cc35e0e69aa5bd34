// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Controls.h"

namespace kelvane::testing {

// Controls without a window: holds each control's value, logs the writes whose order matters as
// short lines ("caption: 3", "list += 1\r\n", "message: Kelvane | OK | File Saved"), and answers
// message boxes from a script (OK when the script is empty).
class FakeControls : public Controls {
  public:
    std::string list, sideText, status, saveName, width = "12";
    std::string formCaption = "::: Halvorin:::", summaryCaption = "NON";
    std::string folder, selectedName;  // the file list's folder and chosen entry
    bool progressVisible = true;
    std::uint64_t progressValue = 0, progressMaximum = 100000;

    std::vector<std::string> log;
    std::deque<MessageAnswer> answers;
    std::function<void()> onYield;  // runs inside each yield, as a window's event would
    int yields = 0;

    // The messages shown, each as "title | buttons | text", and the captions, in order.
    std::vector<std::string> messages() const { return logged("message: "); }
    std::vector<std::string> captions() const { return logged("caption: "); }

    std::string listText() override { return list; }
    void setListText(std::string_view bytes) override { note("list = ", list = bytes); }
    void appendListText(std::string_view bytes) override {
        list += bytes;
        note("list += ", bytes);
    }
    void setFormCaption(std::string_view text) override { note("caption: ", formCaption = text); }
    void setSummaryCaption(std::string_view text) override { summaryCaption = text; }
    void showOutcome(const ListOutcome& outcome) override {
        // Every copy first; then only moves, which cannot fail.
        std::string newList(outcome.list), caption(outcome.caption), summary(outcome.summary),
            newStatus(outcome.status);
        std::string listEntry = "list = " + newList, captionEntry = "caption: " + caption;
        log.reserve(log.size() + 2);
        list = std::move(newList);
        formCaption = std::move(caption);
        summaryCaption = std::move(summary);
        status = std::move(newStatus);
        log.push_back(std::move(listEntry));
        log.push_back(std::move(captionEntry));
    }
    std::string widthText() override { return width; }
    void setWidthText(std::string_view text) override { width = text; }
    std::string saveNameText() override { return saveName; }
    void setSaveNameText(std::string_view text) override { note("name = ", saveName = text); }
    void appendSideText(std::string_view bytes) override { sideText += bytes; }
    void resetProgress() override { progressValue = 0; }
    void setProgressMaximum(std::uint64_t maximum) override { progressMaximum = maximum; }
    void showProgress() override { progressVisible = true; }
    void advanceProgress(std::uint64_t steps) override {
        progressValue += steps;
        if (progressValue > progressMaximum) throw std::logic_error("progress beyond its maximum");
    }
    void hideProgress() override { progressVisible = false; }
    MessageAnswer messageBox(std::string_view text, MessageButtons buttons,
                             std::string_view title) override {
        const char* shown = buttons == MessageButtons::Ok ? " | OK | " : " | OK Cancel | ";
        note("message: ", std::string(title).append(shown).append(text));
        if (answers.empty()) return MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void yieldToEvents() override {
        ++yields;
        if (onYield) onYield();
    }
    std::string fileListPath() override { return folder; }
    std::string fileListFileName() override { return selectedName; }
    void refreshFolderList() override { log.push_back("refresh folders"); }
    void refreshFileList() override { log.push_back("refresh files"); }
    void setStatusLine(std::string_view text) override { status = text; }

  private:
    void note(std::string_view kind, std::string_view text) {
        log.push_back(std::string(kind).append(text));
    }
    std::vector<std::string> logged(std::string_view kind) const {
        std::vector<std::string> entries;
        for (const std::string& entry : log)
            if (entry.starts_with(kind)) entries.push_back(entry.substr(kind.size()));
        return entries;
    }
};

}  // namespace kelvane::testing
