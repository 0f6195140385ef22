// How the preferences file reaches the disk: only when changed, in one step,
// never over a file it may not replace.

#include "settings/PreferencesFile.h"
#include "settings/PrefsStorage.h"

#include "settings/PrefsTestSupport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace tonlira::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class PrefsStorageTest : public ::testing::Test {
protected:
    TempDir dir;
    fs::path path = dir / "Tonlira.prefs";
    std::string before = crlfLines({"[Allgemein]", "playlist = 0"});
};

TEST_F(PrefsStorageTest, RewriteKeepsPermissionsAndLeavesNoTemporaryFile) {
    writeFile(path, before);
    setMode(path, 0640);
    {
        PreferencesFile file;
        ASSERT_TRUE(file.open(path));
        file.selectGroup("Allgemein");
        file.writeInteger("playlist", 1);
    }  // the destructor closes and writes
    EXPECT_EQ(readFile(path), crlfLines({"[Allgemein]", "playlist = 1"}));
    EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0640));
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"Tonlira.prefs"});
}

TEST_F(PrefsStorageTest, ALinkedFileIsReplacedBehindTheLink) {
    fs::create_directory(dir / "real");
    const fs::path target = dir / "real" / "target.prefs";
    writeFile(target, before);
    fs::create_symlink("real/target.prefs", path);

    PreferencesFile file;
    ASSERT_TRUE(file.open(path));
    file.selectGroup("Allgemein");
    file.writeInteger("playlist", 1);
    ASSERT_TRUE(file.close());
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readFile(target), crlfLines({"[Allgemein]", "playlist = 1"}));
    EXPECT_EQ(namesIn(dir / "real"), std::vector<std::string>{"target.prefs"});
}

TEST_F(PrefsStorageTest, AMissingFileIsCreatedOnlyWhenSomethingWasWritten) {
    PreferencesFile file;
    EXPECT_FALSE(file.open(path));
    EXPECT_FALSE(file.selectGroup("Allgemein"));
    EXPECT_EQ(file.readInteger("playlist", 7), 7);
    EXPECT_TRUE(file.close());
    EXPECT_FALSE(fs::exists(path));

    EXPECT_FALSE(file.open(path));
    file.selectGroup("Allgemein");
    file.writeInteger("playlist", 0);
    EXPECT_TRUE(file.close());
    EXPECT_EQ(readFile(path), before);
}

TEST_F(PrefsStorageTest, CreateEmptiesAndAnEmptyListWritesNoBytes) {
    writeFile(path, "\xEF\xBB\xBF" + before);
    PreferencesFile file;
    ASSERT_TRUE(file.create(path));
    EXPECT_EQ(fs::file_size(path), 0U);
    EXPECT_EQ(file.encoding(), PrefsEncoding::EightBit);
    file.selectGroup("Allgemein");
    file.writeString("name", "ä");
    file.close();
    EXPECT_EQ(readFile(path), crlfLines({"[Allgemein]", "name = \xE4"}));

    ASSERT_TRUE(file.open(path));
    file.removeGroup("Allgemein");
    EXPECT_TRUE(file.close());
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0U);
}

TEST_F(PrefsStorageTest, FilesThatMayNotBeWrittenKeepTheirBytes) {
    setMode(dir.path(), 0755);
    const fs::path readOnly = dir / "open" / "readonly.prefs";
    const fs::path unreadable = dir / "open" / "unreadable.prefs";
    const fs::path inLockedFolder = dir / "locked" / "Tonlira.prefs";
    fs::create_directory(dir / "open");
    fs::create_directory(dir / "locked");
    for (const auto& file : {readOnly, unreadable, inLockedFolder}) {
        writeFile(file, before);
    }
    setMode(dir / "open", 0777);
    setMode(readOnly, 0444);
    setMode(unreadable, 0000);
    setMode(inLockedFolder, 0666);
    setMode(dir / "locked", 0555);

    const std::string failures = asUnprivilegedUser([&] {
        std::string failed;
        PreferencesFile file;
        const auto change = [&file] {
            file.selectGroup("Allgemein");
            file.writeInteger("playlist", 1);
        };
        check(failed, file.open(readOnly), "a read-only file opens");
        change();
        check(failed, file.readInteger("playlist", 9) == 1, "writes go to memory");
        check(failed, !file.close(), "read-only changes reported as dropped");

        check(failed, !file.open(unreadable), "an unreadable file does not open");
        change();
        check(failed, !file.close(), "an unreadable file is not replaced");

        check(failed, file.open(inLockedFolder), "a file in a locked folder opens");
        change();
        check(failed, !file.close(), "a file in a locked folder cannot be replaced");
        return failed;
    });
    setMode(dir / "locked", 0755);
    EXPECT_EQ(failures, "");
    for (const auto& file : {readOnly, unreadable, inLockedFolder}) {
        setMode(file, 0644);
        EXPECT_EQ(readFile(file), before) << file;
    }
    EXPECT_EQ(namesIn(dir / "open"), (std::vector<std::string>{"readonly.prefs", "unreadable.prefs"}));
    EXPECT_EQ(namesIn(dir / "locked"), std::vector<std::string>{"Tonlira.prefs"});
}

// The id of a process that has ended (and been reaped).
pid_t endedProcess() {
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    return child;
}

TEST_F(PrefsStorageTest, LeftoversOfEndedWritersGoEverythingElseStays) {
    writeFile(path, before);
    const std::string dead = ".Tonlira.prefs.tmp-" + std::to_string(endedProcess()) + "-0-12345";
    const std::string live = ".Tonlira.prefs.tmp-" + std::to_string(getpid()) + "-3-999";
    const std::vector<std::string> kept{
        ".Tonlira.prefs.tmp-",      // no writer
        ".Tonlira.prefs.tmp-x1-2",  // not a number
        ".Tonlira.prefs.tmp-77",    // no tail
        ".Other.prefs.tmp-1-2",     // another file's
        "Tonlira.prefs",
        "Tonlira.prefs.tmp-1-2",  // not hidden: not ours
        live,
    };
    writeFile(dir / dead, "half");
    for (const std::string& name : kept) {
        if (name != "Tonlira.prefs") {
            writeFile(dir / name, "x");
        }
    }
    fs::create_directory(dir / (".Tonlira.prefs.tmp-" + std::to_string(endedProcess()) + "-1-1"));

    EXPECT_EQ(removeLeftoverTempFiles(path.string()), 1);
    EXPECT_FALSE(fs::exists(dir / dead));
    for (const std::string& name : kept) {
        EXPECT_TRUE(fs::exists(dir / name)) << name;
    }
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(removeLeftoverTempFiles((dir / "missing" / "Tonlira.prefs").string()), 0);
}

}  // namespace
}  // namespace tonlira::test
