// The platform calls on Windows.
#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <ctime>

#include "zentnet/automation/codepage.h"
#include "zentnet/automation/platform.h"

namespace zentnet::platform {

namespace {

// Any object of this file lies in the module that holds the library's code.
const char kAnchor = 0;

// The library's lossless UTF-8 (codepage.h): a path or text with an unpaired surrogate
// survives, and reaches the ANSI code page as one "?".
std::string ToUtf8(const wchar_t* text, int length) {
  std::string out;
  if (length > 0)
    AppendUtf16AsUtf8(out, reinterpret_cast<const char16_t*>(text), static_cast<size_t>(length));
  return out;
}

std::wstring ToWide(const std::string& text) {
  const std::u16string units = Utf8ToUtf16(text);
  return std::wstring(units.begin(), units.end());
}

std::string LocaleText(LCTYPE type, const char* fallback) {
  wchar_t buffer[16] = {};
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 16);
  // n counts the terminating zero.
  return n > 1 ? ToUtf8(buffer, n - 1) : std::string(fallback);
}

}  // namespace

std::string ModulePath() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&kAnchor), &module))
    return {};
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD n = GetModuleFileNameW(module, buffer.data(), size);
    if (n == 0) return {};
    // A full buffer means the name was cut short.
    if (n < size) return ToUtf8(buffer.data(), static_cast<int>(n));
    buffer.resize(buffer.size() * 2);
  }
}

int64_t NowSeconds() { return static_cast<int64_t>(_time64(nullptr)); }

LocalDateTime LocalTime(int64_t secondsSinceEpoch) {
  const auto t = static_cast<__time64_t>(secondsSinceEpoch);
  std::tm tm{};
  if (_localtime64_s(&tm, &t) != 0) return {};
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string DateSeparator() { return LocaleText(LOCALE_SDATE, "/"); }
std::string TimeSeparator() { return LocaleText(LOCALE_STIME, ":"); }

bool RawFile::Open(const std::string& path, bool append) {
  Close();
  const std::wstring wide = ToWide(path);
  if (wide.empty()) return false;
  // FILE_APPEND_DATA without FILE_WRITE_DATA makes every write land at the end.
  const DWORD access = append ? FILE_APPEND_DATA : GENERIC_WRITE;
  const DWORD disposition = append ? OPEN_ALWAYS : CREATE_ALWAYS;
  HANDLE h = CreateFileW(wide.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  handle_ = reinterpret_cast<intptr_t>(h);
  return true;
}

RawFile::WriteResult RawFile::Write(std::string_view bytes) {
  if (!IsOpen()) return WriteResult::Failed;
  HANDLE h = reinterpret_cast<HANDLE>(handle_);
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(h, bytes.data(), chunk, &written, nullptr)) {
      const DWORD error = GetLastError();
      return (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) ? WriteResult::DiskFull
                                                                           : WriteResult::Failed;
    }
    if (written == 0) return WriteResult::Failed;
    bytes.remove_prefix(written);
  }
  return WriteResult::Ok;
}

void RawFile::Close() {
  if (!IsOpen()) return;
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = kNone;
}

// Through UTF-16: malformed UTF-8 becomes U+FFFD and an unpaired surrogate stays one, both
// of which the ANSI code page lacks, so "?". No flags: WC_NO_BEST_FIT_CHARS left out lets
// the system map a
// character to a look-alike where the code page has one.
void AppendHostCodePage(std::string& out, std::string_view utf8) {
  size_t ascii = 0;
  while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80) ++ascii;
  out.append(utf8.data(), ascii);
  if (ascii == utf8.size()) return;
  const std::wstring wide = ToWide(std::string(utf8.substr(ascii)));
  const int length = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return;
  const size_t at = out.size();
  out.resize(at + static_cast<size_t>(n));
  WideCharToMultiByte(CP_ACP, 0, wide.data(), length, out.data() + at, n, nullptr, nullptr);
}

std::string HostCodePageToUtf8(std::string_view bytes) {
  const int length = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), n);
  return ToUtf8(wide.data(), n);
}

}  // namespace zentnet::platform

#endif  // _WIN32
