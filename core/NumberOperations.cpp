// SPDX-License-Identifier: GPL-3.0-or-later
// The Numbers menu: lists read as telephone numbers by the batch command's rules (phone/). Each
// item builds its result aside and puts it in place only once it is complete, so a run that is
// stopped or fails leaves the list as it was.
#include <optional>
#include <span>
#include <vector>

#include "base/LineStream.h"
#include "base/Lines.h"
#include "core/Form1Core.h"
#include "core/Messages.h"
#include "core/OperationFrame.h"
#include "phone/ListRules.h"
#include "phone/NumberType.h"
#include "phone/PhoneDuplicateFilter.h"
#include "phone/PhoneNumberReader.h"
#include "phone/Regions.h"
#include "phone/RegistryMatch.h"

namespace kelvane {
namespace {

using phone::NumberVerdict;
using phone::PhoneDuplicateFilter;
using phone::PhoneNumberReader;
using phone::RegistryMatch;
using Block = std::vector<std::string_view>;

// Lines judged together, as the batch command judges them: a block's new numbers take the two
// threads some tens of milliseconds, a pause the window does not show.
constexpr std::size_t kBlockLines = 4096;

constexpr const PhoneDuplicateFilter* kNothingExcepted = nullptr;

// The bar over one run: shown from the start, hidden however the run ends, since a run that
// stops leaves nothing of its own behind.
class ProgressShown {
  public:
    ProgressShown(Controls& controls, std::uint64_t maximum) : controls_(controls) {
        controls.resetProgress();
        controls.setProgressMaximum(maximum);
        controls.showProgress();
    }
    ~ProgressShown() {
        try {
            controls_.hideProgress();
        } catch (...) {
            // The run's own end says what went wrong.
        }
    }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

