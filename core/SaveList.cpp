// SPDX-License-Identifier: GPL-3.0-or-later
#include <string_view>

#include "core/Form1Core.h"
#include "core/Messages.h"
#include "core/OperationFrame.h"

namespace kelvane {
namespace {

// A "/" would write into another folder than the one the file list shows.
bool holdsPathSeparator(std::string_view name) {
    return name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos;
}

}  // namespace

void Form1Core::SaveList() {
    std::string target;  // the file written, once its name is known
    runOperation({Messages::kFileNotSaved, &target}, {}, [&](UpdatePacer&) {
        if (controls_.listText().empty()) {
            tell(Messages::kNoNumbersToSave);
            controls_.setStatusLine(StatusText::kListEmpty);
            return;
        }
        const std::string name = controls_.saveNameText();
        if (name.empty()) {
            tell(Messages::kNoFileNameToSave);
            controls_.setStatusLine(StatusText::kTypeName);
            return;
        }
        const std::string fileName = name + ".txt";
        target = FileSystemObject::buildPath(controls_.fileListPath(), fileName);
        // Asked for any file of that name on disk, listed or not: the list may be older than the
        // folder, and it does not show every file.
        if (!holdsPathSeparator(name) && FileSystemObject::fileExists(target) &&
            controls_.messageBox(Messages::kOverwriteQuestion, MessageButtons::OkCancel,
                                 Messages::kOverwriteTitle) != MessageAnswer::Ok) {
            controls_.setStatusLine(StatusText::keptAsItWas(fileName));
            return;
        }
        FileSystemObject& files = fso();
        controls_.setSaveNameText(fileName);
        mFilePath = target;
        if (holdsPathSeparator(name)) throw FileError("A file name cannot hold \"/\"");
        const std::unique_ptr<TextFileWriter> file = files.createTextFile(mFilePath);
        file->write(controls_.listText());
        const std::string warning = file->commit();

        tell(Messages::kFileSaved);
        controls_.refreshFolderList();
        controls_.refreshFileList();
        controls_.setSaveNameText("");
        mSelectedFile = std::string();
        controls_.setStatusLine(StatusText::saved(mFilePath, warning));
    });
}

void Form1Core::SaveBytesAs(const std::string& path, std::string_view bytes) {
    std::string target = path;
    runOperation({Messages::kFileNotSaved, &target}, {}, [&](UpdatePacer&) {
        const std::unique_ptr<TextFileWriter> file = fso().createTextFile(target);
        file->write(bytes);
        const std::string warning = file->commit();
        tell(Messages::kFileSaved);
        controls_.setStatusLine(StatusText::saved(target, warning));
    });
}

}  // namespace kelvane
