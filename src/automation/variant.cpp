#include "zentnet/automation/variant.h"

#include <cstdio>

#include "zentnet/automation/convert.h"
#include "zentnet/automation/error.h"

namespace zentnet {

double Variant::ToDouble() const {
  switch (type()) {
    case Type::Empty:
      return 0.0;
    case Type::Boolean:
      return std::get<bool>(data_) ? -1.0 : 0.0;
    case Type::Long:
      return std::get<int32_t>(data_);
    case Type::Double:
      return std::get<double>(data_);
    case Type::String:
      return TextToDouble(std::get<std::string>(data_));
    case Type::Missing:
    case Type::Object:
      break;
  }
  err::RaiseTypeMismatch();
}

int32_t Variant::ToLong() const {
  if (type() == Type::Long) return std::get<int32_t>(data_);
  return zentnet::ToLong(ToDouble());
}

bool Variant::ToBool() const {
  if (type() == Type::Boolean) return std::get<bool>(data_);
  return ToDouble() != 0.0;
}

std::string Variant::ToString() const {
  switch (type()) {
    case Type::Empty:
      return {};
    case Type::Boolean:
      return std::get<bool>(data_) ? "True" : "False";
    case Type::Long:
      return std::to_string(std::get<int32_t>(data_));
    case Type::Double: {
      // Fifteen significant digits, as the runtime prints a Double.
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.15G", std::get<double>(data_));
      return buf;
    }
    case Type::String:
      return std::get<std::string>(data_);
    case Type::Missing:
    case Type::Object:
      break;
  }
  err::RaiseTypeMismatch();
}

const std::shared_ptr<Object>& Variant::ToObject() const {
  if (type() != Type::Object) err::RaiseTypeMismatch();
  return std::get<std::shared_ptr<Object>>(data_);
}

}  // namespace zentnet
