#pragma once
// What the register decoders share, private to src/registers: the late-bound property rows
// and the display texts they have in common. Decoders hear their value object through
// ValueSink and raise their own events with EventHost::Fire.

#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "zentnet/automation/object.h"
#include "zentnet/contracts/value_contract.h"
#include "zentnet/registers/register_field.h"
#include "zentnet/values/value_sink.h"
#include "zentnet/resources/strings.h"

namespace zentnet::reg {

template <class T>
Variant AsVariant(T value) {
  if constexpr (std::is_enum_v<T>)
    return static_cast<int32_t>(value);
  else
    return Variant(std::move(value));
}

// One row of a late-bound property table: the member `Name` of `Self` (the class whose table
// is being built), read without arguments. A macro, so that the row's name and the member
// it reads are spelt once, and so that members with default arguments can be read.
// clang-format off
#define REG_PROPERTY(Name) \
  { #Name, [](Self& o) { return ::zentnet::reg::AsVariant(o.Name()); } }
// clang-format on

inline std::string OnOffText(bool on) { return LoadResString(on ? 4191 : 4190); }
// "N/A": the drive model lacks the field.
inline std::string NotAvailableText() { return LoadResString(4192); }

// The texts of the bits set in `bits` from bit `first` to bit `last`, in ascending bit
// order, joined by ", ". `textOf(bit)` gives a bit's text; an empty text is left out.
template <class TextOf>
std::string JoinSetBits(int32_t bits, int first, int last, TextOf&& textOf) {
  std::string result;
  for (int bit = first; bit <= last; ++bit) {
    if (!Has(bits, 1u << bit)) continue;
    const std::string text = textOf(bit);
    if (text.empty()) continue;
    if (!result.empty()) result += ", ";
    result += text;
  }
  return result;
}

}  // namespace zentnet::reg
