// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::cli::testing {

// What a run of the built kelvane-cli left behind.
struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A test with a folder of its own, removed afterwards, and a way to run the binary in it.
class CliTest : public ::testing::Test {
protected:
    CliTest();
    ~CliTest() override;

    // Writes `bytes` to `name` in the folder; returns its path.
    std::string write(const std::string& name, std::string_view bytes) const;
    static std::string read(const std::string& path);
    // Names in the folder, sorted.
    std::vector<std::string> listFolder() const;

    // Runs kelvane-cli with `args`, `input` as standard input. A `fileSizeLimit` of 0 or more
    // caps every file the run writes (standard output included) at that many bytes.
    CliResult run(const std::vector<std::string>& args, std::string_view input = {},
                  std::int64_t fileSizeLimit = -1) const;

    std::filesystem::path folder_;
};

}  // namespace kelvane::cli::testing
