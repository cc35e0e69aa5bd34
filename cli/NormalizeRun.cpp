// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/NormalizeRun.h"

#include <string>

#include "base/Wording.h"
#include "cli/CommandError.h"
#include "cli/StandardStreams.h"
#include "phone/ListRules.h"
#include "phone/Regions.h"

namespace kelvane::cli {
namespace {

std::string count(std::uint64_t n, std::string_view one, std::string_view many) {
    return countText(static_cast<std::int64_t>(n), one, many);
}

}  // namespace

NormalizeRun::NormalizeRun(const NormalizeOptions& options)
    : input(options.input),
      types(options.types),
      reader(phone::chooseRegion(options.region), options.format, !types.keepsAll()),
      progress("Normalizing " + input.name(), input.size()),
      out(options.output, progress),
      report([this](std::string_view bytes) {
          progress.clear();
          writeToStandardError(bytes);
      }) {
    reader.setThreads(options.threads);
}

void NormalizeRun::reportNotWritten(std::uint64_t line, std::string_view text,
                                    const phone::NumberVerdict& verdict) {
    if (verdict.valid) {
        ++otherTypes_;
        phone::appendNotValidLine(report, input.name(), line, "other type: ", text,
                                  phone::typeName(verdict.type));
    } else {
        ++failures_;
        phone::appendNotValidLine(report, input.name(), line, "not a valid number: ", text,
                                  verdict.reason);
    }
}

int NormalizeRun::finish(std::string_view one, std::string_view many) {
    out.finish();
    std::string total = count(written, "number", "numbers") + " written, " +
                        count(failures_, one, many) + " not valid";
    if (!types.keepsAll()) total += ", " + count(otherTypes_, one, many) + " of other types";
    report.append(total + "\n");
    report.flush();
    return failures_ == 0 && otherTypes_ == 0 ? kExitOk : kExitFound;
}

}  // namespace kelvane::cli
