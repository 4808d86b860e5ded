#pragma once
// The string table every user-visible text comes from, and the torque/force marker.

#include <cstdint>
#include <string>

namespace zentnet {

// The text with that id; an id without a string raises error 326
// ("Resource with identifier 'N' not found").
std::string LoadResString(int32_t id);

// LoadResString(id) with every "@*@" replaced, left to right, by text 3119 ("Force") when
// `linear` and by text 3118 ("Torque") otherwise.
std::string MarkedText(int32_t id, bool linear);

}  // namespace zentnet
