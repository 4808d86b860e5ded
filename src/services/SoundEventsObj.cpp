#include "zentnet/services/SoundEventsObj.h"

namespace zentnet {

std::shared_ptr<SoundEventsObj> SoundEventsObj::create() {
  return std::make_shared<SoundEventsObj>();
}

// Every write of the mask is announced, also one that stores what was already there.
void SoundEventsObj::SetMask(int32_t mask) {
  m_mask = mask;
  Raise(&Events::Changed);
}

void SoundEventsObj::SetCondition(SoundEvents bit, bool on) {
  SetMask(on ? (m_mask | bit) : (m_mask & ~static_cast<int32_t>(bit)));
}

void SoundEventsObj::SetBits(SoundEvents newBits) { SetMask(newBits); }

void SoundEventsObj::RestoreAll() { SetMask(SOUNDS_ALL); }

void SoundEventsObj::SetControl(bool newValue) {
  m_control = newValue;
  Raise(&Events::ControlChanged);
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
