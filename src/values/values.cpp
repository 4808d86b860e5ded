#include "zentnet/values/values.h"

#include <algorithm>
#include <utility>

namespace zentnet {

class BasicValueNumberObj final : public ValueNumberObj {
 public:
  // `owner` is null for the request number, whose writes notify nobody.
  explicit BasicValueNumberObj(BasicValueObj* owner) : owner_(owner) {}

  double Value() const override { return value_; }
  void SetValue(double value) override {
    if (value == value_) return;
    previous_ = value_;
    value_ = value;
    if (owner_) owner_->NumberChanged();
  }
  double PreviousValue() const override { return previous_; }

  double LowerBoundA() const override { return f_.lowerA; }
  void SetLowerBoundA(double v) override { f_.lowerA = v; }
  double UpperBoundA() const override { return f_.upperA; }
  void SetUpperBoundA(double v) override { f_.upperA = v; }
  double LowerBoundB() const override { return f_.lowerB; }
  void SetLowerBoundB(double v) override { f_.lowerB = v; }
  double UpperBoundB() const override { return f_.upperB; }
  void SetUpperBoundB(double v) override { f_.upperB = v; }
  double DefaultValue() const override { return f_.defaultValue; }
  void SetDefaultValue(double v) override { f_.defaultValue = v; }
  int32_t SetupH() const override { return f_.setupH; }
  void SetSetupH(int32_t v) override { f_.setupH = v; }
  std::string Format() const override { return f_.format; }
  void SetFormat(const std::string& v) override { f_.format = v; }
  std::string Label() const override { return f_.label; }
  void SetLabel(const std::string& v) override { f_.label = v; }
  double InitialValue() const override { return f_.initialValue; }
  void SetInitialValue(double v) override { f_.initialValue = v; }
  double Scale() const override { return f_.scale; }
  void SetScale(double v) override { f_.scale = v; }
  int32_t SetupI() const override { return f_.setupI; }
  void SetSetupI(int32_t v) override { f_.setupI = v; }
  int32_t SetupJ() const override { return f_.setupJ; }
  void SetSetupJ(int32_t v) override { f_.setupJ = v; }
  int32_t SetupK() const override { return f_.setupK; }
  void SetSetupK(int32_t v) override { f_.setupK = v; }

  void Detach() { owner_ = nullptr; }

  // Copies everything but the owner, silently.
  void CopyFrom(const BasicValueNumberObj& other) {
    value_ = other.value_;
    previous_ = other.previous_;
    f_ = other.f_;
  }

