#pragma once
// One keyboard shortcut a window wants to hear about: a key code, its shift state and the
// window (form) that owns it. The keyboard watcher calls FireHit/FireHitUp; the object
// only passes them on as events and never watches the keyboard itself.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "zentnet/automation/object.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/services/service_events.h"

namespace zentnet {

// The key code and the shift state are the automation runtime's own open enumerations of
// 32 bits. We keep them as unscoped enumerations over int32_t, so any value a client
// passes (including ones the runtime never names, or negative ones) is stored unchanged
// and reaches `Key` as is; only the values the application uses for function keys and
// modifier masks are named.
enum HotKeyCode : int32_t {
  HOTKEY_F1 = 112,
  HOTKEY_F2 = 113,
  HOTKEY_F3 = 114,
  HOTKEY_F4 = 115,
  HOTKEY_F5 = 116,
  HOTKEY_F6 = 117,
  HOTKEY_F7 = 118,
  HOTKEY_F8 = 119,
  HOTKEY_F9 = 120,
  HOTKEY_F10 = 121,
  HOTKEY_F11 = 122,
  HOTKEY_F12 = 123,
};

enum HotKeyShift : int32_t {
  HOTKEY_SHIFT_NONE = 0,
  HOTKEY_SHIFT_MASK = 1,
  HOTKEY_CTRL_MASK = 2,
  HOTKEY_ALT_MASK = 4,
};

class HotKeyObjEvents {
 public:
  virtual ~HotKeyObjEvents() = default;
  virtual void Hit() {}
  virtual void HitUp() {}
};

inline constexpr DispatchEntry kHotKeyObjEventIds[] = {{"Hit", 1}, {"HitUp", 2}};

class HotKeyObj final : public Object, public ServiceEvents<HotKeyObj, HotKeyObjEvents> {
 public:
  static std::shared_ptr<HotKeyObj> create();

  HotKeyCode KeyCode() const { return m_keyCode; }
  void SetKeyCode(HotKeyCode newValue) { m_keyCode = newValue; }
  HotKeyShift ShiftCodes() const { return m_shiftCodes; }
  void SetShiftCodes(HotKeyShift newValue) { m_shiftCodes = newValue; }

  void FireHit();
  // "<window handle in decimal>:<Key in hex>", or just the hex without a form. Reads the
  // form's "hWnd" late-bound, so a form without one fails with that read's error (438).
  std::string KeyName() const;
  // ShiftCodes * 65536 | KeyCode; the overflow error (6) when the product leaves 32 bits.
  int32_t Key() const;
  void FireHitUp();

  // Any object, or none.
  void SetFormRef(std::shared_ptr<Object> form) { m_formRef = std::move(form); }
  const std::shared_ptr<Object>& FormRef() const { return m_formRef; }

  std::string_view ClassName() const override { return "HotKeyObj"; }
  // PropertyNames lists the value properties a printer can show; GetProperty also reads
  // FormRef.
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  HotKeyObj() = default;  // use create()

 private:
  HotKeyCode m_keyCode = static_cast<HotKeyCode>(0);
  HotKeyShift m_shiftCodes = HOTKEY_SHIFT_NONE;
  std::shared_ptr<Object> m_formRef;
};

}  // namespace zentnet
