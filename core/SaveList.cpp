// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "Form1Core.h"
#include "Messages.h"
#include "RunScope.h"
#include "StatusText.h"

namespace kelvane {

void Form1Core::SaveList() {
    RunScope run(*this);
    if (!run.entered()) return;
    if (controls_.listText().empty()) {
        tell(Messages::kNoNumbersToSave);
        controls_.setStatusLine("The number list is empty: open a file first");
        return;
    }
    const std::string name = controls_.saveNameText();
    if (name.empty()) {
        tell(Messages::kNoFileNameToSave);
        controls_.setStatusLine("Type a name to save the list under");
        return;
    }
    const std::string fileName = name + ".txt";
    const std::vector<std::string> listed = controls_.fileListNames();
    if (std::find(listed.begin(), listed.end(), fileName) != listed.end() &&
        controls_.messageBox(Messages::kOverwriteQuestion, MessageButtons::OkCancel,
                             Messages::kOverwriteTitle) != MessageAnswer::Ok) {
        controls_.setStatusLine("Not saved: " + fileName + " is kept as it was");
        return;
    }
    FileSystemObject& files = fso();
    controls_.setSaveNameText(fileName);
    mFilePath = FileSystemObject::buildPath(controls_.fileListPath(), fileName);
    try {
        // A "/" would write into another folder than the one the file list shows.
        if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos) {
            throw FileError("A file name cannot hold \"/\"");
        }
        const std::unique_ptr<TextFileWriter> file = files.createTextFile(mFilePath);
        file->write(controls_.listText());
        file->commit();
    } catch (const FileError& error) {
        controls_.setStatusLine("Cannot save " + mFilePath + ": " + error.what());
        tell(std::string(Messages::kFileNotSaved) + "\n" + error.what());
        return;
    }
    tell(Messages::kFileSaved);
    controls_.refreshFolderList();
    controls_.refreshFileList();
    controls_.setSaveNameText("");
    mSelectedFile = std::string();
    controls_.setStatusLine("Saved " + mFilePath);
}

}  // namespace kelvane
