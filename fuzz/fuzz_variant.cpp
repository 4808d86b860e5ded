// Variant coercions on any value a script could pass: every conversion, the numeric
// comparison and equality.
//
// Promises checked: only the type-mismatch (13) and overflow (6) errors; a String coerces
// exactly as TextToDouble reads it; ToLong is the rounding of ToDouble (a Long as is);
// ToBool is ToDouble != 0 (a Boolean as is); ToString never fails for a value; EqualsNumber
// agrees with ToDouble; ToObject succeeds exactly for objects.

#include <cmath>
#include <string>

#include "fuzz_support.h"
#include "zentnet/automation/convert.h"

using namespace zentnet;

namespace {

template <class T, class Call>
int32_t Attempt(Call&& call, T& out) {
  try {
    out = call();
  } catch (const AutomationError& e) {
    return e.Number();
  }
  return 0;
}

bool IsRuntimeError(int32_t n) { return n == 0 || n == err::kTypeMismatch || n == err::kOverflow; }

}  // namespace

void FuzzOne(fuzz::Input& in) {
  const Variant v = fuzz::TakeVariant(in);
  const std::string shown = fuzz::Describe(v);
  const Variant::Type type = v.type();

  double d = 0;
  const int32_t dError = Attempt([&] { return v.ToDouble(); }, d);
  int32_t l = 0;
  const int32_t lError = Attempt([&] { return v.ToLong(); }, l);
  bool b = false;
  const int32_t bError = Attempt([&] { return v.ToBool(); }, b);
  std::string s;
  const int32_t sError = Attempt([&] { return v.ToString(); }, s);
  std::shared_ptr<Object> o;
  const int32_t oError = Attempt([&] { return v.ToObject(); }, o);

  ZENTNET_FUZZ_CHECK(IsRuntimeError(dError) && IsRuntimeError(lError) && IsRuntimeError(bError) &&
                         IsRuntimeError(sError) && IsRuntimeError(oError),
                     shown);

  const bool isObject = type == Variant::Type::Object;
  const bool isMissing = type == Variant::Type::Missing;
  ZENTNET_FUZZ_CHECK((oError == 0) == isObject, "ToObject of " + shown);
  ZENTNET_FUZZ_CHECK((sError == 0) == !(isObject || isMissing), "ToString of " + shown);

  if (type == Variant::Type::String) {
    double direct = 0;
    const int32_t directError = Attempt([&] { return TextToDouble(s); }, direct);
    ZENTNET_FUZZ_CHECK(directError == dError,
                       "String coercion differs from TextToDouble: " + shown);
    ZENTNET_FUZZ_CHECK(dError != 0 || direct == d, "String value differs: " + shown);
  }

  if (type == Variant::Type::Long) {
    ZENTNET_FUZZ_CHECK(lError == 0 && l == static_cast<int32_t>(d), "Long read back: " + shown);
  } else if (dError != 0) {
    ZENTNET_FUZZ_CHECK(lError == dError, "ToLong error differs from ToDouble's: " + shown);
  } else {
    int32_t rounded = 0;
    const int32_t rError = Attempt([&] { return zentnet::ToLong(d); }, rounded);
    ZENTNET_FUZZ_CHECK(rError == lError && (rError != 0 || rounded == l), "ToLong of " + shown);
  }

  if (type != Variant::Type::Boolean) {
    ZENTNET_FUZZ_CHECK(bError == dError && (dError != 0 || b == (d != 0.0)), "ToBool of " + shown);
  }

  if (dError == 0 && !std::isnan(d)) {
    bool equal = false;
    const int32_t eError = Attempt([&] { return v.EqualsNumber(d); }, equal);
    ZENTNET_FUZZ_CHECK(eError == 0 && equal, "EqualsNumber with its own value: " + shown);
  }

  // A copy is equal; a string round trip of a number is equal to the same string.
  const Variant copy = v;
  ZENTNET_FUZZ_CHECK(copy == v || (type == Variant::Type::Double && std::isnan(d)),
                     "copy differs: " + shown);
  if (sError == 0) {
    const Variant text(s);
    std::string again;
    ZENTNET_FUZZ_CHECK(Attempt([&] { return text.ToString(); }, again) == 0 && again == s,
                       "String round trip: " + shown);
  }
}
