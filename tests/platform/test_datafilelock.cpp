// The data file's lock between processes: held, refused, waited for, and
// free again when its holder has ended.

#include "platform/datafilelock.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <QSysInfo>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace orvanta;
using namespace std::chrono_literals;
using Zustand = TDataFileLock::Zustand;

namespace {

// A process that takes the lock, reports through a pipe that it holds it,
// and keeps it for holdFor (or until killed).
class FremderHalter {
public:
    FremderHalter(const QString& dataFile, std::chrono::milliseconds holdFor) {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            TDataFileLock lock(dataFile);
            const char ok = lock.Sperren() == Zustand::Gehalten ? '1' : '0';
            (void)!::write(fds[1], &ok, 1);
            std::this_thread::sleep_for(holdFor);
            lock.Freigeben();
            ::_exit(0);
        }
        ::close(fds[1]);
        char ok = '0';
        holding_ = ::read(fds[0], &ok, 1) == 1 && ok == '1';
        ::close(fds[0]);
    }
    ~FremderHalter() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool Holding() const { return holding_; }
    pid_t Pid() const { return pid_; }
    void Kill() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool holding_ = false;
};

} // namespace

TEST(DataFileLock, SecondHolderIsRefusedAndToldWhoHoldsIt) {
    orvanta::testing::TempDir dir;
    const QString file = QString::fromStdString(dir.file("Orvan.Dat"));
    FremderHalter other(file, 60s);
    ASSERT_TRUE(other.Holding());

    TDataFileLock lock(file);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(lock.Sperren(300ms), Zustand::Belegt);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
    EXPECT_FALSE(lock.Gehalten());
    EXPECT_EQ(lock.HalterProzess(), other.Pid());
    const QString why = lock.Hinderungsgrund(Zustand::Belegt);
    EXPECT_TRUE(why.contains(file)) << why.toStdString();
    EXPECT_TRUE(why.contains(QString::number(other.Pid()))) << why.toStdString();
    EXPECT_TRUE(why.contains(QStringLiteral("kann nicht geschrieben werden")));

    // A holder that ended without letting go (killed, crashed) holds nothing.
    other.Kill();
    EXPECT_EQ(lock.Sperren(), Zustand::Gehalten);
    EXPECT_TRUE(lock.Gehalten());
    // Within one process a second lock object is refused as well.
    TDataFileLock again(file);
    EXPECT_EQ(again.Sperren(), Zustand::Belegt);
    lock.Freigeben();
    EXPECT_FALSE(std::filesystem::exists(TDataFileLock::LockFilePath(file).toStdString()));
    EXPECT_EQ(again.Sperren(), Zustand::Gehalten);
}

// Only the holder may remove what saves ended half-way left: while another
// holds the file, one of its saves may be running.
TEST(DataFileLock, TakingItClearsWhatEndedSavesLeft) {
    orvanta::testing::TempDir dir;
    const QString file = QString::fromStdString(dir.file("Orvan.Dat"));
    FremderHalter other(file, 60s);
    ASSERT_TRUE(other.Holding());
    const std::string rest = dir.file("Orvan.Dat.Ab12Cd.tmp");
    orvanta::testing::WriteAll(rest, "x");
    ASSERT_TRUE(orvanta::testing::MakeOld(rest, 1h));

    TDataFileLock lock(file);
    EXPECT_EQ(lock.Sperren(), Zustand::Belegt);
    EXPECT_TRUE(std::filesystem::exists(rest));
    other.Kill();
    EXPECT_EQ(lock.Sperren(), Zustand::Gehalten);
    EXPECT_FALSE(std::filesystem::exists(rest));
}

TEST(DataFileLock, WaitsForAHolderThatLetsGo) {
    orvanta::testing::TempDir dir;
    const QString file = QString::fromStdString(dir.file("Orvan.Dat"));
    FremderHalter other(file, 400ms);
    ASSERT_TRUE(other.Holding());
    TDataFileLock lock(file);
    EXPECT_EQ(lock.Sperren(5s), Zustand::Gehalten);
}

TEST(DataFileLock, TwoNamesOfOneFileShareOneLock) {
    orvanta::testing::TempDir dir;
    const std::string real = dir.file("Orvan.Dat");
    orvanta::testing::WriteAll(real, "x");
    std::filesystem::create_symlink(real, dir.file("Verweis.Dat"));
    TDataFileLock a(QString::fromStdString(real));
    TDataFileLock b(QString::fromStdString(dir.file("Verweis.Dat")));
    EXPECT_EQ(a.Sperren(), Zustand::Gehalten);
    EXPECT_EQ(b.Sperren(), Zustand::Belegt);
}

TEST(DataFileLock, DirectoryWithoutWriteAccessAllowsNoLock) {
    orvanta::testing::TempDir dir;
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                        std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    const QString file = QString::fromStdString(dir.file("Orvan.Dat"));
    EXPECT_EQ(orvanta::testing::RunUnprivileged([&] {
                  TDataFileLock lock(file);
                  const Zustand z = lock.Sperren(100ms);
                  if (z != Zustand::NichtMoeglich)
                      return std::string("state ") + std::to_string(int(z));
                  if (!lock.Hinderungsgrund(z).contains(QStringLiteral("Sperrdatei")))
                      return std::string("no reason given");
                  return std::string();
              }),
              "");
}

