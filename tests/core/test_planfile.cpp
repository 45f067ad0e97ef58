#include "core/errors.h"
#include "core/planfile.h"
#include "core/planrecord.h"
#include "core/planrecordfields.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

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

// rec with zeros behind the length of every text, as a save writes it.
TPlanRecord WithCleanTexts(TPlanRecord rec) {
    auto* bytes = reinterpret_cast<unsigned char*>(&rec);
    for (const PlanRecordField& f : PlanRecordFields())
        for (int k = 0; k < f.Count && f.Kind == FieldKind::SString; ++k) {
            unsigned char* text = bytes + f.Offset + k * f.elementSize();
            const std::size_t len = std::min<std::size_t>(text[0], f.Capacity);
            std::fill(text + 1 + len, text + 1 + f.Capacity, 0);
        }
    return rec;
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
    const TPlanRecord saved = WithCleanTexts(NoisyRecord(1));
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

    // Saved again, the replaced version reaches the file (and nothing of
    // the longer text it replaced).
    SavePlanRecord(loaded, path);
    EXPECT_TRUE(ReadAll(path) == Bytes(WithCleanTexts(expected)));
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
#ifdef _WIN32
    GTEST_SKIP() << "no /proc on Windows";
#endif
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

// A save that fails half-way: the old file stays whole and no temporary
// file is left. Each system fails the way it can be made to.
TEST(PlanFile, FailingWriteLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    const TPlanRecord old = WithCleanTexts(NoisyRecord(8));
    SavePlanRecord(old, path);

#ifdef _WIN32
    // Another program holds the file open without letting it be replaced.
    const HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string result =
        ExpectInOutError([&] { SavePlanRecord(NoisyRecord(9), path); }, "Dateizugriff verweigert");
    ::CloseHandle(held);
#else
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
#endif
    EXPECT_EQ(result, "");
    EXPECT_TRUE(ReadAll(path) == Bytes(old));
    // No temporary file is left behind.
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().filename().string(), "Orvan.Dat");
}

TEST(PlanFile, SavePermissions) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    const TPlanRecord old = WithCleanTexts(NoisyRecord(10));
    SavePlanRecord(old, path);

    // A write-protected data file is not replaced behind the user's back.
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::string result = orvanta::testing::RunUnprivileged([&] {
        return ExpectInOutError([&] { SavePlanRecord(NoisyRecord(11), path); },
                                "Dateizugriff verweigert");
    });
    EXPECT_EQ(result, "");
    EXPECT_TRUE(ReadAll(path) == Bytes(old));
    fs::permissions(path, fs::perms::all);

#ifndef _WIN32
    // A directory the user cannot create files in: a writable data file is
    // still saved (in place), a missing one cannot be created.
    const auto readOnlyDir = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(dir.path(), readOnlyDir);
    const TPlanRecord next = WithCleanTexts(NoisyRecord(12));
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
#endif

    EXPECT_EQ(ExpectInOutError([&] { SavePlanRecord(old, dir.file("fehlt/Orvan.Dat")); },
                               "Datei nicht gefunden"),
              "");
}

#ifdef _WIN32
// What a replaced file keeps on Windows: its attributes (here: hidden).
TEST(PlanFile, SaveKeepsAttributes) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    SavePlanRecord(NoisyRecord(11), path);
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    const TPlanRecord rec = WithCleanTexts(NoisyRecord(12));
    SavePlanRecord(rec, path);
    EXPECT_TRUE(ReadAll(path) == Bytes(rec));
    EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}
