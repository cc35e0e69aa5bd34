// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Form1Core.h"
#include "core/Messages.h"
#include "core/OperationFrame.h"

namespace kelvane {

void Form1Core::ReadPlainFile() {
    runOperation({Messages::kReadError}, StatusText::kReadingStopped, [&](UpdatePacer&) {
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
        controls_.setStatusLine(StatusText::linesRead(lineCount, mFilePath));
    });
}

}  // namespace kelvane
