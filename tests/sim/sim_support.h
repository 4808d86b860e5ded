#pragma once
// A scratch folder per test and the command log's lines without their time stamps.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "zentnet/automation/error.h"

namespace zentnet::test {

class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            (std::string("zentnet-sim-") + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string str() const { return path_.string(); }
  std::string LogPath() const { return (path_ / "sx_cmds.log").string(); }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file's lines (split at CR LF), each stamped line without its "yy/mm/dd hh:mm:ss"
// stamp; blank lines are dropped.
inline std::vector<std::string> LogLines(const std::string& path) {
  const std::string text = ReadFile(path);
  std::vector<std::string> lines;
  size_t from = 0;
  for (size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2) {
    std::string line = text.substr(from, end - from);
    if (line.empty()) continue;
    if (line.size() > 17 && line[2] == '/' && line[5] == '/' && line[11] == ':') line.erase(0, 17);
    lines.push_back(line);
  }
  return lines;
}

// The error `call` raises as "NUMBER|SOURCE|DESCRIPTION", or "no error".
template <class Call>
std::string ErrorOf(Call&& call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return std::to_string(e.Number()) + "|" + e.Source() + "|" + e.Description();
  }
  return "no error";
}

}  // namespace zentnet::test
