#pragma once
// What the bit-field decoders share: each register field declared once as a table row
// (published mask, how it reads, which capability bit it depends on, its display
// property), the late-bound property table derived from such a table, and the list of
// set bits' texts. Private to src/registers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "zentnet/automation/object.h"
#include "zentnet/registers/register_field.h"

namespace zentnet::reg {

enum class Kind {
  Set,       // Boolean: the bit is set
  Clear,     // Boolean: the bit is clear
  Quotient,  // number: signed division by the lowest bit weight, then the width (Field)
  Pattern,   // number: the field's bits as an unsigned number (Unsigned)
};

struct FieldRow {
  std::string_view name;
  uint32_t mask;
  Kind kind = Kind::Set;
  // The bit of the decoder's capability word this row depends on; 0 when it has none.
  // What depends on it (the read or the display) is the decoder's business.
  uint32_t gate = 0;
  // A display property that follows the field in published order, or empty; its text is
  // string `textBase` + the field's value (a Boolean being 0 or 1).
  std::string_view display = {};
  int32_t textBase = 0;
};

constexpr bool IsBoolean(const FieldRow& f) { return f.kind == Kind::Set || f.kind == Kind::Clear; }

// The field's value in `reg`: 0 or 1 for a Boolean row.
constexpr int32_t Extract(int32_t reg, const FieldRow& f) {
  switch (f.kind) {
    case Kind::Set: return Has(reg, f.mask) ? 1 : 0;
    case Kind::Clear: return Has(reg, f.mask) ? 0 : 1;
    case Kind::Quotient: return Field(reg, f.mask);
    case Kind::Pattern: return Unsigned(reg, f.mask);
  }
  return 0;
}

inline Variant AsVariant(const FieldRow& f, int32_t value) {
  if (IsBoolean(f)) return value != 0;
  return value;
}

// Finds a row by name at compile time: a misspelt name does not compile.
template <size_t N>
consteval size_t IndexOf(const FieldRow (&rows)[N], std::string_view name) {
  for (size_t i = 0; i < N; ++i)
    if (rows[i].name == name) return i;
  throw "no field of that name";
}

template <class T, size_t N>
struct PropertyRows {
  PropertyEntry<T> rows[N];
};

// The late-bound property rows of a decoder: `before`, then every field of `Fields`
// (each followed by its display property when it has one), then `after`. `Value` and
// `Text` read one row of `object`.
template <class T, const auto& Fields, Variant (*Value)(T&, const FieldRow&),
          Variant (*Text)(T&, const FieldRow&) = nullptr>
struct FieldProperties {
  static constexpr size_t kFieldRows = [] {
    size_t n = 0;
    for (const auto& f : Fields) n += f.display.empty() ? 1 : 2;
    return n;
  }();

  template <size_t B, size_t A>
  static constexpr PropertyRows<T, B + kFieldRows + A> Build(
      const std::array<PropertyEntry<T>, B>& before, const std::array<PropertyEntry<T>, A>& after) {
    return Build(before, after, std::make_index_sequence<std::size(Fields)>{});
  }

 private:
  template <size_t I>
  static Variant GetValue(T& object) {
    return Value(object, Fields[I]);
  }
  template <size_t I>
  static Variant GetText(T& object) {
    return Text(object, Fields[I]);
  }

  template <size_t B, size_t A, size_t... I>
  static constexpr PropertyRows<T, B + kFieldRows + A> Build(
      const std::array<PropertyEntry<T>, B>& before, const std::array<PropertyEntry<T>, A>& after,
      std::index_sequence<I...>) {
    const PropertyEntry<T> values[] = {{Fields[I].name, &GetValue<I>}...};
    const PropertyEntry<T> texts[] = {{Fields[I].display, &GetText<I>}...};
    PropertyRows<T, B + kFieldRows + A> out{};
    size_t k = 0;
    for (const auto& e : before) out.rows[k++] = e;
    for (size_t i = 0; i < sizeof...(I); ++i) {
      out.rows[k++] = values[i];
      if (!Fields[i].display.empty()) out.rows[k++] = texts[i];
    }
    for (const auto& e : after) out.rows[k++] = e;
    return out;
  }
};

// The texts of the bits set in `reg` from bit `first` to bit `last`, in ascending bit
// order, joined by ", ". `textOf(bit)` gives a bit's text; an empty text is left out.
template <class TextOf>
std::string JoinSetBits(int32_t reg, int first, int last, TextOf&& textOf) {
  std::string result;
  for (int bit = first; bit <= last; ++bit) {
    if (!Has(reg, 1u << bit)) continue;
    const std::string text = textOf(bit);
    if (text.empty()) continue;
    if (!result.empty()) result += ", ";
    result += text;
  }
  return result;
}

}  // namespace zentnet::reg
