#pragma once
// The type library and the seventeen published classes with their identifiers.

#include <cstdint>
#include <span>
#include <string_view>

#include "zentnet/resources/version.h"

namespace zentnet {

struct TypeLibraryInfo {
  std::string_view name;
  std::string_view helpString;
  uint16_t majorVersion;
  uint16_t minorVersion;
  std::string_view libraryId;
};

inline constexpr TypeLibraryInfo kTypeLibrary{"ZentNetLib", "Zentara Networking 1.0 Type Library",
                                              version::kTypeLibMajor, version::kTypeLibMinor,
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

// The classes and interfaces of the sibling value-object component that this library
// creates value objects by and recognises them through (the Windows build needs them; the
// portable core creates ours through the value factory). ValueNumberObj is an interface
// only: its objects are handed out by a ValueObj, never created by class.
struct ComponentClassInfo {
  std::string_view name;
  std::string_view classId;  // empty for an interface without a creatable class
  std::string_view interfaceId;
};
inline constexpr ComponentClassInfo kValueComponent[] = {
    {"ValueObj", "{0B598C67-7C53-4228-B898-E682170468D2}",
     "{FEBD95C4-31C5-406E-9B38-10F694CC61CA}"},
    {"ValueNumberObj", "", "{90BBD6C7-6D65-47BB-9428-2FB08A7EB249}"},
    {"LockLevelObj", "{9A783CF3-150C-4893-9EBF-9D72EC9E3975}",
     "{7E6DCD99-4C75-4E9C-8129-89E3B329BA91}"},
};

// An event's published dispatch identifier, kept beside each class's sink interface.
struct DispatchEntry {
  std::string_view event;
  int32_t dispId;
};

}  // namespace zentnet
