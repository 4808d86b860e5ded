// The core's view of a client's own drive and root objects (called through the published
// interface's vtable, or late-bound by name when the object has only IDispatch), the
// network events' records reaching listeners by reference, and every event of every class
// relayed under its identifier. In-process under Wine: the executable carries the type
// library the way the DLL does.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "check.h"
#include "convert.h"
#include "dual.h"
#include "every_event.h"
#include "unknown.h"
#include "zentnet/factory.h"
#include "zentnet/contracts/NetLib.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/automation/collection.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/network/NetSupervisorObj.h"
#include "zentnet/services/CmdLog.h"

namespace zentnet::com {
namespace {

// A client's object: our own skin behind an IDispatch that hides that it is ours, answers
// the published interface only when `early`, and counts the calls that come late-bound.
class ClientObject final : public RefCounted<IDispatch, ClientObject> {
 public:
  ClientObject(IUnknown* inner, const IID& published, bool early)
      : inner_(Ref<IUnknown>(inner).As<IDispatch>(IID_IDispatch)),
        published_(published),
        early_(early) {}
  int lateCalls = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (early_ && IsEqualIID(riid, published_)) return inner_->QueryInterface(riid, ppv);
    return AnswerAs<IDispatch>(this, riid, ppv, IID_IDispatch);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    return inner_->GetTypeInfoCount(n);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
    return inner_->GetTypeInfo(i, l, t);
  }
  // It has no FirmwareName.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l,
                                          DISPID* d) override {
    if (lstrcmpiW(n[0], L"FirmwareName") == 0) return DISP_E_UNKNOWNNAME;
    return inner_->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                                   EXCEPINFO* e, UINT* a) override {
    ++lateCalls;
    return inner_->Invoke(d, r, l, f, p, v, e, a);
  }

 private:
  Ref<IDispatch> inner_;
  IID published_;
  bool early_;
};

class TestDrive final : public InertPhysDriveObj {
 public:
  int32_t address = 7;
  std::shared_ptr<CmdLog> log;
  void SetAddress(int32_t value) override { address = value; }
  int32_t Address() override { return address; }
  void SetLogFile(std::shared_ptr<CmdLog> value) override { log = std::move(value); }
  std::shared_ptr<CmdLog> LogFile() override { return log; }
  bool MotorFileExists(std::string& thePath) override { return (thePath += ".mtr").size() > 4; }
  std::string RunCommand(std::string& baseCmd, int32_t timeOut, bool throwErr) override {
    if (throwErr) throw AutomationError(1234, "Drive", "no reply to " + baseCmd);
    return baseCmd + " in " + std::to_string(timeOut);
  }
  int32_t WakeupDrive(std::shared_ptr<Collection> Drives, int32_t& nDrivesDetected) override {
    nDrivesDetected = Drives ? 2 : -1;
    return 3;
  }
};

void ForeignObjectsAreCalledThroughTheirInterface() {
  for (const bool early : {true, false}) {
    const std::string how = early ? "early: " : "late: ";
    auto core = std::make_shared<TestDrive>();
    const Ref<IUnknown> ours = WrapObject(core);
    const Ref<ClientObject> client(new ClientObject(ours.get(), __uuidof(_PhysDriveObj), early),
                                   false);
    const auto drive = Unwrap<PhysDriveObj>(client.get());
    ExpectEq(drive != nullptr && drive != core, true, how + "the client's drive is adapted");
    ExpectEq(WrapObject(drive).get() == static_cast<IUnknown*>(client.get()), true,
             how + "and wraps back to itself");
    ExpectEq(Unwrap<PhysDriveObj>(client.get()) == drive, true, how + "one adapter while it lives");

    drive->SetAddress(9);
    ExpectEq(core->address + drive->Address(), 18, how + "Let and Get");
    auto log = CmdLog::create();
    drive->SetLogFile(log);
    ExpectEq(core->log == log && drive->LogFile() == log, true,
             how + "Set and Get of an object keep its identity");
    std::string path = "motor";
    ExpectEq(drive->MotorFileExists(path), true, how + "method result");
    ExpectEq(path, "motor.mtr", how + "by-reference text written back");
    std::string cmd = "PV";
    ExpectEq(drive->RunCommand(cmd, 10, false), "PV in 10", how + "by-value arguments");
    ExpectError([&] { drive->RunCommand(cmd); }, 1234, "Drive", "no reply to PV",
                how + "the callee's error");
    int32_t found = 0;
    ExpectEq(drive->WakeupDrive(Collection::create(), found), 3, how + "an object argument");
    ExpectEq(found, 2, how + "by-reference number written back");
    ExpectEq(client->lateCalls == 0, early, how + "late-bound calls only without the interface");
    if (!early)
      ExpectError([&] { drive->FirmwareName(); }, 438, "ZentNetLib",
                  "Object doesn't support this property or method",
                  "late: a member the object lacks");
  }

  // A drive is not a root object.
  ExpectError(
      [&] { Unwrap<NetLib>(Ref<IUnknown>(WrapObject(std::make_shared<TestDrive>())).get()); }, 13,
      "ZentNetLib", "Type mismatch", "a drive where a root object is wanted");
}

