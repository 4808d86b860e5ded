#pragma once
// One recorder for the supervisor and its adapters, writing into one journal so that a test
// sees the order of events across all of them, with hooks that answer like an application.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "error_text.h"
#include "recorder.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/network/NetSupervisorObj.h"

namespace zentnet::test {

using Lines = std::vector<std::string>;
using AdapterRef = std::shared_ptr<NetAdapterObj>;

inline std::string Text(const std::string& s) { return s; }
inline std::string Text(int64_t n) { return std::to_string(n); }
inline std::string Text(const AdapterRef& a) {
  return a ? "port" + std::to_string(a->PortNumber()) : "none";
}
inline std::string Text(const std::shared_ptr<Object>& peer) {
  return peer ? std::string(peer->ClassName()) : "nopeer";
}

// A peer as the application would hand one in; the adapter only stores it.
class TestPeer final : public Object {
 public:
  explicit TestPeer(std::string name) : name_(std::move(name)) {}
  std::string_view ClassName() const override { return name_; }

 private:
  std::string name_;
};
inline std::shared_ptr<Object> MakePeer(std::string name) {
  return std::make_shared<TestPeer>(std::move(name));
}

// Lines are "<label> <Event> <args>", the supervisor's with netRef first. Advised to an
// adapter, it also writes into the by-reference arguments, so that a test sees whether the
// supervisor was handed the very same variables.
class Recorder final : public NetSupervisorObjEvents, public NetAdapterObjEvents {
 public:
  Recorder(Journal& j, std::string label) : j_(j), label_(std::move(label)) {}

  std::function<void(std::shared_ptr<Object>&, bool&, int32_t&, bool&)> onRequest;
  std::function<void(AdapterRef&, NetworkChanges&)> onChanged;
  std::optional<NetworkChanges> rewriteState;

  void NetworkChanged(AdapterRef& a, NetworkChanges& s) override {
    Log("NetworkChanged", a, s);
    if (onChanged) onChanged(a, s);
  }
  void NetworkError(AdapterRef& a, infcErrInfo& e) override { Log("NetworkError", a, e.errCode); }
  void DriveParameterChanged(AdapterRef& a, std::shared_ptr<PhysDriveObj>& node,
                             std::shared_ptr<ValueObj>& value) override {
    Log("DriveParameterChanged", a, node ? "node" : "nonode", value ? value->Name() : "novalue");
  }
  void ParameterChanged(AdapterRef& a, infcParamChg& c) override {
    Log("ParameterChanged", a, c.ParamNum);
  }
  void PointToPointChanged(AdapterRef& a, int32_t& addr, PointToPointStatus& s) override {
    Log("PointToPointChanged", a, addr, s);
  }
  void RequestNetOpen(AdapterRef& a, std::shared_ptr<Object>& peer, bool& newState, int32_t& port,
                      bool& success) override {
    Log("RequestNetOpen", a, peer, newState, port, success);
    if (onRequest) onRequest(peer, newState, port, success);
  }

  void NetworkChanged(NetworkChanges& s) override {
    Log("NetworkChanged", s);
    if (rewriteState) s = *rewriteState;
  }
  void NetworkError(infcErrInfo& e) override { Log("NetworkError", e.errCode), e.errCode += 1000; }
  void DriveParameterChanged(std::shared_ptr<PhysDriveObj>& node,
                             std::shared_ptr<ValueObj>& value) override {
    Log("DriveParameterChanged", node ? "node" : "nonode", value ? value->Name() : "novalue");
  }
  void ParameterChanged(infcParamChg& c) override {
    Log("ParameterChanged", c.ParamNum), c.ParamNum += 1000;
  }
  void PointToPointChanged(int32_t& addr, PointToPointStatus& s) override {
    Log("PointToPointChanged", addr, s), addr += 1000;
  }
  void RequestNetOpen(std::shared_ptr<Object>& peer, bool& newState, int32_t& port,
                      bool& success) override {
    Log("RequestNetOpen", peer, newState, port, success);
    if (onRequest) onRequest(peer, newState, port, success);
  }

 private:
  template <class... T>
  void Log(const char* event, const T&... args) {
    std::string line = label_ + " " + event;
    ((line += " " + Text(args)), ...);
    j_.Add(std::move(line));
  }

  Journal& j_;
  std::string label_;
};

inline void Confirm(std::shared_ptr<Object>&, bool&, int32_t&, bool& success) { success = true; }

const std::string kOverflow = "6|ZentNetLib|Overflow||0";
const std::string kPortError =
    "6301|NetAdapterObj.NetOpen(let opening)|Port setup problems: busy or non-existant||0";

inline AdapterRef AdapterAt(const std::shared_ptr<Collection>& nets, int32_t k) {
  return nets->ItemAs<NetAdapterObj>(k);
}

}  // namespace zentnet::test