namespace {

// A process that starts taking the lock and is killed at one step of it,
// leaving the lock file as that step left it.
void KilledWhileTaking(const QString& file, TDataFileLock::Schritt step) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        TDataFileLock::SetSchrittBeobachter([step](TDataFileLock::Schritt s) {
            if (s == step)
                ::kill(::getpid(), SIGKILL);
        });
        TDataFileLock lock(file);
        lock.Sperren();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
}

std::string LockFileOf(const QString& file) {
    return TDataFileLock::LockFilePath(file).toStdString();
}

} // namespace

// A holder killed at any step of taking the lock leaves a lock file that
// the next start and the tool's next write take over: at once, or after the
// short grace of a lock file that may still be being written.
TEST(DataFileLock, AHolderKilledWhileTakingItLeavesNoLockOut) {
    using S = TDataFileLock::Schritt;
    for (const S step : {S::Angelegt, S::Gesperrt, S::Beschrieben}) {
        orvanta::testing::TempDir dir;
        const QString file = QString::fromStdString(dir.file("Orvan.Dat"));
        orvanta::testing::WriteAll(file.toStdString(), "x");
        KilledWhileTaking(file, step);
        ASSERT_TRUE(std::filesystem::exists(LockFileOf(file))) << int(step);
        TDataFileLock start(file);
        EXPECT_EQ(start.Sperren(), Zustand::Gehalten) << int(step);
        start.Freigeben();
        KilledWhileTaking(file, step);
        TDataFileLock tool(file);
        EXPECT_EQ(tool.Sperren(3s), Zustand::Gehalten) << int(step);
    }
}

// Lock files no holder of this machine can be shown to hold: empty (fresh
// or old), garbled, or naming a process that has ended.
TEST(DataFileLock, EmptyOrGarbledLockFilesCountAsFree) {
    struct Row {
        const char* name;
        std::string content;
        bool old;
    };
    const Row rows[] = {
        {"empty, just made", "", false},
        {"empty, old", "", true},
        {"garbled, two days old", "\x01\x02 kein Sperrinhalt", true},
        {"ended process", "999999999\norvanta\n" + QSysInfo::machineHostName().toStdString() + "\n",
         false},
    };
    for (const Row& row : rows) {
        orvanta::testing::TempDir dir;
        const QString file = QString::fromStdString(dir.file("Orvan.Dat"));
        orvanta::testing::WriteAll(LockFileOf(file), row.content);
        if (row.old) {
            ASSERT_TRUE(orvanta::testing::MakeOld(LockFileOf(file), 48h));
        }
        TDataFileLock lock(file);
        EXPECT_EQ(lock.Sperren(), Zustand::Gehalten) << row.name;
        EXPECT_TRUE(lock.Gehalten()) << row.name;
    }
}

// A lock written on another host is that host's: it is respected, and the
// reason names the host and how to free a lock left there.
TEST(DataFileLock, ALockOfAnotherHostIsRespectedAndNamed) {
    orvanta::testing::TempDir dir;
    const QString file = QString::fromStdString(dir.file("Orvan.Dat"));
    orvanta::testing::WriteAll(LockFileOf(file), "4242\norvanta\nberater-pc-7\n");
    ASSERT_TRUE(orvanta::testing::MakeOld(LockFileOf(file), 48h));
    TDataFileLock lock(file);
    EXPECT_EQ(lock.Sperren(100ms), Zustand::Belegt);
    EXPECT_EQ(lock.HalterRechner(), QStringLiteral("berater-pc-7"));
    EXPECT_EQ(lock.HalterProzess(), 4242);
    const QString why = lock.Hinderungsgrund(Zustand::Belegt);
    for (const QString& part : {QStringLiteral("berater-pc-7"), TDataFileLock::LockFilePath(file),
                                QStringLiteral("löschen")})
        EXPECT_TRUE(why.contains(part)) << why.toStdString();
}

// Where no lock can lie beside the file (a folder without write access, a
// shared installation) and for two names of one file (hard links), the
// lock under the file's identity keeps the second writer out.
TEST(DataFileLock, ReadOnlyFolderAndHardLinksStillHaveOneWriter) {
    orvanta::testing::TempDir dir;
    const std::string real = dir.file("Orvan.Dat");
    orvanta::testing::WriteAll(real, "x");
    std::filesystem::create_hard_link(real, dir.file("Zweitname.Dat"));
    std::filesystem::permissions(real, std::filesystem::perms::all);
    EXPECT_EQ(orvanta::testing::RunUnprivileged([&] {
                  TDataFileLock a(QString::fromStdString(real));
                  TDataFileLock b(QString::fromStdString(dir.file("Zweitname.Dat")));
                  if (a.Sperren() != Zustand::Gehalten)
                      return std::string("first not held");
                  if (b.Sperren() != Zustand::Belegt)
                      return std::string("hard link not refused");
                  a.Freigeben();
                  if (b.Sperren() != Zustand::Gehalten)
                      return std::string("hard link not free after release");
                  return std::string();
              }),
              "");

    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                        std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    EXPECT_EQ(orvanta::testing::RunUnprivileged([&] {
                  TDataFileLock a(QString::fromStdString(real));
                  TDataFileLock b(QString::fromStdString(real));
                  if (a.Sperren() != Zustand::Gehalten)
                      return std::string("no lock in a read-only folder");
                  if (std::filesystem::exists(LockFileOf(QString::fromStdString(real))))
                      return std::string("lock file beside the file");
                  if (b.Sperren(100ms) != Zustand::Belegt)
                      return std::string("second writer not refused");
                  return std::string();
              }),
              "");
}
