#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "zentnet/automation/collection.h"

namespace zentnet::fuzz {

Variant TakeVariant(Input& in) {
  if (in.Empty()) return {};
  const std::string_view whole = [&] {
    Input copy = in;
    return copy.Rest();
  }();
  switch (in.Byte()) {
    case 'm':
      return {};
    case 'e':
      return Variant::Empty();
    case 't':
      return true;
    case 'f':
      return false;
    case 'l':
      return in.Raw<int32_t>();
    case 'd':
      return in.Raw<double>();
    case 'o':
      return std::shared_ptr<Object>();
    case 'O':
      return std::shared_ptr<Object>(Collection::create());
    case 's':
      return std::string(in.Rest());
    default:
      in.Rest();
      return std::string(whole);
  }
}

std::string Describe(const Variant& v) {
  switch (v.type()) {
    case Variant::Type::Missing:
      return "<missing>";
    case Variant::Type::Empty:
      return "<empty>";
    case Variant::Type::Object:
      return "<object>";
    default:
      break;
  }
  std::string text;
  for (const char c : v.ToString()) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 32 && u < 127) {
      text += c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      text += hex;
    }
  }
  return text;
}

void Fail(const char* what, std::string_view detail) {
  std::fprintf(stderr, "\n*** broken promise: %s\n*** %.*s\n", what,
               static_cast<int>(detail.size()), detail.data());
  std::abort();
}

}  // namespace zentnet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zentnet::fuzz::Input in(data, size);
  try {
    FuzzOne(in);
  } catch (const zentnet::AutomationError&) {
    // The one error a member may raise to its caller.
  }
  return 0;
}
