// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <vector>

#include "ChildProcess.h"
#include "TestFiles.h"

namespace kelvane::testing {

struct CliResult {
    int exitCode = -1;
    std::string out, err;
};

// A test with a folder of its own, and runs of the built kelvane-cli in it.
class CliTest : public ::testing::Test {
  protected:
    // Runs kelvane-cli with `args` in the folder, `input` as standard input; every file the run
    // writes (standard output included) may grow to `fileSizeLimit` bytes only, and the run may
    // map `addressSpace` bytes of memory only.
    CliResult run(const std::vector<std::string>& args, std::string_view input = {},
                  rlim_t fileSizeLimit = RLIM_INFINITY, rlim_t addressSpace = RLIM_INFINITY) const {
        return runPrepared(
            [&] {
                return (fileSizeLimit == RLIM_INFINITY || limitFileSize(fileSizeLimit)) &&
                       (addressSpace == RLIM_INFINITY || limitAddressSpace(addressSpace));
            },
            args, input);
    }

    // The same, once `prepare` has set up the child (another user, the environment).
    CliResult runPrepared(const std::function<bool()>& prepare,
                          const std::vector<std::string>& args, std::string_view input = {}) const {
        // The standard streams go to files out of the folder.
        const std::string in = streams_.write("in", input);
        const std::string out = streams_.write("out", ""), err = streams_.write("err", "");
        std::vector<char*> argv{const_cast<char*>(KELVANE_CLI)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            ::dup2(::open(in.c_str(), O_RDONLY | O_CLOEXEC), STDIN_FILENO);
            ::dup2(::open(out.c_str(), O_WRONLY | O_CLOEXEC), STDOUT_FILENO);
            ::dup2(::open(err.c_str(), O_WRONLY | O_CLOEXEC), STDERR_FILENO);
            if (prepare() &&
                (processorSeconds_ == RLIM_INFINITY || limitProcessorTime(processorSeconds_)) &&
                ::chdir(folder_.path().c_str()) == 0)
                ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), readFile(out),
                readFile(err)};
    }

    TempFolder folder_, streams_;
    rlim_t processorSeconds_ = RLIM_INFINITY;  // each run's processor time
};

}  // namespace kelvane::testing
