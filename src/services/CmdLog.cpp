#include "zentnet/services/CmdLog.h"

#include <charconv>

#include "zentnet/automation/convert.h"

namespace zentnet {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void AppendHex(std::string& out, uint32_t value) {
  char digits[8];
  int n = 0;
  do {
    digits[n++] = "0123456789ABCDEF"[value & 0xFu];
    value >>= 4;
  } while (value != 0);
  while (n > 0) out += digits[--n];
}

void AppendTwoDigits(std::string& out, int value) {
  out += static_cast<char>('0' + (value / 10) % 10);
  out += static_cast<char>('0' + value % 10);
}

// The annotation's value: the text after the first blank when it is one number, with a
// final non-digit ignored. False when there is none.
bool DumpArgument(std::string_view bytes, int32_t& value) {
  const size_t blank = bytes.find(' ');
  if (blank == std::string_view::npos) return false;
  std::string_view tail = bytes.substr(blank + 1);
  if (tail.empty() || !(IsDigit(tail.front()) || tail.front() == '-')) return false;
  if (tail.find(' ') != std::string_view::npos) return false;
  if (!IsDigit(tail.back())) tail.remove_suffix(1);
  // Nearly every argument is a plain integer, read without the general conversion.
  const char* end = tail.data() + tail.size();
  const auto [stop, error] = std::from_chars(tail.data(), end, value);
  if (error == std::errc() && stop == end) return true;
  // Otherwise the automation rule decides (a fraction rounds). A tail it refuses ("7A",
  // "12-3", an out-of-range number) could only be annotated with a meaningless value.
  try {
    value = TextToLong(tail);
    return true;
  } catch (const AutomationError&) {
    return false;
  }
}

bool IsPrintable(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 32 && u <= 127;
}

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

void AppendDump(std::string& out, std::string_view text) {
  std::string converted;
  std::string_view bytes = text;
  if (!IsAscii(text)) {
    platform::AppendHostCodePage(converted, text);
    bytes = converted;
  }
  for (size_t i = 0;;) {  // ends at the last run, which may be empty
    size_t run = i;
    while (run < bytes.size() && IsPrintable(bytes[run])) ++run;
    out.append(bytes.data() + i, run - i);
    if (run == bytes.size()) break;
    out += "\\X";
    AppendHex(out, static_cast<unsigned char>(bytes[run]));
    i = run + 1;
  }
  int32_t value = 0;
  if (DumpArgument(bytes, value)) {
    out += " [0x";
    AppendHex(out, static_cast<uint32_t>(value));
    out += ']';
  }
}

// A dump that cannot be completed (memory exhausted) is logged as far as it got.
void AppendDumpNoThrow(std::string& out, std::string_view text) noexcept {
  try {
    AppendDump(out, text);
  } catch (...) {
  }
}

}  // namespace

std::string FormatDump(std::string_view text) {
  std::string out;
  AppendDumpNoThrow(out, text);
  return out;
}

CmdLog::CmdLog() = default;

// Destruction closes an open file without a closing banner (RawFile's destructor).
CmdLog::~CmdLog() = default;

std::shared_ptr<CmdLog> CmdLog::create() { return std::make_shared<CmdLog>(); }

std::shared_ptr<CmdLog> CmdLog::createForTesting(std::string folder, Clock clock) {
  auto log = std::make_shared<CmdLog>();
  log->folder_ = std::move(folder);
  log->clock_ = std::move(clock);
  return log;
}

// Formatting the stamp costs more than the rest of a part, so it is done once per second.
void CmdLog::AppendStamp() {
  const int64_t now = clock_ ? clock_() : platform::NowSeconds();
  if (now != stampSecond_) {
    const platform::LocalDateTime t = platform::LocalTime(now);
    const std::string date = platform::DateSeparator();
    const std::string time = platform::TimeSeparator();
    const int fields[] = {t.year, t.month, t.day, t.hour, t.minute, t.second};
    const std::string_view after[] = {date, date, " ", time, time, ""};
    std::string text;
    for (size_t i = 0; i < std::size(fields); ++i) {
      AppendTwoDigits(text, fields[i]);
      text += after[i];
    }
    stamp_.clear();
    platform::AppendHostCodePage(stamp_, text);
    stampSecond_ = now;
  }
  line_ += stamp_;
}

