// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>
#include <string_view>
#include <vector>

#include "TestFiles.h"

namespace kelvane::testing {

// What a run of the built kelvane-cli left behind.
struct CliResult {
    int exitCode = -1;
    std::string out, err;
};

// A test with a folder of its own, and runs of the binary in it.
class CliTest : public ::testing::Test {
  protected:
    // Runs kelvane-cli with `args` in the folder, `input` as standard input; every file the run
    // writes (standard output included) may grow to `fileSizeLimit` bytes only.
    CliResult run(const std::vector<std::string>& args, std::string_view input = {},
                  rlim_t fileSizeLimit = RLIM_INFINITY) const;

    TempFolder folder_;
    TempFolder streams_;  // the run's standard streams, out of the folder
};

}  // namespace kelvane::testing
