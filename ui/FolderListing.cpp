// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FolderListing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/TextFile.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void sortNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return listsBefore(a, b); });
}

}  // namespace

bool matchesTxtPattern(std::string_view name) {
    constexpr std::string_view kSuffix = ".txt";
    if (name.size() < kSuffix.size()) return false;
    const std::string_view tail = name.substr(name.size() - kSuffix.size());
    return std::equal(tail.begin(), tail.end(), kSuffix.begin(),
                      [](char a, char b) { return lowerAscii(a) == b; });
}

bool listsBefore(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char x = lowerAscii(a[i]);
        const char y = lowerAscii(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

FolderListing listFolder(const std::string& folder) {
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) throw FileError(error.message());

    FolderListing listing;
    for (const fs::directory_entry& entry : entries) {
        std::string name = entry.path().filename().string();
        if (name.empty()) continue;
        std::error_code statusError;
        // Links count as what they point to; an entry whose kind cannot be told is left out.
        // Hidden folders stay hidden, as in a desktop's file dialogs, but every list file is
        // shown: a save may replace it, so the operator must be able to see it.
        if (entry.is_directory(statusError)) {
            if (name.front() != '.') listing.folders.push_back(std::move(name));
        } else if (!statusError && matchesTxtPattern(name) && entry.is_regular_file(statusError)) {
            listing.txtFiles.push_back(std::move(name));
        }
    }
    sortNames(listing.folders);
    sortNames(listing.txtFiles);
    return listing;
}

std::string normalFolderPath(const std::string& folder) {
    // An empty path is the current folder, as for a shell; a current folder that is gone leaves
    // the path as given, for the listing to fail on.
    std::error_code error;
    fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : fs::path(folder), error);
    if (error) absolute = folder;
    std::string path = absolute.lexically_normal().string();
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::vector<std::string> folderChain(const std::string& folder) {
    std::vector<std::string> chain{"/"};
    std::string path;
    for (const fs::path& part : fs::path(normalFolderPath(folder)).relative_path()) {
        path.push_back('/');
        path.append(part.string());
        chain.push_back(path);
    }
    return chain;
}

std::string folderDisplayName(const std::string& folder) {
    const std::string path = normalFolderPath(folder);
    return path == "/" ? path : fs::path(path).filename().string();
}

}  // namespace kelvane
