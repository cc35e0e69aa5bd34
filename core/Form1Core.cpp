// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Form1Core.h"

#include <new>
#include <optional>

#include "core/Messages.h"
#include "core/OperationFailure.h"
#include "core/StatusText.h"
#include "core/UpdatePacer.h"

namespace kelvane {

FileSystemObject& Form1Core::fso() {
    if (!mFso) mFso.emplace();
    return *mFso;
}

TextStream Form1Core::openListFile(FileSystemObject& files) const {
    if (mFilePath.empty()) throw OperationFailure(StatusText::noFileSelected());
    try {
        return files.openTextFile(mFilePath);
    } catch (const FileError& error) {
        throw OperationFailure(StatusText::cannotOpen(mFilePath, error.what()));
    }
}

void Form1Core::endFailedRun(std::exception_ptr thrown, UpdatePacer& pacer,
                             const ErrorPath& errorPath, std::string_view stoppedStatus) noexcept {
    try {
        // What was held back shows before the message box, as it would have without a pacer.
        pacer.flush();
        std::optional<std::string> reason;
        try {
            std::rethrow_exception(thrown);
        } catch (const OperationCancelled&) {
        } catch (const std::bad_alloc&) {
            reason = StatusText::kOutOfMemory;
        } catch (const std::exception& failure) {
            reason = failure.what();
        } catch (...) {
            reason = StatusText::kUnexpectedFailure;
        }
        if (!reason) {
            controls_.setStatusLine(stoppedStatus);
            return;
        }
        if (!errorPath.unsavedFile) {
            controls_.setStatusLine(*reason);
            tell(errorPath.reasonFollows ? std::string(errorPath.message) + "\n" + *reason
                                         : std::string(errorPath.message));
            return;
        }
        controls_.setStatusLine(StatusText::cannotSave(*errorPath.unsavedFile, *reason));
        tell(std::string(errorPath.message) + "\n" + *reason);
    } catch (...) {
        // Even the report failed, for want of memory most likely; what it showed stays, and the
        // window is usable all the same.
    }
}

void Form1Core::tell(std::string_view text) {
    controls_.messageBox(text, MessageButtons::Ok, Messages::kStandardTitle);
}

}  // namespace kelvane
