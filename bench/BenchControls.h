// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/Controls.h"

namespace kelvane::bench {

// The lightest controls that let the operations run: the list is a string, message boxes answer
// OK (and count as a failure unless they report a save), nothing is logged.
class BenchControls : public Controls {
  public:
    std::string list, caption, summary, width = "12", saveName, status, folder, selectedName;
    bool failed = false;

    std::string listText() override { return list; }
    void setListText(std::string_view bytes) override { list = bytes; }
    void appendListText(std::string_view bytes) override { list += bytes; }
    void setFormCaption(std::string_view text) override { caption = text; }
    void setSummaryCaption(std::string_view text) override { summary = text; }
    void showOutcome(const ListOutcome& outcome) override {
        list = outcome.list;
        caption = outcome.caption;
        summary = outcome.summary;
        status = outcome.status;
    }
    std::string widthText() override { return width; }
    void setWidthText(std::string_view text) override { width = text; }
    std::string saveNameText() override { return saveName; }
    void setSaveNameText(std::string_view text) override { saveName = text; }
    void appendSideText(std::string_view) override {}
    void resetProgress() override {}
    void setProgressMaximum(std::uint64_t) override {}
    void showProgress() override {}
    void advanceProgress(std::uint64_t) override {}
    void hideProgress() override {}
    MessageAnswer messageBox(std::string_view text, MessageButtons, std::string_view) override {
        if (text != "File Saved") failed = true;
        return MessageAnswer::Ok;
    }
    void yieldToEvents() override {}
    std::string fileListPath() override { return folder; }
    std::string fileListFileName() override { return selectedName; }
    void refreshFolderList() override {}
    void refreshFileList() override {}
    void setStatusLine(std::string_view text) override { status = text; }
};

}  // namespace kelvane::bench
