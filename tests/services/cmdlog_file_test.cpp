// The command log file: line formats, filters, opening modes, failures and durability.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "zentnet/automation/platform.h"
#include "zentnet/factory.h"
#include "zentnet/services/CmdLog.h"

namespace zentnet {
namespace {

namespace fs = std::filesystem;

constexpr int64_t k2026_12_04_090507 = 1796375107;  // UTC
constexpr const char* kStamp = "26/12/04 09:05:07";

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Spill(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Runs every test in UTC with a clock the test sets, in a fresh folder.
class CmdLogFile : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* tz = std::getenv("TZ")) savedTz_ = tz;
    SetTimeZone("UTC0");
    std::string pattern = (fs::temp_directory_path() / "cmdlog-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    log_ = NewLog(dir_);
  }
  void TearDown() override {
    log_.reset();
    fs::remove_all(dir_);
    if (savedTz_) {
      setenv("TZ", savedTz_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

  static void SetTimeZone(const char* tz) {
    setenv("TZ", tz, 1);
    tzset();
  }
  std::shared_ptr<CmdLog> NewLog(const fs::path& folder) {
    return CmdLog::createForTesting(folder.string(), [this] { return now_; });
  }
  fs::path LogPath() const { return dir_ / "sx_cmds.log"; }
  std::string Contents() const { return Slurp(LogPath()); }
  static std::string Started() { return std::string("\r\n\r\n") + kStamp + " ******** Session Started *********\r\n"; }
  static std::string Closed() { return std::string("\r\n\r\n") + kStamp + " ******** Session Closed *********\r\n"; }
  // Opens the file for appending, switches logging on and forgets the banner; appending
  // lets a test empty the file between steps.
  void StartLogging() {
    log_->SetLogToFile(true, true);
    log_->SetLogging(true);
    Spill(LogPath(), "");
  }

  int64_t now_ = k2026_12_04_090507;
  fs::path dir_;
  std::shared_ptr<CmdLog> log_;
  std::optional<std::string> savedTz_;
};

TEST_F(CmdLogFile, StartsWithEverythingOffAndPublishesItsProperties) {
  EXPECT_FALSE(log_->Logging());
  EXPECT_FALSE(log_->LogPolling());
  EXPECT_FALSE(log_->InPoll());
  log_->SetLogPolling(true);
  log_->SetInPoll(true);
  EXPECT_EQ(log_->GetProperty("logpolling"), Variant(true));
  EXPECT_EQ(log_->GetProperty("InPoll"), Variant(true));
  EXPECT_EQ(log_->GetProperty("Logging"), Variant(false));
  const std::vector<std::string_view> names(log_->PropertyNames().begin(), log_->PropertyNames().end());
  EXPECT_EQ(names, (std::vector<std::string_view>{"Logging", "LogPolling", "InPoll"}));
  EXPECT_EQ(CreateObject("CmdLog")->ClassName(), "CmdLog");
}

TEST_F(CmdLogFile, WritesEachLineFormat) {
  log_->SetLogToFile(false, true);
  log_->SetLogging(true);
  log_->CommandSent("PV 100");
  log_->Received("v 300\r");
  log_->CommandSent("MV 1 2");
  log_->Errors("Timeout", "RM\r");
  log_->CommandSent("A");
  log_->CommandSent("B 1");  // no answer in between: both on one line
  log_->Received("ok");
  log_->RunTimeLog("custom text");
  log_->RunTimeErr(AutomationError(6, "Module1", "Overflow"));
  log_->RunTimeErr(AutomationError(-2147221504 + 4074, "Module1", "Bad ports"), "Form1.Load");
  log_->SetLogToFile(true, false);
  const std::string s = kStamp;
  EXPECT_EQ(Contents(), Started() +                                                      //
                            s + " cmd: PV 100 [0x64] => v 300\\XD [0x12C]\r\n" +          //
                            s + " cmd: MV 1 2 ***ERROR: Timeout. Dump: RM\\XD\r\n" +      //
                            s + " cmd: A" + s + " cmd: B 1 [0x1] => ok\r\n" +             //
                            s + " RUN-TIME: custom text\r\n" +                            //
                            s + " RUN-TIME: err# 6 desc: 'Overflow' src: 'Module1'\r\n" +  //
                            s + " RUN-TIME: err# -2147217430 desc: 'Bad ports' src: 'Form1.Load'\r\n" +
                            Closed());
}

TEST_F(CmdLogFile, WritesTextInTheCodePage) {
  StartLogging();
  log_->Errors("\xC3\x9C" "berlast \xE2\x82\xAC \xD0\x96", "\xC3\xA9");
  log_->RunTimeLog("\xC2\xB5s");
  EXPECT_EQ(Contents(), std::string(" ***ERROR: \xDC" "berlast \x80 ?. Dump: \\XE9\r\n") + kStamp +
                            " RUN-TIME: \xB5s\r\n");
}

struct FilterCase {
  bool logging, inPoll, logPolling;
  bool commandsWritten, errorsWritten;
};

TEST_F(CmdLogFile, FiltersCommandsResponsesAndErrors) {
  const FilterCase cases[] = {
      {false, false, false, false, false}, {false, true, true, false, false},
      {true, false, false, true, true},    {true, false, true, true, true},
      {true, true, false, false, true},    {true, true, true, true, true},
  };
  StartLogging();
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "Logging " << c.logging << " InPoll " << c.inPoll
                                      << " LogPolling " << c.logPolling);
    log_->SetLogging(c.logging);
    log_->SetInPoll(c.inPoll);
    log_->SetLogPolling(c.logPolling);
    Spill(LogPath(), "");
    log_->CommandSent("C");
    log_->Received("R");
    log_->Errors("E", "D");
    std::string expected;
    if (c.commandsWritten) expected += std::string(kStamp) + " cmd: C => R\r\n";
    if (c.errorsWritten) expected += " ***ERROR: E. Dump: D\r\n";  // no stamp without a command
    EXPECT_EQ(Contents(), expected);
    // Run-time lines ignore every filter.
    Spill(LogPath(), "");
    log_->RunTimeLog("rt");
    EXPECT_EQ(Contents(), std::string(kStamp) + " RUN-TIME: rt\r\n");
  }
}

TEST_F(CmdLogFile, WritesNothingBeforeTheFirstOpening) {
  log_->SetLogging(true);
  log_->CommandSent("PV 1");
  log_->Received("ok");
  log_->Errors("E", "D");
  log_->RunTimeLog("rt");
  log_->RunTimeErr(AutomationError(5, "S", "D"));
  EXPECT_FALSE(fs::exists(LogPath()));
  // Closing a log that was never opened writes no banner and creates no file.
  log_->SetLogToFile(true, false);
  EXPECT_FALSE(fs::exists(LogPath()));
}

TEST_F(CmdLogFile, AppendKeepsTheFileAndWriteEmptiesIt) {
  Spill(LogPath(), "old line\r\n");
  log_->SetLogToFile(true, true);
  EXPECT_EQ(Contents(), "old line\r\n" + Started());
  log_->SetLogToFile(true, false);
  EXPECT_EQ(Contents(), "old line\r\n" + Started() + Closed());

  log_->SetLogToFile(false, true);
  EXPECT_EQ(Contents(), Started());
}

TEST_F(CmdLogFile, OpeningAgainWhileOpenOnlyAddsABanner) {
  Spill(LogPath(), "old\r\n");
  log_->SetLogToFile(true, true);
  now_ += 61;  // a new minute: the second banner carries it
  log_->SetLogToFile(false, true);  // not reopened, so not emptied
  EXPECT_EQ(Contents(), "old\r\n" + Started() + "\r\n\r\n26/12/04 09:06:08 ******** Session Started *********\r\n");
}

TEST_F(CmdLogFile, ClosingStopsTheTraceButRunTimeLinesStillArrive) {
  log_->SetLogToFile(false, true);
  log_->SetLogging(true);
  log_->SetLogToFile(true, false);
  const std::string before = Contents();
  log_->CommandSent("PV 1");
  log_->Errors("E", "D");
  EXPECT_EQ(Contents(), before);
  // Opened for appending just for the line, then closed again; file logging stays off.
  Spill(LogPath(), "kept\r\n");
  log_->RunTimeLog("late");
  EXPECT_EQ(Contents(), std::string("kept\r\n") + kStamp + " RUN-TIME: late\r\n");
  log_->CommandSent("PV 2");
  log_->RunTimeLog("again");
  EXPECT_EQ(Contents(), std::string("kept\r\n") + kStamp + " RUN-TIME: late\r\n" + kStamp +
                            " RUN-TIME: again\r\n");
  // The temporary opening did not leave the file open: a new session opens it in its mode.
  log_->SetLogToFile(false, true);
  EXPECT_EQ(Contents(), Started());
}

TEST_F(CmdLogFile, ReopensInTheModeOfTheLaterAssignment) {
  log_->SetLogToFile(false, true);
  log_->SetLogToFile(false, false);
  log_->SetLogToFile(true, true);
  EXPECT_EQ(Contents(), Started() + Closed() + Started());
  log_->SetLogToFile(false, false);
  log_->SetLogToFile(false, true);
  EXPECT_EQ(Contents(), Started());
}

TEST_F(CmdLogFile, DestructionClosesWithoutABanner) {
  log_->SetLogToFile(false, true);
  log_.reset();
  EXPECT_EQ(Contents(), Started());
}

TEST_F(CmdLogFile, EveryPartReachesTheSystemBeforeTheMemberReturns) {
  log_->SetLogToFile(false, true);
  log_->SetLogging(true);
  // A child logs and dies without running any destructor or flushing any buffer.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    log_->CommandSent("PV 100");
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(Contents(), Started() + kStamp + " cmd: PV 100 [0x64]");
}

// A "folder" below a regular file cannot be created or written, also for root; a folder
// without write permission only stops other users.
TEST_F(CmdLogFile, AnOpeningFailureIsSwallowedAndNothingIsWritten) {
  Spill(dir_ / "plain", "x");
  std::vector<fs::path> folders = {dir_ / "plain" / "sub"};
  if (geteuid() != 0) {
    fs::create_directory(dir_ / "readonly");
    fs::permissions(dir_ / "readonly", fs::perms::owner_read | fs::perms::owner_exec);
    folders.push_back(dir_ / "readonly");
  }
  for (const auto& folder : folders) {
    SCOPED_TRACE(folder.string());
    auto log = NewLog(folder);
    log->SetLogging(true);
    EXPECT_NO_THROW(log->SetLogToFile(false, true));
    EXPECT_NO_THROW(log->CommandSent("PV 1"));
    EXPECT_NO_THROW(log->Received("ok"));
    EXPECT_NO_THROW(log->Errors("E", "D"));
    EXPECT_NO_THROW(log->RunTimeLog("rt"));  // no opening has ever succeeded
    EXPECT_NO_THROW(log->SetLogToFile(false, false));
    EXPECT_FALSE(fs::exists(folder / "sx_cmds.log"));
  }
  EXPECT_EQ(Slurp(dir_ / "plain"), "x");
}

TEST_F(CmdLogFile, AFailedOpeningIsRetriedOnlyAfterClosing) {
  const fs::path later = dir_ / "later";
  auto log = NewLog(later);
  log->SetLogging(true);
  log->SetLogToFile(true, true);  // the folder is missing
  fs::create_directory(later);
  log->SetLogToFile(true, true);  // the failed attempt still counts as open
  log->CommandSent("lost");
  EXPECT_FALSE(fs::exists(later / "sx_cmds.log"));
  log->SetLogToFile(true, false);
  log->SetLogToFile(true, true);
  log->CommandSent("PV 1");
  EXPECT_EQ(Slurp(later / "sx_cmds.log"), Started() + kStamp + " cmd: PV 1 [0x1]");
}

TEST_F(CmdLogFile, RunTimeLineOutsideASessionSwallowsAFailedOpening) {
  log_->SetLogToFile(false, true);
  log_->SetLogToFile(false, false);
  // The file is now unreachable: the run-time line is lost without an error.
  fs::remove(LogPath());
  fs::create_directory(LogPath());
  EXPECT_NO_THROW(log_->RunTimeLog("lost"));
  fs::remove(LogPath());
  log_->RunTimeLog("found");
  EXPECT_EQ(Contents(), std::string(kStamp) + " RUN-TIME: found\r\n");
}

class CmdLogFullDevice : public CmdLogFile {
 protected:
  void SetUp() override {
    CmdLogFile::SetUp();
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this host";
    fs::create_symlink("/dev/full", LogPath());
  }
  static void ExpectDiskFull(const std::function<void()>& member) {
    try {
      member();
      ADD_FAILURE() << "no error raised";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), 61);
      EXPECT_EQ(e.Source(), "ZentNetLib");
      EXPECT_EQ(e.Description(), "Disk full");
    }
  }
};

