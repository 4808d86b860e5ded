#pragma once
// Creates any published class by name or class identifier, as the class factories do.

#include <memory>
#include <string_view>

#include "zentnet/automation/object.h"

namespace zentnet {

// Unknown names raise error 429 ("ActiveX component can't create object").
std::shared_ptr<Object> CreateObject(std::string_view nameOrClassId);

}  // namespace zentnet
