// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/DuplicateFilter.h"
#include "core/Form1Core.h"
#include "core/Messages.h"
#include "core/Module1.h"
#include "core/OperationFrame.h"
#include "core/WidthText.h"

namespace kelvane {

void Form1Core::RemoveDuplicates() {
    runOperation({Messages::kNoFileSelected}, StatusText::kRemovalStopped, [&](UpdatePacer& pacer) {
        // Start over: an empty list, "NON" and an empty bar.
        controls_.setListText("");
        mListRegion.clear();  // the new list is not read as numbers
        controls_.setSummaryCaption(Messages::kSummaryStart);
        controls_.resetProgress();
        controls_.showProgress();
        FileSystemObject& files = fso();
        mFilePath = selectedFileText();
        if (mFilePath.empty()) throw OperationFailure(StatusText::noFileSelected());
        if (!widthGiven()) return;
        TextStream stream = openListFile(files);

        const std::int64_t lineCount = readFileLines(stream, pacer);
        // A file without lines has no count to show.
        const std::string lineCountText = lineCount > 0 ? std::to_string(lineCount) : "";
        controls_.setFormCaption(lineCountText);
        controls_.setProgressMaximum(static_cast<std::uint64_t>(lineCount));
        const std::size_t width = readWidth();
        const std::int64_t kept = takeOverFirstOccurrences(stream, lineCount, width, pacer);

        pacer.flush();
        const std::int64_t duplicates = lineCount - kept;
        controls_.setSummaryCaption(
            Messages::duplicateSummary(static_cast<std::uint64_t>(duplicates), lineCountText));
        controls_.hideProgress();
        controls_.setStatusLine(StatusText::duplicatesRemoved(duplicates, kept, mFilePath));
    });
}

// An empty width box is refused before any work, and set to the default.
bool Form1Core::widthGiven() {
    if (!controls_.widthText().empty()) return true;
    tell(Messages::kInsertWidth);
    controls_.setWidthText(Messages::kDefaultWidth);
    controls_.setStatusLine(StatusText::kTypeWidth);
    return false;
}

// The file's lines go to slots 1 to lineCount of both copies.
std::int64_t Form1Core::readFileLines(TextStream& stream, UpdatePacer& pacer) {
    Module1::gSourceLines.startOver(stream.bytes());
    Module1::gWorkLines.startOver(stream.bytes());
    const std::size_t lastLine = stream.remainingLines();
    Module1::gSourceLines.reserve(lastLine);
    Module1::gWorkLines.reserve(lastLine);
    std::int64_t lineCount = 0;
    while (!stream.atEndOfStream()) {
        pacer.yieldWhenDue();
        if (++lineCount > kMaxListLines)
            throw OperationFailure(StatusText::tooManyLines(mFilePath));
        const std::string_view line = stream.readLine();
        Module1::gSourceLines.set(static_cast<std::size_t>(lineCount), line);
        Module1::gWorkLines.set(static_cast<std::size_t>(lineCount), line);
    }
    return lineCount;
}

// The width is read once, now that the whole file is in.
std::size_t Form1Core::readWidth() {
    const std::string widthText = controls_.widthText();
    const std::optional<std::int32_t> width = parseWidth(widthText);
    if (!width) throw OperationFailure(StatusText::badWidth(widthText));
    return static_cast<std::size_t>(*width);
}

// The passes: the first occurrence of each line is taken over, in file order. Returns how many.
std::int64_t Form1Core::takeOverFirstOccurrences(const TextStream& stream, std::int64_t lineCount,
                                                 std::size_t width, UpdatePacer& pacer) {
    DuplicateFilter filter(width);
    filter.reserve(static_cast<std::size_t>(lineCount));
    Module1::gNumbers.startOver(stream.bytes());
    mUniqueLines.startOver(stream.bytes());
    Module1::gNumbers.reserve(static_cast<std::size_t>(lineCount) + 1);
    mUniqueLines.reserve(static_cast<std::size_t>(lineCount) + 1);
    pacer.listFrom(stream.bytes());
    controls_.reserveListText(stream.bytes()->size());
    std::int64_t lastIndex = 1;
    for (std::int64_t i = 1; i <= lineCount; ++i) {
        pacer.yieldWhenDue();
        const std::string_view line = Module1::gWorkLines.get(static_cast<std::size_t>(i));
        const auto ahead = static_cast<std::size_t>(i) + DuplicateFilter::kLookAhead;
        if (ahead <= static_cast<std::size_t>(lineCount))
            filter.prefetch(Module1::gWorkLines.get(ahead));
        if (!filter.keep(line)) continue;
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
    return lastIndex - 1;
}

}  // namespace kelvane
