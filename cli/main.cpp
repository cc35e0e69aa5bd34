// SPDX-License-Identifier: GPL-3.0-or-later
// kelvane-cli: the window's number and duplicate rules for scripts and for lists of any size.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/NameTable.h"
#include "cli/CheckCommand.h"
#include "cli/CommandError.h"
#include "cli/DedupeCommand.h"
#include "cli/ExtractCommand.h"
#include "cli/InfoCommand.h"
#include "cli/NormalizeCommand.h"
#include "core/WidthText.h"
#include "phone/NumberSearch.h"
#include "phone/Regions.h"
#include "phone/TypeFilter.h"

namespace {

using namespace kelvane::cli;

// The width as the window's box accepts it (blanks around, a plus sign, a whole number within 32
// bits); handed on as plain digits.
const CLI::Validator kWidthNumber(
    [](std::string& text) {
        const std::optional<std::int32_t> width = kelvane::parseWidth(text);
        if (!width) return "\"" + text + "\" is not a whole number from 0 to 2147483647";
        text = std::to_string(*width);
        return std::string();
    },
    "");

// A value from a fixed set, by name; a bad one is answered with the names accepted. Handed on as
// the value's number, as CLI11 reads an enumeration.
template <typename Value, std::size_t N>
CLI::Validator oneOf(const kelvane::NameTable<Value, N>& names) {
    std::string accepted;
    for (const auto& [name, value] : names)
        accepted.append(accepted.empty() ? "" : ", ").append(name);
    return CLI::Validator(
        [&names, accepted](std::string& text) {
            const std::optional<Value> value = kelvane::valueNamed(names, text);
            if (!value) return "\"" + text + "\" is not one of " + accepted;
            text = std::to_string(static_cast<int>(*value));
            return std::string();
        },
        "");
}

// --column, --delimiter and --no-header, alike for normalize and dedupe. The last two need the
// first; that is checked after parsing, as a "Needs:" in the help would break the man page's
// layout.
void addColumnOptions(CLI::App& command, ColumnOptions& options, std::string_view rows) {
    command
        .add_option("--column", options.column,
                    "Read FILE as CSV (RFC 4180) and take the numbers from column COL, a header "
                    "name or a number from 1; " +
                        std::string(rows))
        ->type_name("COL");
    command
        .add_option("--delimiter", options.delimiter,
                    "With --column, the CSV delimiter, one byte (\\t for a tab); by default a tab "
                    "for a .tsv file, else a comma")
        ->type_name("C");
    command.add_flag("--no-header", options.noHeader, "With --column, the file has no header row");
}

// --threads, alike for every command that judges numbers.
void addThreadsOption(CLI::App& command, unsigned& threads) {
    command
        .add_option("--threads", threads,
                    "Judge numbers on at most N threads at once; by default on as many as the "
                    "machine has")
        ->check(CLI::Range(1u, 4096u).description(""))
        ->type_name("N");
}

// The name of an option given without the one it needs, or nothing.
std::optional<std::string> missingNeed(const ColumnOptions& columns, bool keepInvalid) {
    if (!columns.column.empty()) return std::nullopt;
    if (!columns.delimiter.empty()) return "--delimiter";
    if (columns.noHeader) return "--no-header";
    if (keepInvalid) return "--keep-invalid";
    return std::nullopt;
}

int reportError(const std::string& message) {
    const std::string line = "kelvane-cli: " + message + "\n";
    [[maybe_unused]] const ssize_t ignored = ::write(STDERR_FILENO, line.data(), line.size());
    return kExitError;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app(
        "Checks and cleans lists of telephone numbers kept as text files, one number a line.",
        "kelvane-cli");
    // Verdicts on numbers change with the library's metadata, so the version names it.
    app.set_version_flag("--version", "kelvane-cli " KELVANE_VERSION " (libphonenumber metadata " +
                                          std::string(kelvane::phone::metadataVersion()) + ")");
    app.require_subcommand(1);

    CheckOptions check;
    CLI::App* checkCommand = app.add_subcommand(
        "check", "Report every line that is not a number, as FILE:LINE: not a number: TEXT.");
    checkCommand->add_option("FILE", check.files, "Files to check; none or - reads standard input")
        ->type_name("");

    DedupeOptions dedupe;
    CLI::App* dedupeCommand = app.add_subcommand(
        "dedupe",
        "Keep the first occurrence of every line, in file order, each line ending in CR LF.");
    dedupeCommand
        ->add_option("-w,--width", dedupe.width,
                     "Characters compared at the start of each line with every line kept before")
        ->transform(kWidthNumber)
        ->type_name("N")
        ->capture_default_str();
    dedupeCommand
        ->add_option("-o,--output", dedupe.output,
                     "Write the list to OUT (replaced only when complete; may be FILE itself) "
                     "instead of standard output")
        ->type_name("OUT");
    CLI::Option* phone =
        dedupeCommand
            ->add_option("--phone", dedupe.phoneRegion,
                         "Compare lines as telephone numbers, in their E.164 form (an extension "
                         "left out), CC being the region of numbers without a country code; a "
                         "line that is not a valid number is compared whole")
            ->type_name("CC");
    phone->excludes("--width");
    dedupeCommand
        ->add_option("--type", dedupe.types,
                     "Keep only numbers of these kinds, a comma list of mobile, fixed-line, "
                     "toll-free, premium-rate, shared-cost, voip, personal-number, pager, uan, "
                     "voicemail, unknown (a number that may be either mobile or fixed line counts "
                     "as both); the others are removed and counted as Other Types; needs --phone")
        ->type_name("TYPES");
    dedupeCommand
        ->add_option("--except", dedupe.exceptLists,
                     "Drop every line that is a duplicate of a line of LIST, as if LIST came "
                     "first; may be given more than once")
        ->type_name("LIST")
        // One LIST an --except: the words after it are the input, not more lists.
        ->allow_extra_args(false);
    dedupeCommand
        ->add_option("--removed", dedupe.removed,
                     "Write the lines not kept (duplicates and excepted lines) to FILE, replaced "
                     "only when complete")
        ->type_name("FILE");
    addColumnOptions(*dedupeCommand, dedupe.columns,
                     "every row is kept or removed whole, the header row kept; rows whose field "
                     "is empty are all kept");
    addThreadsOption(*dedupeCommand, dedupe.threads);
    dedupeCommand->add_option("FILE", dedupe.input, "File to clean; none or - reads standard input")
        ->type_name("");

    NormalizeOptions normalize;
    CLI::App* normalizeCommand = app.add_subcommand(
        "normalize",
        "Write every line that is a valid telephone number in one format, each ending in CR LF, "
        "and report the other lines on standard error.");
    normalizeCommand
        ->add_option("--region", normalize.region,
                     "Region of numbers written without a country code, as two letters (IL, us); "
                     "by default the territory of the locale")
        ->type_name("CC");
    normalizeCommand
        ->add_option(
            "--format", normalize.format,
            "e164 (+972501234567; an extension is left out, as E.164 cannot carry it), "
            "international (+972 50-123-4567 ext. 8) or national (050-123-4567 ext. 8; numbers "
            "of other countries in international form) or rfc3966 (tel:+972-50-123-4567;ext=8)")
        ->transform(oneOf(kelvane::kNumberFormatNames))
        ->type_name("FORMAT")
        ->default_str("e164");
    normalizeCommand
        ->add_option("-o,--output", normalize.output,
                     "Write the numbers to OUT (replaced only when complete; may be FILE itself) "
                     "instead of standard output")
        ->type_name("OUT");
    normalizeCommand
        ->add_option("--type", normalize.types,
                     "Write only numbers of these kinds (a comma list: mobile, fixed-line, "
                     "toll-free, premium-rate, shared-cost, voip, personal-number, pager, uan, "
                     "voicemail, unknown; a number that may be either mobile or fixed line counts "
                     "as both) and report the others as FILE:LINE: other type: TEXT (TYPE)")
        ->type_name("TYPES");
    addColumnOptions(*normalizeCommand, normalize.columns,
                     "each row is written byte for byte with the field replaced by the number, "
                     "the header row kept");
    normalizeCommand->add_flag(
        "--keep-invalid", normalize.keepInvalid,
        "With --column, keep the rows whose field is not a valid number, unchanged");
    addThreadsOption(*normalizeCommand, normalize.threads);
    normalizeCommand
        ->add_option("FILE", normalize.input, "File to read; none or - reads standard input")
        ->type_name("");

    ExtractOptions extract;
    CLI::App* extractCommand = app.add_subcommand(
        "extract",
        "Find the telephone numbers in free text and write each as FILE:LINE: NUMBER; a line "
        "that is not UTF-8 is searched with its bad bytes read as ? and reported on standard "
        "error as FILE:LINE: read in part: TEXT (not UTF-8).");
    extractCommand
        ->add_option("--region", extract.region,
                     "Region of numbers written without a country code; by default the "
                     "territory of the locale")
        ->type_name("CC");
    extractCommand
        ->add_option("--leniency", extract.leniency,
                     "How sure the match must be: possible (a possible length), valid (in the "
                     "numbering plan), strict (valid, and its digits grouped as the plan groups "
                     "them or not at all) or exact (grouped exactly so)")
        ->transform(oneOf(kelvane::phone::kLeniencyNames))
        ->type_name("LENIENCY")
        ->default_str("valid");
    extractCommand
        ->add_option("--format", extract.format, "e164, international, national or rfc3966")
        ->transform(oneOf(kelvane::kNumberFormatNames))
        ->type_name("FORMAT")
        ->default_str("e164");
    extractCommand->add_flag("--only-numbers", extract.onlyNumbers,
                             "Write only the numbers, one a line");
    extractCommand
        ->add_option("FILE", extract.input, "File to read; none or - reads standard input")
        ->type_name("");

    InfoOptions info;
    CLI::App* infoCommand = app.add_subcommand(
        "info",
        "For each line, write tab-separated: the line (a tab, CR or backslash in it written as "
        "\\t, \\r or \\\\), valid or invalid, and for a valid number its E.164 form, region, "
        "type and place.");
    infoCommand
        ->add_option("--region", info.region,
                     "Region of numbers written without a country code; by default the "
                     "territory of the locale")
        ->type_name("CC");
    infoCommand->add_flag("--summary", info.summary,
                          "Write a table of how many lines there are of each region and type, "
                          "each count with a bar, instead");
    addThreadsOption(*infoCommand, info.threads);
    infoCommand->add_option("FILE", info.input, "File to read; none or - reads standard input")
        ->type_name("");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) return app.exit(error);  // --help, --version
        if (app.get_subcommands().empty() && argc > 1 && argv[1][0] != '-') {
            return reportError(std::string("unknown command ") + argv[1] +
                               " (see kelvane-cli --help)");
        }
        return reportError(std::string(error.what()) + " (see kelvane-cli --help)");
    }

    const std::optional<std::string> missing =
        normalizeCommand->parsed() ? missingNeed(normalize.columns, normalize.keepInvalid)
        : dedupeCommand->parsed()  ? missingNeed(dedupe.columns, false)
                                   : std::nullopt;
    if (missing) return reportError(*missing + " needs --column (see kelvane-cli --help)");
    if (dedupeCommand->parsed() && !dedupe.types.empty() && dedupe.phoneRegion.empty())
        return reportError("--type needs --phone (see kelvane-cli --help)");

    try {
        if (checkCommand->parsed()) return runCheck(check);
        if (normalizeCommand->parsed()) return runNormalize(normalize);
        if (extractCommand->parsed()) return runExtract(extract);
        if (infoCommand->parsed()) return runInfo(info);
        return runDedupe(dedupe);
    } catch (const CommandError& error) {
        return reportError(error.what());
    } catch (const kelvane::phone::TypeError& error) {
        return reportError(error.what());
    } catch (const std::bad_alloc&) {
        // Nothing more is allocated to say it.
        static constexpr std::string_view kNoMemory = "kelvane-cli: not enough memory\n";
        [[maybe_unused]] const ssize_t ignored =
            ::write(STDERR_FILENO, kNoMemory.data(), kNoMemory.size());
        return kExitError;
    } catch (const std::exception& error) {
        return reportError(error.what());
    }
}
