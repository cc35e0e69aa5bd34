// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// What the file browser shows of one folder. Names are the file system's bytes, unconverted.
struct FolderListing {
    std::vector<std::string> folders;   // subfolders, sorted by name
    std::vector<std::string> txtFiles;  // files whose names match "*.txt", sorted by name
};

// Reads `folder` whole; throws FileError with the system's reason when it cannot be read.
// Folders whose names start with "." are hidden; list files never are.
FolderListing listFolder(const std::string& folder);

// "*.txt" without regard to case: LIST.TXT from a Windows disk matches.
bool matchesTxtPattern(std::string_view name);

// Orders names as a file list does: case ignored first, then byte by byte.
bool listsBefore(std::string_view a, std::string_view b);

// `folder` as an absolute path without "." or ".." parts and without a trailing "/" (the root
// stays "/").
std::string normalFolderPath(const std::string& folder);

// The folders from the root down to `folder` itself: "/", "/home", "/home/ann".
std::vector<std::string> folderChain(const std::string& folder);

// The name a folder list shows for `folder`: its last part, or "/" for the root.
std::string folderDisplayName(const std::string& folder);

}  // namespace kelvane
