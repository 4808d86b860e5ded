#include "zentnet/services/HotKeyObj.h"

#include <cstdio>

#include "zentnet/automation/convert.h"

namespace zentnet {

std::shared_ptr<HotKeyObj> HotKeyObj::create() { return std::make_shared<HotKeyObj>(); }

void HotKeyObj::FireHit() { Raise(&Events::Hit); }
void HotKeyObj::FireHitUp() { Raise(&Events::HitUp); }

int32_t HotKeyObj::Key() const { return CheckedMul(m_shiftCodes, 65536) | m_keyCode; }

namespace {
// Upper-case hex without leading zeros; a negative key shows its 32-bit pattern.
std::string Hex(int32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(static_cast<uint32_t>(value)));
  return buf;
}
}  // namespace

std::string HotKeyObj::KeyName() const {
  if (!m_formRef) return Hex(Key());
  // The handle is read before the key, so a form without one fails even when the key
  // would overflow as well.
  std::string name = m_formRef->GetProperty("hWnd").ToString();
  name += ':';
  name += Hex(Key());
  return name;
}

namespace {
constexpr PropertyEntry<HotKeyObj> kProperties[] = {
    {"KeyCode", [](HotKeyObj& o) -> Variant { return static_cast<int32_t>(o.KeyCode()); }},
    {"ShiftCodes", [](HotKeyObj& o) -> Variant { return static_cast<int32_t>(o.ShiftCodes()); }},
    {"KeyName", [](HotKeyObj& o) -> Variant { return o.KeyName(); }},
    {"Key", [](HotKeyObj& o) -> Variant { return o.Key(); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant HotKeyObj::GetProperty(std::string_view name) {
  if (EqualsNoCase(name, "FormRef")) return m_formRef;
  return kTable.Read(*this, name);
}
std::span<const std::string_view> HotKeyObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet
