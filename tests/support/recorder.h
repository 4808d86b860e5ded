#pragma once
// A recording sink's journal: every event appends one line, tests compare the whole list.

#include <string>
#include <vector>

namespace zentnet::test {

struct Journal {
  std::vector<std::string> lines;
  void Add(std::string line) { lines.push_back(std::move(line)); }
  void Clear() { lines.clear(); }
};

}  // namespace zentnet::test
