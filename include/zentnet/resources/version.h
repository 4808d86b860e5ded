#pragma once
// The library's version record: the one place the tool's --version, NetLib.Version and the
// Windows version resource take their numbers from. The build checks that the CMake project
// version (major.minor.revision) says the same.

#include <cstdint>
#include <string_view>

namespace zentnet::version {

inline constexpr int32_t kMajor = 1;
inline constexpr int32_t kMinor = 0;
inline constexpr int32_t kRevision = 48;

// File and product version as the version resource spells them: minor on two digits,
// revision on four.
inline constexpr std::string_view kFileVersion = "1.00.0048";
inline constexpr std::string_view kProductVersion = kFileVersion;

// The three numbers in plain decimal joined by points, as NetLib.Version's first line and the
// tool's --version show them.
inline constexpr std::string_view kNumbers = "1.0.48";

}  // namespace zentnet::version
