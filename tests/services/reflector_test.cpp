// The error reflector: a copy taken from our own error or from any late-bound error object,
// raised again as often as asked, and the refusal of a copy without a number.

#include <gtest/gtest.h>

#include <string>

#include "service_support.h"
#include "zentnet/services/ErrReflector.h"

namespace zentnet {
namespace {

using test::ErrorOf;
using test::Fields;

std::string Copy(const ErrReflector& r) {
  return Fields(
      AutomationError(r.Number(), r.Source(), r.Description(), r.HelpFile(), r.HelpContext()));
}

const AutomationError kPortError(6301, "NetAdapterObj.NetOpen(let opening)", "Port busy",
                                 "zentara.hlp", 4711);
const std::string kPort = "6301|NetAdapterObj.NetOpen(let opening)|Port busy|zentara.hlp|4711";
const std::string kNone = "0||||0";
const std::string kInvalidCall = "5|ZentNetLib|Invalid procedure call or argument||0";

std::shared_ptr<test::Bag> ErrorObject(const AutomationError& e) {
  return test::MakeBag({{"Number", e.Number()},
                        {"Source", e.Source()},
                        {"Description", e.Description()},
                        {"HelpFile", e.HelpFile()},
                        {"HelpContext", e.HelpContext()}});
}

TEST(ErrReflector, EachCopyReplacesAllFiveFieldsAndRaisesAgainAsOftenAsAsked) {
  const AutomationError bare(6301, "", "");
  auto r = ErrReflector::create();
  for (const auto* e : {&kPortError, &bare, &kPortError}) {
    for (bool lateBound : {false, true}) {
      if (lateBound) {
        auto object = ErrorObject(*e);
        r->SetCopyError(std::shared_ptr<Object>(object));
        EXPECT_EQ(object->reads, "Number Description Source HelpContext HelpFile ");
      } else {
        r->SetCopyError(*e);
      }
      EXPECT_EQ(Copy(*r), Fields(*e));
      for (int i = 0; i < 2; ++i) EXPECT_EQ(ErrorOf([&] { r->Raise(); }), Fields(*e));
    }
  }
  // Another reflector is a late-bound error object too; its fields convert by the usual rules.
  auto second = ErrReflector::create();
  second->SetCopyError(std::shared_ptr<Object>(r));
  EXPECT_EQ(Copy(*second), kPort);
  r->SetCopyError(std::shared_ptr<Object>(test::MakeBag({{"Number", " 6301 "},
                                                         {"Source", int32_t{12}},
                                                         {"Description", true},
                                                         {"HelpFile", Variant::Empty()},
                                                         {"HelpContext", 7.5}})));
  EXPECT_EQ(Copy(*r), "6301|12|True||8");
}

// Before any copy, and with a copy of number 0, Raise is refused.
TEST(ErrReflector, NoNumberNoRaise) {
  auto r = ErrReflector::create();
  EXPECT_EQ(Copy(*r), kNone);
  r->SetCopyError(AutomationError(0, "App", "left over", "x.hlp", 3));
  EXPECT_EQ(Copy(*r), "0|App|left over|x.hlp|3");
  EXPECT_EQ(ErrorOf([&] { r->Raise(); }), kInvalidCall);
}

TEST(ErrReflector, AFailedLateBoundCopyKeepsThePreviousCopyWhole) {
  auto r = ErrReflector::create();
  r->SetCopyError(kPortError);
  const std::pair<std::shared_ptr<Object>, std::string> cases[] = {
      // The last read fails.
      {test::MakeBag({{"Number", 13}, {"Source", "x"}, {"Description", "y"}, {"HelpContext", 1}}),
       "438|ZentNetLib|Object doesn't support this property or method||0"},
      {nullptr, "91|ZentNetLib|Object variable or With block variable not set||0"},
  };
  for (const auto& [object, error] : cases) {
    EXPECT_EQ(ErrorOf([&] { r->SetCopyError(object); }), error);
    EXPECT_EQ(Copy(*r), kPort);
  }
}

}  // namespace
}  // namespace zentnet
