#pragma once
// Late binding: an object whose properties can be read by name, as a script host reads
// them. Every published class is an Object; the tool prints a decoder by walking its
// property table.

#include <span>
#include <string>
#include <string_view>

#include "zentnet/automation/variant.h"

namespace zentnet {

class Object {
 public:
  virtual ~Object() = default;

  // The published class name ("IOregisterObj").
  virtual std::string_view ClassName() const = 0;

  // Reads the property `name` (matched without regard to case); an unknown name raises
  // error 438, and errors of the property itself reach the caller.
  virtual Variant GetProperty(std::string_view name);

  // The readable argument-free properties, in published order.
  virtual std::span<const std::string_view> PropertyNames() const { return {}; }
};

bool EqualsNoCase(std::string_view a, std::string_view b);

// A class's readable properties declared once, as a table of names and getters.
template <class T>
struct PropertyEntry {
  std::string_view name;
  Variant (*get)(T&);
};

template <class T, size_t N>
class PropertyTable {
 public:
  constexpr explicit PropertyTable(const PropertyEntry<T> (&entries)[N]) {
    for (size_t i = 0; i < N; ++i) {
      entries_[i] = entries[i];
      names_[i] = entries[i].name;
    }
  }
  // Throws 438 for an unknown name.
  Variant Read(T& object, std::string_view name) const;
  std::span<const std::string_view> Names() const { return names_; }

 private:
  PropertyEntry<T> entries_[N]{};
  std::string_view names_[N]{};
};

[[noreturn]] void RaiseUnknownProperty();

template <class T, size_t N>
Variant PropertyTable<T, N>::Read(T& object, std::string_view name) const {
  for (const auto& e : entries_)
    if (EqualsNoCase(e.name, name)) return e.get(object);
  RaiseUnknownProperty();
}

}  // namespace zentnet
