// The hot key: the combined key number and its name per window.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "service_support.h"
#include "zentnet/services/HotKeyObj.h"

namespace zentnet {
namespace {

using test::ErrorOf;

// A window as the late-bound read sees it.
std::shared_ptr<test::Bag> Form(Variant hWnd) { return test::MakeBag({{"hWnd", std::move(hWnd)}}); }

std::shared_ptr<HotKeyObj> Key(int32_t code, int32_t shift,
                               std::shared_ptr<Object> form = nullptr) {
  auto key = HotKeyObj::create();
  key->SetKeyCode(static_cast<HotKeyCode>(code));
  key->SetShiftCodes(static_cast<HotKeyShift>(shift));
  key->SetFormRef(std::move(form));
  return key;
}

TEST(HotKey, KeyAndNameCombineShiftAndCode) {
  EXPECT_EQ(test::Properties(*HotKeyObj::create()), "KeyCode=0;ShiftCodes=0;KeyName=0;Key=0;");
  const std::tuple<int32_t, int32_t, int32_t, const char*> cases[] = {
      {112, 0, 112, "70"},
      {112, 3, 196720, "30070"},
      // The extremes of the guarded product; negative values show their 32-bit pattern.
      {112, 32767, 0x7FFF0070, "7FFF0070"},
      {112, -32768, static_cast<int32_t>(0x80000070u), "80000070"},
      {-1, 1, -1, "FFFFFFFF"},
      {0x12345, 1, 0x12345 | 0x10000, "12345"},  // the code is or-ed in as it stands
  };
  for (const auto& [code, shift, number, name] : cases) {
    const auto key = Key(code, shift);
    EXPECT_EQ(key->Key(), number) << code << "/" << shift;
    EXPECT_EQ(key->KeyName(), name) << code << "/" << shift;
  }
  for (int32_t shift : {32768, -32769}) {
    const auto key = Key(112, shift, Form(int32_t{1234}));
    EXPECT_EQ(key->ShiftCodes(), shift);  // stored as given; only the product fails
    EXPECT_EQ(ErrorOf([&] { (void)key->Key(); }), "6|ZentNetLib|Overflow||0");
    EXPECT_EQ(ErrorOf([&] { (void)key->KeyName(); }), "6|ZentNetLib|Overflow||0");
  }
}

// The handle is read afresh, once, on every call; a form without one fails as a late-bound
// read does, before the key's own overflow.
TEST(HotKey, NameCarriesTheWindowHandleOfTheForm) {
  const auto key = Key(HOTKEY_F1, HOTKEY_SHIFT_MASK);
  for (const auto& [hWnd, name] :
       {std::pair<Variant, const char*>{int32_t{-5}, "-5:10070"}, {"777", "777:10070"}}) {
    auto form = Form(hWnd);
    key->SetFormRef(form);
    EXPECT_EQ(key->KeyName(), name);
    EXPECT_EQ(form->reads, "hWnd ");
  }
  key->SetFormRef(nullptr);
  EXPECT_EQ(key->KeyName(), "10070");
  key->SetFormRef(test::MakeBag({}));
  key->SetShiftCodes(static_cast<HotKeyShift>(40000));
  EXPECT_EQ(ErrorOf([&] { (void)key->KeyName(); }),
            "438|ZentNetLib|Object doesn't support this property or method||0");
  key->SetFormRef(Form(std::shared_ptr<Object>(test::MakeBag({}))));
  EXPECT_EQ(ErrorOf([&] { (void)key->KeyName(); }), "13|ZentNetLib|Type mismatch||0");
}

}  // namespace
}  // namespace zentnet
