// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>

#include <functional>
#include <optional>
#include <string>

namespace kelvane::testing {

// Runs `work` in a forked child once `prepare` has set the child up (limits, another user), and
// returns what `work` returned, or nothing when the child could not be set up or died.
std::optional<std::string> runInChild(const std::function<bool()>& prepare,
                                      const std::function<std::string()>& work);

// For `prepare`: files may not grow beyond `bytes`, as on a full disk; a write past it fails
// with EFBIG instead of ending the process.
bool limitFileSize(rlim_t bytes);
// For `prepare`: the process may map at most `bytes` of memory in all; an allocation past it fails.
bool limitAddressSpace(rlim_t bytes);
// For `prepare`: the process may spend `seconds` of processor time, then it is killed (SIGXCPU);
// a test that fails on a hang that way never fails on a slow machine.
bool limitProcessorTime(rlim_t seconds);
// For `prepare`: run as an ordinary user, whom permissions bind (they do not bind root).
bool becomeOrdinaryUser();

}  // namespace kelvane::testing
