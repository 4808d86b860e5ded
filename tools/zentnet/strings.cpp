// zentnet strings ID...

#include <charconv>
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "commands.h"
#include "zentnet/resources/strings.h"

namespace zentnet::cli {

namespace {

// Decimal, optionally negative, within 32 bits: the loader itself decides which ids exist.
int32_t ParseId(const std::string& text) {
  int32_t id = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, id);
  if (text.empty() || ec != std::errc() || ptr != end)
    throw UsageError("strings: '" + text + "' is not a string id (a decimal number)");
  return id;
}

}  // namespace

int RunStrings(const Argv& argv) {
  if (argv.empty()) throw UsageError("strings: expected at least one ID");
  std::vector<int32_t> ids;
  ids.reserve(argv.size());
  for (const auto& a : argv) ids.push_back(ParseId(a));
  // Texts before a missing id are printed; the missing one ends the run with its error.
  for (int32_t id : ids) std::cout << LoadResString(id) << '\n';
  return 0;
}

}  // namespace zentnet::cli
