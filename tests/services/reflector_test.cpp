// The error reflector: a copy taken from our own error or from any late-bound error
// object, raised again as often as asked, and the refusal of a copy without a number.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "zentnet/automation/error.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/services/ErrReflector.h"

namespace zentnet {
namespace {

struct Fields {
  int32_t number;
  std::string source;
  std::string description;
  std::string helpFile;
  int32_t helpContext;
  friend bool operator==(const Fields&, const Fields&) = default;
};

std::ostream& operator<<(std::ostream& os, const Fields& f) {
  return os << f.number << "|" << f.source << "|" << f.description << "|" << f.helpFile << "|"
            << f.helpContext;
}

Fields Copy(const ErrReflector& r) {
  return {r.Number(), r.Source(), r.Description(), r.HelpFile(), r.HelpContext()};
}

Fields Raised(const std::function<void()>& call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return {e.Number(), e.Source(), e.Description(), e.HelpFile(), e.HelpContext()};
  }
  ADD_FAILURE() << "no error raised";
  return {};
}

const Fields kPortError{6301, "NetAdapterObj.NetOpen(let opening)", "The port could not be opened",
                        "zentara.hlp", 4711};
const Fields kInvalidCall{5, "ZentNetLib", "Invalid procedure call or argument", "", 0};

// An error object of some other component: five properties read by name, each read logged.
class LateBoundError : public Object {
 public:
  explicit LateBoundError(std::vector<std::pair<std::string, Variant>> props) : props_(std::move(props)) {}
  std::string_view ClassName() const override { return "ErrObject"; }
  Variant GetProperty(std::string_view name) override {
    reads.emplace_back(name);
    for (const auto& [n, v] : props_)
      if (EqualsNoCase(n, name)) return v;
    return Object::GetProperty(name);
  }
  std::vector<std::string> reads;

