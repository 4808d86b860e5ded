#pragma once
// The connection point of a class with events: who listens, in the order they connected.

#include <vector>

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "enumerator.h"
#include "ref.h"

namespace zentnet::com {

// What a connection point needs from the object that owns it.
class ConnectionOwner {
 public:
  virtual IUnknown* Unknown() = 0;
  virtual IConnectionPointContainer* Container() = 0;
  // Called when the first client connects (true) and the last one leaves (false).
  virtual void Listen(bool on) = 0;

 protected:
  ~ConnectionOwner() = default;
};

// Lives inside its owner and shares its reference count.
class ConnectionPoint final : public IConnectionPoint {
 public:
  ConnectionPoint(ConnectionOwner& owner, const IID& events) : owner_(owner), events_(events) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_.Unknown()->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_.Unknown()->Release(); }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

  const IID& Events() const { return events_; }

  // Calls `call(IDispatch*)` for every sink connected when the raise begins and still
  // connected when its turn comes.
  template <class Call>
  void Each(Call&& call) const {
    const std::vector<Connection> snapshot = connections_;
    for (const auto& c : snapshot)
      if (Connected(c.cookie)) call(c.sink.get());
  }

  // Drops every connection (the owner is going away).
  void Clear() { connections_.clear(); }

 private:
  bool Connected(DWORD cookie) const;

  ConnectionOwner& owner_;
  const IID events_;
  std::vector<Connection> connections_;
  DWORD lastCookie_ = 0;
};

}  // namespace zentnet::com
