#include "zentnet/registers/register_field.h"

#include "zentnet/automation/error.h"

namespace zentnet::reg {

void Write(const std::shared_ptr<ValueObj>& value, uint32_t bits) {
  err::Required(value)->Number()->SetValue(RegisterToDouble(bits));
}

void Update(const std::shared_ptr<ValueObj>& value, uint32_t mask, int32_t field) {
  Write(value, Replace(Read(value), mask, field));
}

}  // namespace zentnet::reg
