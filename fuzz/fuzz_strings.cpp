// The string table with any id: LoadResString and MarkedText.
//
// Promises checked: an id either has a text or raises exactly error 326 with
// the loader's description; MarkedText raises what LoadResString raises for the id and
// leaves no marker behind; a text without a marker comes back unchanged.

#include <string>

#include "fuzz_support.h"
#include "zentnet/resources/strings.h"

using namespace zentnet;

void FuzzOne(fuzz::Input& in) {
  // Mostly ids near the table's own, sometimes any 32-bit number.
  const uint8_t mode = in.Byte();
  auto id = in.Raw<int32_t>();
  if ((mode & 1) == 0) id = static_cast<int32_t>(static_cast<uint32_t>(id) % 10000u);

  std::string text;
  try {
    text = LoadResString(id);
  } catch (const AutomationError& e) {
    ZENTNET_FUZZ_CHECK(
        e.Number() == err::kResourceNotFound,
        "LoadResString(" + std::to_string(id) + ") raised " + std::to_string(e.Number()));
    const std::string expected = "Resource with identifier '" + std::to_string(id) + "' not found";
    ZENTNET_FUZZ_CHECK(e.Description() == expected, e.Description());
    for (const bool linear : {false, true}) {
      try {
        MarkedText(id, linear);
        fuzz::Fail("MarkedText found a text LoadResString did not", std::to_string(id));
      } catch (const AutomationError& m) {
        ZENTNET_FUZZ_CHECK(m.Number() == e.Number(), "MarkedText raised another error");
      }
    }
    return;
  }

  const std::string torque = MarkedText(id, false);
  const std::string force = MarkedText(id, true);
  ZENTNET_FUZZ_CHECK(torque.find("@*@") == std::string::npos, torque);
  ZENTNET_FUZZ_CHECK(force.find("@*@") == std::string::npos, force);
  if (text.find("@*@") == std::string::npos) {
    ZENTNET_FUZZ_CHECK(torque == text && force == text, "unmarked text " + std::to_string(id));
  }
}
