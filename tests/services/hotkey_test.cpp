// The hot key: the combined key number, its name per window, and the hit events.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "recorder.h"
#include "zentnet/automation/error.h"
#include "zentnet/services/HotKeyObj.h"

namespace zentnet {
namespace {

using test::Journal;

// A window as the late-bound read sees it: "hWnd" and nothing else.
class FakeForm : public Object {
 public:
  explicit FakeForm(Variant hWnd) : hWnd_(std::move(hWnd)) {}
  std::string_view ClassName() const override { return "Form"; }
  Variant GetProperty(std::string_view name) override {
    ++reads;
    if (EqualsNoCase(name, "hWnd")) return hWnd_;
    return Object::GetProperty(name);
  }
  int reads = 0;

 private:
  Variant hWnd_;
};

// Any object without a window handle.
class Plain : public Object {
 public:
  std::string_view ClassName() const override { return "Plain"; }
};

void ExpectError(const std::function<void()>& call, int32_t number, const char* source,
                 const char* description) {
  try {
    call();
    ADD_FAILURE() << "no error raised";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), number);
    EXPECT_EQ(e.Source(), source);
    EXPECT_EQ(e.Description(), description);
  }
}

TEST(HotKey, StartsEmpty) {
  auto key = HotKeyObj::create();
  EXPECT_EQ(key->KeyCode(), 0);
  EXPECT_EQ(key->ShiftCodes(), 0);
  EXPECT_EQ(key->FormRef(), nullptr);
  EXPECT_EQ(key->Key(), 0);
  EXPECT_EQ(key->KeyName(), "0");
}

TEST(HotKey, KeyAndNameCombineShiftAndCode) {
  struct Case {
    int32_t code;
    int32_t shift;
    int32_t key;
    const char* name;  // without a form
  };
  const Case cases[] = {
      {112, 0, 112, "70"},
      {112, 1, 65648, "10070"},
      {112, 3, 196720, "30070"},
      {HOTKEY_F12, HOTKEY_CTRL_MASK | HOTKEY_ALT_MASK, 0x6007B, "6007B"},
      {0, 1, 65536, "10000"},
      // The extremes of the guarded product.
      {112, 32767, 0x7FFF0070, "7FFF0070"},
      {112, -32768, static_cast<int32_t>(0x80000070u), "80000070"},
      // Negative values show their 32-bit pattern; the code is or-ed in as it stands.
      {112, -1, static_cast<int32_t>(0xFFFF0070u), "FFFF0070"},
      {-1, 1, -1, "FFFFFFFF"},
      {0x12345, 1, 0x12345 | 0x10000, "12345"},
  };
  auto key = HotKeyObj::create();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + "/" + std::to_string(c.shift));
    key->SetKeyCode(static_cast<HotKeyCode>(c.code));
    key->SetShiftCodes(static_cast<HotKeyShift>(c.shift));
    EXPECT_EQ(key->KeyCode(), c.code);
    EXPECT_EQ(key->ShiftCodes(), c.shift);
    EXPECT_EQ(key->Key(), c.key);
    EXPECT_EQ(key->KeyName(), c.name);
  }
}

TEST(HotKey, ShiftOutsideSixteenBitsOverflows) {
  auto key = HotKeyObj::create();
  key->SetKeyCode(HOTKEY_F1);
  key->SetFormRef(std::make_shared<FakeForm>(int32_t{1234}));
  for (int32_t shift : {32768, -32769, 65536, INT32_MAX, INT32_MIN}) {
    SCOPED_TRACE(shift);
    key->SetShiftCodes(static_cast<HotKeyShift>(shift));
    EXPECT_EQ(key->ShiftCodes(), shift);  // stored as given; only the product fails
    ExpectError([&] { (void)key->Key(); }, 6, "ZentNetLib", "Overflow");
    ExpectError([&] { (void)key->KeyName(); }, 6, "ZentNetLib", "Overflow");
  }
}

