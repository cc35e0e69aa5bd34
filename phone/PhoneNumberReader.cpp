// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PhoneNumberReader.h"

#include <phonenumbers/phonenumberutil.h>

#include <utility>

#include "absl/container/flat_hash_set.h"
#include "phone/NumberWriting.h"
#include "phone/Utf8.h"

namespace kelvane::phone {
namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

// The library's other editions refuse longer input before parsing it. This one parses it, in a
// time that grows with the square of its length: 16,000 digits take seconds, a megabyte hours.
constexpr std::size_t kLongestInput = 250;  // code points

std::string_view parseFailure(PhoneNumberUtil::ErrorType error) {
    switch (error) {
        case PhoneNumberUtil::INVALID_COUNTRY_CODE_ERROR:
            return "invalid country code";
        case PhoneNumberUtil::TOO_SHORT_AFTER_IDD:
            return "too short after the international prefix";
        case PhoneNumberUtil::TOO_SHORT_NSN:
            return "too short";
        case PhoneNumberUtil::TOO_LONG_NSN:
            return "too long";
        default:
            return "not a number";
    }
}

std::string_view invalidity(PhoneNumberUtil::ValidationResult result) {
    switch (result) {
        case PhoneNumberUtil::INVALID_COUNTRY_CODE:
            return "invalid country code";
        case PhoneNumberUtil::TOO_SHORT:
            return "too short";
        case PhoneNumberUtil::TOO_LONG:
            return "too long";
        case PhoneNumberUtil::INVALID_LENGTH:
            return "wrong length";
        default:
            return "not in the numbering plan";
    }
}

// The library's own order, which NumberType follows.
static_assert(static_cast<int>(NumberType::Unknown) == PhoneNumberUtil::UNKNOWN &&
              static_cast<int>(NumberType::FixedLineOrMobile) ==
                  PhoneNumberUtil::FIXED_LINE_OR_MOBILE &&
              static_cast<int>(NumberType::Voicemail) == PhoneNumberUtil::VOICEMAIL);

}  // namespace

std::string_view typeName(NumberType type) {
    static constexpr std::string_view kNames[] = {
        "fixed-line",  "mobile", "fixed-line-or-mobile", "toll-free", "premium-rate",
        "shared-cost", "voip",   "personal-number",      "pager",     "uan",
        "voicemail",   "unknown"};
    return kNames[static_cast<int>(type)];
}

PhoneNumberReader::PhoneNumberReader(std::string region, NumberFormat format, bool judgeTypes)
    : util_(*PhoneNumberUtil::GetInstance()),
      region_(std::move(region)),
      format_(format),
      judgeTypes_(judgeTypes),
      threads_(std::make_unique<WorkerThreads>(machineThreads())) {}

void PhoneNumberReader::setThreads(unsigned count) {
    threads_ = std::make_unique<WorkerThreads>(count == 0 ? machineThreads() : count);
}

// Fewer new keys than this are not worth waking threads for.
constexpr std::size_t kParallelKeys = 256;

void PhoneNumberReader::readAhead(std::span<const std::string_view> lines) {
    std::vector<std::string> keys;
    keys.reserve(lines.size());  // `seen` holds views of the keys: they must not move
    absl::flat_hash_set<std::string_view> seen;
    for (const std::string_view line : lines) {
        const std::string_view key = keyOf(line);
        if (!seen.contains(key) && !cache_.find(key)) seen.insert(keys.emplace_back(key));
    }
    if (keys.size() < kParallelKeys) return;
    std::vector<LoneVerdict> verdicts(keys.size());
    threads_->forEach(keys.size(), [&](std::size_t i) { verdicts[i] = judgeAlone(keys[i]); });
    for (std::size_t i = 0; i < keys.size(); ++i) cache_.put(keys[i], toKeep(verdicts[i]));
}

PhoneNumberReader::LoneVerdict PhoneNumberReader::judgeAlone(std::string_view key) const {
    if (!isUtf8(key)) return LoneVerdict{false, {}, "not UTF-8"};
    if (codePoints(key) > kLongestInput) return LoneVerdict{false, {}, "too long"};
    PhoneNumber number;
    const PhoneNumberUtil::ErrorType error = util_.Parse(std::string(key), region_, &number);
    if (error != PhoneNumberUtil::NO_PARSING_ERROR)
        return LoneVerdict{false, {}, parseFailure(error)};
    if (!util_.IsValidNumber(number))
        return LoneVerdict{false, {}, invalidity(util_.IsPossibleNumberWithReason(number))};
    LoneVerdict verdict{true, {}, {}};
    if (judgeTypes_) verdict.type = static_cast<NumberType>(util_.GetNumberType(number));
    verdict.text = writtenIn(number, region_, format_);
    return verdict;
}

const NumberVerdict& PhoneNumberReader::readNew(std::string_view key) {
    judged_ = judgeAlone(key);
    return verdict_ = asNumberVerdict(cache_.put(key, toKeep(judged_)));
}

}  // namespace kelvane::phone
