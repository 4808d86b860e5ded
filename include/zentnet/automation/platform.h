#pragma once
// The few calls that differ by operating system. Each platform implements them in one
// file under src/automation/ (platform_posix.cpp, platform_win32.cpp); nothing else in the
// library includes a system header.

#include <cstdint>
#include <string>
#include <string_view>

namespace zentnet::platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr std::string_view kPathSeparators = "\\/";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr std::string_view kPathSeparators = "/";
#endif

// Full path (UTF-8) of the module file that holds the library's code: the shared library,
// or the executable when the library is linked in statically. Empty when it cannot be found.
std::string ModulePath();

// The folder part of `path`: everything before its last separator (empty when none).
inline std::string FolderOf(std::string_view path) {
  const size_t last = path.find_last_of(kPathSeparators);
  return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last));
}

// The file name of `path` without its folder and without its extension, the part from the
// last point on ("Zent.Net.dll" gives "Zent.Net"). A name that only starts with a point,
// such as ".profile", has no extension.
inline std::string NameWithoutExtension(std::string_view path) {
  const size_t last = path.find_last_of(kPathSeparators);
  const std::string_view name = last == std::string_view::npos ? path : path.substr(last + 1);
  const size_t point = name.rfind('.');
  return std::string(point == 0 || point == std::string_view::npos ? name : name.substr(0, point));
}

// Appends `utf8` to `out` in the host's 8-bit code page, one byte per character: on Windows
// the process's ANSI code page, through the system's conversion with its best-fit mapping
// (so "Ā" may become "A"); elsewhere Windows-1252 (AppendCp1252). A character the code
// page lacks becomes "?".
void AppendHostCodePage(std::string& out, std::string_view utf8);
// The reverse: each byte as the character it stands for in that code page, in UTF-8.
std::string HostCodePageToUtf8(std::string_view bytes);

// Seconds since 1970-01-01 00:00:00 UTC.
int64_t NowSeconds();

struct LocalDateTime {
  int year = 0;   // e.g. 2026
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;
};

// `secondsSinceEpoch` in the host's local time zone (all zero if the host cannot convert it).
LocalDateTime LocalTime(int64_t secondsSinceEpoch);

// The host's short-date and time separators (UTF-8): the user's locale setting on Windows,
// "/" and ":" elsewhere, where the library runs in the C locale and has no such setting.
std::string DateSeparator();
std::string TimeSeparator();

// A file written without any user-space buffer: every Write has reached the operating
// system when it returns, so a crash of the process afterwards loses nothing.
class RawFile {
 public:
  enum class WriteResult { Ok, DiskFull, Failed };

  RawFile() = default;
  ~RawFile() { Close(); }
  RawFile(const RawFile&) = delete;
  RawFile& operator=(const RawFile&) = delete;

  // Opens `path` (UTF-8), creating the file when missing: for appending, or emptied for
  // writing from the start. Closes a file already open first. False when it cannot.
  bool Open(const std::string& path, bool append);
  bool IsOpen() const { return handle_ != kNone; }
  // Writes every byte, retrying short and interrupted writes.
  WriteResult Write(std::string_view bytes);
  void Close();

 private:
  static constexpr intptr_t kNone = -1;
  intptr_t handle_ = kNone;  // a descriptor, or a HANDLE on Windows
};

}  // namespace zentnet::platform
