// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "base/NumberFormat.h"
#include "base/TextFile.h"
#include "core/Controls.h"
#include "core/LineSlots.h"

namespace kelvane {

class UpdatePacer;

enum class LoadMode {
    Plain,  // "Open": no yields
    Live,   // double-click: the running count in the caption, the window stays live
};

// The main window's members and the four list operations its buttons run. The window owns one
// and hands it its controls; nothing here knows about widgets.
class Form1Core {
  public:
    explicit Form1Core(Controls& controls) : controls_(controls) {}

    void LoadNumberFile(LoadMode mode);
    void RemoveDuplicates();
    void SaveList();
    void ReadPlainFile();

    // The Numbers menu (NumberOperations.cpp, in kelvane_numbers), by the batch command's rules.
    // `region` is the menu's region (a code the library supports, in capitals); the three that
    // work on the list in text2 read it with mListRegion instead when that is set. Each runs in
    // the operations' frame and is all or nothing: stopped or failed, text2 is exactly as it was;
    // done, text2 is replaced once, the caption and Label4 tell the counts.

    // Lists every valid number of mSelectedFile in `format`; the list's region becomes `region`.
    void OpenAsTelephoneNumbers(const std::string& region, NumberFormat format);
    // Keeps the first line of each number, as written; a line that is no valid number is
    // compared whole.
    void RemoveDuplicateNumbers(const std::string& region);
    // Drops every line whose number (or whole text) is a line of the file `listPath`.
    void StrikeNumbersListedIn(const std::string& listPath, const std::string& region);
    // Keeps the valid numbers that may ring a mobile (where the plan cannot tell a mobile from a
    // fixed line, they are kept).
    void KeepOnlyMobileNumbers(const std::string& region);
    // Writes `bytes` to `path` with the safe save, in the frame: "File Saved" on success, "File
    // Not Saved" and the reason on the next line on failure.
    void SaveBytesAs(const std::string& path, std::string_view bytes);

    // What the last completed Numbers item dropped, each line as written followed by CR LF.
    const std::string& removedLines() const { return removedLines_; }
    // The last "Open As Telephone Numbers" report of lines not read: "FILE:LINE: TEXT (reason)"
    // and a line feed each.
    const std::string& linesNotRead() const { return linesNotRead_; }

    // The file browser's record of the chosen file.
    void selectFile(std::string path) { mSelectedFile = std::move(path); }
    void forgetSelectedFile() { mSelectedFile = std::string(); }

    bool busy() const { return busy_; }
    // Whether the operation run last got to its end, neither stopped, failed nor refused.
    bool lastRunCompleted() const { return lastRunCompleted_; }
    // Asks a running operation to stop at its next yield, quietly and leaving no file behind.
    void requestCancel() { cancelRequested_ = busy_; }
    // How often a yielding operation hands control to the window; zero yields at every unit.
    void setYieldInterval(std::chrono::nanoseconds interval) { yieldInterval_ = interval; }

    // The window's members, named as the window has always named them.
    std::optional<FileSystemObject> mFso;
    std::string mFilePath;
    std::int64_t mLoadedCount = 0;
    LineSlots mUniqueLines;
    std::optional<std::string> mSelectedFile;  // nothing until the first selection
    // The region the list in text2 was opened with as numbers; empty when it was not ("Open" and
    // "Remove Duplicates" clear it). The window keeps it with each step of the list's history.
    std::string mListRegion;

  private:
    class RunScope;
    // What an operation shows when it fails, besides the reason on the status line.
    struct ErrorPath {
        std::string_view message;
        // Set by the save: the status line names the file not written, and the reason follows
        // on the message's second line.
        const std::string* unsavedFile = nullptr;
        // Set by the Numbers items: the reason follows on the message's second line.
        bool reasonFollows = false;
    };
    // The frame of every operation (defined in OperationFrame.h): `steps` runs while the core is
    // busy, with a pacer; whatever it throws ends it, through endFailedRun.
    template <typename Steps>
    void runOperation(const ErrorPath& errorPath, std::string_view stoppedStatus, Steps steps);
    // A cancel ends the run with `stoppedStatus`; any other exception with the reason on the
    // status line and the error path's message. Throws nothing, so the window stays usable.
    void endFailedRun(std::exception_ptr thrown, UpdatePacer& pacer, const ErrorPath& errorPath,
                      std::string_view stoppedStatus) noexcept;

    // The steps of duplicate removal.
    bool widthGiven();
    std::int64_t readFileLines(TextStream& stream, UpdatePacer& pacer);
    std::size_t readWidth();
    std::int64_t takeOverFirstOccurrences(const TextStream& stream, std::int64_t lineCount,
                                          std::size_t width, UpdatePacer& pacer);

    // The Numbers items on the list in text2 (NumberOperations.cpp): the list's region, else the
    // menu's; throws when the library does not know it.
    std::string listRegion(const std::string& menuRegion) const;
    // Ends a completed run: the lines kept become the list, their count the caption; `removed`
    // is kept for "Save Removed Lines As...". All or nothing: what can fail comes first, and
    // only moves, which cannot, follow the list on screen.
    void replaceList(std::string_view kept, std::int64_t keptCount, std::string removed,
                     std::string_view summary, std::string_view status);

    std::string selectedFileText() const { return mSelectedFile.value_or(std::string()); }
    FileSystemObject& fso();
    // Opens mFilePath; an empty path or a file that cannot be read is an OperationFailure.
    TextStream openListFile(FileSystemObject& files) const;
    // Shows a message with the standard title, OK only.
    void tell(std::string_view text);

    Controls& controls_;
    bool busy_ = false;
    bool cancelRequested_ = false;
    bool lastRunCompleted_ = false;
    std::chrono::nanoseconds yieldInterval_ = std::chrono::milliseconds(15);
    std::string removedLines_, linesNotRead_;
};

}  // namespace kelvane
