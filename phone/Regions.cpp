// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/Regions.h"

#include <phonenumbers/phonenumberutil.h>

#include <cstdlib>
#include <set>

namespace kelvane::phone {

namespace {

std::set<std::string> regionSet() {
    std::set<std::string> regions;
    i18n::phonenumbers::PhoneNumberUtil::GetInstance()->GetSupportedRegions(&regions);
    return regions;
}

}  // namespace

std::string supportedRegion(std::string_view code) {
    std::string region(code);
    for (char& c : region) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    if (!regionSet().contains(region)) {
        throw RegionError("unknown region " + std::string(code) +
                          " (a two-letter country code such as US or IL)");
    }
    return region;
}

std::vector<std::string> supportedRegions() {
    const std::set<std::string> regions = regionSet();
    return {regions.begin(), regions.end()};
}

std::string localeRegion() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        const std::string_view locale(value);
        const std::size_t start = locale.find('_');
        if (start == std::string_view::npos) return {};
        return std::string(locale.substr(start + 1, locale.find_first_of(".@", start) - start - 1));
    }
    return {};
}

std::string localeLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        const std::string_view locale(value);
        const std::string language(locale.substr(0, locale.find_first_of("_.@")));
        if (language.size() < 2 || language.size() > 3 || language == "C") return "en";
        return language;
    }
    return "en";
}

std::string chooseRegion(std::string_view given) {
    if (!given.empty()) return supportedRegion(given);
    const std::string territory = localeRegion();
    if (territory.empty()) {
        throw RegionError(
            "no region for numbers without a country code: give --region CC (the locale names "
            "none)");
    }
    try {
        return supportedRegion(territory);
    } catch (const RegionError&) {
        throw RegionError("the locale's territory " + territory +
                          " is not a known region: give --region CC");
    }
}

std::string_view metadataVersion() {
    return PHONENUMBER_VERSION;
}

}  // namespace kelvane::phone
