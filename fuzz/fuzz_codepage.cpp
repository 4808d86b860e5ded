// The Windows-1252 conversions both ways, for any bytes.
//
// Promises checked: UTF-8 to the code page gives at most one byte per input byte and
// copies ASCII through; every code-page text survives the trip to UTF-8 and back, so the
// UTF-8 written is well formed; appending keeps what the string held.

#include <string>

#include "fuzz_support.h"
#include "zentnet/automation/codepage.h"

using namespace zentnet;

void FuzzOne(fuzz::Input& in) {
  const std::string_view bytes = in.Rest();

  const std::string narrowed = Utf8ToCp1252(bytes);
  ZENTNET_FUZZ_CHECK(narrowed.size() <= bytes.size(), "Utf8ToCp1252 grew the text");
  bool ascii = true;
  for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) ZENTNET_FUZZ_CHECK(narrowed == bytes, "ASCII changed by Utf8ToCp1252");

  // The same bytes read as code-page text.
  const std::string widened = Cp1252ToUtf8(bytes);
  ZENTNET_FUZZ_CHECK(widened.size() <= 3 * bytes.size(),
                     "Cp1252ToUtf8 wrote more than 3 bytes each");
  const std::string back = Utf8ToCp1252(widened);
  ZENTNET_FUZZ_CHECK(back == bytes,
                     "code-page round trip changed " + fuzz::Describe(std::string(bytes)));

  std::string out = "prefix";
  AppendCp1252(out, bytes);
  ZENTNET_FUZZ_CHECK(out == "prefix" + narrowed, "AppendCp1252 differs from Utf8ToCp1252");
}
