// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane {

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

// What an operation that replaces the list in one piece leaves on screen when it completes.
struct ListOutcome {
    std::string_view list;     // `text2`
    std::string_view caption;  // `Form1`
    std::string_view summary;  // `Label4`
    std::string_view status;   // the status line
};

// The window's controls as the list operations see them: named inputs and outputs only.
// Texts are bytes; the list text of `text2` in particular is never converted.
class Controls {
  public:
    virtual ~Controls() = default;

    // `text2`, the number list.
    virtual std::string listText() = 0;
    virtual void setListText(std::string_view bytes) = 0;
    virtual void appendListText(std::string_view bytes) = 0;
    // The list text is about to grow to about `bytes`: the list may make room for it at once.
    virtual void reserveListText(std::size_t /*bytes*/) {}

    virtual void setFormCaption(std::string_view caption) = 0;     // `Form1`
    virtual void setSummaryCaption(std::string_view caption) = 0;  // `Label4`
    // Shows a completed operation's outcome whole: when it throws, nothing of it shows.
    virtual void showOutcome(const ListOutcome& outcome) = 0;

    virtual std::string widthText() = 0;  // `Text3`
    virtual void setWidthText(std::string_view text) = 0;
    virtual std::string saveNameText() = 0;  // `Text4`
    virtual void setSaveNameText(std::string_view text) = 0;
    virtual void appendSideText(std::string_view bytes) = 0;  // `Text5`

    // `ProgressBar1`. Reset sets the value to 0; the maximum follows the work at hand.
    virtual void resetProgress() = 0;
    virtual void setProgressMaximum(std::uint64_t maximum) = 0;
    virtual void showProgress() = 0;
    virtual void advanceProgress(std::uint64_t steps) = 0;
    virtual void hideProgress() = 0;

    // A modal message box with no icon; OK is the default button.
    virtual MessageAnswer messageBox(std::string_view text, MessageButtons buttons,
                                     std::string_view title) = 0;
    // Lets the window handle pending events (painting, typing, clicks) and returns.
    virtual void yieldToEvents() = 0;

    // `File1`: its folder and the selected entry's name.
    virtual std::string fileListPath() = 0;
    virtual std::string fileListFileName() = 0;
    virtual void refreshFolderList() = 0;  // `Dir1`
    virtual void refreshFileList() = 0;    // `File1`

    // One line of detail for the operator: why an operation failed, or what it did.
    virtual void setStatusLine(std::string_view text) = 0;
};

}  // namespace kelvane