TEST(HotKey, NameCarriesTheWindowHandleOfTheForm) {
  auto key = HotKeyObj::create();
  key->SetKeyCode(HOTKEY_F1);
  key->SetShiftCodes(HOTKEY_SHIFT_MASK);

  struct Case {
    Variant hWnd;
    const char* name;
  };
  const Case cases[] = {
      {int32_t{1234}, "1234:10070"},
      {int32_t{0}, "0:10070"},
      {int32_t{-5}, "-5:10070"},  // decimal as a signed Long, not hex
      {"777", "777:10070"},       // whatever text the property gives
  };
  for (const auto& c : cases) {
    auto form = std::make_shared<FakeForm>(c.hWnd);
    key->SetFormRef(form);
    EXPECT_EQ(key->FormRef(), form);
    EXPECT_EQ(key->KeyName(), c.name);
    EXPECT_EQ(form->reads, 1);  // read afresh on every call, once
  }

  key->SetFormRef(nullptr);
  EXPECT_EQ(key->FormRef(), nullptr);
  EXPECT_EQ(key->KeyName(), "10070");
}

TEST(HotKey, FormWithoutAWindowHandleFailsWithTheLateBoundReadsError) {
  auto key = HotKeyObj::create();
  key->SetKeyCode(HOTKEY_F1);
  key->SetFormRef(std::make_shared<Plain>());
  ExpectError([&] { (void)key->KeyName(); }, 438, "ZentNetLib",
              "Object doesn't support this property or method");
  // The key itself does not need the form.
  EXPECT_EQ(key->Key(), 112);

  // The handle is read first: a form without one fails with 438 even when the key overflows.
  key->SetShiftCodes(static_cast<HotKeyShift>(40000));
  ExpectError([&] { (void)key->KeyName(); }, 438, "ZentNetLib",
              "Object doesn't support this property or method");

  // A handle that is not text or a number is the read's type mismatch.
  key->SetShiftCodes(HOTKEY_SHIFT_NONE);
  key->SetFormRef(std::make_shared<FakeForm>(std::shared_ptr<Object>(std::make_shared<Plain>())));
  ExpectError([&] { (void)key->KeyName(); }, 13, "ZentNetLib", "Type mismatch");
}

TEST(HotKey, EachFireRaisesExactlyItsEvent) {
  struct Recorder : HotKeyObjEvents {
    Journal* j;
    void Hit() override { j->Add("Hit"); }
    void HitUp() override { j->Add("HitUp"); }
  };
  Journal journal;
  auto key = HotKeyObj::create();
  auto first = std::make_shared<Recorder>();
  first->j = &journal;
  key->Advise(first);

  key->FireHit();
  key->FireHitUp();
  key->FireHit();
  key->FireHit();
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"Hit", "HitUp", "Hit", "Hit"}));

  // Two windows may listen to the same key.
  auto second = std::make_shared<Recorder>();
  second->j = &journal;
  key->Advise(second);
  journal.Clear();
  key->FireHitUp();
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"HitUp", "HitUp"}));
  EXPECT_EQ(key->KeyCode(), 0);  // firing touches nothing else
}

TEST(HotKey, PropertiesReadByName) {
  auto key = HotKeyObj::create();
  key->SetKeyCode(HOTKEY_F2);
  key->SetShiftCodes(HOTKEY_CTRL_MASK);
  auto form = std::make_shared<FakeForm>(int32_t{99});
  key->SetFormRef(form);
  const std::pair<const char*, Variant> expected[] = {
      {"KeyCode", int32_t{113}},
      {"ShiftCodes", int32_t{2}},
      {"KeyName", "99:20071"},
      {"Key", int32_t{0x20071}},
  };
  ASSERT_EQ(key->PropertyNames().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(key->PropertyNames()[i], expected[i].first);
    EXPECT_EQ(key->GetProperty(expected[i].first), expected[i].second) << expected[i].first;
  }
  // The form is readable by name but not listed: a printer cannot show an object.
  EXPECT_EQ(key->GetProperty("formref"), Variant(std::shared_ptr<Object>(form)));
}

}  // namespace
}  // namespace zentnet
