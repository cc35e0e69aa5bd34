// SPDX-License-Identifier: GPL-3.0-or-later
// A fuzz target's check without libFuzzer, for the tests: feeds it each file of its seed corpus,
//   replay [--every-first-byte] FOLDER...
// With --every-first-byte, each file is fed once with every value of its first byte, which the
// block readers' targets take for their block size (16 bytes up) and the CSV delimiter: every run
// of the tests reads the corpus with record ends falling on every block boundary.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    bool everyFirstByte = false;
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--every-first-byte") {
            everyFirstByte = true;
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(argument))
            files.push_back(entry.path());
    }
    if (files.empty()) {
        std::fprintf(stderr, "replay: no corpus files given\n");
        return 1;
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const int firstBytes = everyFirstByte && !bytes.empty() ? 256 : 1;
        for (int first = 0; first < firstBytes; ++first) {
            if (everyFirstByte && !bytes.empty()) bytes[0] = static_cast<char>(first);
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
        }
        std::printf("replay: %s agrees with its model\n", file.filename().c_str());
    }
    return 0;
}
