// What ZentValues.dll publishes.

#include "library.h"

#include "../skin/module.h"

namespace zentnet::com {

const Library& ThisLibrary() {
  static const Library library{values::kTypeLibrary, values::kClasses};
  return library;
}

}  // namespace zentnet::com
