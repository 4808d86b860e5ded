// What ZentNetLib.dll publishes.

#include "skin/module.h"

namespace zentnet::com {

const Library& ThisLibrary() {
  static const Library library{kTypeLibrary, ClassRoster()};
  return library;
}

}  // namespace zentnet::com
