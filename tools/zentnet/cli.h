#pragma once
// Shared plumbing of the zentnet tool's commands.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "zentnet/automation/object.h"

namespace zentnet::cli {

// Bad command-line input: one line on stderr, exit status 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Decimal (optionally negative) or 0x-hexadecimal; must fit in 32 bits, so
// 0x80000000..0xFFFFFFFF (and 2147483648..4294967295) are the negative patterns.
int32_t ParseRegister(std::string_view text);

// Positional arguments and "--flag value" / "--switch" options.
struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string, std::less<>> options;
  bool Has(std::string_view flag) const { return options.find(flag) != options.end(); }
  std::optional<std::string> Get(std::string_view flag) const;
};
// `valued` lists the flags that take a value; every other "--x" is a switch.
Args ParseArgs(const std::vector<std::string>& argv, const std::vector<std::string_view>& valued,
               const std::vector<std::string_view>& switches);

std::string JsonString(std::string_view text);
std::string JsonValue(const Variant& value);

// A value printed after an object's properties: one value, or a list of texts (a JSON array;
// in the text form one line, joined by ", ").
struct Field {
  template <class T>
  requires std::is_constructible_v<Variant, T> Field(T v)
      : value(std::move(v)) {}  // NOLINT(google-explicit-constructor)
  Field(std::vector<std::string> texts) : list(std::move(texts)), isList(true) {}  // NOLINT
  Variant value;
  std::vector<std::string> list;
  bool isList = false;
};
using Fields = std::vector<std::pair<std::string, Field>>;

// Prints every property of `object` (text: one "Name  value" line each; JSON: one object),
// then the extra fields, which follow in the given order.
void PrintObject(Object& object, const Fields& extra, bool json);

}  // namespace zentnet::cli
