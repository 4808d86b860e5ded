#pragma once
// The command log: a plain-text trace of the commands sent to the drives, their answers,
// failed exchanges and the application's run-time errors, in "sx_cmds.log" beside the
// module that holds the library's code.
//
// File format: 8-bit Windows-1252 text, lines ending in CR LF. A command and its answer
// share one line ("26/12/04 09:05:07 cmd: PV 100 [0x64] => v 300\XD [0x12C]"): the command
// part is written without a line end and the answer or error part ends the line.
//
// Every member writes its whole part with one unbuffered write, so the text has reached the
// operating system when the member returns and a crash of the application loses nothing.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "zentnet/automation/error.h"
#include "zentnet/automation/object.h"
#include "zentnet/automation/platform.h"

namespace zentnet {

inline constexpr std::string_view kCmdLogFileName = "sx_cmds.log";

// The printable form of a command or response, as the log writes it: the text in the host
// code page with every byte outside 32..127 shown as "\X" and its upper-case hexadecimal
// value, followed by " [0xHEX]" when the text after the first blank is one number (a last
// non-digit, such as the answer's carriage return, is ignored). Never fails.
//   "PV 100" -> "PV 100 [0x64]"     "v 300\r" -> "v 300\XD [0x12C]"     "RM" -> "RM"
// A tail that looks numeric but is not a 32-bit integer ("7AB", "12-3", "99999999999")
// gets no annotation.
std::string FormatDump(std::string_view text);

class CmdLog final : public Object {
 public:
  // Seconds since the epoch; the time stamp shows them in local time.
  using Clock = std::function<int64_t()>;

  static std::shared_ptr<CmdLog> create();
  // Not part of the published class: a log that writes "sx_cmds.log" into `folder` instead
  // of the module's folder and, when `clock` is given, takes the time from it. For tests and
  // benchmarks, which must not write beside the binary or wait for the clock.
  static std::shared_ptr<CmdLog> createForTesting(std::string folder, Clock clock = {});
  ~CmdLog() override;

  // Master switch for command, response and error lines.
  bool Logging() const { return logging_; }
  void SetLogging(bool value) { logging_ = value; }
  // Whether traffic exchanged while InPoll is set is logged.
  bool LogPolling() const { return logPolling_; }
  void SetLogPolling(bool value) { logPolling_ = value; }
  // Set by the communication layer while it exchanges poll traffic.
  bool InPoll() const { return inPoll_; }
  void SetInPoll(bool value) { inPoll_ = value; }

  // Time stamp, " cmd: " and the dump; no line end, so the answer continues the line.
  void CommandSent(const std::string& cmdStr);
  // " => " and the dump, ending the line.
  void Received(const std::string& respStr);
  // " ***ERROR: ", errDesc, ". Dump: " and the dump of errStr, ending the line. Written
  // while InPoll is set as well.
  void Errors(const std::string& errDesc, const std::string& errStr);

  // openState true opens the file (appending, or emptied when `append` is false) unless it
  // is already open, and writes two empty lines and a start banner; false writes two empty
  // lines and a closing banner and closes the file. An opening that fails raises nothing:
  // no line reaches the file until a later false and true retry it.
  void SetLogToFile(bool append, bool openState);

  // Logs "err# NUMBER desc: 'DESCRIPTION' src: 'ROUTINE'" through RunTimeLog, with the
  // error's source when `routine` is empty.
  void RunTimeErr(const AutomationError& theErr, const std::string& routine = "");
  // Time stamp, " RUN-TIME: " and errString, ending the line; not filtered by Logging. Once
  // the file has been opened successfully, a run-time line is written also while logging
  // to the file is off: the file is opened for appending just for that line.
  void RunTimeLog(const std::string& errString);

  std::string_view ClassName() const override { return "CmdLog"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  CmdLog();  // use create()

 private:
  bool FileIsOpen() const { return fileOpen_ && file_.IsOpen(); }
  // Whether a trace part reaches the file; a `polled` part is also held back while polling
  // traffic is not logged. Nothing is formatted for a part that would not be written.
  bool Tracing(bool polled) const {
    return logging_ && !(polled && inPoll_ && !logPolling_) && fileEnabled_ && FileIsOpen();
  }
  void OpenLogFile(bool openState, bool append);
  void AppendStamp();
  void WriteLine();  // writes line_, raising the write's error
  void WriteBanner(std::string_view banner);

  bool logging_ = false;
  bool logPolling_ = false;
  bool inPoll_ = false;
  bool fileEnabled_ = false;  // the last value assigned to LogToFile
  bool fileOpen_ = false;     // set by every opening attempt, cleared by closing
  bool everOpened_ = false;   // an opening has succeeded at least once
  platform::RawFile file_;

  std::string folder_;  // empty: the module's folder, looked up at each opening
  Clock clock_;
  int64_t stampSecond_ = INT64_MIN;
  std::string stamp_;  // the time stamp of stampSecond_, in code-page bytes
  std::string line_;   // reused for every part, so logging does not allocate
};

}  // namespace zentnet
