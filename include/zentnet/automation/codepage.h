#pragma once
// Windows-1252 and UTF-8 text: the library's strings are UTF-8, the command log and its
// printable dump work on one byte per character in the host's 8-bit code page, which is
// Windows-1252 wherever the system has none of its own (platform::AppendHostCodePage).

#include <cstddef>
#include <string>
#include <string_view>

namespace zentnet {

// Appends `utf8` to `out` as Windows-1252 bytes, one byte per character. A character the
// code page lacks becomes "?", as does each byte of a malformed UTF-8 sequence. The five
// positions the code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the
// control characters of the same number, as the host's converter treats them.
void AppendCp1252(std::string& out, std::string_view utf8);

inline std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  AppendCp1252(out, utf8);
  return out;
}

// The reverse: every byte becomes one UTF-8 character.
std::string Cp1252ToUtf8(std::string_view bytes);

// Decodes the character at `text[i]`, advancing `i` past it; false, with one byte consumed,
// for a malformed sequence: a stray continuation byte, a truncated or overlong sequence or a
// value beyond U+10FFFF. A surrogate's three-byte form decodes to the surrogate itself (see
// below): a caller that wants characters treats it as one that nothing can show.
bool DecodeUtf8(std::string_view text, size_t& i, char32_t& c);

// The library's strings hold the UTF-16 text clients hand in without loss: in UTF-8, and
// in its generalisation that also encodes an unpaired surrogate the way UTF-8 would encode
// its number (three bytes, ED A0 80 to ED BF BF). Any sequence of 16-bit units, lone
// surrogates and NULs included, comes back unit for unit; well-formed text is plain UTF-8.
void AppendUtf16AsUtf8(std::string& out, const char16_t* units, size_t count);
// The reverse: surrogates, paired or not, come back as the units they were; each byte of
// a malformed sequence becomes U+FFFD, as the system's converter makes it.
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace zentnet