  private:
    Controls& controls_;
};

void appendLine(std::string& text, std::string_view line) {
    text.append(line);
    text.append("\r\n");
}

// The next block of `text`'s lines from `pos`; false when none is left.
bool nextBlock(std::string_view text, std::size_t& pos, Block& block) {
    block.clear();
    std::string_view line;
    while (block.size() < kBlockLines && nextLine(text, pos, line)) block.push_back(line);
    return !block.empty();
}

bool nextBlock(TextStream& stream, Block& block) {
    block.clear();
    while (block.size() < kBlockLines && !stream.atEndOfStream())
        block.push_back(stream.readLine());
    return !block.empty();
}

struct OpenedNumbers {
    std::string numbers, notRead, report;  // notRead: the lines as written
    std::int64_t lines = 0, valid = 0;
};

// Every valid number of the file in the reader's format; the other lines with the report on them.
OpenedNumbers readNumbers(TextStream& stream, std::string_view fileName, PhoneNumberReader& reader,
                          Controls& controls, UpdatePacer& pacer) {
    const ProgressShown progress(controls, stream.remainingLines());
    OpenedNumbers opened;
    opened.numbers.reserve(stream.bytes()->size());
    Block block;
    while (nextBlock(stream, block)) {
        phone::readBlock(reader, block, [&](std::string_view line, const NumberVerdict& verdict) {
            ++opened.lines;
            if (verdict.valid) {
                appendLine(opened.numbers, verdict.text);
                ++opened.valid;
            } else {
                appendLine(opened.notRead, line);
                phone::appendNotValidLine(opened.report, fileName,
                                          static_cast<std::uint64_t>(opened.lines), "", line,
                                          verdict.reason);
            }
            pacer.advanceProgress();
            pacer.yieldWhenDue();
        });
    }
    pacer.flush();
    return opened;
}

struct SortedList {
    std::string kept, removed;
    std::int64_t keptCount = 0, removedCount = 0;
    std::string totalText() const { return std::to_string(keptCount + removedCount); }
};

// The list's lines sorted by `filter` into kept and removed, block by block; a line `excepted`
// matches is removed (`excepted` may be null).
template <typename Filter, typename Excepted>
SortedList sortList(std::string_view list, Filter& filter, const Excepted* excepted,
                    Controls& controls, UpdatePacer& pacer) {
    std::size_t pos = byteOrderMarkLength(list);
    const ProgressShown progress(controls, countLines(list.substr(pos)));
    SortedList sorted;
    sorted.kept.reserve(list.size());
    const auto sortInto = [&](std::string& text, std::int64_t& count) {
        return [&text, &count, &pacer](std::string_view line) {
            appendLine(text, line);
            ++count;
            pacer.advanceProgress();
            pacer.yieldWhenDue();
        };
    };
    Block block;
    while (nextBlock(list, pos, block)) {
        phone::sortBlock(block, filter, excepted, sortInto(sorted.kept, sorted.keptCount),
                         sortInto(sorted.removed, sorted.removedCount));
    }
    pacer.flush();
    return sorted;
}

// Keeps the lines whose entries, one a line in the list's order, the registry does not hold.
struct NotListed {
    phone::ListSorter sorter;
    const std::vector<RegistryMatch::Entry>& entries;
    std::size_t next = 0;
    bool keep(std::string_view) {
        return sorter.next(entries[next++]) != phone::ListSorter::Fate::Listed;
    }
};

// Keeps the valid numbers that may ring a mobile; the reader judges types.
struct MayBeMobile {
    PhoneNumberReader& reader;
    void readAhead(std::span<const std::string_view> block) { reader.readAhead(block); }
    bool keep(std::string_view line) const {
        const NumberVerdict& verdict = reader.read(line);
        return verdict.valid && phone::mayBeMobile(verdict.type);
    }
};

}  // namespace

std::string Form1Core::listRegion(const std::string& menuRegion) const {
    return phone::supportedRegion(mListRegion.empty() ? menuRegion : mListRegion);
}

void Form1Core::replaceList(std::string_view kept, std::int64_t keptCount, std::string removed,
                            std::string_view summary, std::string_view status) {
    const std::string caption = std::to_string(keptCount);
    controls_.showOutcome({kept, caption, summary, status});
    removedLines_ = std::move(removed);
}

void Form1Core::OpenAsTelephoneNumbers(const std::string& region, NumberFormat format) {
    runOperation(
        {Messages::kNumbersNotOpened, nullptr, true}, StatusText::kListKept,
        [&](UpdatePacer& pacer) {
            std::string chosen = phone::supportedRegion(region);
            FileSystemObject& files = fso();
            mFilePath = selectedFileText();
            TextStream stream = openListFile(files);
            PhoneNumberReader reader(chosen, format);
            OpenedNumbers opened = readNumbers(stream, mFilePath, reader, controls_, pacer);

            const std::int64_t notRead = opened.lines - opened.valid;
            const std::string caption =
                std::string(Messages::kTotalCaption) + std::to_string(opened.valid);
            const std::string summary =
                Messages::countSummary(Messages::kNotRead, static_cast<std::uint64_t>(notRead),
                                       std::to_string(opened.lines));
            const std::string status = StatusText::numbersOpened(opened.valid, notRead, mFilePath);
            controls_.showOutcome({opened.numbers, caption, summary, status});
            mListRegion = std::move(chosen);
            removedLines_ = std::move(opened.notRead);
            linesNotRead_ = std::move(opened.report);
        });
}

void Form1Core::RemoveDuplicateNumbers(const std::string& region) {
    runOperation(
        {Messages::kListNotChanged, nullptr, true}, StatusText::kListKept, [&](UpdatePacer& pacer) {
            PhoneNumberReader reader(listRegion(region), NumberFormat::E164);
            PhoneDuplicateFilter filter(reader);
            SortedList sorted =
                sortList(controls_.listText(), filter, kNothingExcepted, controls_, pacer);
            replaceList(sorted.kept, sorted.keptCount, std::move(sorted.removed),
                        Messages::duplicateSummary(static_cast<std::uint64_t>(sorted.removedCount),
                                                   sorted.totalText()),
                        StatusText::duplicateNumbersRemoved(sorted.removedCount, sorted.keptCount));
        });
}

void Form1Core::StrikeNumbersListedIn(const std::string& listPath, const std::string& region) {
    runOperation(
        {Messages::kListNotChanged, nullptr, true}, StatusText::kListKept, [&](UpdatePacer& pacer) {
            const std::string path = listPath;  // the caller's may change while the run yields
            const std::string chosen = listRegion(region);
            PhoneNumberReader reader(chosen, NumberFormat::E164);
            std::optional<ReadableFile> listed;
            try {
                listed.emplace(path);
            } catch (const FileError& error) {
                throw OperationFailure(StatusText::cannotOpen(path, error.what()));
            }
            // The list is judged first, so that the file to strike by, a registry of any size,
            // is only looked through, a block at a time.
            const std::string list = controls_.listText();
            RegistryMatch match(chosen);
            std::vector<RegistryMatch::Entry> entries;
            Block block;
            for (std::size_t pos = byteOrderMarkLength(list); nextBlock(list, pos, block);) {
                match.enterBlock(reader, block, entries);
                pacer.yieldWhenDue(static_cast<std::uint32_t>(block.size()));
            }
            LineStream registry(listed->fd(), path);
            while (registry.nextLines(block)) {
                match.scan(block);
                pacer.yieldWhenDue(static_cast<std::uint32_t>(block.size()));
            }
            NotListed notListed{phone::ListSorter(match), entries};
            SortedList sorted = sortList(list, notListed, kNothingExcepted, controls_, pacer);
            replaceList(sorted.kept, sorted.keptCount, std::move(sorted.removed),
                        Messages::countSummary(Messages::kStruck,
                                               static_cast<std::uint64_t>(sorted.removedCount),
                                               sorted.totalText()),
                        StatusText::numbersStruck(sorted.removedCount, sorted.keptCount, path));
        });
}

void Form1Core::KeepOnlyMobileNumbers(const std::string& region) {
    runOperation(
        {Messages::kListNotChanged, nullptr, true}, StatusText::kListKept, [&](UpdatePacer& pacer) {
            PhoneNumberReader reader(listRegion(region), NumberFormat::E164, true);
            MayBeMobile mobile{reader};
            SortedList sorted =
                sortList(controls_.listText(), mobile, kNothingExcepted, controls_, pacer);
            replaceList(sorted.kept, sorted.keptCount, std::move(sorted.removed),
                        Messages::countSummary(Messages::kNotMobile,
                                               static_cast<std::uint64_t>(sorted.removedCount),
                                               sorted.totalText()),
                        StatusText::notMobileRemoved(sorted.removedCount, sorted.keptCount));
        });
}

}  // namespace kelvane
