// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowControls.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <algorithm>
#include <climits>

#include "ui/FileBrowser.h"
#include "ui/MessageBox.h"
#include "ui/NumberList.h"
#include "ui/StatusPanels.h"
#include "ui/TextBytes.h"

namespace kelvane {
namespace {

// `Text4` takes 30 characters from the operator; a name the program adds ".txt" to is shown whole.
constexpr int kSaveNameLength = 30;

}  // namespace

WindowControls::WindowControls(WindowWidgets widgets) : w_(widgets) {
    // A longer name the program showed may be shortened but not grown: the limit follows the
    // text down to the operator's 30 characters.
    QLineEdit* name = w_.saveName;
    // Only a change of the limit is set: setting it resets the box's own undo.
    QObject::connect(name, &QLineEdit::textChanged, name, [name](const QString& text) {
        const int limit = std::max(kSaveNameLength, static_cast<int>(text.size()));
        if (limit != name->maxLength()) name->setMaxLength(limit);
    });
}

std::string WindowControls::listText() {
    return w_.list->bytes();
}

void WindowControls::setListText(std::string_view bytes) {
    w_.list->setBytes(bytes);
}

void WindowControls::appendListText(std::string_view bytes) {
    w_.list->appendBytes(bytes);
}

void WindowControls::reserveListText(std::size_t bytes) {
    w_.list->reserveBytes(bytes);
}

void WindowControls::setFormCaption(std::string_view caption) {
    w_.form->setWindowTitle(fromUtf8(caption));
}

void WindowControls::setSummaryCaption(std::string_view caption) {
    showSummary(fromUtf8(caption));
}

void WindowControls::showOutcome(const ListOutcome& outcome) {
    // The texts are made before anything changes, and the list, the one step that may run out of
    // memory, goes in first: when it fails, nothing has changed.
    const QString caption = fromUtf8(outcome.caption);
    const QString summary = fromUtf8(outcome.summary);
    const QString status = fromUtf8(outcome.status);
    w_.list->setBytes(outcome.list);
    w_.form->setWindowTitle(caption);
    showSummary(summary);
    w_.status->setStatusLine(status);
}

std::string WindowControls::formCaption() const {
    return toUtf8(w_.form->windowTitle());
}

std::string WindowControls::summaryCaption() const {
    return toUtf8(w_.summary->text());
}

void WindowControls::showSummary(const QString& text) {
    QLabel* label = w_.summary;
    label->setText(text);
    // The label grows with its text, as far as its frame allows, so the summary is never cut.
    const QWidget* frame = label->parentWidget();
    const int room = frame ? frame->width() - label->x() : label->width();
    label->resize(std::clamp(label->sizeHint().width(), label->minimumWidth(),
                             std::max(room, label->minimumWidth())),
                  label->height());
}

std::string WindowControls::widthText() {
    return toUtf8(w_.width->text());
}

void WindowControls::setWidthText(std::string_view text) {
    w_.width->setText(fromUtf8(text));
}

std::string WindowControls::saveNameText() {
    return toUtf8(w_.saveName->text());
}

void WindowControls::setSaveNameText(std::string_view text) {
    const QString name = fromUtf8(text);
    w_.saveName->setMaxLength(std::max(kSaveNameLength, static_cast<int>(name.size())));
    w_.saveName->setText(name);
}

void WindowControls::appendSideText(std::string_view bytes) {
    QPlainTextEdit* box = w_.sideText;
    QTextCursor end = box->textCursor();
    end.movePosition(QTextCursor::End);
    end.insertText(readableText(bytes));
}

void WindowControls::resetProgress() {
    w_.progress->setValue(0);
}

void WindowControls::setProgressMaximum(std::uint64_t maximum) {
    // A range of 0 to 0 would turn the bar into a busy indicator.
    w_.progress->setMaximum(static_cast<int>(std::clamp<std::uint64_t>(maximum, 1, INT_MAX)));
}

void WindowControls::showProgress() {
    w_.progress->show();
}

void WindowControls::advanceProgress(std::uint64_t steps) {
    QProgressBar* bar = w_.progress;
    const std::uint64_t value = static_cast<std::uint64_t>(std::max(bar->value(), 0)) + steps;
    bar->setValue(static_cast<int>(
        std::min<std::uint64_t>(value, static_cast<std::uint64_t>(bar->maximum()))));
}

void WindowControls::hideProgress() {
    w_.progress->hide();
}

MessageAnswer WindowControls::messageBox(std::string_view text, MessageButtons buttons,
                                         std::string_view title) {
    return MessageBox::ask(w_.form, text, buttons, title);
}

void WindowControls::yieldToEvents() {
    if (beforeYield_) beforeYield_();
    QCoreApplication::processEvents();
}

std::string WindowControls::fileListPath() {
    return w_.browser->fileListPath();
}

std::string WindowControls::fileListFileName() {
    return w_.browser->selectedFileName();
}

void WindowControls::refreshFolderList() {
    w_.browser->refreshFolders();
}

void WindowControls::refreshFileList() {
    w_.browser->refreshFiles();
}

void WindowControls::setStatusLine(std::string_view text) {
    w_.status->setStatusLine(fromUtf8(text));
}

}  // namespace kelvane
