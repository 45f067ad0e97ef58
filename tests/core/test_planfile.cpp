#include "core/errors.h"
#include "core/planfile.h"
#include "core/planrecord.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <sys/resource.h>

using namespace orvanta;
using orvanta::testing::ReadAll;
using orvanta::testing::TempDir;
using orvanta::testing::WriteAll;
namespace fs = std::filesystem;

namespace {

// A record with every byte set, so any byte lost or moved shows.
TPlanRecord NoisyRecord(unsigned seed) {
    TPlanRecord rec;
    std::mt19937 gen(seed);
    auto* p = reinterpret_cast<unsigned char*>(&rec);
    for (std::size_t k = 0; k < sizeof rec; ++k)
        p[k] = static_cast<unsigned char>(gen());
    return rec;
}

std::string Bytes(const TPlanRecord& rec) {
    return std::string(reinterpret_cast<const char*>(&rec), sizeof rec);
}

// Expects fn to throw EInOutError with exactly this text; "" when it did.
template <typename Fn> std::string ExpectInOutError(Fn fn, const std::string& text) {
    try {
        fn();
    } catch (const EInOutError& e) {
        if (e.what() == text)
            return "";
        return std::string("wrong text: ") + e.what();
    } catch (const std::exception& e) {
        return std::string("wrong exception: ") + e.what();
    }
    return "no error";
}

} // namespace

TEST(PlanFile, PathIsProgramDirectoryPlusFileName) {
    EXPECT_EQ(DataFilePath("/opt/orvanta/"), "/opt/orvanta/Orvan.Dat");
    EXPECT_EQ(DataFilePath("/opt/orvanta"), "/opt/orvanta/Orvan.Dat");
}

TEST(PlanFile, SaveThenLoadKeepsEveryByteButTheVersion) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    const TPlanRecord saved = NoisyRecord(1);
    SavePlanRecord(saved, path);
    EXPECT_EQ(fs::file_size(path), PlanRecordSize);
    // The file holds the record byte for byte: unused ranges and fields no
    // operation writes included.
    EXPECT_TRUE(ReadAll(path) == Bytes(saved));

    TPlanRecord loaded = NoisyRecord(2);
    LoadPlanRecord(loaded, path);
    EXPECT_EQ(loaded.Version.view(), "Orvanta 1.6");
    // Bytes after the version text are not rewritten by the text.
    TPlanRecord expected = saved;
    expected.Version.assign("Orvanta 1.6");
    EXPECT_TRUE(Bytes(loaded) == Bytes(expected));

    // Saved again, the replaced version reaches the file.
    SavePlanRecord(loaded, path);
    EXPECT_TRUE(ReadAll(path) == Bytes(expected));
}

TEST(PlanFile, ZeroFileLoadsAndLongerFileUsesItsFirstRecord) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    WriteAll(path, std::string(PlanRecordSize, '\0'));
    TPlanRecord rec = NoisyRecord(3);
    LoadPlanRecord(rec, path);
    EXPECT_EQ(rec.Laufzeit, 0);
    EXPECT_EQ(rec.Version.view(), "Orvanta 1.6");

    const TPlanRecord first = NoisyRecord(4);
    WriteAll(path, Bytes(first) + std::string(500, 'x'));
    LoadPlanRecord(rec, path);
    EXPECT_EQ(rec.Laufzeit, first.Laufzeit);
    EXPECT_EQ(std::memcmp(&rec, &first, offsetof(TPlanRecord, Version)), 0);
    // The next save leaves one record.
    SavePlanRecord(rec, path);
    EXPECT_EQ(fs::file_size(path), PlanRecordSize);
}

TEST(PlanFile, LoadFailuresAndTheirTexts) {
    TempDir dir;
    TPlanRecord rec = NoisyRecord(5);
    const TPlanRecord before = rec;

    EXPECT_EQ(ExpectInOutError([&] { LoadPlanRecord(rec, dir.file("Orvan.Dat")); },
                               "Datei nicht gefunden"),
              "");
    EXPECT_EQ(ExpectInOutError([&] { LoadPlanRecord(rec, dir.file("fehlt/Orvan.Dat")); },
                               "Datei nicht gefunden"),
              "");

    // A short file is refused and must not overwrite the start of the record.
    const std::string shortFile = dir.file("kurz.Dat");
    WriteAll(shortFile, std::string(PlanRecordSize - 1, '\x7f'));
    EXPECT_EQ(ExpectInOutError([&] { LoadPlanRecord(rec, shortFile); },
                               "Versuch hinter dem Dateiende zu lesen"),
              "");
    WriteAll(shortFile, "");
    EXPECT_EQ(ExpectInOutError([&] { LoadPlanRecord(rec, shortFile); },
                               "Versuch hinter dem Dateiende zu lesen"),
              "");
    EXPECT_TRUE(Bytes(rec) == Bytes(before)) << "record changed";

    try {
        LoadPlanRecord(rec, shortFile);
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code, IoReadBeyondEnd);
    }

    fs::create_directory(dir.file("Orvan.Dat"));
    EXPECT_EQ(ExpectInOutError([&] { LoadPlanRecord(rec, dir.file("Orvan.Dat")); },
                               "Dateizugriff verweigert"),
              "");
    EXPECT_TRUE(Bytes(rec) == Bytes(before)) << "record changed";
}

