#pragma once
// The command log's lines without their time stamps, read from a scratch folder.

#include <string>
#include <vector>

#include "error_text.h"
#include "scratch_folder.h"

namespace zentnet::test {

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

}  // namespace zentnet::test