// A client's own collection is never taken for ours: every member goes through its dispatch
// interface, left-out arguments left out.
void ClientCollectionsAreCalledLateBound() {
  auto core = Collection::create();
  const Ref<IUnknown> ours = WrapObject(core);
  const Ref<ClientObject> client(new ClientObject(ours.get(), __uuidof(_Collection), false), false);
  const auto theirs = Unwrap<Collection>(client.get());
  ExpectEq(theirs != nullptr && theirs != core, true, "the client's collection is adapted");
  theirs->Add("b", "B");
  theirs->Add("a", {}, 1);
  theirs->Add("c", {}, {}, "b");
  theirs->Remove("B");
  ExpectEq(theirs->Count() * 10 + core->Count(), 22,
           "Count through the adapter and in the collection");
  ExpectEq(theirs->Item(2).ToString() + core->Item(1).ToString(), "ca", "Item");
  ExpectError([&] { theirs->Add("x", {}, 1, 1); }, 5, "ZentNetLib",
              "Invalid procedure call or argument", "the collection's own error");
  ExpectEq(client->lateCalls, 7, "every call late-bound");
}

template <class R>
R& RecordOf(VARIANT& v) {
  ExpectEq(V_VT(&v), VT_BYREF | VT_RECORD, "a record travels by reference");
  return *static_cast<R*>(V_RECORD(&v));
}

void RecordsReachListenersByReference() {
  std::string heard;
  TestSink onNet, onSup;  // outlive the objects they listen to
  auto adapter = NetAdapterObj::create();
  auto supervisor = NetSupervisorObj::create();
  adapter->NetSupervisor(supervisor, nullptr);
  const Ref<IUnknown> net = WrapObject(adapter), sup = WrapObject(supervisor);
  // The adapter's listener changes the record; the supervisor's sees that and changes it again.
  onNet.act = [&](DISPID id, DISPPARAMS* p, EXCEPINFO*) {
    heard += "net " + std::to_string(id) + ", ";
    if (id == 2) RecordOf<::infcErrInfo>(p->rgvarg[0]).errCode += 1;
    if (id == 4) RecordOf<::infcParamChg>(p->rgvarg[0]).NewValue *= 2;
    return S_OK;
  };
  onSup.act = [&](DISPID id, DISPPARAMS* p, EXCEPINFO*) {
    heard += "sup " + std::to_string(id) + ", ";
    ExpectEq(V_VT(&p->rgvarg[1]), VT_BYREF | VT_DISPATCH, "the adapter comes first");
    if (id == 2)
      RecordOf<::infcErrInfo>(p->rgvarg[0]).Node =
          RecordOf<::infcErrInfo>(p->rgvarg[0]).errCode * 10;
    if (id == 4) RecordOf<::infcParamChg>(p->rgvarg[0]).ParamNum = 77;
    return S_OK;
  };
  Expect(onNet.Listen(net.get(), __uuidof(__NetAdapterObj)) &&
             onSup.Listen(sup.get(), __uuidof(__NetSupervisorObj)),
         "advise");

  const auto itf = net.As<_NetAdapterObj>(__uuidof(_NetAdapterObj));
  ::infcErrInfo error{1, 2, 5, {3, {9}}};
  ExpectEq(itf->FireNetworkError(&error), S_OK, "FireNetworkError");
  ExpectEq(error.errCode, 6, "the adapter's listener's write");
  ExpectEq(error.Node, 60, "the supervisor's listener's write, after the adapter's");
  ExpectEq(error.response.buffer[0] + error.nc, 10, "the rest unchanged");
  ::infcParamChg change{1.25, 1, 2, 3};
  ExpectEq(itf->FireParameterChanged(&change), S_OK, "FireParameterChanged");
  ExpectEq(change.NewValue, 2.5, "NewValue written back");
  ExpectEq(change.ParamNum, 77, "ParamNum written back");
  ExpectEq(heard, "net 2, sup 2, net 4, sup 4, ", "order of the listeners");
  ExpectEq(itf->FireNetworkError(nullptr), E_POINTER, "no record");
}

// The rows that raise every event of every class, heard by the core's listener and, through
// the skin, by a client's: each relay must pass each event on under the identifier of the
// core's table (the type library's, as the native surface test checks).
void RelaysPassEveryEventOnUnderItsIdentifier() {
  // The value objects come from the value library, which must be registered: a relay hands
  // them to the client.
  for (const auto& suite : test::kSuites) {
    for (const test::Case& c : suite.cases()) {
      std::vector<std::unique_ptr<TestSink>> sinks;  // outlive the objects they listen to
      std::vector<Ref<IUnknown>> skins;
      test::g_advised = [&](const std::shared_ptr<Object>& core) {
        const ClassInfo* info = FindClass(core->ClassName());
        if (info == nullptr || info->eventInterfaceId.empty()) return;
        skins.push_back(WrapObject(core));
        sinks.push_back(std::make_unique<TestSink>());
        Expect(sinks.back()->Listen(skins.back().get(), ParseGuid(info->eventInterfaceId)),
               "advise " + std::string(core->ClassName()));
      };
      test::Hits hits;
      hits.drop = [] {};
      c.run(hits);
      test::g_advised = nullptr;
      if (sinks.empty()) continue;
      std::string expected, heard;
      for (const auto& [cls, ids] : test::kEventTables)
        for (const auto& name : hits.heard)
          for (const auto& e : ids)
            if (cls == hits.raiser && e.event == name) expected += std::to_string(e.dispId) + " ";
      for (const auto& sink : sinks) heard += sink->heard;
      ExpectEq(heard, expected, std::string(suite.cls) + " " + c.member + " through the skin");
      skins.clear();
    }
  }
}

}  // namespace
}  // namespace zentnet::com

int main() {
  using namespace zentnet::com;
  CoInitialize(nullptr);
  // An error nobody expects ends the program, which the test run reports.
  ForeignObjectsAreCalledThroughTheirInterface();
  ClientCollectionsAreCalledLateBound();
  RecordsReachListenersByReference();
  RelaysPassEveryEventOnUnderItsIdentifier();
  CoUninitialize();
  std::printf("%s: %d failure(s)\n", g_failures == 0 ? "ok" : "FAILED", g_failures);
  return g_failures;
}
