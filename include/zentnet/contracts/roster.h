#pragma once
// The type library and the seventeen published classes with their identifiers.

#include <cstdint>
#include <span>
#include <string_view>

namespace zentnet {

struct TypeLibraryInfo {
  std::string_view name;
  std::string_view helpString;
  uint16_t majorVersion;
  uint16_t minorVersion;
  std::string_view libraryId;
};

inline constexpr TypeLibraryInfo kTypeLibrary{
    "ZentNetLib", "Zentara Networking 1.0 Type Library", 1, 8,
    "{EC0ACDA5-6E4E-42C1-87F7-4A0FF22A6EA7}"};

struct ClassInfo {
  std::string_view name;
  std::string_view classId;
  std::string_view interfaceId;       // the default dual interface "_" + name
  std::string_view eventInterfaceId;  // "__" + name; empty for a class without events
};

std::span<const ClassInfo> ClassRoster();

// Finds a class by name (without regard to case) or by class identifier (with or without
// braces, any case); null when nothing matches.
const ClassInfo* FindClass(std::string_view nameOrClassId);

// An event's published dispatch identifier, kept beside each class's sink interface.
struct DispatchEntry {
  std::string_view event;
  int32_t dispId;
};

}  // namespace zentnet
