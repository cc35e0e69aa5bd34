// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kelvane::cli::testing {
namespace {

int openFor(const std::filesystem::path& path, int flags) {
    return ::open(path.c_str(), flags | O_CLOEXEC, 0644);
}

}  // namespace

CliTest::CliTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvane-cli-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a test folder");
    folder_ = pattern;
}

CliTest::~CliTest() {
    std::filesystem::remove_all(folder_);
}

std::string CliTest::write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

std::string CliTest::read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> CliTest::listFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

CliResult CliTest::run(const std::vector<std::string>& args, std::string_view input,
                       std::int64_t fileSizeLimit) const {
    // The run's streams live outside the folder, so listFolder() sees only what the run made.
    const std::filesystem::path streams = folder_.string() + ".streams";
    std::filesystem::create_directory(streams);
    {
        std::ofstream(streams / "in", std::ios::binary)
            .write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    std::vector<char*> argv{const_cast<char*>(KELVANE_CLI)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(openFor(streams / "in", O_RDONLY), STDIN_FILENO);
        ::dup2(openFor(streams / "out", O_WRONLY | O_CREAT | O_TRUNC), STDOUT_FILENO);
        ::dup2(openFor(streams / "err", O_WRONLY | O_CREAT | O_TRUNC), STDERR_FILENO);
        if (::chdir(folder_.c_str()) != 0) ::_exit(127);
        if (fileSizeLimit >= 0) {
            const rlimit limit{static_cast<rlim_t>(fileSizeLimit),
                               static_cast<rlim_t>(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = read((streams / "out").string());
    result.err = read((streams / "err").string());
    std::filesystem::remove_all(streams);
    return result;
}

}  // namespace kelvane::cli::testing