TEST(PlanFile, OtherErrorsShowTheirOwnNumber) {
    // Reading the process's own memory from address 0 fails with EIO, whose
    // number 5 is also the code of "Dateizugriff verweigert".
    if (!fs::exists("/proc/self/mem"))
        GTEST_SKIP() << "no /proc";
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    fs::create_symlink("/proc/self/mem", path);
    TPlanRecord rec = NoisyRecord(13);
    const TPlanRecord before = rec;
    try {
        LoadPlanRecord(rec, path);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "E/A-Fehler 5 (Lese- oder Schreibfehler des Datenträgers)");
        EXPECT_NE(e.Code, IoAccessDenied);
    }
    EXPECT_TRUE(Bytes(rec) == Bytes(before)) << "record changed";
}

TEST(PlanFile, ReadOnlyFileIsRefusedAlthoughLoadDoesNotWrite) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    SavePlanRecord(NoisyRecord(6), path);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string result = orvanta::testing::RunUnprivileged([&] {
        TPlanRecord rec = NoisyRecord(7);
        const TPlanRecord before = rec;
        std::string r =
            ExpectInOutError([&] { LoadPlanRecord(rec, path); }, "Dateizugriff verweigert");
        if (r.empty() && Bytes(rec) != Bytes(before))
            r = "record changed";
        return r;
    });
    EXPECT_EQ(result, "");
}

TEST(PlanFile, FailingWriteLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    const TPlanRecord old = NoisyRecord(8);
    SavePlanRecord(old, path);

    // The file size limit makes the write itself fail half-way.
    const std::string result = orvanta::testing::RunInChild(
        [&] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1000, 1000};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return ExpectInOutError([&] { SavePlanRecord(NoisyRecord(9), path); },
                                    "E/A-Fehler " + std::to_string(EFBIG) +
                                        " (die Datei ist zu groß)");
        },
        false);
    EXPECT_EQ(result, "");
    EXPECT_TRUE(ReadAll(path) == Bytes(old));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(PlanFile, SavePermissions) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    const TPlanRecord old = NoisyRecord(10);
    SavePlanRecord(old, path);

    // A write-protected data file is not replaced behind the user's back.
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::string result = orvanta::testing::RunUnprivileged([&] {
        return ExpectInOutError([&] { SavePlanRecord(NoisyRecord(11), path); },
                                "Dateizugriff verweigert");
    });
    EXPECT_EQ(result, "");
    EXPECT_TRUE(ReadAll(path) == Bytes(old));

    // A directory the user cannot create files in: a writable data file is
    // still saved (in place), a missing one cannot be created.
    fs::permissions(path, fs::perms::all);
    const auto readOnlyDir = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(dir.path(), readOnlyDir);
    const TPlanRecord next = NoisyRecord(12);
    result = orvanta::testing::RunUnprivileged([&] {
        try {
            SavePlanRecord(next, path);
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return ExpectInOutError([&] { SavePlanRecord(next, dir.file("Neu.Dat")); },
                                "Dateizugriff verweigert");
    });
    fs::permissions(dir.path(), fs::perms::all);
    EXPECT_EQ(result, "");
    EXPECT_TRUE(ReadAll(path) == Bytes(next));
    EXPECT_FALSE(fs::exists(dir.file("Neu.Dat")));

    EXPECT_EQ(ExpectInOutError([&] { SavePlanRecord(old, dir.file("fehlt/Orvan.Dat")); },
                               "Datei nicht gefunden"),
              "");
}

TEST(PlanFile, SaveKeepsPermissionsAndFollowsALink) {
    TempDir dir;
    const std::string real = dir.file("echt.Dat");
    SavePlanRecord(NoisyRecord(11), real);
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const std::string link = dir.file("Orvan.Dat");
    fs::create_symlink(real, link);

    const TPlanRecord rec = NoisyRecord(12);
    SavePlanRecord(rec, link);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(ReadAll(real) == Bytes(rec));
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}