void CmdLog::WriteLine() {
  switch (file_.Write(line_)) {
    case platform::RawFile::WriteResult::Ok:
      return;
    case platform::RawFile::WriteResult::DiskFull:
      err::RaiseDiskFull();
    case platform::RawFile::WriteResult::Failed:
      err::RaiseDeviceIOError();
  }
}

void CmdLog::CommandSent(const std::string& cmdStr) {
  if (!Tracing(true)) return;
  line_.clear();
  AppendStamp();
  line_ += " cmd: ";
  AppendDumpNoThrow(line_, cmdStr);
  WriteLine();
}

void CmdLog::Received(const std::string& respStr) {
  if (!Tracing(true)) return;
  line_.assign(" => ");
  AppendDumpNoThrow(line_, respStr);
  line_ += kLineEnd;
  WriteLine();
}

void CmdLog::Errors(const std::string& errDesc, const std::string& errStr) {
  if (!Tracing(false)) return;
  line_.assign(" ***ERROR: ");
  platform::AppendHostCodePage(line_, errDesc);
  line_ += ". Dump: ";
  AppendDumpNoThrow(line_, errStr);
  line_ += kLineEnd;
  WriteLine();
}

void CmdLog::OpenLogFile(bool openState, bool append) {
  if (!openState) {
    file_.Close();
    fileOpen_ = false;
    return;
  }
  if (fileOpen_) return;
  // Every failure of the opening is swallowed; the flag is set all the same, so a failed
  // opening is retried only after the file has been closed by assigning false.
  try {
    const std::string folder =
        folder_.empty() ? platform::FolderOf(platform::ModulePath()) : folder_;
    if (!folder.empty()) {
      std::string path = folder;
      path += platform::kPathSeparator;
      path += kCmdLogFileName;
      if (file_.Open(path, append)) everOpened_ = true;
    }
  } catch (...) {
  }
  fileOpen_ = true;
}

void CmdLog::WriteBanner(std::string_view banner) {
  line_.assign(kLineEnd);
  line_ += kLineEnd;
  AppendStamp();
  line_ += banner;
  line_ += kLineEnd;
  WriteLine();
}

void CmdLog::SetLogToFile(bool append, bool openState) {
  if (openState) {
    OpenLogFile(true, append);
    fileEnabled_ = true;
    if (FileIsOpen()) WriteBanner(" ******** Session Started *********");
    return;
  }
  // A closing banner that cannot be written stops the assignment there: the error reaches
  // the caller, and the file stays open and enabled.
  if (FileIsOpen()) WriteBanner(" ******** Session Closed *********");
  OpenLogFile(false, append);
  fileEnabled_ = false;
}

void CmdLog::RunTimeErr(const AutomationError& theErr, const std::string& routine) {
  std::string text = "err# ";
  text += std::to_string(theErr.Number());
  text += " desc: '";
  text += theErr.Description();
  text += "' src: '";
  text += routine.empty() ? theErr.Source() : routine;
  text += "'";
  RunTimeLog(text);
}

void CmdLog::RunTimeLog(const std::string& errString) {
  if (!everOpened_) return;
  // Outside a logging session the file is opened just for this line and closed after it. A
  // line that cannot be written stops there: the error reaches the caller and the file
  // stays open, as an error of the write leaves it.
  const bool temporary = !fileEnabled_;
  if (temporary) OpenLogFile(true, true);
  if (FileIsOpen()) {
    line_.clear();
    AppendStamp();
    line_ += " RUN-TIME: ";
    platform::AppendHostCodePage(line_, errString);
    line_ += kLineEnd;
    WriteLine();
  }
  if (temporary) OpenLogFile(false, true);
}

namespace {
constexpr PropertyEntry<CmdLog> kProperties[] = {
    {"Logging", [](CmdLog& o) -> Variant { return o.Logging(); }},
    {"LogPolling", [](CmdLog& o) -> Variant { return o.LogPolling(); }},
    {"InPoll", [](CmdLog& o) -> Variant { return o.InPoll(); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant CmdLog::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> CmdLog::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet
