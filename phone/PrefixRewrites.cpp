// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PrefixRewrites.h"

#include <phonenumbers/phonemetadata.pb.h>
#include <phonenumbers/phonenumberutil.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <tuple>
#include <vector>

// The metadata the library parses at start, as it ships it; the header that declares these is
// not installed, and PhoneNumberUtil keeps its own parsed copy private.
namespace i18n::phonenumbers {
int metadata_size();
const void* metadata_get();
}  // namespace i18n::phonenumbers

namespace kelvane::phone {
namespace {

constexpr std::size_t kUnbounded = SIZE_MAX;

std::size_t add(std::size_t a, std::size_t b) {
    return a == kUnbounded || b == kUnbounded ? kUnbounded : a + b;
}

std::size_t multiply(std::size_t a, std::size_t n) {
    if (a == 0 || n == 0) return 0;
    return a == kUnbounded || n == kUnbounded || a > kUnbounded / n ? kUnbounded : a * n;
}

// The longest text each capturing group of a regular expression can match, for the syntax the
// metadata's patterns use. It may say more than the truth, never less; anything it does not
// know makes it fail.
class GroupLengths {
  public:
    explicit GroupLengths(std::string_view pattern) : p_(pattern) {
        alternation();
        if (pos_ != p_.size()) failed_ = true;
    }

    bool failed() const { return failed_; }
    std::size_t groups() const { return groups_.size(); }
    // `k` counts from 1, as a rule's "$1" does.
    std::size_t longest(std::size_t k) const { return groups_[k - 1].longest; }
    // True when group `k` can only end where the whole match ends: nothing but closing
    // parentheses, "?" and "$" follow it.
    bool endsMatch(std::size_t k) const {
        return p_.substr(groups_[k - 1].end).find_first_not_of(")?$") == std::string_view::npos;
    }

  private:
    struct Group {
        std::size_t longest = 0, end = 0;
    };

    bool more() const { return pos_ < p_.size(); }

    std::size_t alternation() {
        std::size_t longest = sequence();
        while (more() && p_[pos_] == '|') {
            ++pos_;
            longest = std::max(longest, sequence());
        }
        return longest;
    }

    std::size_t sequence() {
        std::size_t total = 0;
        while (more() && p_[pos_] != '|' && p_[pos_] != ')') total = add(total, quantified(atom()));
        return total;
    }

    std::size_t atom() {
        switch (p_[pos_++]) {
            case '(':
                return group();
            case '[':
                // A "]" or "^]" first is a member; "\" escapes the next character.
                if (more() && p_[pos_] == '^') ++pos_;
                if (more() && p_[pos_] == ']') ++pos_;
                while (more() && p_[pos_] != ']') pos_ += p_[pos_] == '\\' ? 2 : 1;
                if (!more()) return fail();
                ++pos_;
                return 1;
            case '\\':
                if (!more()) return fail();
                ++pos_;
                return 1;
            case '^':
            case '$':
                return 0;
            case '*':
            case '+':
            case '?':
            case '{':
                return fail();
            default:
                return 1;
        }
    }

    std::size_t group() {
        std::size_t index = SIZE_MAX;
        if (p_.substr(pos_).starts_with("?:")) {
            pos_ += 2;
        } else if (more() && p_[pos_] == '?') {
            return fail();  // look-arounds and named groups are not in the metadata
        } else {
            index = groups_.size();
            groups_.emplace_back();
        }
        const std::size_t inner = alternation();
        if (!more() || p_[pos_] != ')') return fail();
        ++pos_;
        if (index != SIZE_MAX) groups_[index] = {inner, pos_};
        return inner;
    }