TEST_F(CmdLogFullDevice, WriteErrorsReachTheCaller) {
  log_->SetLogging(true);
  ExpectDiskFull([&] { log_->SetLogToFile(true, true); });
  ExpectDiskFull([&] { log_->CommandSent("PV 1"); });
  ExpectDiskFull([&] { log_->Received("ok"); });
  ExpectDiskFull([&] { log_->Errors("E", "D"); });
  ExpectDiskFull([&] { log_->RunTimeLog("rt"); });
  ExpectDiskFull([&] { log_->RunTimeErr(AutomationError(5, "S", "D")); });
  // The closing banner fails, but the file is closed all the same.
  ExpectDiskFull([&] { log_->SetLogToFile(true, false); });
  EXPECT_NO_THROW(log_->CommandSent("PV 1"));
  // Outside a session the run-time line opens the device again, fails, and closes it.
  ExpectDiskFull([&] { log_->RunTimeLog("rt"); });
  EXPECT_NO_THROW(log_->Errors("E", "D"));
}

struct StampCase {
  const char* timeZone;
  int64_t seconds;
  const char* stamp;
};

TEST_F(CmdLogFile, TimeStampIsLocalTwoDigitDateAndTime) {
  const StampCase cases[] = {
      {"UTC0", k2026_12_04_090507, "26/12/04 09:05:07"},
      {"UTC0", 946684800, "00/01/01 00:00:00"},
      {"UTC0", 1943308799, "31/07/31 23:59:59"},
      {"XYZ-2", 1943308799, "31/08/01 01:59:59"},  // two hours east of UTC
      {"XYZ+5", 946684800, "99/12/31 19:00:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stamp);
    SetTimeZone(c.timeZone);
    now_ = c.seconds;
    auto log = NewLog(dir_);
    log->SetLogToFile(false, true);
    log->RunTimeLog("x");
    log.reset();
    EXPECT_EQ(Contents().substr(4), std::string(c.stamp) + " ******** Session Started *********\r\n" +
                                        c.stamp + " RUN-TIME: x\r\n");
  }
}

TEST_F(CmdLogFile, TimeStampFollowsTheClockFromSecondToSecond) {
  StartLogging();
  log_->RunTimeLog("a");
  now_ += 1;
  log_->RunTimeLog("b");
  log_->RunTimeLog("c");
  now_ -= 1;  // a clock set back is shown as it is
  log_->RunTimeLog("d");
  EXPECT_EQ(Contents(), "26/12/04 09:05:07 RUN-TIME: a\r\n"
                        "26/12/04 09:05:08 RUN-TIME: b\r\n"
                        "26/12/04 09:05:08 RUN-TIME: c\r\n"
                        "26/12/04 09:05:07 RUN-TIME: d\r\n");
}

TEST(CmdLogModule, LogsBesideTheModuleThatHoldsTheLibrary) {
  // Linked statically the module is this executable, else the shared library.
  const std::string module = platform::ModulePath();
  ASSERT_TRUE(fs::path(module).is_absolute()) << module;
  ASSERT_TRUE(fs::is_regular_file(module)) << module;
  if (fs::path(module) != fs::canonical("/proc/self/exe")) {
    EXPECT_EQ(fs::path(module).filename().string().rfind("libzentnet.so", 0), 0u) << module;
  }
  const fs::path file = fs::path(platform::FolderOf(module)) / "sx_cmds.log";
  if (fs::exists(file) || access(platform::FolderOf(module).c_str(), W_OK) != 0)
    GTEST_SKIP() << "cannot use " << file;
  auto log = CmdLog::create();
  log->SetLogging(true);
  log->SetLogToFile(false, true);
  log->CommandSent("PV 100");
  const std::string contents = Slurp(file);
  fs::remove(file);
  EXPECT_NE(contents.find(" ******** Session Started *********\r\n"), std::string::npos);
  EXPECT_EQ(contents.substr(contents.size() - 19), " cmd: PV 100 [0x64]");
}

TEST(CmdLogModule, RealClockGivesAWellFormedStamp) {
  ASSERT_GT(platform::NowSeconds(), 1700000000);
  const auto t = platform::LocalTime(platform::NowSeconds());
  EXPECT_GE(t.year, 2023);
  EXPECT_TRUE(t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31);
  EXPECT_EQ(platform::FolderOf("/a/b/c.so"), "/a/b");
  EXPECT_EQ(platform::FolderOf("c.so"), "");
}

}  // namespace
}  // namespace zentnet
