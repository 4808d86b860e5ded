#pragma once
// Recording sinks for the supervisor and its adapters, writing into one journal so that a
// test sees the order of events across all of them, and an application-like listener that
// answers RequestNetOpen the way a host application would.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "recorder.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/network/NetSupervisorObj.h"

namespace zentnet::test {

inline std::string Who(const std::shared_ptr<NetAdapterObj>& a) {
  return a ? "port" + std::to_string(a->PortNumber()) : "none";
}

inline std::string PeerName(const std::shared_ptr<Object>& peer) {
  return peer ? std::string(peer->ClassName()) : "nopeer";
}

// A peer object as the application would hand one in; the adapter only stores it.
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

// Records every supervisor event as "S <Event> <netRef> <args>". `onRequest` and
// `onChanged` let a test act like an application.
class SupervisorRecorder : public NetSupervisorObjEvents {
 public:
  explicit SupervisorRecorder(Journal& j) : j_(j) {}

  void NetworkChanged(std::shared_ptr<NetAdapterObj>& netRef, NetworkChanges& theState) override {
    j_.Add("S NetworkChanged " + Who(netRef) + " " + std::to_string(theState));
    if (onChanged) onChanged(netRef, theState);
  }
  void NetworkError(std::shared_ptr<NetAdapterObj>& netRef, infcErrInfo& theErr) override {
    j_.Add("S NetworkError " + Who(netRef) + " " + std::to_string(theErr.errCode));
  }
  void DriveParameterChanged(std::shared_ptr<NetAdapterObj>& netRef,
                             std::shared_ptr<PhysDriveObj>& Node,
                             std::shared_ptr<ValueObj>& NewValue) override {
    j_.Add("S DriveParameterChanged " + Who(netRef) + (Node ? " node" : " nonode") +
           (NewValue ? " " + NewValue->Name() : " novalue"));
  }
  void ParameterChanged(std::shared_ptr<NetAdapterObj>& netRef, infcParamChg& chgObj) override {
    j_.Add("S ParameterChanged " + Who(netRef) + " " + std::to_string(chgObj.ParamNum));
  }
  void PointToPointChanged(std::shared_ptr<NetAdapterObj>& netRef, int32_t& nodeAddr,
                           PointToPointStatus& state) override {
    j_.Add("S PointToPointChanged " + Who(netRef) + " " + std::to_string(nodeAddr) + " " +
           std::to_string(state));
  }
  void RequestNetOpen(std::shared_ptr<NetAdapterObj>& netRef, std::shared_ptr<Object>& Peer,
                      bool& newState, int32_t& PortNumber, bool& success) override {
    j_.Add("S RequestNetOpen " + Who(netRef) + " " + PeerName(Peer) + " " +
           std::to_string(newState) + " " + std::to_string(PortNumber) + " " +
           std::to_string(success));
    if (onRequest) onRequest(netRef, Peer, newState, PortNumber, success);
  }

  std::function<void(std::shared_ptr<NetAdapterObj>&, std::shared_ptr<Object>&, bool&, int32_t&,
                     bool&)>
      onRequest;
  std::function<void(std::shared_ptr<NetAdapterObj>&, NetworkChanges&)> onChanged;

 private:
  Journal& j_;
};

// Records every event of one adapter as "<label> <Event> <args>".
class AdapterRecorder : public NetAdapterObjEvents {
 public:
  AdapterRecorder(Journal& j, std::string label) : j_(j), label_(std::move(label)) {}

  void NetworkChanged(NetworkChanges& theState) override {
    j_.Add(label_ + " NetworkChanged " + std::to_string(theState));
    if (rewriteState) theState = *rewriteState;
  }
  void NetworkError(infcErrInfo& theErr) override {
    j_.Add(label_ + " NetworkError " + std::to_string(theErr.errCode));
    theErr.errCode += 1000;
  }
  void DriveParameterChanged(std::shared_ptr<PhysDriveObj>& Node,
                             std::shared_ptr<ValueObj>& NewValue) override {
    j_.Add(label_ + " DriveParameterChanged" + (Node ? " node" : " nonode") +
           (NewValue ? " " + NewValue->Name() : " novalue"));
  }
  void ParameterChanged(infcParamChg& chgObj) override {
    j_.Add(label_ + " ParameterChanged " + std::to_string(chgObj.ParamNum));
    chgObj.ParamNum += 1000;
  }
  void PointToPointChanged(int32_t& nodeAddr, PointToPointStatus& state) override {
    j_.Add(label_ + " PointToPointChanged " + std::to_string(nodeAddr) + " " +
           std::to_string(state));
    nodeAddr += 1000;
  }
  void RequestNetOpen(std::shared_ptr<Object>& Peer, bool& newState, int32_t& PortNumber,
                      bool& success) override {
    j_.Add(label_ + " RequestNetOpen " + PeerName(Peer) + " " + std::to_string(newState) + " " +
           std::to_string(PortNumber) + " " + std::to_string(success));
    if (onRequest) onRequest(Peer, newState, PortNumber, success);
  }

  std::function<void(std::shared_ptr<Object>&, bool&, int32_t&, bool&)> onRequest;
  std::optional<NetworkChanges> rewriteState;

 private:
  Journal& j_;
  std::string label_;
};

}  // namespace zentnet::test