    std::size_t quantified(std::size_t atom) {
        if (!more()) return atom;
        std::size_t result = atom;
        switch (p_[pos_]) {
            case '?':
                ++pos_;
                break;
            case '*':
            case '+':
                ++pos_;
                result = multiply(atom, kUnbounded);
                break;
            case '{': {
                const std::size_t close = p_.find('}', pos_);
                if (close == std::string_view::npos) return fail();
                const std::string_view counts = p_.substr(pos_ + 1, close - pos_ - 1);
                const std::size_t comma = counts.find(',');
                const std::string_view most =
                    comma == std::string_view::npos ? counts : counts.substr(comma + 1);
                std::size_t times = kUnbounded;
                if (!most.empty() &&
                    std::from_chars(most.data(), most.data() + most.size(), times).ptr !=
                        most.data() + most.size())
                    return fail();
                pos_ = close + 1;
                result = multiply(atom, times);
                break;
            }
            default:
                return atom;
        }
        if (more() && (p_[pos_] == '?' || p_[pos_] == '+')) ++pos_;  // lazy or possessive
        return result;
    }

    std::size_t fail() {
        failed_ = true;
        pos_ = p_.size();
        return kUnbounded;
    }

    std::string_view p_;
    std::size_t pos_ = 0;
    bool failed_ = false;
    std::vector<Group> groups_;
};

struct Plans {
    absl::flat_hash_map<int, std::size_t> addedByCountry;  // by the country code's main region
    absl::flat_hash_map<std::string, std::pair<int, std::size_t>> byRegion;  // country, added
};

const Plans& plans() {
    static const Plans loaded = [] {
        namespace pn = i18n::phonenumbers;
        pn::PhoneMetadataCollection collection;
        collection.ParseFromArray(pn::metadata_get(), pn::metadata_size());
        const pn::PhoneNumberUtil& util = *pn::PhoneNumberUtil::GetInstance();
        Plans plans;
        for (const pn::PhoneMetadata& plan : collection.metadata()) {
            const std::size_t added = plan.national_prefix_transform_rule().empty()
                                          ? 0
                                          : addedDigits(plan.national_prefix_for_parsing(),
                                                        plan.national_prefix_transform_rule());
            plans.byRegion[plan.id()] = {plan.country_code(), added};
            std::string main;
            util.GetRegionCodeForCountryCode(plan.country_code(), &main);
            if (main == plan.id()) plans.addedByCountry[plan.country_code()] = added;
        }
        return plans;
    }();
    return loaded;
}

}  // namespace

std::size_t addedDigits(std::string_view pattern, std::string_view rule) {
    const GroupLengths lengths(pattern);
    if (lengths.failed()) return kUnbounded;
    std::size_t added = 0;
    for (std::size_t i = 0; i < rule.size(); ++i) {
        if (rule[i] != '$' || i + 1 == rule.size() || rule[i + 1] < '1' || rule[i + 1] > '9') {
            ++added;
            continue;
        }
        const auto k = static_cast<std::size_t>(rule[++i] - '0');
        if (k > lengths.groups()) continue;  // no such group: the library rewrites nothing
        if (i + 1 == rule.size() && lengths.endsMatch(k)) break;
        added = add(added, lengths.longest(k));
    }
    return added;
}

PrefixRewrites::PrefixRewrites(std::string_view region) {
    const Plans& all = plans();
    added_ = all.addedByCountry;
    if (const auto found = all.byRegion.find(std::string(region)); found != all.byRegion.end()) {
        std::tie(readingCountry_, readingAdded_) = found->second;
        if (readingAdded_ > 0) readingCode_ = std::to_string(readingCountry_);
    }
}

std::size_t PrefixRewrites::intactDigits(std::uint64_t key) const {
    char digits[24];
    const auto size =
        static_cast<std::size_t>(std::to_chars(digits, digits + 24, key).ptr - digits);
    // Country codes are one to three digits and none is the start of another.
    for (std::size_t length = 1; length <= 3 && length < size; ++length) {
        int country = 0;
        std::from_chars(digits, digits + length, country);
        const auto found = added_.find(country);
        if (found == added_.end()) continue;
        const std::size_t national = size - length;
        const std::size_t added =
            std::max(found->second, country == readingCountry_ ? readingAdded_ : 0);
        return added >= national ? 0 : national - added;
    }
    return 0;
}

}  // namespace kelvane::phone
