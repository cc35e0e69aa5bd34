// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Form1Core.h"
#include "core/Messages.h"
#include "core/Module1.h"
#include "core/NumberRule.h"
#include "core/OperationFrame.h"

namespace kelvane {

void Form1Core::LoadNumberFile(LoadMode mode) {
    const bool live = mode == LoadMode::Live;
    runOperation({Messages::kLoadError}, StatusText::kOpeningStopped, [&](UpdatePacer& pacer) {
        // A double-click chooses the file as a click does.
        if (live)
            selectFile(FileSystemObject::chosenFilePath(controls_.fileListPath(),
                                                        controls_.fileListFileName()));
        // Start over: an empty list and an empty bar.
        controls_.setListText("");
        mListRegion.clear();  // the new list is not read as numbers
        mLoadedCount = 0;
        controls_.resetProgress();
        controls_.showProgress();
        FileSystemObject& files = fso();
        mFilePath = selectedFileText();
        TextStream stream = openListFile(files);
        const std::size_t lineCount = stream.remainingLines();
        controls_.setProgressMaximum(lineCount);
        Module1::gNumbers.startOver(stream.bytes());
        Module1::gNumbers.reserve(lineCount + 1);
        pacer.listFrom(stream.bytes());
        controls_.reserveListText(stream.bytes()->size());

        // Every line must be a number; the first that is not ends the load.
        std::int64_t lineNumber = 0;
        while (!stream.atEndOfStream()) {
            pacer.advanceProgress();
            if (++lineNumber > kMaxListLines)
                throw OperationFailure(StatusText::tooManyLines(mFilePath));
            ++Module1::gNextIndex;
            const std::string_view line = stream.readLine();
            if (!isNumber(line)) throw OperationFailure(StatusText::notANumber(lineNumber, line));
            Module1::gNumbers.set(static_cast<std::size_t>(mLoadedCount) + 2, line);
            pacer.appendLine(line);
            ++mLoadedCount;
            if (live) {
                pacer.setCaptionCount(mLoadedCount);
                pacer.yieldWhenDue();
            }
        }

        // Done: the bar goes, the caption tells the count.
        pacer.flush();
        controls_.hideProgress();
        controls_.setFormCaption(std::string(Messages::kTotalCaption) +
                                 std::to_string(mLoadedCount));
        controls_.setStatusLine(StatusText::opened(mLoadedCount, mFilePath));
    });
}

}  // namespace kelvane
