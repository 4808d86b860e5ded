#pragma once
// The network events' records: a listener sees the core's record by reference (VT_RECORD)
// and what it writes there goes back into the core's variable, as with every other event
// argument.

#include <bit>
#include <concepts>

#include "dual.h"
#include "zentnet/contracts/records.h"

namespace zentnet::com {

// The type library's description of record `name`, for the listeners that read it.
Ref<IRecordInfo> RecordInfoOf(const wchar_t* name);

template <class T>
struct NetRecord;
template <>
struct NetRecord<infcErrInfo> {
  using Com = ::infcErrInfo;
  static constexpr const wchar_t* kName = L"infcErrInfo";
};
template <>
struct NetRecord<infcParamChg> {
  using Com = ::infcParamChg;
  static constexpr const wchar_t* kName = L"infcParamChg";
};

template <class T>
requires requires { typename NetRecord<T>::Com; }
class EventArg<T> {
  using C = typename NetRecord<T>::Com;

 public:
  explicit EventArg(T& core)
      : core_(core), com_(std::bit_cast<C>(core)), info_(RecordInfoOf(NetRecord<T>::kName)) {
    if (!info_) err::RaiseTypeMismatch();
  }
  EventArg(const EventArg&) = delete;
  EventArg& operator=(const EventArg&) = delete;
  void Bind(VARIANT& arg) {
    V_VT(&arg) = VT_BYREF | VT_RECORD;
    V_RECORD(&arg) = &com_;
    V_RECORDINFO(&arg) = info_.get();
  }
  void WriteBack() { core_ = std::bit_cast<T>(com_); }

 private:
  T& core_;
  C com_;
  Ref<IRecordInfo> info_;
};

}  // namespace zentnet::com
