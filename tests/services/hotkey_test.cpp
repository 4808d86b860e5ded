// The hot key: the combined key number, its name per window, and the hit events.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recorder.h"
#include "service_support.h"
#include "zentnet/services/HotKeyObj.h"

namespace zentnet {
namespace {

using test::ErrorOf;

// A window as the late-bound read sees it.
std::shared_ptr<test::Bag> Form(Variant hWnd) { return test::MakeBag({{"hWnd", std::move(hWnd)}}); }

std::shared_ptr<HotKeyObj> Key(int32_t code, int32_t shift, std::shared_ptr<Object> form = nullptr) {
  auto key = HotKeyObj::create();
  key->SetKeyCode(static_cast<HotKeyCode>(code));
  key->SetShiftCodes(static_cast<HotKeyShift>(shift));
  key->SetFormRef(std::move(form));
  return key;
}

TEST(HotKey, KeyAndNameCombineShiftAndCode) {
  EXPECT_EQ(test::Properties(*HotKeyObj::create()), "KeyCode=0;ShiftCodes=0;KeyName=0;Key=0;");
  const std::tuple<int32_t, int32_t, int32_t, const char*> cases[] = {
      {112, 0, 112, "70"}, {112, 1, 65648, "10070"}, {112, 3, 196720, "30070"}, {0, 1, 65536, "10000"},
      {HOTKEY_F12, HOTKEY_CTRL_MASK | HOTKEY_ALT_MASK, 0x6007B, "6007B"},
      // The extremes of the guarded product; negative values show their 32-bit pattern.
      {112, 32767, 0x7FFF0070, "7FFF0070"}, {112, -32768, static_cast<int32_t>(0x80000070u), "80000070"},
      {112, -1, static_cast<int32_t>(0xFFFF0070u), "FFFF0070"}, {-1, 1, -1, "FFFFFFFF"},
      {0x12345, 1, 0x12345 | 0x10000, "12345"},  // the code is or-ed in as it stands
  };
  for (const auto& [code, shift, number, name] : cases) {
    const auto key = Key(code, shift);
    EXPECT_EQ(key->Key(), number) << code << "/" << shift;
    EXPECT_EQ(key->KeyName(), name) << code << "/" << shift;
  }
  for (int32_t shift : {32768, -32769, INT32_MAX, INT32_MIN}) {
    const auto key = Key(112, shift, Form(int32_t{1234}));
    EXPECT_EQ(key->ShiftCodes(), shift);  // stored as given; only the product fails
    EXPECT_EQ(ErrorOf([&] { (void)key->Key(); }), "6|ZentNetLib|Overflow||0");
    EXPECT_EQ(ErrorOf([&] { (void)key->KeyName(); }), "6|ZentNetLib|Overflow||0");
  }
}

TEST(HotKey, NameCarriesTheWindowHandleOfTheForm) {
  const std::pair<Variant, const char*> cases[] = {
      {int32_t{1234}, "1234:10070"}, {int32_t{-5}, "-5:10070"}, {"777", "777:10070"}};
  const auto key = Key(HOTKEY_F1, HOTKEY_SHIFT_MASK);
  for (const auto& [hWnd, name] : cases) {
    auto form = Form(hWnd);
    key->SetFormRef(form);
    EXPECT_EQ(key->FormRef(), form);
    EXPECT_EQ(key->KeyName(), name);
    EXPECT_EQ(form->reads, "hWnd ");  // read afresh on every call, once
  }
  EXPECT_EQ(key->GetProperty("formref"), Variant(key->FormRef()));
  key->SetFormRef(nullptr);
  EXPECT_EQ(key->KeyName(), "10070");
}

TEST(HotKey, AFormWithoutAHandleFailsWithTheLateBoundReadsError) {
  const std::string noMember = "438|ZentNetLib|Object doesn't support this property or method||0";
  auto key = Key(HOTKEY_F1, 0, test::MakeBag({}));  // an object without "hWnd"
  EXPECT_EQ(ErrorOf([&] { (void)key->KeyName(); }), noMember);
  EXPECT_EQ(key->Key(), 112);  // the key itself does not need the form
  key->SetShiftCodes(static_cast<HotKeyShift>(40000));  // the handle is read first
  EXPECT_EQ(ErrorOf([&] { (void)key->KeyName(); }), noMember);
  // A handle that is neither text nor a number is the read's type mismatch.
  key = Key(HOTKEY_F1, 0, Form(std::shared_ptr<Object>(test::MakeBag({}))));
  EXPECT_EQ(ErrorOf([&] { (void)key->KeyName(); }), "13|ZentNetLib|Type mismatch||0");
}

TEST(HotKey, EachFireRaisesExactlyItsEvent) {
  struct Recorder : HotKeyObjEvents {
    explicit Recorder(test::Journal& journal) : j(journal) {}
    test::Journal& j;
    void Hit() override { j.Add("Hit"); }
    void HitUp() override { j.Add("HitUp"); }
  };
  test::Journal journal;
  auto key = HotKeyObj::create();
  for (int i = 0; i < 2; ++i) key->Advise(std::make_shared<Recorder>(journal));  // two windows, one key
  key->FireHit();
  key->FireHitUp();
  key->FireHit();
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"Hit", "Hit", "HitUp", "HitUp", "Hit", "Hit"}));
}

}  // namespace
}  // namespace zentnet
