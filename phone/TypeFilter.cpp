// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/TypeFilter.h"

#include <string>

namespace kelvane::phone {

TypeFilter::TypeFilter(std::string_view list) {
    if (list.empty()) {
        wanted_.set();
        return;
    }
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        std::size_t type = 0;
        while (type < wanted_.size() && typeName(static_cast<NumberType>(type)) != name) ++type;
        if (type == wanted_.size()) {
            std::string names;
            for (std::size_t t = 0; t < wanted_.size(); ++t)
                names += (t ? ", " : "") + std::string(typeName(static_cast<NumberType>(t)));
            throw TypeError("unknown number type \"" + std::string(name) + "\" (one of " + names +
                            ")");
        }
        wanted_.set(type);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
}

}  // namespace kelvane::phone
