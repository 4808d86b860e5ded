#pragma once
// The string table the build generates from strings.txt, ascending by id. The library and
// the DLL's resource generator both include it, so both read the same initialisers.

#include <cstdint>
#include <string_view>

namespace zentnet::string_table {

using namespace std::string_view_literals;

struct Entry {
  int32_t id;
  std::string_view text;
};

inline constexpr Entry kTable[] = {
#include "zentnet/resources/strings_table.inc"
};

}  // namespace zentnet::string_table
