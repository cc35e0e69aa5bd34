// SPDX-License-Identifier: GPL-3.0-or-later
// kelvane-cli: the window's number and duplicate rules for scripts and for lists of any size.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <string>

#include "CheckCommand.h"
#include "CommandError.h"
#include "DedupeCommand.h"
#include "WidthText.h"

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
    app.set_version_flag("--version", "kelvane-cli " KELVANE_VERSION);
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
    dedupeCommand->add_option("FILE", dedupe.input, "File to clean; none or - reads standard input")
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

    try {
        return checkCommand->parsed() ? runCheck(check) : runDedupe(dedupe);
    } catch (const CommandError& error) {
        return reportError(error.what());
    } catch (const std::bad_alloc&) {
        return reportError("not enough memory for the distinct lines");
    } catch (const std::exception& error) {
        return reportError(error.what());
    }
}
