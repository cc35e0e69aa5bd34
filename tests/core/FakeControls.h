// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Controls.h"

namespace kelvane::testing {

// Controls without a window: holds each control's value, records every write in order as a
// short line ("caption: 3", "message: Kelvane | OK | File Saved"), and answers message boxes
// from a script (OK when the script is empty).
class FakeControls : public Controls {
  public:
    std::string list;
    std::string formCaption = "::: Halvorin:::";
    std::string summaryCaption = "NON";
    std::string width = "12";
    std::string saveName;
    std::string sideText;
    std::string status;
    bool progressVisible = true;
    std::uint64_t progressValue = 0;
    std::uint64_t progressMaximum = 100000;
    std::string folder;
    std::string selectedName;

    std::vector<std::string> log;
    std::deque<MessageAnswer> answers;
    std::function<void()> onYield;  // runs inside each yield, as a window's event would
    int yields = 0;

    // The messages shown, each as "title | buttons | text".
    std::vector<std::string> messages() const;
    // The captions the window showed, in order.
    std::vector<std::string> captions() const;

    std::string listText() override { return list; }
    void setListText(std::string_view bytes) override;
    void appendListText(std::string_view bytes) override;
    void setFormCaption(std::string_view caption) override;
    void setSummaryCaption(std::string_view caption) override;
    std::string widthText() override { return width; }
    void setWidthText(std::string_view text) override;
    std::string saveNameText() override { return saveName; }
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
    std::string fileListPath() override { return folder; }
    std::string fileListFileName() override { return selectedName; }
    void refreshFolderList() override { log.push_back("refresh folders"); }
    void refreshFileList() override;
    void setStatusLine(std::string_view text) override;
};

}  // namespace kelvane::testing
