// SPDX-License-Identifier: GPL-3.0-or-later
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <filesystem>
#include <iterator>
#include <string>

namespace {

using Judge = long (*)(const char* const*, std::size_t, const char*, char*, std::size_t);

std::size_t threadsOfThisProcess() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return static_cast<std::size_t>(std::distance(begin(tasks), end(tasks)));
}

TEST(EngineModule, LoadsAloneAndJudgesOnTheCallingThread) {
    const std::size_t threadsBefore = threadsOfThisProcess();
    void* module = dlopen(KELVANE_ENGINE_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    const auto judge = reinterpret_cast<Judge>(dlsym(module, "kelvane_module_judge"));
    ASSERT_NE(judge, nullptr) << dlerror();

    const std::array<const char*, 4> lines = {"050-1234567", "+972 50 123 4567", "02-555",
                                              "call after 5"};
    std::string out(256, '\0');
    const long written = judge(lines.data(), lines.size(), "IL", out.data(), out.size());
    ASSERT_GT(written, 0);
    out.resize(static_cast<std::size_t>(written));
    EXPECT_EQ(out, "+972501234567\n+972501234567\nnot: too short\nnot: not a number\n");
    EXPECT_EQ(threadsOfThisProcess(), threadsBefore);
    dlclose(module);
}

}  // namespace
