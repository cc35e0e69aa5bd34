// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include "FakeControls.h"
#include "LineModel.h"
#include "TestFiles.h"
#include "core/Form1Core.h"
#include "core/Module1.h"

namespace kelvane::testing {

using Strings = std::vector<std::string>;

// A window's core on fake controls, as the window stands after loading, with a folder of its own.
class CoreFixture : public ::testing::Test {
  protected:
    CoreFixture() {
        Module1::gNextIndex = 1;  // the window's load step
        core.setYieldInterval(std::chrono::nanoseconds(0));
        controls.folder = folder.path().string();
    }

    // Writes a file into the folder and selects it, as a click in the file list does.
    std::string select(const std::string& name, std::string_view bytes) {
        const std::string path = folder.write(name, bytes);
        core.selectFile(path);
        controls.selectedName = name;
        return path;
    }

    TempFolder folder;
    FakeControls controls;
    Form1Core core{controls};
};

inline const std::string kLoadErrorMessage =
    "Kelvane | OK | Error In Selected File May Be There Is Text With Numbers Please Check";
inline const std::string kNoFileSelectedMessage = "Kelvane | OK | No File Selected";
inline const std::string kUntouched = "::: Halvorin:::";

}  // namespace kelvane::testing