 private:
  struct SetupFields {
    double lowerA = 0, upperA = 0, lowerB = 0, upperB = 0;
    double defaultValue = 0, initialValue = 0, scale = 1;
    int32_t setupH = 0, setupI = 0, setupJ = 0, setupK = 0;
    std::string format, label;
  };
  BasicValueObj* owner_;
  double value_ = 0;
  double previous_ = 0;
  SetupFields f_;
};

std::shared_ptr<BasicValueObj> BasicValueObj::create() { return Pinnable::Make<BasicValueObj>(); }

BasicValueObj::BasicValueObj()
    : number_(std::make_shared<BasicValueNumberObj>(this)),
      request_(std::make_shared<BasicValueNumberObj>(nullptr)) {}

// A number object handed out may outlive its value; it must not reach back into it then.
BasicValueObj::~BasicValueObj() { number_->Detach(); }

std::shared_ptr<ValueNumberObj> BasicValueObj::Number() { return number_; }
std::shared_ptr<ValueNumberObj> BasicValueObj::RequestNumber() { return request_; }
double BasicValueObj::NumberValue() { return number_->Value(); }

// Each raise passes its own copy of the reference, as a listener may write into it; the
// raiser is kept alive by a separate one.
template <class Call>
void BasicValueObj::Fire(const std::shared_ptr<ValueObj>& self, Call&& call) {
  std::shared_ptr<ValueObj> arg = self;
  events_.Raise(self, [&](ValueObjEvents& sink) { call(sink, arg); });
}

// A write is the poll path: the value is pinned rather than held, and a strong reference to
// it, the listeners' argument, is taken only when a listener reads it. ValueChanged is raised
// only when a listener hears it; the argument is put back between the two events if a
// listener of the first wrote into it. A listener that reads it, advised during ValueChanged
// on a value nobody holds any more, gets an empty one.
void BasicValueObj::NumberChanged() {
  if (events_.Empty()) return;
  const Pin pin(*this);
  std::shared_ptr<ValueObj> self, arg;
  if (readers_) arg = self = weak_from_this().lock();
  if (valueHeard_) {
    events_.Raise([&](ValueObjEvents& sink) { sink.ValueChanged(arg); });
    if (!self && readers_) self = weak_from_this().lock();
    if (arg != self) arg = self;
  }
  events_.Raise([&](ValueObjEvents& sink) { sink.Changed(arg); });
}

// Noted when the listeners change rather than asked on each write.
void BasicValueObj::NoteListeners() {
  readers_ = events_.Any([](const ValueObjEvents& sink) { return sink.ReadsNewValue(); });
  valueHeard_ = events_.Any([](const ValueObjEvents& sink) { return sink.HearsValueChanged(); });
}

void BasicValueObj::Refresh() { RaiseRefresh(); }
void BasicValueObj::ApplySetup() { RaiseContentChanged(); }

void BasicValueObj::RaiseContentChanged() {
  Fire(weak_from_this().lock(),
       [](ValueObjEvents& s, std::shared_ptr<ValueObj>& v) { s.ContentChanged(v); });
}

void BasicValueObj::RaiseRefresh() {
  Fire(weak_from_this().lock(),
       [](ValueObjEvents& s, std::shared_ptr<ValueObj>& v) { s.Refresh(v); });
}

void BasicValueObj::RaiseInitializeCache(double& initialValue, bool& processed) {
  events_.Raise(weak_from_this().lock(),
                [&](ValueObjEvents& s) { s.InitializeCache(initialValue, processed); });
}

void BasicValueObj::CopyContentTo(const std::shared_ptr<ValueObj>& dest, const Variant& /*extra*/) {
  const auto hold = HoldSelf(*this);  // a foreign destination notifies on each write
  auto* target = dynamic_cast<BasicValueObj*>(err::Required(dest).get());
  if (target == nullptr) {
    // Another component's value: carry the number over through its contract.
    dest->SetName(name_);
    dest->SetShortName(shortName_);
    dest->SetParamNum(paramNum_);
    dest->Number()->SetValue(number_->Value());
    return;
  }
  if (target == this) return;
  target->number_->CopyFrom(*number_);
  target->request_->CopyFrom(*request_);
  target->name_ = name_;
  target->shortName_ = shortName_;
  target->paramNum_ = paramNum_;
  std::copy(std::begin(setup_), std::end(setup_), std::begin(target->setup_));
  target->editLock_ = editLock_;
  target->RaiseContentChanged();
}

Cookie BasicValueObj::Advise(std::shared_ptr<ValueObjEvents> sink) {
  const Cookie cookie = events_.Advise(std::move(sink));
  NoteListeners();
  return cookie;
}
bool BasicValueObj::Unadvise(Cookie cookie) {
  if (!events_.Unadvise(cookie)) return false;
  NoteListeners();
  return true;
}

Variant BasicValueObj::GetProperty(std::string_view name) {
  if (EqualsNoCase(name, "Name")) return name_;
  if (EqualsNoCase(name, "Value")) return number_->Value();
  return Object::GetProperty(name);
}

std::shared_ptr<BasicLockLevelObj> BasicLockLevelObj::create() {
  return std::make_shared<BasicLockLevelObj>();
}

void BasicLockLevelObj::SetLevel(LockLevels& level) {
  if (level == level_) return;
  level_ = level;
  events_.Raise(weak_from_this().lock(), [](LockLevelObjEvents& s) { s.Changed(); });
}

Cookie BasicLockLevelObj::Advise(std::shared_ptr<LockLevelObjEvents> sink) {
  return events_.Advise(std::move(sink));
}
bool BasicLockLevelObj::Unadvise(Cookie cookie) { return events_.Unadvise(cookie); }

}  // namespace zentnet
