// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "Controls.h"
#include "LineSlots.h"
#include "TextFile.h"

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

    // The file browser's record of the chosen file.
    void selectFile(std::string path) { mSelectedFile = std::move(path); }
    void forgetSelectedFile() { mSelectedFile = std::string(); }

    bool busy() const { return busy_; }
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

  private:
    class RunScope;
    // What an operation shows when it fails, besides the reason on the status line.
    struct ErrorPath {
        std::string_view message;
        // Set by the save: the status line names the file not written, and the reason follows
        // on the message's second line.
        const std::string* unsavedFile = nullptr;
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

    std::string selectedFileText() const { return mSelectedFile.value_or(std::string()); }
    FileSystemObject& fso();
    // Opens mFilePath; an empty path or a file that cannot be read is an OperationFailure.
    TextStream openListFile(FileSystemObject& files) const;
    // Shows a message with the standard title, OK only.
    void tell(std::string_view text);

    Controls& controls_;
    bool busy_ = false;
    bool cancelRequested_ = false;
    std::chrono::nanoseconds yieldInterval_ = std::chrono::milliseconds(15);
};

}  // namespace kelvane
