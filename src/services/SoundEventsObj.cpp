#include "zentnet/services/SoundEventsObj.h"

namespace zentnet {

std::shared_ptr<SoundEventsObj> SoundEventsObj::create() {
  return std::make_shared<SoundEventsObj>();
}

void SoundEventsObj::RaiseChanged() {
  events_.Raise(shared_from_this(), [](SoundEventsObjEvents& s) { s.Changed(); });
}

void SoundEventsObj::SetCondition(SoundEvents bit, bool on) {
  m_mask = on ? (m_mask | bit) : (m_mask & ~static_cast<int32_t>(bit));
  RaiseChanged();
}

void SoundEventsObj::SetBits(SoundEvents newBits) {
  m_mask = newBits;
  RaiseChanged();
}

void SoundEventsObj::RestoreAll() {
  m_mask = SOUNDS_ALL;
  RaiseChanged();
}

void SoundEventsObj::SetControl(bool newValue) {
  m_control = newValue;
  events_.Raise(shared_from_this(), [](SoundEventsObjEvents& s) { s.ControlChanged(); });
}

namespace {
constexpr PropertyEntry<SoundEventsObj> kProperties[] = {
    {"LimitAssertion", [](SoundEventsObj& o) -> Variant { return o.LimitAssertion(); }},
    {"OffOnLine", [](SoundEventsObj& o) -> Variant { return o.OffOnLine(); }},
    {"Shutdown", [](SoundEventsObj& o) -> Variant { return o.Shutdown(); }},
    {"TorqueSaturation", [](SoundEventsObj& o) -> Variant { return o.TorqueSaturation(); }},
    {"VoltageSaturation", [](SoundEventsObj& o) -> Variant { return o.VoltageSaturation(); }},
    {"Bits", [](SoundEventsObj& o) -> Variant { return static_cast<int32_t>(o.Bits()); }},
    {"Control", [](SoundEventsObj& o) -> Variant { return o.Control(); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant SoundEventsObj::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> SoundEventsObj::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet
