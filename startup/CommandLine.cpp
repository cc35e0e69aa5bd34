// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/CommandLine.h"

#include "phone/Regions.h"

namespace kelvane {

CommandLine readCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    const auto refuse = [&line](std::string why) {
        line.ask = CommandLine::Ask::Refused;
        line.refusal = std::move(why);
        return line;
    };
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "--version")) {
        line.ask = arguments[0] == "--help" ? CommandLine::Ask::Help : CommandLine::Ask::Version;
        return line;
    }
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (argument == "--region" && line.region.empty()) {
            if (++at == arguments.size()) return refuse("--region needs a region code, such as IL");
            try {
                line.region = phone::supportedRegion(arguments[at]);
            } catch (const phone::RegionError& error) {
                return refuse(error.what());
            }
        } else if (argument.starts_with('-') || !line.file.empty()) {
            return refuse("unexpected argument " + argument +
                          " (it takes --region CC and a file, --help or --version)");
        } else {
            line.file = argument;
        }
    }
    return line;
}

}  // namespace kelvane
