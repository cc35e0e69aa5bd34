// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildProcess.h"

#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kelvane::testing {

std::optional<std::string> runInChild(const std::function<bool()>& prepare,
                                      const std::function<std::string()>& work) {
    int channel[2];
    if (::pipe(channel) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (!prepare()) ::_exit(1);
        const std::string report = work();
        const bool sent = ::write(channel[1], report.data(), report.size()) ==
                          static_cast<ssize_t>(report.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return report;
}

bool limitFileSize(rlim_t bytes) {
    const rlimit limit{bytes, bytes};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && ::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
}

bool limitAddressSpace(rlim_t bytes) {
    const rlimit limit{bytes, bytes};
    return ::setrlimit(RLIMIT_AS, &limit) == 0;
}

bool limitProcessorTime(rlim_t seconds) {
    const rlimit limit{seconds, seconds};
    return ::setrlimit(RLIMIT_CPU, &limit) == 0;
}

bool becomeOrdinaryUser() {
    constexpr uid_t kNobody = 65534;
    return ::geteuid() != 0 ||
           (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
}

}  // namespace kelvane::testing
