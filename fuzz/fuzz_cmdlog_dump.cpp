// The printable dump of a command or response as the command log writes it, for any bytes
// a drive or a user could produce.
//
// Promises checked: FormatDump never fails; its result is printable ASCII (32 to 127), the
// annotation included; text that is already printable and has no blank comes back as is.

#include <string>

#include "fuzz_support.h"
#include "zentnet/services/CmdLog.h"

using namespace zentnet;

namespace {
bool Printable(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 32 && u <= 127;
}
}  // namespace

void FuzzOne(fuzz::Input& in) {
  const std::string_view text = in.Rest();
  const std::string dump = FormatDump(text);

  for (const char c : dump)
    ZENTNET_FUZZ_CHECK(Printable(c), "unprintable byte in the dump: " + fuzz::Describe(dump));

  bool plain = true;
  for (const char c : text) plain = plain && Printable(c) && c != ' ';
  if (plain) ZENTNET_FUZZ_CHECK(dump == text, "plain text changed: " + fuzz::Describe(dump));
}
