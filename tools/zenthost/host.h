// The script host: one engine, the script file and the files it includes, the WScript
// object and the event connections the script made.
#pragma once

#include "com.h"

#include <activscp.h>

#include <string>
#include <vector>

namespace zenthost {

class EventSink;

class Host {
 public:
  // The includes run first, in order, in the same engine as the script at `path`.
  Host(std::vector<std::wstring> includes, std::wstring path, std::vector<std::wstring> args);
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;
  ~Host();

  // Runs the whole script; returns the process exit code.
  int Run();

  // For the WScript object.
  void Echo(const std::wstring& line);
  void Quit(int code);
  // Ends the script: where the engine cannot be interrupted, at its next WScript call.
  void Abort();
  bool Quitting() const { return quitting_; }
  bool IsVBScript() const { return vbscript_; }
  const std::wstring& Path() const { return path_; }
  const std::vector<std::wstring>& Arguments() const { return args_; }
  void Connect(IDispatch* object, const std::wstring& prefix);
  void Disconnect(IDispatch* object);
  Ref<IDispatch> ScriptDispatch() const;

  // For the site and the event sinks: an error the script did not handle. The first one
  // decides the exit code; errors after Quit are the abort Quit raised.
  void ReportError(IActiveScriptError* error);
  void HandlerFailed(const std::wstring& handler, HRESULT hr, const EXCEPINFO& info);
  void HandlerFailed(const std::wstring& handler, HRESULT hr, const std::wstring& description);
  int ErrorCount() const { return errors_; }

 private:
  struct Connection {
    Ref<IUnknown> identity;
    Ref<IConnectionPoint> point;
    DWORD cookie;
    Ref<EventSink> sink;
  };
  void DisconnectAll();
  void Record(const std::wstring& file, ULONG line, LONG column, const EXCEPINFO& info);

  // Each file is parsed under its index here as its source context, which is how an
  // error finds the file it came from; the script itself is the last.
  std::vector<std::wstring> files_;
  std::wstring path_;
  std::vector<std::wstring> args_;
  bool vbscript_ = true;
  Ref<IActiveScript> engine_;
  Ref<IDispatch> wscript_;
  std::vector<Connection> connections_;
  bool quitting_ = false;
  int quitCode_ = 0;
  int errors_ = 0;
  int errorCode_ = 0;
};

// The WScript object the script sees.
Ref<IDispatch> MakeWScript(Host& host);

// An event sink that forwards each event of `source` to the script's Sub prefix & name.
class EventSink : public ComObject<IDispatch> {
 public:
  EventSink(Host& host, Ref<ITypeInfo> events, IID iid, std::wstring prefix);
  void Detach() { host_ = nullptr; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override;

 protected:
  bool Accepts(REFIID iid) const override { return iid == iid_; }

 private:
  Host* host_;
  Ref<ITypeInfo> events_;
  IID iid_;
  std::wstring prefix_;
};

// The default source interface of an object's class: its type information and IID.
// Returns false when the object publishes none.
bool FindDefaultSource(IDispatch* object, Ref<ITypeInfo>& events, IID& iid);

}  // namespace zenthost
