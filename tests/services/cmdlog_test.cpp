// The command log: the printable dump, the line formats and filters, the file's modes and
// failures, and the time stamp.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "scratch_folder.h"
#include "service_support.h"
#include "zentnet/automation/codepage.h"
#include "zentnet/services/CmdLog.h"

namespace zentnet {
namespace {

namespace fs = std::filesystem;
using test::ErrorOf;

TEST(CmdLogDump, PrintableFormAndAnnotation) {
  // clang-format off
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"RM\r\n", "RM\\XD\\XA"}, {"PV 100", "PV 100 [0x64]"},
      {"v 300\r", "v 300\\XD [0x12C]"}, {"X -2147483648", "X -2147483648 [0x80000000]"},
      {"MV 1 2", "MV 1 2"}, {"PV 100x", "PV 100x [0x64]"},
      {"PV 5\r\n", "PV 5\\XD\\XA"},  // only one final character is dropped
      {"PV 2.5", "PV 2.5 [0x2]"}, {"PV 3.5\r", "PV 3.5\\XD [0x4]"}, {" 42", " 42 [0x2A]"},
      // Tails that pass the pattern but do not convert, and tails that fail it.
      {"PV 7AB", "PV 7AB"}, {"PV 2147483648", "PV 2147483648"}, {"PV -", "PV -"},
      {"PV ", "PV "}, {std::string("A\0B", 3), "A\\X0B"}, {"\x1f\x20\x7e\x7f", "\\X1F ~\x7f"},
      // Non-ASCII text goes through the code page first; what it lacks becomes "?".
      {"\xC3\x88", "\\XC8"}, {"\xE2\x82\xAC 5", "\\X80 5 [0x5]"}, {"\xC4\x80", "?"},
      {"\xE2\x82", "??"}, {"\x80", "?"}, {"\xC0\xAF", "??"}, {"\xED\xA0\x80", "?"},
      {"\xF4\x90\x80\x80", "????"}, {"\xEE\x80\x80", "?"},
      {"\xF4\x8F\xBF\xBF", "?"},  // first after the surrogates, last of all
      {"\xE0\xA0\x80", "?"},
      {"\xC3" "A", "?A"},  // the first of three bytes; a lead without its tail
  };
  // clang-format on
  for (const auto& [text, dump] : cases) EXPECT_EQ(FormatDump(text), dump) << "text: " << text;
  EXPECT_EQ(FormatDump(std::string_view("PV 12").substr(0, 4)), "PV 1 [0x1]");  // the view ends
}

TEST(CmdLogDump, CodePageRoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Cp1252ToUtf8(all.substr(0x80, 32) + "Z\xA0\xFF"),
            "\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152"
            "\u008D\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122"
            "\u0161\u203A\u0153\u009D\u017E\u0178Z\u00A0\u00FF");
  // Each lead byte's range at both ends, overlong forms and the ends of the code space: a
  // character it cannot show is one "?", a byte that starts no character is one more.
  const std::pair<std::string, std::string> leads[] = {
      {"\xC1\xBF", "??"},           {"\xC2\x80", "?"},
      {"\xC2\xA0", "\xA0"},         {"\xDF\xBF", "?"},
      {"\xE0\x9F\xBF", "???"},      {"\x84\x8F\xBF\xBF", "????"},
      {"\xEF\xBF\xBF", "?"},        {"\xED\x9F\xBF", "?"},
      {"\xED\xBF\xBF", "?"},  // a lone surrogate is a character
      {"\xF0\x8F\xBF\xBF", "????"}, {"\xF0\x90\x80\x80", "?"},
      {"\xF5\x80\x80\x80", "????"},
  };
  for (const auto& [utf8, bytes] : leads) EXPECT_EQ(Utf8ToCp1252(utf8), bytes) << utf8;
}

// Where the system lists a process's open files, closing the log is seen to let go of it.
std::ptrdiff_t OpenFiles() {
  std::error_code ec;
  return std::distance(fs::directory_iterator("/proc/self/fd", ec), fs::directory_iterator());
}

// Opening again lets go of the file open before; a refused write that is not a full device
// is a failure.
TEST(RawFile, OpeningAgainClosesTheFileOpenBeforeAndWritesFail) {
  test::ScratchFolder folder;
  platform::RawFile file;
  const mode_t mask = umask(0);  // a new file may be read and written by all, as the mask allows
  ASSERT_TRUE(file.Open((folder.path() / "a").string(), false));
  umask(mask);
  EXPECT_EQ(fs::status(folder.path() / "a").permissions(), fs::perms(0666));
  const auto open = OpenFiles();
  ASSERT_TRUE(file.Open((folder.path() / "b").string(), false));
  EXPECT_EQ(OpenFiles(), open);
  EXPECT_FALSE(file.Open((folder.path() / "none" / "a").string(), false));  // no such folder
  // A write the system refuses for another reason than a full device is an I/O error.
  if (!file.Open("/proc/self/oom_score_adj", false)) GTEST_SKIP() << "no /proc here";
  EXPECT_EQ(file.Write("x"), platform::RawFile::WriteResult::Failed);
}

