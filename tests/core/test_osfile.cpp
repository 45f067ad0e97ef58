// The system's file services through the same cases on every system the core
// is built for: what a path names, whole-file reads, and the advisory lock.

#include "core/inouterror.h"
#include "core/osfile.h"
#include "core/textfile.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace orvanta;
using orvanta::testing::TempDir;
namespace fs = std::filesystem;

namespace {

// What no regular file is, on this system: a device every system has.
#ifdef _WIN32
const char* const Geraet = "NUL";
#else
const char* const Geraet = "/dev/null";
#endif

} // namespace

TEST(OsFile, StatusTellsKindAndIdentity) {
    TempDir dir;
    const std::string file = dir.file("Orvan.Dat");
    orvanta::testing::WriteAll(file, "12345");
    fs::create_hard_link(file, dir.file("Zweitname.Dat"));

    const os::TFileStatus a = os::StatusOf(file);
    const os::TFileStatus b = os::StatusOf(dir.file("Zweitname.Dat"));
    EXPECT_EQ(a.Kind, os::TFileKind::Regular);
    EXPECT_TRUE(a.Identity.Valid());
    EXPECT_EQ(a.Identity, b.Identity); // two names, one file
    EXPECT_EQ(a.Links, 2u);
    EXPECT_EQ(os::StatusOf(dir.path().string()).Kind, os::TFileKind::Directory);
    EXPECT_EQ(os::StatusOf(dir.file("fehlt")).Kind, os::TFileKind::Missing);
    EXPECT_EQ(os::StatusOf(Geraet).Kind, os::TFileKind::Other);

    // A file replaced by a new one is another file.
    fs::remove(file);
    orvanta::testing::WriteAll(file, "12345");
    EXPECT_NE(os::StatusOf(file).Identity, b.Identity);
}

TEST(OsFile, WholeFileReadsAndRefusals) {
    TempDir dir;
    const std::string file = dir.file("daten.txt");
    orvanta::testing::WriteAll(file, std::string("a\0b", 3));
    std::string content;
    int err = 0;
    ASSERT_TRUE(os::ReadWholeFile(file, content, err));
    EXPECT_EQ(content, std::string("a\0b", 3));
    EXPECT_FALSE(os::ReadWholeFile(file, content, err, 2)); // larger than allowed

    struct Row {
        std::string path;
        int code;
    };
    for (const Row& row : {Row{dir.file("fehlt.txt"), IoFileNotFound},
                           Row{dir.path().string(), IoAccessDenied}, Row{Geraet, IoAccessDenied}}) {
        EXPECT_FALSE(os::ReadWholeFile(row.path, content, err)) << row.path;
        EXPECT_EQ(InOutErrorCode(err), row.code) << row.path;
        TTextFile text(TTextFile::LineEnds::Any);
        EXPECT_FALSE(text.Open(row.path)) << row.path;
        EXPECT_EQ(InOutErrorCode(text.Error()), row.code) << row.path;
    }
}

TEST(OsFile, LockedFileIsHeldByOneAndFreeAfterwards) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat.lock");
    os::TLockedFile first;
    ASSERT_EQ(first.Create(path, 0644), os::TLockedFile::Result::Held);
    ASSERT_EQ(first.Lock(), os::TLockedFile::Result::Held);
    ASSERT_TRUE(first.Write("4711\norvanta\nrechner\n"));
    EXPECT_TRUE(first.NamedBy(path));

    os::TLockedFile second;
    EXPECT_EQ(second.Create(path, 0644), os::TLockedFile::Result::Exists);
    ASSERT_EQ(second.OpenExisting(path), os::TLockedFile::Result::Held);
    EXPECT_EQ(second.Lock(), os::TLockedFile::Result::Busy);
    EXPECT_EQ(second.Content(), "4711\norvanta\nrechner\n"); // readable while held
    EXPECT_GE(second.AgeSeconds(), -1.0);

    first.Close(); // as when the holder ends
    EXPECT_EQ(second.Lock(), os::TLockedFile::Result::Held);
    second.RemoveAndClose(path);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(second.IsOpen());
}
