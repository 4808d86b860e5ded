// IOregisterObj::BitNames on any text a user could type as the bit pattern.
//
// Promises checked: only the errors of the text-to-number rule (13, 6); otherwise one
// name per set bit among bits 0 to 15, joined by ", ", and nothing for the bits above.

#include <bit>
#include <string>

#include "fuzz_support.h"
#include "zentnet/automation/convert.h"
#include "zentnet/registers/IOregisterObj.h"

using namespace zentnet;

void FuzzOne(fuzz::Input& in) {
  static const auto reg = IOregisterObj::create();
  const std::string text(in.Rest());

  std::string names;
  try {
    names = reg->BitNames(text);
  } catch (const AutomationError& e) {
    ZENTNET_FUZZ_CHECK(e.Number() == err::kTypeMismatch || e.Number() == err::kOverflow,
                       "BitNames raised " + std::to_string(e.Number()));
    return;
  }

  const auto bits = static_cast<uint32_t>(TextToLong(text)) & 0xFFFFu;
  size_t separators = 0;
  for (size_t at = names.find(", "); at != std::string::npos; at = names.find(", ", at + 2))
    ++separators;
  const size_t count = names.empty() ? 0 : separators + 1;
  ZENTNET_FUZZ_CHECK(count == static_cast<size_t>(std::popcount(bits)),
                     text + " named " + std::to_string(count) + " bits: " + names);
}