constexpr int64_t k2026_12_04_090507 = 1796375107;  // UTC
const std::string kStamp = "26/12/04 09:05:07";
const std::string kStarted = "\r\n\r\n" + kStamp + " ******** Session Started *********\r\n";
const std::string kClosed = "\r\n\r\n" + kStamp + " ******** Session Closed *********\r\n";

void Spill(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every test runs in UTC, in a fresh folder, with a clock it sets.
class CmdLogFile : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC0", 1);
    tzset();
    log_ = NewLog(dir_);
  }
  std::shared_ptr<CmdLog> NewLog(const fs::path& folder) {
    return CmdLog::createForTesting(folder.string(), [this] { return now_; });
  }
  fs::path File() const { return dir_ / "sx_cmds.log"; }
  std::string Contents() const { return test::ReadFile(File()); }

  int64_t now_ = k2026_12_04_090507;
  test::ScratchFolder folder_;  // outlives the log, which may write on its way out
  fs::path dir_ = folder_.path();
  std::shared_ptr<CmdLog> log_;
};

TEST_F(CmdLogFile, WritesEachLineFormat) {
  log_->SetLogToFile(false, true);
  log_->SetLogging(true);
  log_->CommandSent("PV 100");
  log_->Received("v 300\r");
  log_->CommandSent("MV 1 2");
  log_->Errors("Timeout \xE2\x82\xAC \xD0\x96", "RM\r");
  log_->CommandSent("A");
  log_->CommandSent("B 1");  // no answer in between: both on one line
  log_->Received("ok");
  log_->RunTimeLog("custom \xC2\xB5s");
  log_->RunTimeErr(AutomationError(6, "Module1", "Overflow"));
  log_->RunTimeErr(AutomationError(-2147220991, "Module1", "Bad ports"), "Form1.Load");
  log_->SetLogToFile(true, false);
  const std::string& s = kStamp;
  EXPECT_EQ(Contents(), kStarted + s + " cmd: PV 100 [0x64] => v 300\\XD [0x12C]\r\n" +      //
                            s + " cmd: MV 1 2 ***ERROR: Timeout \x80 ?. Dump: RM\\XD\r\n" +  //
                            s + " cmd: A" + s + " cmd: B 1 [0x1] => ok\r\n" +                //
                            s + " RUN-TIME: custom \xB5s\r\n" +                              //
                            s + " RUN-TIME: err# 6 desc: 'Overflow' src: 'Module1'\r\n" +    //
                            s +
                            " RUN-TIME: err# -2147220991 desc: 'Bad ports' src: 'Form1.Load'\r\n" +
                            kClosed);
}

TEST_F(CmdLogFile, FiltersCommandsResponsesAndErrorsButNeverRunTimeLines) {
  // Logging, in a poll, logging polls: commands and answers written, errors written.
  const std::tuple<bool, bool, bool, bool, bool> cases[] = {
      {false, true, true, false, false},
      {true, false, false, true, true},
      {true, true, false, false, true},
      {true, true, true, true, true},
  };
  log_->SetLogToFile(true, true);
  for (const auto& [logging, inPoll, logPolling, commands, errors] : cases) {
    SCOPED_TRACE(::testing::Message() << logging << inPoll << logPolling);
    log_->SetLogging(logging);
    log_->SetInPoll(inPoll);
    log_->SetLogPolling(logPolling);
    Spill(File(), "");
    log_->CommandSent("C");
    log_->Received("R");
    log_->Errors("E", "D");
    log_->RunTimeLog("rt");
    // Without its command part, an error part starts the line without a stamp.
    EXPECT_EQ(Contents(), (commands ? kStamp + " cmd: C => R\r\n" : "") +
                              (errors ? " ***ERROR: E. Dump: D\r\n" : "") + kStamp +
                              " RUN-TIME: rt\r\n");
  }
}

TEST_F(CmdLogFile, AppendKeepsTheFileWriteEmptiesItAndAnOpenFileIsNotReopened) {
  Spill(File(), "old\r\n");
  const auto before = OpenFiles();
  log_->SetLogToFile(true, true);
  log_->SetLogToFile(true, false);
  EXPECT_EQ(OpenFiles(), before);
  EXPECT_EQ(Contents(), "old\r\n" + kStarted + kClosed);
  log_->SetLogToFile(false, true);
  EXPECT_EQ(Contents(), kStarted);
  now_ += 61;
  log_->SetLogToFile(false, true);  // already open: a second banner, nothing emptied
  EXPECT_EQ(Contents(),
            kStarted + "\r\n\r\n26/12/04 09:06:08 ******** Session Started *********\r\n");
  log_.reset();  // closes without a banner
  EXPECT_EQ(Contents().size(), 2 * kStarted.size());
}

