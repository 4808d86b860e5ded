#include "zentnet/services/CmdLog.h"

#include "zentnet/automation/codepage.h"
#include "zentnet/automation/convert.h"

namespace zentnet {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The runtime's numbers for a failed write, raised to the caller of the member that wrote.
constexpr int32_t kDiskFull = 61;
constexpr int32_t kDeviceIOError = 57;

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
  // Plain integers of up to nine digits, nearly every argument, are read directly.
  const bool negative = !tail.empty() && tail.front() == '-';
  const std::string_view digits = tail.substr(negative ? 1 : 0);
  if (!digits.empty() && digits.size() <= 9 &&
      digits.find_first_not_of("0123456789") == std::string_view::npos) {
    int32_t magnitude = 0;
    for (const char c : digits) magnitude = magnitude * 10 + (c - '0');
    value = negative ? -magnitude : magnitude;
    return true;
  }
  // A tail that passed the test above but is no 32-bit integer ("7A", "12-3", an
  // out-of-range number) could only be annotated with a meaningless value: it gets none.
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
    AppendCp1252(converted, text);
    bytes = converted;
  }
  for (size_t i = 0; i < bytes.size();) {
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

void CmdLog::AppendStamp() {
  const int64_t now = clock_ ? clock_() : platform::NowSeconds();
  if (now != stampSecond_) {
    const platform::LocalDateTime t = platform::LocalTime(now);
    std::string text;
    AppendTwoDigits(text, t.year);
    text += platform::DateSeparator();
    AppendTwoDigits(text, t.month);
    text += platform::DateSeparator();
    AppendTwoDigits(text, t.day);
    text += ' ';
    AppendTwoDigits(text, t.hour);
    text += platform::TimeSeparator();
    AppendTwoDigits(text, t.minute);
    text += platform::TimeSeparator();
    AppendTwoDigits(text, t.second);
    stamp_.clear();
    AppendCp1252(stamp_, text);
    stampSecond_ = now;
  }
  line_ += stamp_;
}

void CmdLog::WriteLine() {
  switch (file_.Write(line_)) {
    case platform::RawFile::WriteResult::Ok: return;
    case platform::RawFile::WriteResult::DiskFull:
      throw AutomationError(kDiskFull, err::kRuntimeSource, "Disk full");
    case platform::RawFile::WriteResult::Failed:
      throw AutomationError(kDeviceIOError, err::kRuntimeSource, "Device I/O error");
  }
}

void CmdLog::CommandSent(const std::string& cmdStr) {
  if (Filtered()) return;
  if (!(fileEnabled_ && FileIsOpen())) return;  // nothing would be written
  line_.clear();
  AppendStamp();
  line_ += " cmd: ";
  AppendDumpNoThrow(line_, cmdStr);
  WriteLine();
}

void CmdLog::Received(const std::string& respStr) {
  if (Filtered()) return;
  if (!(fileEnabled_ && FileIsOpen())) return;  // nothing would be written
  line_.assign(" => ");
  AppendDumpNoThrow(line_, respStr);
  line_ += kLineEnd;
  WriteLine();
}

void CmdLog::Errors(const std::string& errDesc, const std::string& errStr) {
  if (!logging_) return;
  if (!(fileEnabled_ && FileIsOpen())) return;  // nothing would be written
  line_.assign(" ***ERROR: ");
  AppendCp1252(line_, errDesc);
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
    const std::string folder = folder_.empty() ? platform::FolderOf(platform::ModulePath()) : folder_;
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
  // The file is closed even when the closing banner cannot be written; the write's error
  // still reaches the caller.
  struct Closer {
    CmdLog& log;
    bool append;
    ~Closer() {
      log.OpenLogFile(false, append);
      log.fileEnabled_ = false;
    }
  } closer{*this, append};
  if (FileIsOpen()) WriteBanner(" ******** Session Closed *********");
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
  // Outside a logging session the file is opened just for this line, and closed again
  // even when the line cannot be written.
  struct Session {
    CmdLog& log;
    bool opened;
    ~Session() {
      if (opened) log.OpenLogFile(false, true);
    }
  } session{*this, !fileEnabled_};
  if (session.opened) OpenLogFile(true, true);
  if (!FileIsOpen()) return;
  line_.clear();
  AppendStamp();
  line_ += " RUN-TIME: ";
  AppendCp1252(line_, errString);
  line_ += kLineEnd;
  WriteLine();
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
