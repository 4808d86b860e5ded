#pragma once
// The automation variant: the value of an optional or late-bound argument.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace zentnet {

class Object;

class Variant {
 public:
  enum class Type { Missing, Empty, Boolean, Long, Double, String, Object };

  // A default Variant is a missing optional argument.
  Variant() = default;
  Variant(bool value) : data_(value) {}                      // NOLINT(google-explicit-constructor)
  Variant(int32_t value) : data_(value) {}                   // NOLINT(google-explicit-constructor)
  Variant(double value) : data_(value) {}                    // NOLINT(google-explicit-constructor)
  Variant(std::string value) : data_(std::move(value)) {}    // NOLINT(google-explicit-constructor)
  Variant(const char* value) : data_(std::string(value)) {}  // NOLINT(google-explicit-constructor)
  Variant(std::shared_ptr<Object> value) : data_(std::move(value)) {}  // NOLINT

  static Variant Empty() {
    Variant v;
    v.data_ = EmptyTag{};
    return v;
  }

  Type type() const { return static_cast<Type>(data_.index()); }
  bool IsMissing() const { return type() == Type::Missing; }
  bool IsEmpty() const { return type() == Type::Empty; }

  // Coercions follow the automation rules: text goes through TextToDouble (error 13),
  // Empty is 0 / "", a Boolean true is -1, an object or a missing argument is error 13.
  double ToDouble() const;
  int32_t ToLong() const;
  bool ToBool() const;
  std::string ToString() const;
  // Error 13 unless the variant holds an object (which may be null). The variant's own
  // reference, valid while the variant is: handing the object on copies no count.
  const std::shared_ptr<Object>& ToObject() const;

  // Comparison with a number, as the automation runtime compares: the variant is coerced
  // to a number first, so the text " 2 " equals 2 and the text "x" raises error 13.
  bool EqualsNumber(double number) const { return ToDouble() == number; }

  friend bool operator==(const Variant& a, const Variant& b) { return a.data_ == b.data_; }

 private:
  struct MissingTag {
    bool operator==(const MissingTag&) const = default;
  };
  struct EmptyTag {
    bool operator==(const EmptyTag&) const = default;
  };
  std::variant<MissingTag, EmptyTag, bool, int32_t, double, std::string, std::shared_ptr<Object>>
      data_;
};

}  // namespace zentnet