#else
TEST(PlanFile, SaveKeepsPermissionsAndFollowsALink) {
    TempDir dir;
    const std::string real = dir.file("echt.Dat");
    SavePlanRecord(NoisyRecord(11), real);
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const std::string link = dir.file("Orvan.Dat");
    fs::create_symlink(real, link);

    const TPlanRecord rec = WithCleanTexts(NoisyRecord(12));
    SavePlanRecord(rec, link);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(ReadAll(real) == Bytes(rec));
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

// A new plan holds a customer's data: its owner's alone, whatever the umask.
// An existing file keeps the mode its owner gave it.
TEST(PlanFile, NewFilesArePrivateWhateverTheUmask) {
    for (const mode_t mask : {mode_t(022), mode_t(077), mode_t(0)}) {
        TempDir dir;
        const mode_t before = ::umask(mask);
        SavePlanRecord(NoisyRecord(1), dir.file("Neu.Dat"));
        SavePlanRecord(NoisyRecord(1), dir.file("Geteilt.Dat"));
        fs::permissions(dir.file("Geteilt.Dat"),
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        SavePlanRecord(NoisyRecord(2), dir.file("Geteilt.Dat"));
        ::umask(before);
        EXPECT_EQ(fs::status(dir.file("Neu.Dat")).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write)
            << std::oct << mask;
        EXPECT_EQ(fs::status(dir.file("Geteilt.Dat")).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
            << std::oct << mask;
    }
}
#endif

// What is no regular file in place of the plan (a FIFO would block the
// reader for ever) is refused at once, for reading and for saving, also
// through a link.
TEST(PlanFile, NoRegularFileIsRefusedAtOnce) {
    TempDir dir;
    std::vector<std::string> paths;
#ifdef _WIN32
    // A pipe waiting for its client, as a FIFO waits for a writer.
    const char* pipeName = "\\\\.\\pipe\\orvanta-test-plan";
    const HANDLE pipe =
        ::CreateNamedPipeA(pipeName, PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 4, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    paths = {"NUL", pipeName};
#else
    ASSERT_EQ(::mkfifo(dir.file("Fifo.Dat").c_str(), 0600), 0);
    fs::create_symlink(dir.file("Fifo.Dat"), dir.file("Verweis.Dat"));
    paths = {dir.file("Fifo.Dat"), dir.file("Verweis.Dat"), "/dev/null"};
#endif
    for (const std::string& path : paths) {
        TPlanRecord rec = NoisyRecord(3);
        EXPECT_EQ(ExpectInOutError([&] { LoadPlanRecord(rec, path); }, "Dateizugriff verweigert"),
                  "")
            << path;
        EXPECT_EQ(ExpectInOutError([&] { ReadPlanRecordFile(rec, path, OpenFor::Reading); },
                                   "Dateizugriff verweigert"),
                  "")
            << path;
        if (path.rfind("/dev/", 0) == 0 && !orvanta::testing::RunsAsRoot())
            continue; // a user could not replace it anyway
        EXPECT_EQ(ExpectInOutError([&] { SavePlanRecord(rec, path); }, "Dateizugriff verweigert"),
                  "")
            << path;
    }
#ifdef _WIN32
    ::CloseHandle(pipe);
#else
    EXPECT_EQ(fs::status(dir.file("Fifo.Dat")).type(), fs::file_type::fifo);
#endif
}

// A shorter text over a longer one leaves no byte of the longer one in the
// file: the next customer's plan carries nothing of the last one's.
TEST(PlanFile, ShorterTextLeavesNothingOfTheLongerOne) {
    TempDir dir;
    const std::string path = dir.file("Orvan.Dat");
    TPlanRecord rec{};
    rec.Nachname.assign("Schmidt-Hoffmann");
    rec.Passwort_2.assign("geheimes-altes-Passwort");
    SavePlanRecord(rec, path);
    EXPECT_NE(ReadAll(path).find("Schmidt-Hoffmann"), std::string::npos);

    rec.Nachname.assign("Kim");
    rec.Passwort_2.assign("neu");
    SavePlanRecord(rec, path);
    const std::string bytes = ReadAll(path);
    for (const char* alt : {"midt", "Hoffmann", "altes", "Passwort"})
        EXPECT_EQ(bytes.find(alt), std::string::npos) << alt;
    TPlanRecord loaded{};
    LoadPlanRecord(loaded, path);
    EXPECT_EQ(loaded.Nachname.view(), "Kim");
    // Only the file is cleaned: the record in memory stays as it was.
    EXPECT_EQ(std::string(rec.Nachname.Chars, 16), "Kimmidt-Hoffmann");
}
