#pragma once
// The PCM sounds the library carries as "WAVE" resources (ids 101, 102, 200-203). The library
// never plays them; the application fetches one by id and hands it to its sound player.

#include <cstdint>
#include <span>

namespace zentnet {

// The complete RIFF/WAVE file (PCM, little-endian) of the sound with that id. The bytes live
// as long as the program. An id without a sound raises error 326
// ("Resource with identifier 'N' not found"), as the string loader does.
std::span<const uint8_t> LoadResSound(int32_t id);

// The ids that have a sound, ascending.
std::span<const int32_t> ResSoundIds();

}  // namespace zentnet
