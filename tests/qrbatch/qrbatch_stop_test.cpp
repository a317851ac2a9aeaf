// What a stopped or killed qrbatch leaves: the stop signals are caught from
// the start, an inherited "ignore hang-ups" (nohup) is kept, and the
// temporary files a killed run left are removed by the next one.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>

#include "ended_process.h"
#include "qrbatch_runner.h"

namespace qrtest {
namespace {

// A signal mask line ("SigCgt:", "SigIgn:") of /proc/PID/status.
uint64_t SignalMask(pid_t pid, const std::string &field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stoull(line.substr(field.size()), nullptr, 16);
  }
  return 0;
}

bool Has(uint64_t mask, int signal) { return (mask >> (signal - 1)) & 1; }

struct Started {
  pid_t pid = -1;
  int input = -1;  // qrbatch's standard input, still open
};

Started StartOnPipe(const fs::path &out, const fs::path &err) {
  int toQrbatch[2];
  if (pipe2(toQrbatch, O_CLOEXEC) != 0) return {};
  const int errFile = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const pid_t pid = StartQrbatch({"-o", out.string()}, toQrbatch[0], errFile, errFile);
  close(toQrbatch[0]);
  close(errFile);
  return {pid, toQrbatch[1]};
}

TEST(QrbatchStop, EveryStopSignalIsCaughtBeforeTheFolderIsMadeAndStopsWith130) {
  TempFolder temp;
  for (int run = 0; run < 20; ++run) {
    const fs::path out = temp.path() / ("out" + std::to_string(run));
    const Started qrbatch = StartOnPipe(out, temp.path() / "err");
    ASSERT_GT(qrbatch.pid, 0);
    ASSERT_TRUE(WaitForFile(out));
    const uint64_t caught = SignalMask(qrbatch.pid, "SigCgt:");
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
      EXPECT_TRUE(Has(caught, signal)) << signal;
    kill(qrbatch.pid, run % 2 ? SIGTERM : SIGHUP);
    EXPECT_EQ(WaitQrbatch(qrbatch.pid), 130);
    close(qrbatch.input);
    EXPECT_EQ(ReadWhole(temp.path() / "err"), "qrbatch: interrupted after 0 of 0 lines\n");
  }
}

TEST(QrbatchStop, HangUpsIgnoredByTheParentStayIgnored) {
  TempFolder temp;
  const fs::path out = temp.path() / "out";
  // As nohup starts a program.
  struct sigaction ignore = {}, previous = {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGHUP, &ignore, &previous);
  const Started qrbatch = StartOnPipe(out, temp.path() / "err");
  sigaction(SIGHUP, &previous, nullptr);
  ASSERT_GT(qrbatch.pid, 0);
  ASSERT_TRUE(WaitForFile(out));
  EXPECT_TRUE(Has(SignalMask(qrbatch.pid, "SigIgn:"), SIGHUP));
  kill(qrbatch.pid, SIGHUP);
  ASSERT_EQ(write(qrbatch.input, "after\n", 6), 6);
  close(qrbatch.input);
  EXPECT_EQ(WaitQrbatch(qrbatch.pid), 0) << ReadWhole(temp.path() / "err");
  EXPECT_TRUE(fs::exists(out / "after.jpg"));
}

// Which names count is the platform test's table; here, that a run clears
// its folder before its first line and keeps a live process's file.
TEST(QrbatchStop, TemporariesOfKilledRunsAreRemovedAtStart) {
  TempFolder temp;
  const fs::path out = temp.path() / "out";
  fs::create_directories(out);
  const std::string dead = ".qr-" + std::to_string(EndedProcess()) + "-0.tmp";
  const std::string live = ".qr-" + std::to_string(getpid()) + "-3.tmp";
  WriteWhole(out / dead, "partial");
  WriteWhole(out / live, "partial");
  WriteWhole(temp.path() / "lines.txt", "new\n");
  const QrbatchRun run = RunQrbatch({"-o", out.string()}, temp.path() / "lines.txt", temp.path());
  EXPECT_EQ(run.status, 0) << run.err;
  std::set<std::string> left;
  for (const auto &entry : fs::directory_iterator(out)) left.insert(entry.path().filename());
  EXPECT_EQ(left, (std::set<std::string>{live, "new.jpg"}));
}

}  // namespace
}  // namespace qrtest
