// SPDX-License-Identifier: GPL-3.0-or-later
#include "postgres/PhoneEngine.h"

#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Lines.h"
#include "base/NameTable.h"
#include "phone/NumberKey.h"
#include "phone/NumberSearch.h"
#include "phone/NumberText.h"
#include "phone/PhoneNumberReader.h"
#include "phone/Regions.h"

namespace {

using kelvane::NumberFormat;
using kelvane::phone::Leniency;
using kelvane::phone::NumberInfo;
using kelvane::phone::PhoneNumberReader;
using kelvane::phone::RegionError;

std::string_view view(PhoneText text) {
    return {text.data, text.size};
}

// `given`, when it is as long as a region code may be (no code is longer than three characters,
// so a long text is refused before any copy); else RegionError.
std::string_view regionLength(std::string_view given) {
    if (given.empty() || given.size() > 3) throw RegionError("unknown region");
    return given;
}

// A region code in capitals as the library names it; RegionError when it names none.
std::string knownRegion(std::string_view given) {
    return kelvane::phone::supportedRegion(regionLength(given));
}

std::string capitals(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

// What a backend keeps between calls. A reader per region read under lately, each with its
// verdict cache of VerdictCache::kDefaultBytes (16 MiB, taken as it fills): a fifth region
// gives up the reader used longest ago, so a backend's caches stay within 4 x 16 MiB.
class Engine {
  public:
    static constexpr std::size_t kReaders = 4;

    // The reader for `given` (any case), or for numbers with their country code only (nothing).
    PhoneNumberReader& reader(std::optional<std::string_view> given) {
        std::string region;
        // "" is the no-region reader's, and no region's code.
        if (given) region = capitals(regionLength(*given));
        Kept* oldest = &readers_[0];
        for (Kept& kept : readers_) {
            if (kept.reader && kept.region == region) {
                kept.used = ++clock_;
                return *kept.reader;
            }
            if (kept.used < oldest->used) oldest = &kept;
        }
        // The library reads numbers without a region under "ZZ", which it knows as no region.
        auto reader = std::make_unique<PhoneNumberReader>(given ? knownRegion(region) : "ZZ",
                                                          NumberFormat::E164);
        *oldest = {std::move(region), std::move(reader), ++clock_};
        return *oldest->reader;
    }

    // `given` validated, with the last one remembered (the library lists its regions anew on
    // each check).
    const std::string& region(std::string_view given) {
        if (!checked_ || given != checkedGiven_) {
            std::string region = knownRegion(given), copy(given);
            checkedRegion_.swap(region);
            checkedGiven_.swap(copy);
            checked_ = true;
        }
        return checkedRegion_;
    }

    // What kelvane-cli info tells of the number, with the last one remembered, as a query
    // asks for the type, region and place of the same number one after the other.
    const NumberInfo& describe(std::uint64_t key, std::string_view language) {
        if (!described_ || described_->key != key || described_->language != language) {
            described_ = Described{key, std::string(language),
                                   kelvane::phone::describeNumber(kelvane::phone::keyText(key),
                                                                  "ZZ", std::string(language))};
        }
        return described_->info;
    }

    std::string answer;

  private:
    struct Kept {
        std::string region;
        std::unique_ptr<PhoneNumberReader> reader;
        std::uint64_t used = 0;
    };
    std::array<Kept, kReaders> readers_;
    std::uint64_t clock_ = 0;

    bool checked_ = false;
    std::string checkedGiven_, checkedRegion_;

    struct Described {
        std::uint64_t key;
        std::string language;
        NumberInfo info;
    };
    std::optional<Described> described_;
};

Engine& engine() {
    static Engine theEngine;
    return theEngine;
}

// Runs `work`, turning whatever it throws into a status.
template <typename Work>
PhoneStatus guarded(Work&& work) noexcept {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return PHONE_NO_MEMORY;
    } catch (const RegionError&) {
        return PHONE_BAD_REGION;
    } catch (const std::exception& failure) {
        try {
            engine().answer = failure.what();
        } catch (...) {
            return PHONE_NO_MEMORY;
        }
        return PHONE_FAILED;
    } catch (...) {
        return PHONE_FAILED;
    }
}

PhoneStatus answer(std::string_view text) {
    engine().answer = text;
    return PHONE_OK;
}

// A language as kelvane-cli info takes it from the locale: two or three letters (ISO 639).
bool isLanguage(std::string_view code) {
    if (code.size() < 2 || code.size() > 3) return false;
    for (const char c : code) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    }
    return true;
}

}  // namespace

