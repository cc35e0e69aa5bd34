// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1Core.h"
#include "Messages.h"
#include "Module1.h"
#include "NumberRule.h"
#include "RunScope.h"
#include "StatusText.h"
#include "UpdatePacer.h"

namespace kelvane {

void Form1Core::LoadNumberFile(LoadMode mode) {
    RunScope run(*this);
    if (!run.entered()) return;
    const bool live = mode == LoadMode::Live;
    UpdatePacer pacer(controls_, yieldInterval_, cancelRequested_);
    try {
        if (live) mSelectedFile = controls_.fileListPath() + "/" + controls_.fileListFileName();
        controls_.setListText("");
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

        std::int64_t lineNumber = 0;
        while (!stream.atEndOfStream()) {
            pacer.advanceProgress();
            if (++lineNumber > kMaxListLines) throw OperationFailure(StatusText::tooManyLines(mFilePath));
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
        pacer.flush();
        controls_.hideProgress();
        controls_.setFormCaption(std::string(Messages::kTotalCaption) + std::to_string(mLoadedCount));
        controls_.setStatusLine(StatusText::count(mLoadedCount, "number", "numbers") +
                                " opened from " + mFilePath);
    } catch (const OperationCancelled&) {
        pacer.flush();
        controls_.setStatusLine("Opening stopped");
    } catch (const std::exception& failure) {
        pacer.flush();
        controls_.setStatusLine(failure.what());
        tell(Messages::kLoadError);
    }
}

}  // namespace kelvane
