// SPDX-License-Identifier: GPL-3.0-or-later
// Every way a list is saved, into every kind of target, with each call its save makes failing in
// turn: once, then from that call on. Whatever fails, the target holds exactly its old bytes or
// exactly the new ones, and the save says it is saved exactly when it holds the new ones; no
// temporary file is left unless the message names it. Only when even putting the old bytes back
// fails may the target hold neither, and then the message says so and names the temporary file,
// which holds the whole new list. A pipe need only be told the truth.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <iostream>

#include "CliRun.h"
#include "FakeControls.h"
#include "FaultSeam.h"
#include "core/Form1Core.h"

namespace kelvane::testing {
namespace {

namespace fs = std::filesystem;

enum class Writer { Save, SaveRemoved, CliOutput, CliRemoved };
// New and Renamed are replaced by a rename, the Copied ones (with a second name) in place.
enum class Target { New, Renamed, CopiedShorter, CopiedLonger, Pipe };
constexpr const char* kWriters[] = {"Save", "SaveRemovedLinesAs", "CliOutput", "CliRemoved"};
constexpr const char* kTargets[] = {"New", "Renamed", "CopiedShorter", "CopiedLonger", "Pipe"};

std::string numbers(int first, int count, const char* lineBreak) {
    std::string list;
    for (int i = 0; i < count; ++i) list += std::to_string(447900000000LL + first + i) + lineBreak;
    return list;
}

// 154 KB: a copy in place takes it in three blocks.
const std::string kNew = numbers(0, 11000, "\r\n");

// A target as a save finds it: a file with its old bytes (none when New), or a pipe and its
// reader; and a temporary folder of its own.
struct Scene {
    TempFolder folder, temporary;
    std::string path = (folder.path() / "list.txt").string();
    std::optional<std::string> old;
    int reader = -1;
    ~Scene() { ::close(reader); }
};

struct Said {
    bool saved;
    std::string message;
};

class WriteFaults : public CliTest,
                    public ::testing::WithParamInterface<std::tuple<Writer, Target>> {
  protected:
    Writer writer() const { return std::get<0>(GetParam()); }
    Target target() const { return std::get<1>(GetParam()); }
    bool byTheWindow() const { return writer() == Writer::Save || writer() == Writer::SaveRemoved; }

    std::unique_ptr<Scene> setUp() const {
        auto scene = std::make_unique<Scene>();
        const Target kind = target();
        if (kind == Target::Pipe) {
            ::mkfifo(scene->path.c_str(), 0600);
            scene->reader = ::open(scene->path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            ::fcntl(scene->reader, F_SETPIPE_SZ, 1 << 20);  // room for the whole list
        } else if (kind != Target::New) {
            scene->old = numbers(50000, kind == Target::CopiedLonger ? 7000 : 15000, "\r\n");
            scene->folder.write("list.txt", *scene->old);
        }
        // Another user's file, with an attribute: the new file takes both before the rename.
        if (kind == Target::Renamed) {
            ::chown(scene->path.c_str(), 65534, 65534);
            ::setxattr(scene->path.c_str(), "user.origin", "crm", 3, 0);
        }
        if (kind == Target::CopiedShorter || kind == Target::CopiedLonger)
            fs::create_hard_link(scene->path, scene->folder.path() / "second");
        return scene;
    }

    Said save(const Scene& scene, const std::optional<InjectedFault>& fault,
              std::map<std::string, int>& calls) const {
        const std::string temporary = scene.temporary.path().string();
        if (byTheWindow()) {
            FakeControls controls;  // answers OK to "File Name Exits Over Write  "
            Form1Core core(controls);
            controls.folder = scene.folder.path().string();
            controls.saveName = "list";
            controls.list = kNew;
            const std::string tmpdir = fs::temp_directory_path().string();
            ::setenv("TMPDIR", temporary.c_str(), 1);
            armFaults(fault);
            writer() == Writer::Save ? core.SaveList() : core.SaveBytesAs(scene.path, kNew);
            calls = disarmFaults();
            ::setenv("TMPDIR", tmpdir.c_str(), 1);
            const std::string shown = controls.messages().back();
            return {shown == "Kelvane | OK | File Saved", shown + "\n" + controls.status};
        }
        const std::string input =
            folder_.write("in.txt", numbers(0, 11000, "\n") + numbers(0, 11000, "\n"));
        const std::string countsFile = (streams_.path() / "calls").string();
        const std::vector<std::string> args =
            writer() == Writer::CliOutput
                ? std::vector<std::string>{"dedupe", "-o", scene.path, input}
                : std::vector<std::string>{"dedupe",    "-o",       "/dev/null",
                                           "--removed", scene.path, input};
        const CliResult result = runPrepared(
            [&] {
                return ::setenv("TMPDIR", temporary.c_str(), 1) == 0 &&
                       armProgramFaults(fault, countsFile);
            },
            args);
        calls = readFaultCounts(countsFile);
        // A summary that standard error would not take says nothing of the list.
        return {result.exitCode == 0 ||
                    result.err.starts_with("kelvane-cli: cannot write standard error"),
                result.err};
    }

    // Checks what a save left against what it said; returns the outcome's letter for the table:
    // S saved, W saved with a warning, O not saved and the old bytes kept, N neither (the new
    // list named), F a pipe told that the list did not all go.
    char check(const Scene& scene, const Said& said, bool keepsFiring) const {
        std::vector<fs::path> left;
        for (const fs::path& folder : {scene.folder.path(), scene.temporary.path()})
            for (const fs::directory_entry& entry : fs::directory_iterator(folder))
                if (entry.path() != scene.path && entry.path().filename() != "second")
                    left.push_back(entry.path());
        for (const fs::path& file : left) {
            EXPECT_NE(said.message.find(file.string()), std::string::npos) << said.message;
            EXPECT_TRUE(readFile(file) == kNew) << file;
        }
        if (target() == Target::Pipe) {
            std::string got(2 << 20, '\0');
            got.resize(static_cast<std::size_t>(
                std::max<ssize_t>(0, ::read(scene.reader, got.data(), got.size()))));
            EXPECT_TRUE(!said.saved || got == kNew) << said.message;
            return said.saved ? 'S' : 'F';
        }
        const std::optional<std::string> now =
            fs::exists(scene.path) ? std::optional(readFile(scene.path)) : std::nullopt;
        struct stat info {};
        if (target() == Target::Renamed && ::stat(scene.path.c_str(), &info) == 0) {
            EXPECT_EQ(info.st_uid, 65534u);
            EXPECT_EQ(::getxattr(scene.path.c_str(), "user.origin", nullptr, 0), 3);
        }
        if (said.saved) {
            EXPECT_TRUE(now == kNew) << said.message;
            return said.message.find(", but ") == std::string::npos ? 'S' : 'W';
        }
        if (now == scene.old) return 'O';
        EXPECT_TRUE(keepsFiring && !left.empty() &&
                    said.message.find(scene.path + " may hold neither list whole") !=
                        std::string::npos)
            << said.message;
        return 'N';
    }
};

TEST_P(WriteFaults, EachCallFailingLeavesTheOldListOrTheNewAndSaysWhich) {
    std::map<std::string, int> calls;
    {
        const auto scene = setUp();
        const Said said = save(*scene, std::nullopt, calls);
        ASSERT_EQ(check(*scene, said, false), 'S') << said.message;
    }
    // The wrappers are in place, and the save takes the way the target calls for.
    const std::map<Target, std::vector<std::string>> way = {
        {Target::New, {"kelvane/mkostemp", "posix/io/dir/rename"}},
        {Target::Renamed, {"kelvane/fchown", "posix/io/dir/rename"}},
        {Target::CopiedShorter, {"kelvane/fallocate", "posix/io/rw/ftruncate"}},
        {Target::CopiedLonger, {"kelvane/fallocate", "posix/io/rw/ftruncate"}},
        {Target::Pipe, {"posix/io/oc/open", "posix/io/oc/close"}},
    };
    for (const std::string& point : way.at(target())) EXPECT_GT(calls[point], 0) << point;
    EXPECT_GT(calls["posix/io/rw/write"], 0);

    std::string table;  // the outcome of each call failing, in order, for the eye
    for (const auto& [point, count] : calls) {
        if (count == 0) continue;
        table += point + ":";
        for (const bool keepsFiring : {false, true}) {
            // Writes that keep failing would take the batch command's standard error along.
            if (keepsFiring && !byTheWindow() && point == "posix/io/rw/write") continue;
            table += keepsFiring ? "  from then on " : "  once ";
            for (int call = 1; call <= count; ++call) {
                SCOPED_TRACE(point + " from call " + std::to_string(call));
                const auto scene = setUp();
                std::map<std::string, int> ignored;
                const Said said = save(*scene, InjectedFault{point, call, keepsFiring}, ignored);
                table += check(*scene, said, keepsFiring);
            }
        }
        table += '\n';
    }
    std::cout << table;
}

// Once the new list has its name, a folder that cannot be synced does not undo the save: it is
// told as what it is, after "File Saved" and with the batch command's success.
class FolderSync : public CliTest {};

TEST_F(FolderSync, AFolderNotSyncedAfterTheRenameLeavesASavedListAndAWarning) {
    const InjectedFault folderSync{"posix/io/sync/fsync", 2};  // the temporary file's comes first
    const std::string unsynced =
        ", but its folder entry may not survive a power cut (cannot sync its folder: "
        "Input/output error)";
    folder_.write("in.txt", "9\n8\n9\n");
    const std::string countsFile = (streams_.path() / "calls").string();
    const CliResult result = runPrepared([&] { return armProgramFaults(folderSync, countsFile); },
                                         {"dedupe", "-o", "out.txt", "in.txt"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "kelvane-cli: out.txt holds the new list" + unsynced +
                              "\nDuplicates Found   1  Of Total:   3\n");
    EXPECT_EQ(readFile(folder_.path() / "out.txt"), "9\r\n8\r\n");

    FakeControls controls;
    Form1Core core(controls);
    controls.folder = folder_.path().string();
    controls.saveName = "out";
    controls.list = "7\r\n";
    armFaults(folderSync);
    core.SaveList();
    disarmFaults();
    EXPECT_EQ(controls.messages(),
              (std::vector<std::string>{"Note | OK Cancel | File Name Exits Over Write  ",
                                        "Kelvane | OK | File Saved"}));
    EXPECT_EQ(controls.status, "Saved " + (folder_.path() / "out.txt").string() + unsynced);
    EXPECT_EQ(readFile(folder_.path() / "out.txt"), "7\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, WriteFaults,
    ::testing::Combine(::testing::Values(Writer::Save, Writer::SaveRemoved, Writer::CliOutput,
                                         Writer::CliRemoved),
                       ::testing::Values(Target::New, Target::Renamed, Target::CopiedShorter,
                                         Target::CopiedLonger, Target::Pipe)),
    [](const auto& info) {
        return std::string(kWriters[int(std::get<0>(info.param))]) +
               kTargets[int(std::get<1>(info.param))];
    });

}  // namespace
}  // namespace kelvane::testing
