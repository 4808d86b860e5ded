// The platform calls on Linux and other POSIX hosts.
#ifndef _WIN32

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "zentnet/automation/codepage.h"
#include "zentnet/automation/platform.h"

#if defined(__GLIBC__)
#include <link.h>
#endif

namespace zentnet::platform {

namespace {

// Any object of this file lies in the module that holds the library's code.
const char kAnchor{};

}  // namespace

std::string ModulePath() {
  Dl_info info{};
  std::error_code error;  // an empty path on failure
#if defined(__GLIBC__)
  link_map* map = nullptr;
  if (dladdr1(&kAnchor, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0) return {};
  // glibc names the main program by argv[0], which may be relative or a bare name, so the
  // executable is recognised by its link map's empty name and asked of the kernel instead.
  if (*map->l_name == '\0') return std::filesystem::read_symlink("/proc/self/exe", error);
  const char* name = map->l_name;
#else
  if (dladdr(&kAnchor, &info) == 0) return {};
  const char* name = info.dli_fname;
#endif
  // The loader keeps a library's name as it was found, which may be relative to the working
  // folder of that moment; symbolic links are kept, so the folder is the one it was loaded
  // from.
  return std::filesystem::absolute(name, error);
}

int64_t NowSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

LocalDateTime LocalTime(int64_t secondsSinceEpoch) {
  const auto t = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return {};
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string DateSeparator() { return "/"; }
std::string TimeSeparator() { return ":"; }

bool RawFile::Open(const std::string& path, bool append) {
  Close();
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
  int fd;
  do {
    fd = ::open(path.c_str(), flags, 0666);
  } while (fd == -1 && errno == EINTR);
  if (fd == -1) return false;
  handle_ = fd;
  return true;
}

RawFile::WriteResult RawFile::Write(std::string_view bytes) {
  if (!IsOpen()) return WriteResult::Failed;
  const int fd = static_cast<int>(handle_);
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n == -1) {
      if (errno == EINTR) continue;
      return (errno == ENOSPC || errno == EDQUOT) ? WriteResult::DiskFull : WriteResult::Failed;
    }
    if (n == 0) return WriteResult::Failed;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return WriteResult::Ok;
}

void RawFile::Close() {
  if (!IsOpen()) return;
  // Linux releases the descriptor even when close reports EINTR, so it is never retried.
  ::close(static_cast<int>(handle_));
  handle_ = kNone;
}

// Without a system code page of its own, the host is taken to use the one the log has
// always been read with.
void AppendHostCodePage(std::string& out, std::string_view utf8) { AppendCp1252(out, utf8); }
std::string HostCodePageToUtf8(std::string_view bytes) { return Cp1252ToUtf8(bytes); }

}  // namespace zentnet::platform

#endif  // !_WIN32
