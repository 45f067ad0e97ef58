// What saves ended half-way leave beside the data file, and its removal at start.

#include "core/planfile.h"
#include "core/planrecord.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <set>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

using namespace orvanta;
using orvanta::testing::MakeOld;
using orvanta::testing::ReadAll;
using orvanta::testing::TempDir;
using orvanta::testing::WriteAll;
namespace fs = std::filesystem;

namespace {

#ifndef _WIN32
TPlanRecord RecordOf(unsigned char byte) {
    TPlanRecord rec;
    std::memset(&rec, byte, sizeof rec);
    return rec;
}
#endif

std::set<std::string> Names(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}

} // namespace

#ifndef _WIN32
// A save ended by the system between creating its temporary file and the
// rename (here: the file size limit kills it in the middle of the write)
// leaves a file that the next start removes once it is a minute old.
TEST(StaleTempFiles, KilledSaveLeavesAFileTheCleanupRemoves) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    SavePlanRecord(RecordOf(1), path);
    const std::string saved = ReadAll(path);
    const std::string result = orvanta::testing::RunInChild(
        [&] {
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            ::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{1000, 1000};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            SavePlanRecord(RecordOf(2), path);
            return std::string("save survived the size limit");
        },
        false);
    EXPECT_EQ(result, "child crashed");
    auto names = Names(dir.path());
    ASSERT_EQ(names.size(), 2u);
    names.erase("Orvan.Dat");
    const std::string leftover = dir.file(*names.begin());

    // A save may still be running on a young file.
    EXPECT_EQ(RemoveStaleTempFiles(path), 0);
    EXPECT_TRUE(fs::exists(leftover));

    ASSERT_TRUE(MakeOld(leftover, std::chrono::seconds(61)));
    EXPECT_EQ(RemoveStaleTempFiles(path), 1);
    EXPECT_EQ(Names(dir.path()), std::set<std::string>{"Orvan.Dat"});
    EXPECT_TRUE(ReadAll(path) == saved);
}
#endif

// Only temporary files of this data file go; what the user keeps beside it,
// and other files' temporary files, stay whatever their age.
TEST(StaleTempFiles, OnlyTheDataFilesOwnTemporaryFilesGo) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    WriteAll(path, "data");
    const std::set<std::string> removable = {"Orvan.Dat.a1B2c3.tmp", "Orvan.Dat.zzzzzz.tmp"};
    const std::set<std::string> kept = {
        "Orvan.Dat",
        "Orvan.Dat.backup",      // a copy of the user's own
        "Orvan.Dat.lock",        // the lock of the running program
        "Orvan.Dat.a1B2c.tmp",   // too short
        "Orvan.Dat.a1B2c3d.tmp", // too long
        "Orvan.Dat.a1-2c3.tmp",  // not a character mkstemp uses
        "Orvan.Dat.a1B2c3.tmp.bak",
        "Other.Dat.a1B2c3.tmp",
#ifndef _WIN32
        "Orvan.Dat.a1B2c3.TMP", // on Windows the same name as the removable one
#endif
    };
    for (const auto& n : removable)
        WriteAll(dir.file(n), "x");
    for (const auto& n : kept)
        if (n != "Orvan.Dat")
            WriteAll(dir.file(n), "x");
    // Names of the right form that are no regular files of ours.
    fs::create_directory(dir.file("Orvan.Dat.dir000.tmp"));
#ifndef _WIN32
    fs::create_symlink(path, dir.file("Orvan.Dat.link00.tmp"));
#endif
    for (const auto& e : fs::directory_iterator(dir.path()))
        ASSERT_TRUE(MakeOld(e.path().string(), std::chrono::hours(1)));

    EXPECT_EQ(RemoveStaleTempFiles(path), int(removable.size()));
    std::set<std::string> expected = kept;
    expected.insert("Orvan.Dat.dir000.tmp");
#ifndef _WIN32
    expected.insert("Orvan.Dat.link00.tmp");
#endif
    EXPECT_EQ(Names(dir.path()), expected);

#ifndef _WIN32
    // A data file reached through a link is cleaned where the link points.
    TempDir other;
    const std::string link = other.file("Orvan.Dat");
    fs::create_symlink(path, link);
    WriteAll(dir.file("Orvan.Dat.q9q9q9.tmp"), "x");
    ASSERT_TRUE(MakeOld(dir.file("Orvan.Dat.q9q9q9.tmp"), std::chrono::hours(1)));
    EXPECT_EQ(RemoveStaleTempFiles(link), 1);
#endif
    // A missing directory is nothing to clean.
    EXPECT_EQ(RemoveStaleTempFiles(dir.file("fehlt/Orvan.Dat")), 0);
}