struct PhoneFinder {
    std::string_view text;
    std::size_t pos = 0;  // where the lines not searched yet start
    std::string region;
    Leniency leniency;
    std::vector<std::string> found;  // in the line searched last, not handed out yet
    std::size_t next = 0;
};

extern "C" {

PhoneText engine_answer(void) {
    const std::string& text = engine().answer;
    return {text.data(), text.size()};
}

PhoneStatus engine_parse(PhoneText line, PhoneText region, uint64_t* key) {
    return guarded([&] {
        PhoneNumberReader& reader =
            engine().reader(region.data ? std::optional(view(region)) : std::nullopt);
        const kelvane::phone::NumberVerdict& verdict = reader.read(view(line));
        if (!verdict.valid) {
            answer(verdict.reason);
            return PHONE_NOT_VALID;
        }
        *key = kelvane::phone::numberKey(verdict.text);
        return PHONE_OK;
    });
}

PhoneStatus engine_region_code(PhoneText region) {
    return guarded([&] { return answer(knownRegion(view(region))); });
}

PhoneStatus engine_check_key(uint64_t key) {
    return guarded([&] {
        // Only a valid number's own E.164 digits read back as the same key.
        const kelvane::phone::NumberVerdict& verdict =
            engine().reader(std::nullopt).read(kelvane::phone::keyText(key));
        return verdict.valid && kelvane::phone::numberKey(verdict.text) == key ? PHONE_OK
                                                                               : PHONE_NOT_VALID;
    });
}

PhoneStatus engine_format(uint64_t key, PhoneText format, PhoneText region) {
    return guarded([&] {
        const std::optional<NumberFormat> chosen =
            kelvane::valueNamed(kelvane::kNumberFormatNames, view(format));
        if (!chosen) return PHONE_BAD_FORMAT;
        if (!region.data && *chosen == NumberFormat::National) return PHONE_NEEDS_REGION;
        const std::string code = region.data ? engine().region(view(region)) : std::string();
        return answer(kelvane::phone::formatNumber(kelvane::phone::keyText(key), code, *chosen));
    });
}

PhoneStatus engine_type_name(uint64_t key) {
    return guarded(
        [&] { return answer(kelvane::phone::typeName(engine().describe(key, "en").type)); });
}

PhoneStatus engine_region_name(uint64_t key) {
    return guarded([&] { return answer(engine().describe(key, "en").region); });
}

PhoneStatus engine_place(uint64_t key, PhoneText language) {
    return guarded([&] {
        if (!isLanguage(view(language))) return PHONE_BAD_LANGUAGE;
        return answer(engine().describe(key, view(language)).place);
    });
}

PhoneStatus engine_finder_start(PhoneText text, PhoneText region, PhoneText leniency,
                                PhoneFinder** finder) {
    return guarded([&] {
        const std::optional<Leniency> chosen =
            kelvane::valueNamed(kelvane::phone::kLeniencyNames, view(leniency));
        if (!chosen) return PHONE_BAD_LENIENCY;
        // As kelvane-cli reads a file: a byte-order mark at the very start is not text.
        *finder = new PhoneFinder{.text = view(text),
                                  .pos = kelvane::byteOrderMarkLength(view(text)),
                                  .region = engine().region(view(region)),
                                  .leniency = *chosen,
                                  .found = {},
                                  .next = 0};
        return PHONE_OK;
    });
}

PhoneStatus engine_finder_step(PhoneFinder* finder, int* found, uint64_t* key) {
    return guarded([&] {
        *found = 0;
        if (finder->next < finder->found.size()) {
            *key = kelvane::phone::numberKey(finder->found[finder->next++]);
            *found = 1;
            return PHONE_OK;
        }
        std::string_view line;
        if (!kelvane::nextLine(finder->text, finder->pos, line)) return PHONE_DONE;
        // A line is searched in windows, in a time that grows with its length only.
        finder->found =
            kelvane::phone::findNumbers(line, finder->region, finder->leniency, NumberFormat::E164);
        finder->next = 0;
        return PHONE_OK;
    });
}

void engine_finder_end(PhoneFinder* finder) {
    delete finder;
}

}  // extern "C"
