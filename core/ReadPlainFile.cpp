// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1Core.h"
#include "Messages.h"
#include "RunScope.h"
#include "StatusText.h"

namespace kelvane {

void Form1Core::ReadPlainFile() {
    RunScope run(*this);
    if (!run.entered()) return;
    try {
        FileSystemObject& files = fso();
        mFilePath = selectedFileText();
        TextStream stream = openListFile(files);
        // The box is updated once with all the lines: the window does not repaint in between.
        std::string text;
        std::int64_t lineCount = 0;
        while (!stream.atEndOfStream()) {
            text.append(stream.readLine());
            text.append("\r\n");
            ++lineCount;
        }
        if (!text.empty()) controls_.appendSideText(text);
        controls_.setStatusLine(StatusText::count(lineCount, "line", "lines") + " read from " + mFilePath);
    } catch (const std::exception& failure) {
        controls_.setStatusLine(failure.what());
        tell(Messages::kReadError);
    }
}

}  // namespace kelvane
