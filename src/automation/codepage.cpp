#include "zentnet/automation/codepage.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <iterator>

namespace zentnet {

namespace {

// Characters of bytes 0x80 to 0x9F; an unassigned byte maps to the control of its number.
constexpr char32_t kHighControls[] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

char ByteFor(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  const auto* hit = std::find(std::begin(kHighControls), std::end(kHighControls), c);
  return hit != std::end(kHighControls) ? static_cast<char>(0x80 + (hit - kHighControls)) : '?';
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHigh(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

bool DecodeUtf8(std::string_view text, size_t& i, char32_t& c) {
  const auto lead = static_cast<uint8_t>(text[i]);
  if (lead < 0x80) {
    c = lead;
    ++i;
    return true;
  }
  // The lead's leading ones count the bytes of the sequence. A value smaller than its length
  // needs is an overlong form, which also rejects the leads C0 and C1; F5 to F7 can only lead
  // past U+10FFFF.
  constexpr char32_t kSmallest[] = {0x80, 0x800, 0x10000};
  const size_t extra = static_cast<size_t>(std::countl_one(lead)) - 1;
  if (extra < 1 || extra > std::size(kSmallest) || i + extra >= text.size()) {
    ++i;
    return false;
  }
  c = lead & (0x3Fu >> extra);
  for (size_t k = 1; k <= extra; ++k) {
    const auto b = static_cast<uint8_t>(text[i + k]);
    if ((b & 0xC0u) != 0x80u) {
      ++i;
      return false;
    }
    c = (c << 6) | (b & 0x3Fu);
  }
  if (c < kSmallest[extra - 1] || c > 0x10FFFF) {
    ++i;
    return false;
  }
  i += extra + 1;
  return true;
}

void AppendCp1252(std::string& out, std::string_view utf8) {
  // Commands and responses are nearly always plain ASCII: copy those runs whole.
  for (size_t i = 0;;) {
    size_t run = i;
    while (run < utf8.size() && static_cast<uint8_t>(utf8[run]) < 0x80) ++run;
    out.append(utf8.data() + i, run - i);
    if (run == utf8.size()) return;
    i = run;
    char32_t c;  // read only when decoded
    out += DecodeUtf8(utf8, i, c) ? ByteFor(c) : '?';
  }
}

void AppendUtf16AsUtf8(std::string& out, const char16_t* units, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    char32_t c = units[i];
    if (IsHigh(c) && i + 1 < count && IsLow(units[i + 1]))
      c = 0x10000 + ((c & 0x3FF) << 10) + (units[++i] & 0x3FF);
    AppendUtf8(out, c);
  }
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    char32_t c;  // read only when decoded
    if (!DecodeUtf8(text, i, c)) {
      out += u'\uFFFD';
    } else if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  for (const char b : bytes) {
    const auto u = static_cast<uint8_t>(b);
    AppendUtf8(out, u >= 0x80 && u < 0xA0 ? kHighControls[u - 0x80] : char32_t{u});
  }
  return out;
}

}  // namespace zentnet
