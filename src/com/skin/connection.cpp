#include "connection.h"

#include <algorithm>
#include <new>

#include "unknown.h"

namespace zentnet::com {

HRESULT ConnectionPoint::QueryInterface(REFIID riid, void** ppv) {
  return AnswerAs<IConnectionPoint>(this, riid, ppv, IID_IConnectionPoint);
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (iid == nullptr) return E_POINTER;
  *iid = events_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (out == nullptr) return E_POINTER;
  *out = owner_.Container();
  (*out)->AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = 0;
  if (sink == nullptr) return E_POINTER;
  // A sink answers for the event interface; script hosts' sinks often only for IDispatch.
  Ref<IUnknown> unknown(sink);
  auto dispatch = unknown.As<IDispatch>(events_);
  if (!dispatch) dispatch = unknown.As<IDispatch>(IID_IDispatch);
  if (!dispatch) return CONNECT_E_CANNOTCONNECT;
  try {
    connections_.push_back({dispatch, ++lastCookie_});
    if (connections_.size() == 1) owner_.Listen(true);
  } catch (...) {
    connections_.erase(std::remove_if(connections_.begin(), connections_.end(),
                                      [&](const Connection& c) { return c.cookie == lastCookie_; }),
                       connections_.end());
    return E_OUTOFMEMORY;
  }
  *cookie = lastCookie_;
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  const auto found = std::find_if(connections_.begin(), connections_.end(),
                                  [&](const Connection& c) { return c.cookie == cookie; });
  if (found == connections_.end()) return CONNECT_E_NOCONNECTION;
  // The sink is released after the list is consistent: its release may call back.
  const Connection leaving = *found;
  connections_.erase(found);
  if (connections_.empty()) owner_.Listen(false);
  return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  try {
    *out = Enumerate<IEnumConnections, CONNECTDATA>(connections_);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

bool ConnectionPoint::Connected(DWORD cookie) const {
  return std::any_of(connections_.begin(), connections_.end(),
                     [&](const Connection& c) { return c.cookie == cookie; });
}

}  // namespace zentnet::com
