// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace kelvane::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` to `name` in the folder and returns the file's full path.
    std::string write(const std::string& name, std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);

// Every entry under `folder` with its bytes (a folder as "<folder>", a link as "-> target"): two
// snapshots compare equal when nothing was written, replaced or left behind.
std::map<std::string, std::string> snapshot(const std::filesystem::path& folder);

}  // namespace kelvane::testing