 private:
  std::vector<std::pair<std::string, Variant>> props_;
};

std::shared_ptr<LateBoundError> ErrorObject(const Fields& f) {
  return std::make_shared<LateBoundError>(std::vector<std::pair<std::string, Variant>>{
      {"Number", f.number},
      {"Source", f.source},
      {"Description", f.description},
      {"HelpFile", f.helpFile},
      {"HelpContext", f.helpContext}});
}

AutomationError ToError(const Fields& f) {
  return AutomationError(f.number, f.source, f.description, f.helpFile, f.helpContext);
}

TEST(ErrReflector, BeforeAnyCopyEverythingIsEmptyAndRaiseIsRefused) {
  auto r = ErrReflector::create();
  EXPECT_EQ(Copy(*r), (Fields{0, "", "", "", 0}));
  EXPECT_EQ(Raised([&] { r->Raise(); }), kInvalidCall);
  EXPECT_EQ(Copy(*r), (Fields{0, "", "", "", 0}));
}

TEST(ErrReflector, CopyOfOurOwnErrorRaisesAgainWithAllFiveFields) {
  auto r = ErrReflector::create();
  const AutomationError original = ToError(kPortError);
  r->SetCopyError(original);
  EXPECT_EQ(Copy(*r), kPortError);
  // Repeatable: the copy survives each raise.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Raised([&] { r->Raise(); }), kPortError);
  EXPECT_EQ(Copy(*r), kPortError);
}

TEST(ErrReflector, CopyOfALateBoundErrorReadsTheFiveFieldsInOrder) {
  auto r = ErrReflector::create();
  auto e = ErrorObject(kPortError);
  r->SetCopyError(std::shared_ptr<Object>(e));
  EXPECT_EQ(e->reads, (std::vector<std::string>{"Number", "Description", "Source", "HelpContext", "HelpFile"}));
  EXPECT_EQ(Copy(*r), kPortError);
  EXPECT_EQ(Raised([&] { r->Raise(); }), kPortError);
}

TEST(ErrReflector, LateBoundFieldsAreConvertedByTheAutomationRules) {
  auto r = ErrReflector::create();
  auto e = std::make_shared<LateBoundError>(std::vector<std::pair<std::string, Variant>>{
      {"Number", " 6301 "}, {"Source", int32_t{12}}, {"Description", true},
      {"HelpFile", Variant::Empty()}, {"HelpContext", 7.5}});
  r->SetCopyError(std::shared_ptr<Object>(e));
  EXPECT_EQ(Copy(*r), (Fields{6301, "12", "True", "", 8}));
}

TEST(ErrReflector, AnotherReflectorIsALateBoundErrorObjectToo) {
  auto first = ErrReflector::create();
  first->SetCopyError(ToError(kPortError));
  auto second = ErrReflector::create();
  second->SetCopyError(std::shared_ptr<Object>(first));
  EXPECT_EQ(Copy(*second), kPortError);
}

TEST(ErrReflector, ALaterCopyReplacesEveryFieldEvenWithEmptyOnes) {
  const Fields bare{static_cast<int32_t>(SX_ERR_PORT_PROBLEM), "", "", "", 0};
  const Fields other{91, "ZentNetLib", "Object variable or With block variable not set", "other.hlp", 1};
  struct Step {
    const char* how;
    Fields fields;
  };
  const Step steps[] = {{"own", kPortError}, {"late", bare}, {"own", other}, {"own", bare}, {"late", other}};
  auto r = ErrReflector::create();
  for (const auto& s : steps) {
    SCOPED_TRACE(std::string(s.how) + " " + std::to_string(s.fields.number));
    if (std::string(s.how) == "own")
      r->SetCopyError(ToError(s.fields));
    else
      r->SetCopyError(std::shared_ptr<Object>(ErrorObject(s.fields)));
    EXPECT_EQ(Copy(*r), s.fields);
    EXPECT_EQ(Raised([&] { r->Raise(); }), s.fields);
  }
}

TEST(ErrReflector, ACopyWithoutANumberIsRefusedLikeNoCopy) {
  auto r = ErrReflector::create();
  r->SetCopyError(ToError(kPortError));
  // An error object that holds no error, though it still has text.
  r->SetCopyError(ToError({0, "App", "left over", "x.hlp", 3}));
  EXPECT_EQ(Copy(*r), (Fields{0, "App", "left over", "x.hlp", 3}));
  EXPECT_EQ(Raised([&] { r->Raise(); }), kInvalidCall);
}

TEST(ErrReflector, AFailedLateBoundCopyKeepsThePreviousCopyWhole) {
  auto r = ErrReflector::create();
  r->SetCopyError(ToError(kPortError));

  // No HelpFile: the last read fails with the runtime's 438.
  auto partial = std::make_shared<LateBoundError>(std::vector<std::pair<std::string, Variant>>{
      {"Number", int32_t{13}}, {"Source", "x"}, {"Description", "y"}, {"HelpContext", int32_t{1}}});
  EXPECT_EQ(Raised([&] { r->SetCopyError(std::shared_ptr<Object>(partial)); }),
            (Fields{438, "ZentNetLib", "Object doesn't support this property or method", "", 0}));
  EXPECT_EQ(partial->reads.back(), "HelpFile");
  EXPECT_EQ(Copy(*r), kPortError);

  // A number that is no number: type mismatch, nothing stored.
  auto bad = std::make_shared<LateBoundError>(std::vector<std::pair<std::string, Variant>>{{"Number", "six"}});
  EXPECT_EQ(Raised([&] { r->SetCopyError(std::shared_ptr<Object>(bad)); }),
            (Fields{13, "ZentNetLib", "Type mismatch", "", 0}));
  EXPECT_EQ(Copy(*r), kPortError);

  EXPECT_EQ(Raised([&] { r->SetCopyError(std::shared_ptr<Object>()); }),
            (Fields{91, "ZentNetLib", "Object variable or With block variable not set", "", 0}));
  EXPECT_EQ(Copy(*r), kPortError);
}

TEST(ErrReflector, PropertiesReadByNameInPublishedOrder) {
  auto r = ErrReflector::create();
  r->SetCopyError(ToError(kPortError));
  const std::pair<const char*, Variant> expected[] = {
      {"Description", kPortError.description}, {"Number", kPortError.number}, {"Source", kPortError.source},
      {"HelpContext", kPortError.helpContext}, {"HelpFile", kPortError.helpFile}};
  ASSERT_EQ(r->PropertyNames().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(r->PropertyNames()[i], expected[i].first);
    EXPECT_EQ(r->GetProperty(expected[i].first), expected[i].second);
  }
}

}  // namespace
}  // namespace zentnet
