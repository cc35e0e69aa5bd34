// SPDX-License-Identifier: GPL-3.0-or-later
#include "DuplicateRule.h"
#include "Form1Core.h"
#include "Messages.h"
#include "Module1.h"
#include "RunScope.h"
#include "StatusText.h"
#include "UpdatePacer.h"
#include "WidthText.h"

namespace kelvane {
void Form1Core::RemoveDuplicates() {
    RunScope run(*this);
    if (!run.entered()) return;
    UpdatePacer pacer(controls_, yieldInterval_, cancelRequested_);
    try {
        controls_.setListText("");
        controls_.setSummaryCaption(Messages::kSummaryStart);
        controls_.resetProgress();
        controls_.showProgress();
        FileSystemObject& files = fso();
        mFilePath = selectedFileText();
        if (mFilePath.empty()) throw OperationFailure(StatusText::noFileSelected());
        if (controls_.widthText().empty()) {
            tell(Messages::kInsertWidth);
            controls_.setWidthText(Messages::kDefaultWidth);
            controls_.setStatusLine("Type the length of each line, then press Remove Duplicates again");
            return;
        }
        TextStream stream = openListFile(files);

        // Reading: the file's lines go to slots 1 to lineCount.
        Module1::gSourceLines.startOver(stream.bytes());
        Module1::gWorkLines.startOver(stream.bytes());
        const std::size_t lastLine = stream.remainingLines();
        Module1::gSourceLines.reserve(lastLine);
        Module1::gWorkLines.reserve(lastLine);
        std::int64_t lineCount = 0;
        while (!stream.atEndOfStream()) {
            pacer.yieldWhenDue();
            if (++lineCount > kMaxListLines) throw OperationFailure(StatusText::tooManyLines(mFilePath));
            const std::string_view line = stream.readLine();
            Module1::gSourceLines.set(static_cast<std::size_t>(lineCount), line);
            Module1::gWorkLines.set(static_cast<std::size_t>(lineCount), line);
        }
        // A file without lines has no count to show.
        const std::string lineCountText = lineCount > 0 ? std::to_string(lineCount) : std::string();
        controls_.setFormCaption(lineCountText);
        controls_.setProgressMaximum(static_cast<std::uint64_t>(lineCount));

        // The width is read once, now that the whole file is in.
        const std::string widthText = controls_.widthText();
        const std::optional<std::int32_t> width = parseWidth(widthText);
        if (!width) throw OperationFailure(StatusText::badWidth(widthText));

        // Passes: the first occurrence of each line is taken over.
        DuplicateFilter filter(static_cast<std::size_t>(*width));
        filter.reserve(static_cast<std::size_t>(lineCount));
        Module1::gNumbers.startOver(stream.bytes());
        mUniqueLines.startOver(stream.bytes());
        Module1::gNumbers.reserve(lastLine + 1);
        mUniqueLines.reserve(lastLine + 1);
        pacer.listFrom(stream.bytes());
        controls_.reserveListText(stream.bytes()->size());
        std::int64_t lastIndex = 1;
        std::int64_t duplicateCount = 0;
        for (std::int64_t i = 1; i <= lineCount; ++i) {
            pacer.yieldWhenDue();
            const std::string_view line = Module1::gWorkLines.get(static_cast<std::size_t>(i));
            const auto ahead = static_cast<std::size_t>(i) + DuplicateFilter::kLookAhead;
            if (ahead <= static_cast<std::size_t>(lineCount))
                filter.prefetch(Module1::gWorkLines.get(ahead));
            if (!filter.keep(line)) {
                ++duplicateCount;
                continue;
            }
            ++lastIndex;
            ++Module1::gNextIndex;
            mUniqueLines.set(static_cast<std::size_t>(lastIndex), line);
            pacer.appendLine(line);
            Module1::gNumbers.set(static_cast<std::size_t>(lastIndex), line);
            pacer.advanceProgress();
            pacer.setCaptionCount(lastIndex - 1);
        }
        // Also when nothing was taken over, the caption ends on the count of lines kept.
        if (lineCount > 0) pacer.setCaptionCount(lastIndex - 1);
        pacer.flush();
        controls_.setSummaryCaption(
            Messages::duplicateSummary(static_cast<std::uint64_t>(duplicateCount), lineCountText));
        controls_.hideProgress();
        controls_.setStatusLine(StatusText::count(duplicateCount, "duplicate", "duplicates") +
                                " removed, " + StatusText::count(lastIndex - 1, "line", "lines") +
                                " kept from " + mFilePath);
    } catch (const OperationCancelled&) {
        pacer.flush();
        controls_.setStatusLine("Duplicate removal stopped");
    } catch (const std::exception& failure) {
        pacer.flush();
        controls_.setStatusLine(failure.what());
        tell(Messages::kNoFileSelected);
    }
}

}  // namespace kelvane
