// The data file's lock between processes: held, refused, waited for, and
// free again when its holder has ended.

#include "platform/datafilelock.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

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