TEST_F(CmdLogFile, AfterClosingOnlyRunTimeLinesArriveEachInATemporaryOpening) {
  log_->SetLogToFile(false, true);
  log_->SetLogging(true);
  log_->SetLogToFile(true, false);
  Spill(File(), "kept\r\n");
  log_->CommandSent("PV 1");
  log_->Errors("E", "D");
  log_->RunTimeLog("late");
  log_->CommandSent("PV 2");
  EXPECT_EQ(Contents(), "kept\r\n" + kStamp + " RUN-TIME: late\r\n");
  // The temporary opening was closed again: a new session opens in its own mode.
  log_->SetLogToFile(false, true);
  EXPECT_EQ(Contents(), kStarted);
}

// The members that write a part.
struct Writer {
  void (*write)(CmdLog&);
};
constexpr Writer kWriters[] = {
    {[](CmdLog& l) { l.CommandSent("PV 1"); }},
    {[](CmdLog& l) { l.Received("ok"); }},
    {[](CmdLog& l) { l.Errors("E", "D"); }},
    {[](CmdLog& l) { l.RunTimeLog("rt"); }},
    {[](CmdLog& l) { l.RunTimeErr(AutomationError(1234, "S", "D")); }},
};

// A folder below a regular file cannot be written, also for root.
TEST_F(CmdLogFile, NothingIsWrittenBeforeASuccessfulOpeningAndFailuresAreSwallowed) {
  Spill(dir_ / "plain", "x");
  auto unwritable = NewLog(dir_ / "plain" / "sub");
  for (auto* log : {log_.get(), unwritable.get()}) {
    log->SetLogging(true);
    for (const auto& w : kWriters) EXPECT_EQ(ErrorOf([&] { w.write(*log); }), "no error");
    EXPECT_EQ(ErrorOf([&] { log->SetLogToFile(false, log == unwritable.get()); }), "no error");
    for (const auto& w : kWriters) EXPECT_EQ(ErrorOf([&] { w.write(*log); }), "no error");
  }
  EXPECT_FALSE(fs::exists(File()));  // closing a log never opened writes no banner
}

// A write that fails stops its member there: the error reaches the caller and whatever
// file was open stays open, whatever flag was set stays set.
TEST_F(CmdLogFile, WriteErrorsOfAFullDeviceReachTheCallerAndLeaveTheLogOpen) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this host";
  const std::string full = "61|ZentNetLib|Disk full||0";
  log_->SetLogging(true);
  log_->SetLogToFile(true, true);
  log_->SetLogToFile(true, false);  // closed: a run-time line now opens the file for itself
  fs::remove(File());
  fs::create_symlink("/dev/full", File());
  EXPECT_EQ(ErrorOf([&] { log_->RunTimeLog("x"); }), full);
  // The device stayed open: a new session writes to it rather than to a new file; a closing
  // banner that fails leaves the log open and enabled.
  fs::remove(File());
  EXPECT_EQ(ErrorOf([&] { log_->SetLogToFile(true, true); }), full);
  EXPECT_EQ(ErrorOf([&] { log_->SetLogToFile(true, false); }), full);
  for (const auto& w : kWriters) EXPECT_EQ(ErrorOf([&] { w.write(*log_); }), full);
  EXPECT_FALSE(fs::exists(File()));
}

TEST_F(CmdLogFile, TimeStampIsLocalTimeAndFollowsTheClock) {
  log_->SetLogToFile(true, true);  // appending, so the file can be emptied under it
  Spill(File(), "");
  // The stamp is formatted once per second: a zone change shows from the next second on.
  for (auto [step, zone] : {std::pair{0, "UTC0"}, {1, "UTC0"}, {0, "XYZ-2"}, {-1, "XYZ-2"}}) {
    setenv("TZ", zone, 1);
    tzset();
    now_ += step;  // a clock set back is shown as it is
    log_->RunTimeLog("x");
  }
  EXPECT_EQ(Contents(),
            "26/12/04 09:05:07 RUN-TIME: x\r\n26/12/04 09:05:08 RUN-TIME: x\r\n"
            "26/12/04 09:05:08 RUN-TIME: x\r\n26/12/04 11:05:07 RUN-TIME: x\r\n");
}

}  // namespace
}  // namespace zentnet
