// An early-bound client of ZentNetLib, written against the published contract table
// (tests/support/contract_table.h) rather than our own IDL or header.
//
//   contract_client [--typelib FILE [--syskind win32|win64]]
//
// Checking the registered type library (or with --typelib the one in FILE, loaded without
// registering anything, for the system kind given, by default this client's own): every
// class's coclass, default interface and event interface, every member's vtable slot,
// kind, dispatch identifier and parameters (types, by-reference, optional and default
// flags, result), every event's place, dispatch identifier and arguments, the interfaces
// of other libraries the members name, every enumeration and record (each enumerator and
// field with a help string). The skin is compiled from the IDL this type library comes
// from, so a slot found in its place here is the slot the skin's own client (skin_test)
// calls through our header, undescribed write slots included: their place shows in the
// next member's.
//
// Each mismatch is one line naming the class, the member and both values; the exit status
// is the number of mismatches (capped at 125), so 0 means the contract holds.
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "contract_table.h"

using namespace contract;

namespace {

int g_failures = 0;
// Checking a type library from a file: its references to other libraries resolve only
// through their registration for its system kind, which a 32-bit build's lacks where it
// cannot run. What hangs on them is then noted as not checked rather than failed.
bool g_fromFile = false;

void Fail(const std::string& line) {
  std::printf("%s\n", line.c_str());
  ++g_failures;
}

[[noreturn]] void BadTable(const std::string& what) {
  std::printf("contract table: %s\n", what.c_str());
  std::exit(2);
}

// The rows of a table text: "; " between them.
std::vector<std::string> Rows(const char* text) {
  std::vector<std::string> out;
  std::string all = text;
  for (size_t at = 0, end; at < all.size(); at = end + 1) {
    end = std::min(all.find(';', at), all.size());
    size_t first = all.find_first_not_of(' ', at);
    if (first < end)
      out.push_back(all.substr(first, all.find_last_not_of(' ', end - 1) + 1 - first));
  }
  return out;
}

// A property's row gives its read's parameters ("args -> Type"); its writes take the same
// arguments and then the value, by reference where the row's type says "ref".
std::string FormParams(char form, const std::string& row) {
  const size_t arrow = row.find("-> ");
  if (!std::strchr("gls", form) || arrow == std::string::npos) return row;
  std::string args = row.substr(0, arrow), type = row.substr(arrow + 3);
  if (form == 'g') return args + "-> " + (type.compare(0, 4, "ref ") ? type : type.substr(4));
  return args.empty() ? type : args.substr(0, args.size() - 1) + ", " + type;
}

// The kind of function a letter of the table describes, and the kind's name in messages.
INVOKEKIND InvokeKindOf(char form) {
  return form == 'g'               ? INVOKE_PROPERTYGET
         : form == 's'             ? INVOKE_PROPERTYPUTREF
         : std::strchr("lw", form) ? INVOKE_PROPERTYPUT
                                   : INVOKE_FUNC;
}
const char* KindName(INVOKEKIND kind) {
  return kind == INVOKE_PROPERTYGET      ? "Get"
         : kind == INVOKE_PROPERTYPUT    ? "Let"
         : kind == INVOKE_PROPERTYPUTREF ? "Set"
                                         : "method";
}

GUID ParseGuid(const wchar_t* text) {
  GUID guid{};
  if (FAILED(IIDFromString(const_cast<LPOLESTR>(text), &guid))) BadTable("bad identifier");
  return guid;
}

// Names and the texts compared here are ASCII.
std::string Narrow(const wchar_t* wide) {
  return wide ? std::string(wide, wide + wcslen(wide)) : std::string();
}
std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string GuidText(const GUID& guid) {
  wchar_t wide[40];
  StringFromGUID2(guid, wide, 40);
  return Narrow(wide);
}

// An interface pointer released with it (never copied).
template <class T>
struct Ptr {
  T* p = nullptr;
  ~Ptr() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

// The attributes of a type, released with it.
struct Attr {
  ITypeInfo* info;
  TYPEATTR* attr = nullptr;
  explicit Attr(ITypeInfo* i) : info(i) {
    if (FAILED(info->GetTypeAttr(&attr))) attr = nullptr;
  }
  ~Attr() {
    if (attr) info->ReleaseTypeAttr(attr);
  }
  TYPEATTR* operator->() const { return attr; }
};

std::string TypeName(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
  BSTR name = nullptr;
  if (FAILED(info->GetDocumentation(id, &name, nullptr, nullptr, nullptr))) return {};
  std::string out = Narrow(name);
  SysFreeString(name);
  return out;
}

// A dual interface may be handed out as its dispatch view; the vtable view hangs off it at -1.
bool VtableView(ITypeInfo* info, Ptr<ITypeInfo>& vtable) {
  HREFTYPE ref = 0;
  if (Attr(info)->typekind != TKIND_DISPATCH) {
    info->AddRef();
    vtable.p = info;
    return true;
  }
  return SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) &&
         SUCCEEDED(info->GetRefTypeInfo(ref, &vtable));
}

std::string SignatureText(ITypeInfo* info, const FUNCDESC& fd);

// One line for each mismatch, naming what differs and both values.
void Compare(const std::string& what, const std::string& want, const std::string& got) {
  if (got != want) Fail(what + ": expected " + want + ", found " + got);
}

// The table's rows against those read from the type library: one line for each row missing
// on either side. Names match without regard to case: a type library keeps one spelling of
// a name for all its uses, and clients bind by position or by a case-insensitive name. From
// a file, another library's types may not resolve (see g_fromFile), and the rest of a row is
// still compared; unresolved, an interface (named "_...") shows the pointer holding it as
// "ref".
void Diff(const std::string& owner, const std::vector<std::string>& want,
          const std::vector<std::string>& got) {
  static const std::regex kInterface(R"(\w+Lib\._\w+)"), kOther(R"(\w+Lib\.\w+)");
  const auto same = [](const std::string& w, const std::string& g) {
    const std::string unresolved = std::regex_replace(
        std::regex_replace(w, kInterface, "ref <unresolved>"), kOther, "<unresolved>");
    return _stricmp(w.c_str(), g.c_str()) == 0 ||
           (g_fromFile && _stricmp(unresolved.c_str(), g.c_str()) == 0);
  };
  for (const std::string& w : want)
    if (std::none_of(got.begin(), got.end(), [&](const std::string& g) { return same(w, g); }))
      Fail(owner + ": expected " + w);
  for (const std::string& g : got)
    if (std::none_of(want.begin(), want.end(), [&](const std::string& w) { return same(w, g); }))
      Fail(owner + ": found " + g);
}

constexpr long kNoDispid = 0x7FFFFFFF;
// A row of a member: its slot, name, kind, published dispatch identifier and parameters.
std::string SlotRow(unsigned slot, const std::string& name, INVOKEKIND kind, long dispid,
                    const std::string& params) {
  return "slot " + std::to_string(slot) + " " + name + " " + KindName(kind) +
         (dispid == kNoDispid ? "" : " @" + std::to_string(dispid)) + ": " + params;
}
// A row of an event: its place, name, dispatch identifier and arguments.
std::string EventRow(size_t place, const std::string& name, long dispid, const std::string& args) {
  return "event " + std::to_string(place) + " " + name + "=" + std::to_string(dispid) + ": " + args;
}

// The rows of what the type library describes of an interface: its members (with their
// dispatch identifiers where `dispids`) or, for an event interface, its events, each of
// which its name must find too.
std::vector<std::string> Described(ITypeInfo* info, bool events, bool dispids) {
  std::vector<std::string> out;
  Attr attr(info);
  for (UINT i = 0; attr.attr && i < attr->cFuncs; ++i) {
    FUNCDESC* fd = nullptr;
    if (FAILED(info->GetFuncDesc(i, &fd))) continue;
    std::string name = TypeName(info, fd->memid), params = SignatureText(info, *fd);
    if (events) {
      std::wstring wide = Widen(name);
      LPOLESTR names[] = {wide.data()};
      MEMBERID byName = MEMBERID_NIL;
      info->GetIDsOfNames(names, 1, &byName);
      out.push_back(EventRow(i + 1, name, fd->memid, params) +
                    (byName == fd->memid ? "" : " (by name " + std::to_string(byName) + ")"));
    } else {
      out.push_back(SlotRow(static_cast<unsigned>(fd->oVft / sizeof(void*)), name, fd->invkind,
                            dispids ? fd->memid : kNoDispid, params));
    }
    info->ReleaseFuncDesc(fd);
  }
  return out;
}

// Every member of a member list ("Name[@dispid]:forms[ parameters]" rows, slots counted from
// the first after IDispatch's) in its slot, and nothing else in the interface `vtable`; an
// undescribed write has its slot (the next member's number counts it) and no description.
void CheckSlots(const char* owner, ITypeInfo* vtable, const char* members) {
  std::vector<std::string> want;
  bool dispids = false;
  unsigned index = kDispatchSlots;
  for (const std::string& row : Rows(members)) {
    size_t colon = row.find(':'), at = row.find('@'), space = std::min(row.find(' '), row.size());
    if (colon == std::string::npos || colon + 1 >= space) BadTable(owner + (" " + row));
    dispids = dispids || at < colon;
    long dispid = at < colon ? std::strtol(row.c_str() + at + 1, nullptr, 10) : kNoDispid;
    std::string params = space < row.size() ? row.substr(space + 1) : "";
    for (char form : row.substr(colon + 1, space - colon - 1))
      if (++index, form != 'w')
        want.push_back(SlotRow(index - 1, row.substr(0, std::min(colon, at)), InvokeKindOf(form),
                               dispid, FormParams(form, params)));
  }
  Diff(owner, want, Described(vtable, false, dispids));
}

// ------------------------------------------------------------------------------------------
// The type library

// A class: its coclass, named as the class, names its default interface ("_Name", dual,
// derived from IDispatch, every member in its slot) and, where the class raises events, its
// default source (the dispinterface "__Name", every event in its place).
void CheckClass(ITypeLib* lib, const Class& c) {
  const std::string name = c.name;
  std::string want = "coclass " + name + ", default " + GuidText(ParseGuid(c.iid)) +
                     (c.eventIid ? ", events " + GuidText(ParseGuid(c.eventIid)) : "") + "; _" +
                     name + " dual from IDispatch" +
                     (c.eventIid ? "; __" + name + " dispinterface" : ""),
              got = "no coclass";
  Ptr<ITypeInfo> coclass, itf, vtable, base, events;
  if (SUCCEEDED(lib->GetTypeInfoOfGuid(ParseGuid(c.clsid), &coclass)) &&
      Attr(coclass.p)->typekind == TKIND_COCLASS) {
    got = "coclass " + TypeName(coclass.p);
    for (UINT i = 0; i < Attr(coclass.p)->cImplTypes; ++i) {
      INT flags = 0;
      HREFTYPE ref = 0;
      Ptr<ITypeInfo> impl;
      if (SUCCEEDED(coclass->GetImplTypeFlags(i, &flags)) && (flags & IMPLTYPEFLAG_FDEFAULT) &&
          SUCCEEDED(coclass->GetRefTypeOfImplType(i, &ref)) &&
          SUCCEEDED(coclass->GetRefTypeInfo(ref, &impl)))
        got += (flags & IMPLTYPEFLAG_FSOURCE ? ", events " : ", default ") +
               GuidText(Attr(impl.p)->guid);
    }
  }
  HREFTYPE ref = 0;
  if (SUCCEEDED(lib->GetTypeInfoOfGuid(ParseGuid(c.iid), &itf)) && VtableView(itf.p, vtable)) {
    got += "; " + TypeName(vtable.p) + (Attr(itf.p)->wTypeFlags & TYPEFLAG_FDUAL ? " dual" : "");
    if (Attr(vtable.p)->cImplTypes == 1 && SUCCEEDED(vtable->GetRefTypeOfImplType(0, &ref)) &&
        SUCCEEDED(vtable->GetRefTypeInfo(ref, &base)))
      got += " from " + TypeName(base.p);
    CheckSlots(c.name, vtable.p, c.members);
  }
  if (c.eventIid && SUCCEEDED(lib->GetTypeInfoOfGuid(ParseGuid(c.eventIid), &events))) {
    got += "; " + TypeName(events.p) +
           (Attr(events.p)->typekind == TKIND_DISPATCH ? " dispinterface" : "");
    std::vector<std::string> rows;
    for (const std::string& row : Rows(c.events)) {
      size_t eq = row.find('='), space = std::min(row.find(' '), row.size());
      if (eq == std::string::npos) BadTable(name + " " + row);
      rows.push_back(EventRow(rows.size() + 1, row.substr(0, eq),
                              std::strtol(row.c_str() + eq + 1, nullptr, 10),
                              space < row.size() ? row.substr(space + 1) : ""));
    }
    Diff(name, rows, Described(events.p, true, true));
  }
  Compare(name, want, got);
}

// ---- Parameters, enumerations and records ------------------------------------------------

std::string TypeText(ITypeInfo* info, const TYPEDESC& t);

// The types of other libraries the members name, by "Library.Name", as first met.
std::map<std::string, ITypeInfo*> g_foreign;

// The type `ref` names, as "Name", or "Library.Name" when another library describes it.
std::string RefText(ITypeInfo* info, HREFTYPE ref, TYPEKIND* kind = nullptr) {
  Ptr<ITypeInfo> target;
  Ptr<ITypeLib> lib, home;
  UINT index = 0;
  if (FAILED(info->GetRefTypeInfo(ref, &target))) return "<unresolved>";
  if (kind) *kind = Attr(target.p)->typekind;
  std::string name = TypeName(target.p);
  if (SUCCEEDED(target->GetContainingTypeLib(&lib, &index)) &&
      SUCCEEDED(info->GetContainingTypeLib(&home, &index))) {
    BSTR libName = nullptr, homeName = nullptr;
    lib->GetDocumentation(-1, &libName, nullptr, nullptr, nullptr);
    home->GetDocumentation(-1, &homeName, nullptr, nullptr, nullptr);
    if (Narrow(libName) != Narrow(homeName)) {
      name = Narrow(libName) + "." + name;
      if (g_foreign.emplace(name, target.p).second) target->AddRef();
    }
    SysFreeString(libName);
    SysFreeString(homeName);
  }
  return name;
}

// An interface of the library's own kind, which a parameter takes as one level of pointer
// (IDispatch and IUnknown carry theirs in the type itself).
bool IsInterface(ITypeInfo* info, const TYPEDESC& t) {
  TYPEKIND kind = TKIND_MAX;
  if (t.vt == VT_USERDEFINED) RefText(info, t.hreftype, &kind);
  return kind == TKIND_INTERFACE || kind == TKIND_DISPATCH || kind == TKIND_COCLASS;
}

std::string TypeText(ITypeInfo* info, const TYPEDESC& t) {
  static const std::pair<VARTYPE, const char*> kNames[] = {
      {VT_I2, "short"},           {VT_I4, "long"},           {VT_R8, "double"},
      {VT_BSTR, "BSTR"},          {VT_BOOL, "VARIANT_BOOL"}, {VT_VARIANT, "VARIANT"},
      {VT_DISPATCH, "IDispatch"}, {VT_UNKNOWN, "IUnknown"},  {VT_UI1, "unsigned char"}};
  for (const auto& [vt, name] : kNames)
    if (t.vt == vt) return name;
  if (t.vt == VT_USERDEFINED) return RefText(info, t.hreftype);
  if (t.vt == VT_CARRAY)
    return TypeText(info, t.lpadesc->tdescElem) + "[" +
           std::to_string(t.lpadesc->rgbounds[0].cElements) + "]";
  if (t.vt == VT_PTR)
    return (IsInterface(info, *t.lptdesc) ? "" : "ref ") + TypeText(info, *t.lptdesc);
  return "vt" + std::to_string(t.vt);
}

// A default value as the table writes it: texts quoted, Booleans as true or false.
std::string ValueText(const VARIANT& v) {
  VARIANT text;
  VariantInit(&text);
  if (V_VT(&v) == VT_BOOL) return V_BOOL(&v) ? "true" : "false";
  if (FAILED(VariantChangeTypeEx(&text, const_cast<VARIANT*>(&v), 0x409, 0, VT_BSTR)))
    return "vt" + std::to_string(V_VT(&v));
  std::string out = Narrow(V_BSTR(&text));
  VariantClear(&text);
  return V_VT(&v) == VT_BSTR ? "\"" + out + "\"" : out;
}

// A function's parameters as the table writes them (see Signature in contract_table.h).
std::string SignatureText(ITypeInfo* info, const FUNCDESC& fd) {
  std::string out, result;
  for (SHORT p = 0; p < fd.cParams; ++p) {
    const ELEMDESC& e = fd.lprgelemdescParam[p];
    const USHORT flags = e.paramdesc.wParamFlags;
    if (flags & PARAMFLAG_FRETVAL) {
      result = " -> " + TypeText(info, e.tdesc.vt == VT_PTR ? *e.tdesc.lptdesc : e.tdesc);
      continue;
    }
    if (!out.empty()) out += ", ";
    out += TypeText(info, e.tdesc);
    if (flags & PARAMFLAG_FOPT) out += " opt";
    if ((flags & PARAMFLAG_FHASDEFAULT) && e.paramdesc.pparamdescex)
      out += "=" + ValueText(e.paramdesc.pparamdescex->varDefaultValue);
  }
  out += result;
  return out.size() > 1 && out[0] == ' ' ? out.substr(1) : out;
}

// The vtable half of another library's interface: the collection's, which ours describes,
// by its identifier; the value object's as the members name it.
bool InterfaceNamed(ITypeLib* lib, const Interface& itf, Ptr<ITypeInfo>& vtable) {
  Ptr<ITypeInfo> info;
  if (&itf == &kCollection)
    return SUCCEEDED(lib->GetTypeInfoOfGuid(ParseGuid(itf.iid), &info)) &&
           VtableView(info.p, vtable);
  const auto named = g_foreign.find("ValuesLib." + std::string(itf.name));
  return named != g_foreign.end() && VtableView(named->second, vtable);
}

// The interfaces of other libraries: each member in its slot, with its dispatch identifier.
void CheckForeignInterfaces(ITypeLib* lib) {
  for (const Interface* itf : {&kCollection, &kValueObj}) {
    Ptr<ITypeInfo> vtable;
    if (InterfaceNamed(lib, *itf, vtable)) {
      Compare(itf->name + std::string(" identifier"), GuidText(ParseGuid(itf->iid)),
              GuidText(Attr(vtable.p)->guid));
      CheckSlots(itf->name, vtable.p, itf->members);
    } else if (g_fromFile && itf == &kValueObj) {
      std::printf("not checked: %s (another library's type)\n", itf->name);
    } else {
      Fail(itf->name + (": interface " + Narrow(itf->iid)) + " not found");
    }
  }
}

// The type of the library named `name` (once found, kept in `info`), or nothing.
bool TypeNamed(ITypeLib* lib, const char* name, TYPEKIND kind, Ptr<ITypeInfo>& info) {
  if (info.p) return true;
  for (UINT i = 0, n = lib->GetTypeInfoCount(); i < n; ++i) {
    TYPEKIND k;
    Ptr<ITypeInfo> candidate;
    if (SUCCEEDED(lib->GetTypeInfoType(i, &k)) && k == kind &&
        SUCCEEDED(lib->GetTypeInfo(i, &candidate)) && TypeName(candidate.p) == name) {
      std::swap(info.p, candidate.p);
      return true;
    }
  }
  return false;
}

// Every enumeration's values, and every record's fields with their offsets and its size.
void CheckEnumerationsAndRecords(ITypeLib* lib) {
  for (const Enumeration& e : kEnumerations) {
    Ptr<ITypeInfo> info;
    std::string got, want;
    for (unsigned long v : EnumerationValues(e.values)) want += std::to_string(v) + " ";
    for (UINT i = 0; TypeNamed(lib, e.name, TKIND_ENUM, info) && i < Attr(info.p)->cVars; ++i) {
      VARDESC* vd = nullptr;
      if (FAILED(info->GetVarDesc(i, &vd))) continue;
      got += std::to_string(static_cast<uint32_t>(V_I4(vd->lpvarValue))) + " ";
      info->ReleaseVarDesc(vd);
    }
    Compare("enumeration " + std::string(e.name), want, got);
  }
  for (const Record& r : kRecords) {
    Ptr<ITypeInfo> info;
    std::string got;
    for (UINT i = 0; TypeNamed(lib, r.name, TKIND_RECORD, info) && i < Attr(info.p)->cVars; ++i) {
      VARDESC* vd = nullptr;
      if (FAILED(info->GetVarDesc(i, &vd))) continue;
      got += (got.empty() ? "" : " ") + TypeName(info.p, vd->memid) + ":" +
             TypeText(info.p, vd->elemdescVar.tdesc) + "@" + std::to_string(vd->oInst);
      info->ReleaseVarDesc(vd);
    }
    if (info.p) got += " size " + std::to_string(Attr(info.p)->cbSizeInstance);
    Compare("record " + std::string(r.name), r.fields + (" size " + std::to_string(r.size)), got);
  }
}

void CheckLibrary(ITypeLib* lib, SYSKIND syskind) {
  TLIBATTR* attr = nullptr;
  if (SUCCEEDED(lib->GetLibAttr(&attr))) {
    Compare("library",
            GuidText(ParseGuid(kLibId)) + " " + std::to_string(kLibMajor) + "." +
                std::to_string(kLibMinor) + " system kind " + std::to_string(syskind),
            GuidText(attr->guid) + " " + std::to_string(attr->wMajorVerNum) + "." +
                std::to_string(attr->wMinorVerNum) + " system kind " +
                std::to_string(attr->syskind));
    lib->ReleaseTLibAttr(attr);
  }
  for (const Class& c : kClasses) CheckClass(lib, c);
  CheckForeignInterfaces(lib);
  CheckEnumerationsAndRecords(lib);
  for (const auto& [name, info] : g_foreign) info->Release();
}

}  // namespace

int main(int argc, char** argv) {
  const char* file = argc >= 3 && argv[1] == std::string("--typelib") ? argv[2] : nullptr;
  const std::string kind = argc == 5 && file && argv[3] == std::string("--syskind") ? argv[4] : "";
  const SYSKIND syskind = kind.empty()      ? (sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32)
                          : kind == "win32" ? SYS_WIN32
                                            : SYS_WIN64;
  if (argc > 1 && !(file && (argc == 3 || kind == "win32" || kind == "win64")))
    return std::printf("usage: contract_client [--typelib FILE [--syskind win32|win64]]\n"), 2;
  g_fromFile = file != nullptr;
  ITypeLib* lib = nullptr;
  const std::wstring path = file ? Widen(file) : std::wstring();
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) ||
      FAILED(file ? LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib)
                  : LoadRegTypeLib(ParseGuid(kLibId), kLibMajor, kLibMinor, 0, &lib)))
    return std::printf("cannot load the %s type library\n", file ? file : "registered"), 2;
  CheckLibrary(lib, syskind);
  lib->Release();
  std::printf("type library: %d mismatch(es)\n", g_failures);
  CoUninitialize();
  return g_failures > 125 ? 125 : g_failures;
}
