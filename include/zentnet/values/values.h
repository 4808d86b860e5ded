#pragma once
// Our value-object component.
//
// When each event is raised:
// - Number().SetValue(v) with v different from the stored number (NaN always differs):
//   PreviousValue takes the old number, the new one is stored, then ValueChanged(self)
//   and Changed(self) are raised, in that order; ValueChanged only when a listener hears it
//   (one built with hearsValueChanged false does not). Writing the stored number raises
//   nothing.
// - Refresh(): raises Refresh(self). The drive library listens to it and re-reads the
//   drive; decoders pass the event on to the application.
// - ApplySetup(): raises ContentChanged(self), since the display of the value changes.
// - CopyContentTo(dest): dest takes every stored field (numbers, bounds, codes, names,
//   the request number) without its number events, then raises ContentChanged(dest) once.
// - RaiseContentChanged(), RaiseRefresh(), RaiseInitializeCache(): for the drive library,
//   which raises these when it replaced the content, wants a refresh, or asks listeners to
//   supply a cached initial value.
// - RequestNumber(): a second number with the same set-up fields; writes to it raise
//   nothing. It carries a requested number until the drive library sends it and stores
//   the drive's answer in Number().
//
// What the set-up fields do: this component stores them and gives them back; it enforces
// none of them, because the drive is the authority on a register's range and a decoder must
// be able to store any 32-bit pattern. Bounds A are the range in drive units, bounds B the
// range an editor offers in displayed units (Scale is drive units per displayed unit), and
// the codes A to K tell the drive library how to read, write and show the value.
// EditLock is the lock level an editor needs before it may change the value; this
// component does not consult it.
//
// LockLevelObj raises Changed on a Level write that changes the level, not on a write of
// the level it already holds.

#include <memory>

#include "zentnet/contracts/value_contract.h"

namespace zentnet {

class BasicValueNumberObj;

class BasicValueObj final : public ValueObj,
                            public Pinnable,
                            public std::enable_shared_from_this<BasicValueObj> {
 public:
  static std::shared_ptr<BasicValueObj> create();
  BasicValueObj();
  ~BasicValueObj() override;

  std::shared_ptr<ValueNumberObj> Number() override;
  double NumberValue() override;
  void Refresh() override;

  std::string Name() const override { return name_; }
  void SetName(const std::string& v) override { name_ = v; }
  int32_t ParamNum() const override { return paramNum_; }
  void SetParamNum(int32_t v) override { paramNum_ = v; }
  int32_t SetupA() const override { return setup_[0]; }
  void SetSetupA(int32_t v) override { setup_[0] = v; }
  int32_t SetupB() const override { return setup_[1]; }
  void SetSetupB(int32_t v) override { setup_[1] = v; }
  int32_t SetupC() const override { return setup_[2]; }
  void SetSetupC(int32_t v) override { setup_[2] = v; }
  int32_t SetupD() const override { return setup_[3]; }
  void SetSetupD(int32_t v) override { setup_[3] = v; }
  int32_t SetupE() const override { return setup_[4]; }
  void SetSetupE(int32_t v) override { setup_[4] = v; }
  int32_t SetupF() const override { return setup_[5]; }
  void SetSetupF(int32_t v) override { setup_[5] = v; }
  int32_t SetupG() const override { return setup_[6]; }
  void SetSetupG(int32_t v) override { setup_[6] = v; }

  std::shared_ptr<ValueNumberObj> RequestNumber() override;
  int32_t EditLock() const override { return editLock_; }
  void SetEditLock(int32_t v) override { editLock_ = v; }
  void CopyContentTo(const std::shared_ptr<ValueObj>& dest, const Variant& extra = {}) override;
  std::string ShortName() const override { return shortName_; }
  void SetShortName(const std::string& v) override { shortName_ = v; }
  void ApplySetup() override;

  Cookie Advise(std::shared_ptr<ValueObjEvents> sink) override;
  bool Unadvise(Cookie cookie) override;

  // For the drive library.
  void RaiseContentChanged();
  void RaiseRefresh();
  void RaiseInitializeCache(double& initialValue, bool& processed);
  void RaiseInitializeCache(double&& initialValue, bool&& processed) {
    RaiseInitializeCache(initialValue, processed);
  }

  Variant GetProperty(std::string_view name) override;

 private:
  friend class BasicValueNumberObj;
  void NumberChanged();
  void NoteListeners();
  template <class Call>
  void Fire(const std::shared_ptr<ValueObj>& self, Call&& call);

  std::shared_ptr<BasicValueNumberObj> number_;
  std::shared_ptr<BasicValueNumberObj> request_;
  std::string name_;
  std::string shortName_;
  int32_t paramNum_ = 0;
  int32_t setup_[7] = {};
  int32_t editLock_ = 0;
  EventSource<ValueObjEvents> events_;
  // What the listeners advised now ask of a write, noted on each Advise and Unadvise.
  bool readers_ = false;
  bool valueHeard_ = false;
};

class BasicLockLevelObj final : public LockLevelObj,
                                public std::enable_shared_from_this<BasicLockLevelObj> {
 public:
  static std::shared_ptr<BasicLockLevelObj> create();

  LockLevels Level() const override { return level_; }
  using LockLevelObj::SetLevel;
  void SetLevel(LockLevels& level) override;

  Cookie Advise(std::shared_ptr<LockLevelObjEvents> sink) override;
  bool Unadvise(Cookie cookie) override;

 private:
  LockLevels level_ = LOCK_LEVEL_0;
  EventSource<LockLevelObjEvents> events_;
};

}  // namespace zentnet
