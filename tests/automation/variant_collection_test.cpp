#include <gtest/gtest.h>

#include <tuple>

#include "error_text.h"
#include "zentnet/automation/collection.h"
#include "zentnet/automation/error.h"
#include "zentnet/automation/variant.h"

namespace zentnet {
namespace {

void ExpectError(auto&& call, int32_t number, const std::string& description) {
  EXPECT_EQ(test::ErrorOf(call), std::to_string(number) + "|ZentNetLib|" + description + "||0");
}

TEST(Variant, ConversionsFollowTheAutomationRules) {
  Variant missing;
  EXPECT_TRUE(missing.IsMissing());
  EXPECT_EQ(Variant::Empty().ToDouble(), 0.0);
  ExpectError([&] { (void)missing.ToDouble(); }, 13, "Type mismatch");
  EXPECT_EQ(Variant(" 2 ").ToLong(), 2);
  EXPECT_EQ(Variant(2.5).ToLong(), 2);
  EXPECT_EQ(Variant(int32_t{-7}).ToLong(), -7);
  EXPECT_EQ(Variant(true).ToLong(), -1);
  EXPECT_EQ(std::tuple(Variant(0.5).ToBool(), Variant(" 0 ").ToBool(), Variant(false).ToBool()),
            std::tuple(true, false, false));
  EXPECT_TRUE(Variant("3").EqualsNumber(3));
  EXPECT_FALSE(Variant(3.5).EqualsNumber(3));
  ExpectError([] { (void)Variant("x").EqualsNumber(1); }, 13, "Type mismatch");
  ExpectError([] { (void)Variant(3e10).ToLong(); }, 6, "Overflow");
  EXPECT_EQ(Variant(0.25).ToString() + Variant(true).ToString() + Variant(1e20).ToString(),
            "0.25True1E+20");
  auto c = Collection::create();
  const Variant v{std::shared_ptr<Object>(c)};
  EXPECT_EQ(v.ToObject(), c);
  ExpectError([&] { (void)v.ToLong(); }, 13, "Type mismatch");
  ExpectError([] { (void)Variant(1).ToObject(); }, 13, "Type mismatch");
}

TEST(Collection, IsOneBasedOrderedAndKeyedWithoutCase) {
  auto c = Collection::create();
  c->Add("a", "First");
  c->Add("b", "Secondz");
  c->Add(3);
  EXPECT_EQ(c->Count(), 3);
  EXPECT_EQ(c->Item(1).ToString() + c->Item("FIRST").ToString(), "aa");
  EXPECT_EQ(c->Item("SECONDZ").ToString(), "b");
  EXPECT_EQ(c->Item(3.0).ToLong(), 3);
  c->Remove("secondZ");
  EXPECT_EQ(c->Count(), 2);
  EXPECT_EQ(c->Item(2).ToLong(), 3);
  EXPECT_EQ(c->GetProperty("count").ToLong(), 2);
}

TEST(Collection, AddsBeforeOrAfterAPositionOrAKey) {
  auto c = Collection::create();
  c->Add("b", "B");
  c->Add("a", {}, 1);        // before the first
  c->Add("d", "D", {}, 2);   // after the last
  c->Add("c", "C", "d");     // before a key, without regard to case
  c->Add("e", {}, {}, "D");  // after a key
  std::string order;
  for (int32_t i = 1; i <= c->Count(); ++i) order += c->Item(i).ToString();
  EXPECT_EQ(order, "abcde");
  EXPECT_EQ(c->Item("c").ToString(), "c");
  ExpectError([&] { c->Add("x", {}, 1, 1); }, 5, "Invalid procedure call or argument");
  ExpectError([&] { c->Add("x", {}, 6); }, 9, "Subscript out of range");
  ExpectError([&] { c->Add("x", {}, {}, "nope"); }, 5, "Invalid procedure call or argument");
  EXPECT_EQ(c->Count(), 5);
}

TEST(Collection, BadIndexesAndKeys) {
  auto c = Collection::create();
  c->Add("a", "k");
  ExpectError([&] { c->Item(0); }, 9, "Subscript out of range");
  ExpectError([&] { c->Item(2); }, 9, "Subscript out of range");
  ExpectError([&] { c->Item("nope"); }, 5, "Invalid procedure call or argument");
  ExpectError([&] { c->Add("b", "K"); }, 457,
              "This key is already associated with an element of this collection");
  ExpectError([&] { c->Remove(5); }, 9, "Subscript out of range");
  c->Add("z", "Z");
  c->Remove("Z");  // the key search ends with the items, not with what lies past them
  ExpectError([&] { c->Item("Z"); }, 5, "Invalid procedure call or argument");
  ExpectError([&] { c->GetProperty("Bogus"); }, 438,
              "Object doesn't support this property or method");
  EXPECT_EQ(c->Count(), 1);
}

}  // namespace
}  // namespace zentnet
