#pragma once
// The library's version numbers and the type library's, written here and nowhere else. The
// CMake project reads the first three from this file, the type library's source includes it
// for the last two, the Windows version resource is generated from the constants below, and
// the tool, NetLib.Version and the tests print or compare those constants.
//
// Plain defines come first, so that the IDL compiler can read them; the rest is C++.

#define ZENTNET_VERSION_MAJOR 1
#define ZENTNET_VERSION_MINOR 0
#define ZENTNET_VERSION_REVISION 48

// The type library's version moves on its own: only a change of the published contract
// moves it.
#define ZENTNET_TYPELIB_MAJOR 1
#define ZENTNET_TYPELIB_MINOR 8
// "1.8" as the IDL's version() attribute wants it: one number token pasted from the two.
#define ZENTNET_PASTE_VERSION_(major, minor) major##.##minor
#define ZENTNET_PASTE_VERSION(major, minor) ZENTNET_PASTE_VERSION_(major, minor)
#define ZENTNET_TYPELIB_VERSION ZENTNET_PASTE_VERSION(ZENTNET_TYPELIB_MAJOR, ZENTNET_TYPELIB_MINOR)

#if !defined(__WIDL__) && !defined(RC_INVOKED)

#include <array>
#include <cstdint>
#include <string_view>

namespace zentnet::version {

inline constexpr int32_t kMajor = ZENTNET_VERSION_MAJOR;
inline constexpr int32_t kMinor = ZENTNET_VERSION_MINOR;
inline constexpr int32_t kRevision = ZENTNET_VERSION_REVISION;
inline constexpr uint16_t kTypeLibMajor = ZENTNET_TYPELIB_MAJOR;
inline constexpr uint16_t kTypeLibMinor = ZENTNET_TYPELIB_MINOR;

namespace detail {
// `value` in decimal, at least `width` digits (zeros in front).
template <size_t N>
constexpr void Put(std::array<char, N>& text, size_t& at, int32_t value, int width) {
  char digits[10] = {};
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (; n < width; ++n) digits[n] = '0';
  while (n > 0) text[at++] = digits[--n];
}

struct Spelled {
  std::array<char, 32> text{};
  size_t size = 0;
  constexpr std::string_view View() const { return {text.data(), size}; }
};

// The three numbers joined by points, the minor on `minorWidth` digits and the revision on
// `revisionWidth`.
constexpr Spelled Spell(int minorWidth, int revisionWidth) {
  Spelled s;
  Put(s.text, s.size, kMajor, 1);
  s.text[s.size++] = '.';
  Put(s.text, s.size, kMinor, minorWidth);
  s.text[s.size++] = '.';
  Put(s.text, s.size, kRevision, revisionWidth);
  return s;
}
inline constexpr Spelled kPlain = Spell(1, 1);
inline constexpr Spelled kPadded = Spell(2, 4);
}  // namespace detail

// File and product version as the version resource spells them: minor on two digits,
// revision on four (1.00.0048).
inline constexpr std::string_view kFileVersion = detail::kPadded.View();
inline constexpr std::string_view kProductVersion = kFileVersion;

// The three numbers in plain decimal joined by points, as NetLib.Version's first line and the
// tool's --version show them.
inline constexpr std::string_view kNumbers = detail::kPlain.View();

}  // namespace zentnet::version

#endif
