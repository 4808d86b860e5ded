// Nothing to run: the version record is constants. These checks keep its three spellings
// (numbers, padded resource text, plain text) from drifting apart when the version is bumped.

#include "zentnet/resources/version.h"

namespace zentnet::version {

namespace {

// The decimal numbers in `text` separated by '.', compared with the expected ones.
constexpr bool Spells(std::string_view text, int32_t a, int32_t b, int32_t c) {
  const int32_t expected[] = {a, b, c};
  int part = 0;
  int32_t value = 0;
  bool digits = false;
  for (char ch : text) {
    if (ch == '.') {
      if (!digits || part == 2 || value != expected[part]) return false;
      ++part;
      value = 0;
      digits = false;
    } else if (ch >= '0' && ch <= '9') {
      value = value * 10 + (ch - '0');
      digits = true;
    } else {
      return false;
    }
  }
  return digits && part == 2 && value == expected[2];
}

static_assert(Spells(kNumbers, kMajor, kMinor, kRevision));
static_assert(Spells(kFileVersion, kMajor, kMinor, kRevision));
static_assert(kFileVersion.size() == 9 && kFileVersion[1] == '.' && kFileVersion[4] == '.',
              "file version keeps the 1.00.0048 layout");
static_assert(kNumbers.find("..") == std::string_view::npos);

}  // namespace

}  // namespace zentnet::version
