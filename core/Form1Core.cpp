// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1Core.h"

#include "Messages.h"
#include "OperationFailure.h"
#include "StatusText.h"

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

void Form1Core::tell(std::string_view text) {
    controls_.messageBox(text, MessageButtons::Ok, Messages::kStandardTitle);
}

}  // namespace kelvane
