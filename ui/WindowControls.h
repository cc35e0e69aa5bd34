// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "core/Controls.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QString;
class QWidget;

namespace kelvane {

class FileBrowser;
class NumberList;
class StatusPanels;

// The widgets the list operations read and write.
struct WindowWidgets {
    QWidget* form;  // its caption is `Form1`'s caption
    NumberList* list;
    QLabel* summary;
    QLineEdit* width;
    QLineEdit* saveName;
    QPlainTextEdit* sideText;
    QProgressBar* progress;
    FileBrowser* browser;
    StatusPanels* status;
};

// The list operations' view of the real window.
class WindowControls : public Controls {
  public:
    explicit WindowControls(WindowWidgets widgets);

    // Runs before every yield to the event loop: the window locks its controls there.
    void setBeforeYield(std::function<void()> beforeYield) {
        beforeYield_ = std::move(beforeYield);
    }

    std::string listText() override;
    void setListText(std::string_view bytes) override;
    void appendListText(std::string_view bytes) override;
    void reserveListText(std::size_t bytes) override;
    void setFormCaption(std::string_view caption) override;
    void setSummaryCaption(std::string_view caption) override;
    void showOutcome(const ListOutcome& outcome) override;
    // What `Form1`'s caption and `Label4` show now.
    std::string formCaption() const;
    std::string summaryCaption() const;
    std::string widthText() override;
    void setWidthText(std::string_view text) override;
    std::string saveNameText() override;
    void setSaveNameText(std::string_view text) override;
    void appendSideText(std::string_view bytes) override;
    void resetProgress() override;
    void setProgressMaximum(std::uint64_t maximum) override;
    void showProgress() override;
    void advanceProgress(std::uint64_t steps) override;
    void hideProgress() override;
    MessageAnswer messageBox(std::string_view text, MessageButtons buttons,
                             std::string_view title) override;
    void yieldToEvents() override;
    std::string fileListPath() override;
    std::string fileListFileName() override;
    void refreshFolderList() override;
    void refreshFileList() override;
    void setStatusLine(std::string_view text) override;

  private:
    void showSummary(const QString& text);

    WindowWidgets w_;
    std::function<void()> beforeYield_;
};

}  // namespace kelvane
