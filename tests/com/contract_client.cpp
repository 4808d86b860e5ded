// An early-bound client of ZentNetLib, written against the published contract table
// (tests/support/contract_table.h) rather than our own IDL or header.
//
//   contract_client [--objects] [--typelib FILE [--syskind win32|win64]]
//
// Checking the registered type library (or with --typelib the one in FILE, loaded without
// registering anything, for the system kind given, by default this client's own): every
// class's coclass, default interface and event interface, every member's vtable slot,
// kind, dispatch identifier and parameters (types, by-reference, optional and default
// flags, result), every event's place, dispatch identifier and arguments, the interfaces
// of other libraries the members name, every enumeration and record (each enumerator and
// field with a help string). With --objects the registered DLL is loaded too: each class is
// created by class id, members are called through raw vtable slots taken from the table,
// and events arrive at early-bound sinks.
//
// Each mismatch is one line naming the class, the member and both values; the exit status
// is the number of mismatches (capped at 125), so 0 means the contract holds.
#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleauto.h>

#include <cstdarg>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "contract_table.h"
#include "sink.h"

using namespace contract;

namespace {

int g_failures = 0;
// Checking a type library from a file: its references to other libraries resolve only
// through their registration for its system kind, which a 32-bit build's lacks where it
// cannot run. What hangs on them is then noted as not checked rather than failed.
bool g_fromFile = false;

void NotChecked(const char* what) {
  std::printf("not checked: %s (another library's type)\n", what);
}

void Fail(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stdout, format, args);
  va_end(args);
  std::fputc('\n', stdout);
  ++g_failures;
}

[[noreturn]] void BadTable(const std::string& what) {
  std::printf("contract table: %s\n", what.c_str());
  std::exit(2);
}

// One vtable slot of the table: g l s m f w as in the table, and the parameters that form
// takes as SignatureText writes them.
constexpr long kNoDispid = 0x7FFFFFFF;
struct Slot {
  std::string member;
  char form;
  unsigned index;
  long dispid = kNoDispid;
  std::string params;
};
struct Event {
  std::string name;
  long dispid;
  std::string args;
};
struct Contract {
  const Class* cls;
  std::vector<Slot> slots;
  std::vector<Event> events;
};

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

// Rows "Name[@dispid]:forms[ parameters]", slots counted from the first after IDispatch's.
std::vector<Slot> ParseSlots(const char* owner, const char* text) {
  std::vector<Slot> out;
  unsigned index = kDispatchSlots;
  for (const std::string& row : Rows(text)) {
    size_t colon = row.find(':'), at = row.find('@'), space = std::min(row.find(' '), row.size());
    if (colon == std::string::npos || colon + 1 >= space) BadTable(owner + (" " + row));
    long dispid = at < colon ? std::strtol(row.c_str() + at + 1, nullptr, 10) : kNoDispid;
    std::string params = space < row.size() ? row.substr(space + 1) : "";
    for (char form : row.substr(colon + 1, space - colon - 1))
      out.push_back(
          {row.substr(0, std::min(colon, at)), form, index++, dispid, FormParams(form, params)});
  }
  return out;
}

Contract Parse(const Class& cls) {
  Contract out{&cls, ParseSlots(cls.name, cls.members), {}};
  for (const std::string& row : Rows(cls.events)) {
    size_t eq = row.find('='), space = std::min(row.find(' '), row.size());
    if (eq == std::string::npos) BadTable(cls.name + (" " + row));
    out.events.push_back({row.substr(0, eq), std::strtol(row.c_str() + eq + 1, nullptr, 10),
                          space < row.size() ? row.substr(space + 1) : ""});
  }
  return out;
}

std::vector<Contract> g_contracts;

// The table's letters, their names in messages and the kinds of function they describe.
constexpr struct {
  char form;
  const char* name;
  INVOKEKIND kind;
} kForms[] = {{'g', "Get", INVOKE_PROPERTYGET},    {'l', "Let", INVOKE_PROPERTYPUT},
              {'s', "Set", INVOKE_PROPERTYPUTREF}, {'m', "method", INVOKE_FUNC},
              {'f', "function", INVOKE_FUNC},      {'w', "undescribed write", INVOKE_PROPERTYPUT}};

const char* FormName(char form, INVOKEKIND kind = INVOKE_FUNC) {
  for (const auto& f : kForms)
    if (form ? f.form == form : f.kind == kind) return f.name;
  return "?";
}
INVOKEKIND InvokeKindOf(char form) {
  for (const auto& f : kForms)
    if (f.form == form) return f.kind;
  return INVOKE_FUNC;
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

// One function of an interface as the type library describes it, its parameters as the
// table writes them.
struct Found {
  std::string name;
  INVOKEKIND kind;
  unsigned slot;
  MEMBERID memid;
  std::string args;
  bool matched = false;
};

std::vector<Found> Functions(ITypeInfo* info) {
  std::vector<Found> out;
  Attr attr(info);
  for (UINT i = 0; attr.attr && i < attr->cFuncs; ++i) {
    FUNCDESC* fd = nullptr;
    if (FAILED(info->GetFuncDesc(i, &fd))) continue;
    out.push_back({TypeName(info, fd->memid), fd->invkind,
                   static_cast<unsigned>(fd->oVft / sizeof(void*)), fd->memid,
                   SignatureText(info, *fd)});
    info->ReleaseFuncDesc(fd);
  }
  return out;
}

// Names in a type library share one case-insensitive table, so the stored spelling of a
// member may be that of an unrelated parameter; clients bind by position or by a
// case-insensitive name either way.
bool SameName(const std::string& a, const std::string& b) {
  return _stricmp(a.c_str(), b.c_str()) == 0;
}

// ------------------------------------------------------------------------------------------
// The type library

// Coclass: its name, and the default and default-source interfaces it names.
void CheckCoclass(ITypeLib* lib, const Class& cls) {
  Ptr<ITypeInfo> info;
  if (FAILED(lib->GetTypeInfoOfGuid(ParseGuid(cls.clsid), &info)) ||
      Attr(info.p)->typekind != TKIND_COCLASS)
    return Fail("%s: class id %ls is no coclass of the type library", cls.name, cls.clsid);
  if (TypeName(info.p) != cls.name)
    Fail("%s: coclass named %s", cls.name, TypeName(info.p).c_str());
  GUID want[2] = {ParseGuid(cls.iid), cls.eventIid ? ParseGuid(cls.eventIid) : GUID_NULL};
  GUID got[2] = {GUID_NULL, GUID_NULL};
  for (UINT i = 0; i < Attr(info.p)->cImplTypes; ++i) {
    INT flags = 0;
    HREFTYPE ref = 0;
    Ptr<ITypeInfo> impl;
    if (SUCCEEDED(info->GetImplTypeFlags(i, &flags)) && (flags & IMPLTYPEFLAG_FDEFAULT) &&
        SUCCEEDED(info->GetRefTypeOfImplType(i, &ref)) &&
        SUCCEEDED(info->GetRefTypeInfo(ref, &impl)))
      got[flags & IMPLTYPEFLAG_FSOURCE ? 1 : 0] = Attr(impl.p)->guid;
  }
  for (int i = 0; i < 2; ++i)
    if (got[i] != want[i])
      Fail("%s: %s interface expected %s, found %s", cls.name, i ? "event" : "default",
           GuidText(want[i]).c_str(), GuidText(got[i]).c_str());
}

void CheckSlots(const char* name, ITypeInfo* vtable, const std::vector<Slot>& slots);

// From a file, another library's types may not resolve (see g_fromFile); the rest of the
// parameters is still compared. Unresolved, an interface (named "_...") shows the pointer
// that holds it as "ref".
bool SameParams(const std::string& want, const std::string& got) {
  static const std::regex kInterface(R"(\w+Lib\._\w+)"), kOther(R"(\w+Lib\.\w+)");
  return got == want ||
         (g_fromFile &&
          got == std::regex_replace(std::regex_replace(want, kInterface, "ref <unresolved>"),
                                    kOther, "<unresolved>"));
}

// Default interface: dual, derived from IDispatch, every member in its slot.
void CheckInterface(ITypeLib* lib, const Contract& c) {
  const char* name = c.cls->name;
  Ptr<ITypeInfo> info, vtable, base;
  if (FAILED(lib->GetTypeInfoOfGuid(ParseGuid(c.cls->iid), &info)))
    return Fail("%s: interface id %ls not in the type library", name, c.cls->iid);
  if (!(Attr(info.p)->wTypeFlags & TYPEFLAG_FDUAL)) Fail("%s: default interface is not dual", name);
  if (!VtableView(info.p, vtable)) return Fail("%s: default interface has no vtable part", name);
  if (TypeName(vtable.p) != std::string("_") + name)
    Fail("%s: default interface named %s", name, TypeName(vtable.p).c_str());
  HREFTYPE ref = 0;
  if (Attr(vtable.p)->cImplTypes != 1 || FAILED(vtable->GetRefTypeOfImplType(0, &ref)) ||
      FAILED(vtable->GetRefTypeInfo(ref, &base)) || Attr(base.p)->guid != IID_IDispatch)
    Fail("%s: default interface does not derive from IDispatch", name);

  CheckSlots(name, vtable.p, c.slots);
}

// Every member of `slots` in its slot, and nothing else in the interface `vtable`; an
// undescribed write must have its slot (the next member's number counts it) and no
// description.
void CheckSlots(const char* name, ITypeInfo* vtable, const std::vector<Slot>& slots) {
  std::vector<Found> found = Functions(vtable);
  for (const Slot& s : slots) {
    const char* member = s.member.c_str();
    Found* hit = nullptr;
    for (Found& f : found)
      if (!f.matched && f.kind == InvokeKindOf(s.form) && SameName(f.name, s.member)) {
        hit = &f;
        break;
      }
    if (s.form == 'w') {
      if (hit) {
        hit->matched = true;
        Fail("%s.%s undescribed write: described in the type library at slot %u", name, member,
             hit->slot);
      }
      continue;
    }
    if (!hit) {
      Fail("%s.%s %s: slot expected %u, found none", name, member, FormName(s.form), s.index);
      continue;
    }
    hit->matched = true;
    if (hit->slot != s.index)
      Fail("%s.%s %s: slot expected %u, found %u", name, member, FormName(s.form), s.index,
           hit->slot);
    if (!SameParams(s.params, hit->args))
      Fail("%s.%s %s: parameters expected \"%s\", found \"%s\"", name, member, FormName(s.form),
           s.params.c_str(), hit->args.c_str());
    if (s.dispid != kNoDispid && hit->memid != s.dispid)
      Fail("%s.%s %s: dispid expected %ld, found %ld", name, member, FormName(s.form), s.dispid,
           long(hit->memid));
  }
  for (const Found& f : found)
    if (!f.matched)
      Fail("%s.%s %s: slot expected none, found %u", name, f.name.c_str(), FormName(0, f.kind),
           f.slot);
}

// Event interface: every event in its place with its dispatch identifier, found both in the
// function descriptions and by name.
void CheckEvents(ITypeLib* lib, const Contract& c) {
  const char* name = c.cls->name;
  if (!c.cls->eventIid) return;
  Ptr<ITypeInfo> info;
  if (FAILED(lib->GetTypeInfoOfGuid(ParseGuid(c.cls->eventIid), &info)) ||
      Attr(info.p)->typekind != TKIND_DISPATCH)
    return Fail("%s: event interface id %ls is no dispinterface of the type library", name,
                c.cls->eventIid);
  if (TypeName(info.p) != std::string("__") + name)
    Fail("%s: event interface named %s", name, TypeName(info.p).c_str());

  std::vector<Found> found = Functions(info.p);
  for (size_t i = 0; i < c.events.size(); ++i) {
    const Event& e = c.events[i];
    size_t at = 0;
    while (at < found.size() && !SameName(found[at].name, e.name)) ++at;
    if (at == found.size()) {
      Fail("%s event %s: dispid expected %ld, found none", name, e.name.c_str(), e.dispid);
      continue;
    }
    Found& f = found[at];
    f.matched = true;
    if (at != i)
      Fail("%s event %s: place expected %zu, found %zu", name, e.name.c_str(), i + 1, at + 1);
    if (f.memid != e.dispid)
      Fail("%s event %s: dispid expected %ld, found %ld", name, e.name.c_str(), e.dispid,
           long(f.memid));
    if (!SameParams(e.args, f.args))
      Fail("%s event %s: arguments expected \"%s\", found \"%s\"", name, e.name.c_str(),
           e.args.c_str(), f.args.c_str());
    std::wstring wide = Widen(e.name);
    LPOLESTR names[] = {wide.data()};
    MEMBERID byName = MEMBERID_NIL;
    info->GetIDsOfNames(names, 1, &byName);
    if (byName != e.dispid)
      Fail("%s event %s: dispid by name expected %ld, found %ld", name, e.name.c_str(), e.dispid,
           long(byName));
  }
  for (const Found& f : found)
    if (!f.matched)
      Fail("%s event %s: dispid expected none, found %ld", name, f.name.c_str(), long(f.memid));
}

// ---- Parameters, enumerations and records ------------------------------------------------

std::string TypeText(ITypeInfo* info, const TYPEDESC& t);

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
    if (Narrow(libName) != Narrow(homeName)) name = Narrow(libName) + "." + name;
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
  switch (t.vt) {
    case VT_I2:
      return "short";
    case VT_I4:
      return "long";
    case VT_R8:
      return "double";
    case VT_BSTR:
      return "BSTR";
    case VT_BOOL:
      return "VARIANT_BOOL";
    case VT_VARIANT:
      return "VARIANT";
    case VT_DISPATCH:
      return "IDispatch";
    case VT_UNKNOWN:
      return "IUnknown";
    case VT_UI1:
      return "unsigned char";
    case VT_USERDEFINED:
      return RefText(info, t.hreftype);
    case VT_CARRAY:
      return TypeText(info, t.lpadesc->tdescElem) + "[" +
             std::to_string(t.lpadesc->rgbounds[0].cElements) + "]";
    case VT_PTR:
      if (IsInterface(info, *t.lptdesc)) return TypeText(info, *t.lptdesc);
      return "ref " + TypeText(info, *t.lptdesc);
    default:
      return "vt" + std::to_string(t.vt);
  }
}

std::string ValueText(const VARIANT& v) {
  char text[64];
  switch (V_VT(&v)) {
    case VT_BSTR:
      return "\"" + Narrow(V_BSTR(&v)) + "\"";
    case VT_R8:
      std::snprintf(text, sizeof text, "%g", V_R8(&v));
      return text;
    case VT_I4:
      return std::to_string(V_I4(&v));
    case VT_I2:
      return std::to_string(V_I2(&v));
    case VT_BOOL:
      return V_BOOL(&v) ? "true" : "false";
    default:
      return "vt" + std::to_string(V_VT(&v));
  }
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

// The vtable half of another library's interface: the collection's by its identifier, the
// value object's as the type of ConfigRegObj.Register's Set.
bool InterfaceNamed(ITypeLib* lib, const std::string& name, Ptr<ITypeInfo>& vtable) {
  const wchar_t* iid = name == kCollection.name ? kCollection.iid
                       : name == "ConfigRegObj" ? kClasses[3].iid
                                                : nullptr;
  Ptr<ITypeInfo> info;
  if (iid)
    return SUCCEEDED(lib->GetTypeInfoOfGuid(ParseGuid(iid), &info)) && VtableView(info.p, vtable);
  if (name != kValueObj.name) BadTable("no interface " + name);
  Ptr<ITypeInfo> config, target;
  if (!InterfaceNamed(lib, "ConfigRegObj", config)) return false;
  bool found = false;
  for (UINT i = 0; !found && i < Attr(config.p)->cFuncs; ++i) {
    FUNCDESC* fd = nullptr;
    if (FAILED(config->GetFuncDesc(i, &fd))) continue;
    const TYPEDESC& t = fd->lprgelemdescParam[0].tdesc;
    if (fd->invkind == INVOKE_PROPERTYPUTREF && SameName(TypeName(config.p, fd->memid), "Register"))
      found = t.vt == VT_PTR && t.lptdesc->vt == VT_USERDEFINED &&
              SUCCEEDED(config->GetRefTypeInfo(t.lptdesc->hreftype, &target));
    config->ReleaseFuncDesc(fd);
  }
  return found && Attr(target.p)->guid == ParseGuid(kValueObj.iid) && VtableView(target.p, vtable);
}

// The interfaces of other libraries: each member in its slot, with its dispatch identifier.
void CheckForeignInterfaces(ITypeLib* lib) {
  for (const Interface* itf : {&kCollection, &kValueObj}) {
    Ptr<ITypeInfo> vtable;
    if (!InterfaceNamed(lib, itf->name, vtable)) {
      if (g_fromFile && itf == &kValueObj) {
        NotChecked(itf->name);
        continue;
      }
      Fail("%s: interface %ls not found", itf->name, itf->iid);
      continue;
    }
    if (Attr(vtable.p)->guid != ParseGuid(itf->iid))
      Fail("%s: interface expected %ls, found %s", itf->name, itf->iid,
           GuidText(Attr(vtable.p)->guid).c_str());
    CheckSlots(itf->name, vtable.p, ParseSlots(itf->name, itf->members));
  }
}

// The type of the library named `name`, or nothing.
bool TypeNamed(ITypeLib* lib, const char* name, TYPEKIND kind, Ptr<ITypeInfo>& info) {
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

// Every enumerator and record field carries the help string edit_typelib writes from the
// text beside it in the IDL; two of them, the last of their types, checked word for word.
void CheckItemHelp(const char* type, ITypeInfo* info, MEMBERID id) {
  static const struct {
    const char *type, *item, *text;
  } kSpotChecks[] = {
      {"StatusRegMasks", "STATUS_LOCK_LVL1",
       "Bit 31: lock level, weight 2; the register's sign bit"},
      {"infcParamChg", "ParamNum", "Offset 16: the parameter number (Long)"},
  };
  BSTR name = nullptr, doc = nullptr;
  if (FAILED(info->GetDocumentation(id, &name, &doc, nullptr, nullptr))) name = doc = nullptr;
  const std::string item = Narrow(name), text = Narrow(doc);
  SysFreeString(name);
  SysFreeString(doc);
  if (text.empty()) Fail("%s.%s: no help string", type, item.c_str());
  for (const auto& spot : kSpotChecks)
    if (item == spot.item && std::strcmp(type, spot.type) == 0 && text != spot.text)
      Fail("%s.%s: help string expected \"%s\", found \"%s\"", type, spot.item, spot.text,
           text.c_str());
}

void CheckEnumerations(ITypeLib* lib) {
  for (const Enumeration& e : kEnumerations) {
    Ptr<ITypeInfo> info;
    if (!TypeNamed(lib, e.name, TKIND_ENUM, info)) {
      Fail("enumeration %s: not found", e.name);
      continue;
    }
    const std::vector<unsigned long> want = EnumerationValues(e.values);
    std::string got, expected;
    for (unsigned long v : want) expected += std::to_string(v) + " ";
    for (UINT i = 0; i < Attr(info.p)->cVars; ++i) {
      VARDESC* vd = nullptr;
      if (FAILED(info->GetVarDesc(i, &vd))) continue;
      got +=
          std::to_string(static_cast<unsigned long>(static_cast<uint32_t>(V_I4(vd->lpvarValue)))) +
          " ";
      CheckItemHelp(e.name, info.p, vd->memid);
      info->ReleaseVarDesc(vd);
    }
    if (got != expected)
      Fail("enumeration %s: values expected %s, found %s", e.name, expected.c_str(), got.c_str());
  }
}

void CheckRecords(ITypeLib* lib) {
  for (const Record& r : kRecords) {
    Ptr<ITypeInfo> info;
    if (!TypeNamed(lib, r.name, TKIND_RECORD, info)) {
      Fail("record %s: not found", r.name);
      continue;
    }
    std::string got;
    for (UINT i = 0; i < Attr(info.p)->cVars; ++i) {
      VARDESC* vd = nullptr;
      if (FAILED(info->GetVarDesc(i, &vd))) continue;
      got += (got.empty() ? "" : " ") + TypeName(info.p, vd->memid) + ":" +
             TypeText(info.p, vd->elemdescVar.tdesc) + "@" + std::to_string(vd->oInst);
      CheckItemHelp(r.name, info.p, vd->memid);
      info->ReleaseVarDesc(vd);
    }
    if (got != r.fields)
      Fail("record %s: fields expected \"%s\", found \"%s\"", r.name, r.fields, got.c_str());
    if (Attr(info.p)->cbSizeInstance != r.size)
      Fail("record %s: size expected %u, found %lu", r.name, r.size, Attr(info.p)->cbSizeInstance);
  }
}

void CheckLibrary(ITypeLib* lib, SYSKIND syskind) {
  TLIBATTR* attr = nullptr;
  if (SUCCEEDED(lib->GetLibAttr(&attr))) {
    if (attr->guid != ParseGuid(kLibId) || attr->wMajorVerNum != kLibMajor ||
        attr->wMinorVerNum != kLibMinor)
      Fail("library: expected %ls %u.%u, found %s %u.%u", kLibId, kLibMajor, kLibMinor,
           GuidText(attr->guid).c_str(), attr->wMajorVerNum, attr->wMinorVerNum);
    if (attr->syskind != syskind)
      Fail("library: system kind expected %d, found %d", syskind, attr->syskind);
    lib->ReleaseTLibAttr(attr);
  }
  for (const Contract& c : g_contracts) {
    CheckCoclass(lib, *c.cls);
    CheckInterface(lib, c);
    CheckEvents(lib, c);
  }
  CheckForeignInterfaces(lib);
  CheckEnumerations(lib);
  CheckRecords(lib);
}

// ------------------------------------------------------------------------------------------
// The objects: created by class id, called through raw vtable slots from the table.

unsigned SlotOf(const Contract& c, const char* member, char form) {
  for (const Slot& s : c.slots)
    if (s.form == form && s.member == member) return s.index;
  BadTable(c.cls->name + std::string(".") + member + " " + FormName(form) + " is not listed");
}

// Calls the function in `slot` of the interface `itf` with the given arguments, as a
// compiled client bound to that slot would.
template <class... Args>
HRESULT CallSlot(IUnknown* itf, unsigned slot, Args... args) {
  using Fn = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, Args...);
  return reinterpret_cast<Fn>((*reinterpret_cast<void***>(itf))[slot])(itf, args...);
}

// The client's own COM objects: one reference count for all their interfaces, and no type
// information behind IDispatch.
template <class... Itfs>
class Own : public Itfs... {
 public:
  LONG refs = 1;
  virtual ~Own() = default;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = static_cast<ULONG>(--refs);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
};

// One object of a class under test, with its default interface and, if it raises events,
// an early-bound sink connected to it for the object's lifetime.
struct Object {
  const Contract& c;
  IUnknown* unknown = nullptr;
  IUnknown* itf = nullptr;
  IConnectionPoint* point = nullptr;
  TestSink* sink = nullptr;
  DWORD cookie = 0;

  explicit Object(const Contract& contract) : c(contract) {
    const Class& cls = *c.cls;
    Ptr<IConnectionPointContainer> container;
    HRESULT hr = CoCreateInstance(ParseGuid(cls.clsid), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&unknown));
    if (SUCCEEDED(hr))
      hr = unknown->QueryInterface(ParseGuid(cls.iid), reinterpret_cast<void**>(&itf));
    if (FAILED(hr)) Fail("%s: no object with the default interface, hr 0x%08lX", cls.name, hr);
    if (FAILED(hr) || !cls.eventIid) return;
    hr = unknown->QueryInterface(IID_IConnectionPointContainer,
                                 reinterpret_cast<void**>(&container));
    if (SUCCEEDED(hr)) hr = container->FindConnectionPoint(ParseGuid(cls.eventIid), &point);
    if (SUCCEEDED(hr))
      (sink = new TestSink)->extra = ParseGuid(cls.eventIid), hr = point->Advise(sink, &cookie);
    if (FAILED(hr)) Fail("%s: cannot connect to %ls, hr 0x%08lX", cls.name, cls.eventIid, hr);
  }
  ~Object() {
    if (point) point->Unadvise(cookie), point->Release();
    if (sink) sink->Release();
    if (itf) itf->Release();
    ULONG left = unknown ? unknown->Release() : 0;
    if (left != 0) Fail("%s: %lu references left after the last release", name(), left);
  }
  const char* name() const { return c.cls->name; }

  template <class... Args>
  HRESULT Call(const char* member, char form, Args... args) const {
    return CallSlot(itf, SlotOf(c, member, form), args...);
  }
  // A call that must succeed.
  template <class... Args>
  bool Do(const char* member, char form, Args... args) const {
    HRESULT hr = Call(member, form, args...);
    if (FAILED(hr)) Fail("%s.%s %s: call failed, hr 0x%08lX", name(), member, FormName(form), hr);
    return SUCCEEDED(hr);
  }

  // The events seen since the last call, compared with `expected` in order.
  void ExpectEvents(const char* after, std::initializer_list<DISPID> expected) {
    std::string want, got = sink ? sink->heard : "";
    for (DISPID d : expected) want += std::to_string(d) + " ";
    if (want != got)
      Fail("%s after %s: events expected [%s], found [%s]", name(), after, want.c_str(),
           got.c_str());
    if (sink) sink->heard.clear();
  }
};

// Calls a member whose last parameter returns text, after the given arguments.
template <class... Args>
void ExpectText(const Object& o, const char* member, char form, const char* expected,
                Args... args) {
  BSTR value = nullptr;
  if (!o.Do(member, form, args..., &value)) return;
  std::string got = Narrow(value);
  SysFreeString(value);
  if (got != expected)
    Fail("%s.%s: expected \"%s\", found \"%s\"", o.name(), member, expected, got.c_str());
}

// Reads a long, VARIANT_BOOL or object; the poison value shows a slot that never writes.
template <class T>
void ExpectValue(const Object& o, const char* member, T expected) {
  T value;
  std::memset(&value, 0x5A, sizeof value);
  if (!o.Do(member, 'g', &value)) return;
  if constexpr (std::is_pointer_v<T>) {
    if ((value != nullptr) != (expected != nullptr))
      Fail("%s.%s Get: expected %s", o.name(), member, expected ? "an object" : "nothing");
    if (value) value->Release();
  } else if (value != expected) {
    Fail("%s.%s Get: expected %ld, found %ld", o.name(), member, long(expected), long(value));
  }
}

// The undescribed write slot of an object-valued field: an object is assigned as by the
// reference-assign slot, anything else is refused with the type-mismatch error (13).
void CheckUndescribedWrite(const Object& o, const char* member) {
  IDispatch *held = nullptr, *after = nullptr;
  if (!o.Do(member, 'g', &held) || !held) return;
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = 5;
  HRESULT hr = o.Call(member, 'w', v);
  if (hr != static_cast<HRESULT>(0x800A000D))
    Fail("%s.%s undescribed write of a number: expected hr 0x800A000D, found 0x%08lX", o.name(),
         member, hr);
  v.vt = VT_DISPATCH;
  v.pdispVal = held;
  o.Do(member, 'w', v);
  if (SUCCEEDED(o.Call(member, 'g', &after)) && after != held)
    Fail("%s.%s: another object after writing back the one read", o.name(), member);
  if (after) after->Release();
  held->Release();
}

// One step of a class's check: l/b/t read a long, VARIANT_BOOL or text, o an object
// (`value` says whether one is expected); L/B write a long or VARIANT_BOOL by value, R a long
// by reference; m calls a method; w checks the undescribed write; e compares the events seen
// so far with `events`.
struct Step {
  char op;
  const char* member;
  long value = 0;
  const char* text = "";
  std::initializer_list<DISPID> events = {};
};

void Run(Object& o, std::initializer_list<Step> steps) {
  for (const Step& s : steps) {
    const char* m = s.member;
    long value = s.value;
    VARIANT_BOOL flag = static_cast<VARIANT_BOOL>(s.value);
    switch (s.op) {
      case 'l':
        ExpectValue(o, m, value);
        break;
      case 'b':
        ExpectValue(o, m, flag);
        break;
      case 't':
        ExpectText(o, m, 'g', s.text);
        break;
      case 'o':
        ExpectValue(o, m, value ? reinterpret_cast<IDispatch*>(&o) : nullptr);
        break;
      case 'L':
        o.Do(m, 'l', value);
        break;
      case 'B':
        o.Do(m, 'l', flag);
        break;
      case 'R':
        o.Do(m, 'l', &value);
        break;
      case 'm':
        o.Do(m, 'm');
        break;
      case 'w':
        CheckUndescribedWrite(o, m);
        break;
      case 'e':
        o.ExpectEvents(m, s.events);
        break;
    }
  }
}

// The client's own drive, handed to the hubs and back: a sink connected to nothing that
// answers for the drive's interface, whose members none of the hubs calls, so only its
// identity travels.
IDispatch* g_drive = nullptr;

// Argument `fromLeft` of an event, where the listener may write.
VARIANT* Arg(DISPPARAMS* params, UINT fromLeft) {
  return params && fromLeft < params->cArgs ? &params->rgvarg[params->cArgs - 1 - fromLeft]
                                            : nullptr;
}

// A listener's answer through a by-reference Boolean argument.
void SetFlag(DISPPARAMS* params, UINT fromLeft) {
  VARIANT* arg = Arg(params, fromLeft);
  if (arg && arg->vt == (VT_BYREF | VT_BOOL)) *arg->pboolVal = VARIANT_TRUE;
}

// The value interfaces as a compiled client declares them: the value library's members in
// slot order after IDispatch's. Members no class here calls answer E_NOTIMPL but keep their
// parameters, which the callee pops on 32-bit Windows. PROP is a read and a write.
// One member per macro, laid out as a table:
// clang-format off
#define SLOT(name, ...) virtual HRESULT STDMETHODCALLTYPE name(__VA_ARGS__) { return E_NOTIMPL; }
#define PROP(name, T, ...) SLOT(get_##name, T*) SLOT(put_##name, T __VA_ARGS__)
struct ValueNumberItf : IDispatch {
    PROP(Value, double) SLOT(get_PreviousValue, double*) PROP(LowerBoundA, double) PROP(UpperBoundA, double)
    PROP(LowerBoundB, double) PROP(UpperBoundB, double) PROP(DefaultValue, double) PROP(SetupH, long)
    PROP(SetupI, long) PROP(SetupJ, long) PROP(SetupK, long) PROP(Format, BSTR) PROP(Label, BSTR)
    PROP(InitialValue, double) PROP(Scale, double)
};
struct ValueItf : IDispatch {
    SLOT(get_Number, ValueNumberItf**) SLOT(Refresh) PROP(Name, BSTR) PROP(ParamNum, long) PROP(SetupA, long, *)
    PROP(SetupB, long) PROP(SetupC, long, *) PROP(SetupD, long) PROP(SetupE, long, *) PROP(SetupF, long, *)
    PROP(SetupG, long, *) SLOT(get_RequestNumber, ValueNumberItf**) PROP(EditLock, long)
    SLOT(CopyContentTo, ValueItf*, VARIANT) PROP(ShortName, BSTR, *) SLOT(ApplySetup)
};
#undef PROP
#undef SLOT
// clang-format on
constexpr wchar_t kValueIid[] = L"{FEBD95C4-31C5-406E-9B38-10F694CC61CA}";

// The client's own value object: a number, whose every write is announced as Changed (the
// first event, dispatch id 1) to the one listener that may connect, whatever event
// interface it asks for.
class ClientValue final
    : public Own<ValueItf, ValueNumberItf, IConnectionPointContainer, IConnectionPoint> {
 public:
  double number = 0, previous = 0;
  long editLock = 0;
  IDispatch* listener = nullptr;

  IDispatch* itf() { return static_cast<ValueItf*>(this); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IConnectionPointContainer)
      *out = static_cast<IConnectionPointContainer*>(this);
    else if (riid == IID_IUnknown || riid == IID_IDispatch || riid == ParseGuid(kValueIid))
      *out = itf();
    else
      return *out = nullptr, E_NOINTERFACE;
    return AddRef(), S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT STDMETHODCALLTYPE get_Number(ValueNumberItf** out) override {
    return *out = this, AddRef(), S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_EditLock(long* out) override { return *out = editLock, S_OK; }
  HRESULT STDMETHODCALLTYPE put_EditLock(long lock) override { return editLock = lock, S_OK; }
  HRESULT STDMETHODCALLTYPE get_Value(double* out) override { return *out = number, S_OK; }
  HRESULT STDMETHODCALLTYPE get_PreviousValue(double* out) override {
    return *out = previous, S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Value(double value) override {
    previous = number;
    number = value;
    IDispatch* self = itf();
    self->AddRef();  // the argument is by reference: a listener may put another object there
    VARIANT arg{};
    arg.vt = VT_BYREF | VT_DISPATCH;
    arg.ppdispVal = &self;
    DISPPARAMS args{&arg, nullptr, 1, 0};
    HRESULT hr = listener ? listener->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &args, nullptr,
                                             nullptr, nullptr)
                          : S_OK;
    if (self) self->Release();
    return hr;
  }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID, IConnectionPoint** out) override {
    return *out = this, AddRef(), S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (listener) return CONNECT_E_ADVISELIMIT;
    *cookie = 1;
    return sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&listener));
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    if (cookie != 1 || !listener) return CONNECT_E_NOCONNECTION;
    listener->Release();
    listener = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
};

// ---- one check per class ------------------------------------------------------------------

void CheckCmdLog(Object& o) {
  Run(o, {{'b', "InPoll"}, {'B', "LogPolling", -1}, {'b', "LogPolling", -1}, {'b', "Logging"}});
}
void CheckErrReflector(Object& o) { Run(o, {{'l', "Number"}, {'t', "Source"}, {'t', "HelpFile"}}); }

void CheckSoundEventsObj(Object& o) {
  Run(o, {{'l', "Bits", 0x7FFFFFFF},
          {'B', "Control", -1},
          {'b', "TorqueSaturation", -1},
          {'B', "VoltageSaturation"},
          {'l', "Bits", 2147483645},
          {'b', "VoltageSaturation"},
          {'R', "Bits"},
          {'B', "Shutdown", -1},
          {'l', "Bits", 8},
          {'m', "RestoreAll"},
          {'l', "Bits", 0x7FFFFFFF},
          {'e', "Control, VoltageSaturation, Bits, Shutdown, RestoreAll", 0, "", {2, 1, 1, 1, 1}}});
}

void CheckHotKeyObj(Object& o) {
  Run(o, {{'l', "KeyCode"},
          {'l', "Key"},
          {'t', "KeyName", 0, "0"},
          {'o', "FormRef"},
          {'m', "FireHit"},
          {'m', "FireHitUp"},
          {'e', "FireHit, FireHitUp", 0, "", {1, 2}}});
}

void CheckAppStateEventObj(Object& o) {
  if (!o.sink) return;
  o.sink->act = [](DISPID id, DISPPARAMS* params, EXCEPINFO*) {
    if (id == 5) SetFlag(params, 0);                    // Terminate(cancel)
    VARIANT* drv = id == 6 ? Arg(params, 1) : nullptr;  // CreateDemoDrive(dType, demoDrv)
    if (drv && (drv->vt & VT_BYREF)) {
      if (*drv->ppdispVal) (*drv->ppdispVal)->Release();
      (*drv->ppdispVal = g_drive)->AddRef();
    }
    return S_OK;
  };
  VARIANT_BOOL cancel = 0;
  if (o.Do("FireTerminate", 'f', &cancel) && cancel != VARIANT_TRUE)
    Fail("AppStateEventObj.FireTerminate: expected -1, found %d", cancel);
  IUnknown *net = nullptr, *made = nullptr;
  o.Do("FireNetChange", 'm', &net, 1L);
  Run(o, {{'m', "FireTimerTick"},
          {'B', "MotorPageEnabled", -1},
          {'B', "MotorPageEnabled", -1},
          {'b', "MotorPageEnabled", -1},
          {'B', "MotorPageEnabled", 0}});
  o.Do("FireLockChange", 'm', 2L);
  o.Do("FirePollStateChange", 'm', VARIANT_TRUE);
  o.Do("FireTechSupportChange", 'm', VARIANT_TRUE);
  o.Do("FireCreateDemoDrive", 'm', 7L, &made);
  if (made != g_drive)
    Fail("AppStateEventObj.FireCreateDemoDrive: the listener's drive did not come back");
  if (made) made->Release();
  o.ExpectEvents("the notification members", {5, 7, 4, 8, 8, 1, 3, 2, 6});
}

void CheckDriveEventObj(Object& o) {
  if (!o.sink) return;
  // Each event's first argument must be the client's drive itself.
  o.sink->act = [](DISPID id, DISPPARAMS* params, EXCEPINFO*) {
    VARIANT* node = Arg(params, 0);
    if (!node || !(node->vt & VT_BYREF) || *node->ppdispVal != g_drive)
      Fail("DriveEventObj event %ld: the node is not the client's drive", long(id));
    return S_OK;
  };
  IDispatch* node = g_drive;
  o.Do("FireCommError", 'm', &node, 1505L, 0L);
  o.Do("FireEnableChanged", 'm', &node, VARIANT_TRUE);
  o.Do("FireUserIDchanged", 'm', &node);
  o.Do("FireMotorTypeChanged", 'm', &node);
  o.ExpectEvents("FireCommError, FireEnableChanged, FireUserIDchanged, FireMotorTypeChanged",
                 {1, 3, 8, 5});
  if (node != g_drive) Fail("DriveEventObj: the node came back as another object");
}

void CheckNetSupervisorObj(Object& o) {
  Run(o, {{'l', "MaxAdapters", 16},
          {'l', "AdapterDefault", 1},
          {'L', "MaxAdapters", 5},
          {'l', "MaxAdapters", 5},
          {'t', "Ports"}});
  if (!o.sink) return;
  // RequestNetOpen(netRef, Peer, newState, PortNumber, success) and NetworkChanged(netRef,
  // theState) answer through their last arguments.
  o.sink->act = [](DISPID id, DISPPARAMS* params, EXCEPINFO*) {
    if (id == 6) SetFlag(params, 4);
    VARIANT* state = id == 1 ? Arg(params, 1) : nullptr;
    if (state && state->vt == (VT_BYREF | VT_I4)) *state->plVal = 7;
    return S_OK;
  };
  IUnknown* net = nullptr;
  IDispatch* peer = g_drive;
  VARIANT_BOOL newState = VARIANT_TRUE, success = 0;
  long port = 3, state = 1;
  o.Do("FireRequestNetOpen", 'm', &net, &peer, &newState, &port, &success);
  if (success != VARIANT_TRUE)
    Fail("NetSupervisorObj.FireRequestNetOpen: success expected -1, found %d", success);
  o.Do("FireNetworkChanged", 'm', &net, &state);
  if (state != 7)
    Fail("NetSupervisorObj.FireNetworkChanged: theState expected 7, found %ld", state);
  o.ExpectEvents("FireRequestNetOpen, FireNetworkChanged", {6, 1});
}

// A variant argument of the runtime's collection: a number, a text or left out.
struct Item {
  VARIANT v;
  Item() { v.vt = VT_ERROR, v.scode = DISP_E_PARAMNOTFOUND; }
  Item(long n) { v.vt = VT_I4, v.lVal = n; }
  Item(const wchar_t* text) { v.vt = VT_BSTR, v.bstrVal = SysAllocString(text); }
  Item(const Item&) = delete;
  ~Item() { VariantClear(&v); }
};

// The adapter's Nodes through the runtime collection's slots, as a compiled client written
// against that interface calls them, then late-bound through its dispatch identifiers.
void CheckNodes(const Object& o) {
  IUnknown* nodes = nullptr;
  if (!o.Do("Nodes", 'g', &nodes) || !nodes) return;
  std::vector<Slot> slots = ParseSlots(kCollection.name, kCollection.members);
  auto slot = [&](const char* member) {
    for (const Slot& s : slots)
      if (s.member == member) return s.index;
    BadTable(std::string("_Collection.") + member);
  };
  struct AddCase {
    const char* what;
    HRESULT want;
    Item item, key, before, after;
  };
  AddCase adds[] = {{"Add a key k1", S_OK, L"a", L"k1", {}, {}},
                    {"Add b before 1", S_OK, L"b", {}, 1L, {}},
                    {"Add c after key K1", S_OK, L"c", {}, {}, L"K1"},
                    {"Add a second key k1", static_cast<HRESULT>(0x800A01C9), L"x", L"K1", {}, {}},
                    {"Add before and after", static_cast<HRESULT>(0x800A0005), L"x", {}, 1L, 1L},
                    {"Add before 9", static_cast<HRESULT>(0x800A0009), L"x", {}, 9L, {}}};
  for (AddCase& s : adds) {
    HRESULT hr = CallSlot(nodes, slot("Add"), &s.item.v, &s.key.v, &s.before.v, &s.after.v);
    if (hr != s.want)
      Fail("NetAdapterObj.Nodes.%s: hr expected 0x%08lX, found 0x%08lX", s.what, s.want, hr);
  }
  std::string order;
  for (const Item& index : {Item(1L), Item(L"K1"), Item(3L)}) {
    VARIANT got;
    VariantInit(&got);
    if (SUCCEEDED(CallSlot(nodes, slot("Item"), &index.v, &got)) && got.vt == VT_BSTR)
      order += Narrow(got.bstrVal);
    VariantClear(&got);
  }
  if (order != "bac")
    Fail("NetAdapterObj.Nodes.Item 1, \"K1\", 3: expected \"bac\", found \"%s\"", order.c_str());
  Item nine(9L), gone(L"gone"), key(L"k1");
  VARIANT got;
  VariantInit(&got);
  HRESULT outside = CallSlot(nodes, slot("Item"), &nine.v, &got),
          absent = CallSlot(nodes, slot("Remove"), &gone.v);
  if (outside != static_cast<HRESULT>(0x800A0009) || absent != static_cast<HRESULT>(0x800A0005))
    Fail(
        "NetAdapterObj.Nodes: Item 9 and Remove \"gone\" expected 0x800A0009 and 0x800A0005, found "
        "0x%08lX and "
        "0x%08lX",
        outside, absent);
  long count = 0;
  CallSlot(nodes, slot("Remove"), &key.v);
  CallSlot(nodes, slot("Count"), &count);
  if (count != 2)
    Fail("NetAdapterObj.Nodes.Count after Remove \"k1\": expected 2, found %ld", count);
  // Late-bound: Add "d" after position 1, then Count and Item 2 by dispatch identifier.
  IDispatch* dispatch = nullptr;
  nodes->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  Item d(L"d"), one(1L), two(2L);
  VARIANT args[4] = {one.v, Item().v, Item().v, d.v};  // right to left: after, before, key, item
  DISPPARAMS add{args, nullptr, 4, 0}, none{nullptr, nullptr, 0, 0}, index{&two.v, nullptr, 1, 0};
  VARIANT counted, second;
  VariantInit(&counted);
  VariantInit(&second);
  if (dispatch) {
    dispatch->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &add, nullptr, nullptr, nullptr);
    dispatch->Invoke(2, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &counted,
                     nullptr, nullptr);
    dispatch->Invoke(0, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &index, &second,
                     nullptr, nullptr);
    dispatch->Release();
  }
  if (counted.vt != VT_I4 || counted.lVal != 3 || second.vt != VT_BSTR ||
      Narrow(second.bstrVal) != "d")
    Fail("NetAdapterObj.Nodes late-bound: Add \"d\" after 1 expected Count 3 and Item 2 \"d\"");
  VariantClear(&second);
  nodes->Release();
}

void CheckNetAdapterObj(Object& o) {
  CheckNodes(o);
  Run(o, {{'l', "NetState"},
          {'t', "AdapterName", 0, "COM0"},
          {'t', "NetStateStr", 0, "OFFLINE"},
          {'b', "Enabled"}});
  o.Do("FireNetworkChanged", 'm', 1L);
  o.Do("FirePointToPointChange", 'm', 4L, 2L);
  Run(o,
      {{'l', "NetState", 1}, {'e', "FireNetworkChanged, FirePointToPointChange", 0, "", {1, 5}}});
}

void CheckConfigRegObj(Object& o) {
  Run(o, {{'l', "CapabilityMask", -1},
          {'o', "Register", 1},
          {'w', "Register"},
          {'L', "CapabilityMask", 5},
          {'l', "CapabilityMask", 5},
          {'L', "MotorStyle", 2},
          {'l', "MotorStyle", 2},
          {'b', "LinearMotor", -1}});
  long arb = 3;
  ExpectText(o, "FilterClockStrArb", 'g', "Mode: 3", &arb);
}

void CheckErrorCodeObj(Object& o) {
  Run(o, {{'o', "Register", 1}, {'w', "Register"}, {'b', "IsShutdown"}});
  ExpectText(o, "ErrorListStr", 'f', "");
}

void CheckIOregisterObj(Object& o) { Run(o, {{'l', "LastCommutationCode"}}); }

void CheckMonitorPortStateObj(Object& o) {
  IUnknown* config = nullptr;
  long mask = 0;
  if (o.Do("ConfigReg", 'g', &config) && config)
    CallSlot(config, SlotOf(g_contracts[3] /* ConfigRegObj */, "CapabilityMask", 'g'), &mask),
        config->Release();
  if (mask != 3)
    Fail("MonitorPortStateObj.ConfigReg.CapabilityMask Get: expected 3, found %ld", mask);
  Run(o, {{'o', "Amplitude", 1},
          {'o', "Variable", 1},
          {'m', "SaveToNonVolatile"},
          {'m', "Initialize"},
          {'e', "SaveToNonVolatile, Initialize", 0, "", {6, 9, 10}}});
}

void CheckStatusRegObj(Object& o) {
  Run(o, {{'l', "StatusImplemented", -1},
          {'b', "AllSystemsGo"},
          {'b', "HighLevelFeedback", -1},
          {'o', "ConfigReg", 1},
          {'w', "ConfigReg"},
          {'o', "LockLevelRef", 1}});
  long bit = 8;
  ExpectText(o, "BitStr", 'g', "Torque Mode", &bit);
}

void CheckStimulusStateObj(Object& o) {
  Run(o, {{'l', "LastMode", 3},
          {'l', "UImode", 3},
          {'b', "Running"},
          {'m', "Refresh"},
          {'m', "FireChanges"},
          {'B', "Initializing", -1},
          {'m', "FireChanges"},
          {'B', "Initializing", 0},
          {'e', "Refresh, FireChanges, Initializing, FireChanges", 0, "", {8, 3, 1, 2, 4, 6}}});
  if (!o.sink) return;
  auto* limit = new ClientValue;
  o.Do("TrackingLimit", 's', limit->itf());
  // The amplitude is 0: the limit a position stimulus installs is 0 as well.
  for (bool cancel : {true, false}) {
    // TrackingLimSetup(cancel): a listener that cancels keeps the tracking limit as it was.
    o.sink->act = nullptr;
    if (cancel)
      o.sink->act = [](DISPID id, DISPPARAMS* params, EXCEPINFO*) {
        if (id == 10) SetFlag(params, 0);
        return S_OK;
      };
    limit->number = 500;
    Run(o, {{'m', "Start"}, {'b', "Running", -1}});
    if (double want = cancel ? 500 : 0; limit->number != want)
      Fail("StimulusStateObj.Start, %s: tracking limit expected %g, found %g",
           cancel ? "cancelled" : "kept", want, limit->number);
    Run(o, {{'m', "Terminate"}, {'b', "Running"}});
  }
  limit->Release();
}

void CheckOptionRegObj(Object& o) {
  Run(o, {{'l', "CapabilityMask", 0x7FFFFFFF},
          {'o', "Register", 1},
          {'w', "Register"},
          {'R', "CaseOption", 9},
          {'l', "CaseOption", 1},
          {'t', "VendorStr", 0, "Zentara"}});
  // A value object of the client's own: fields are read from and written to its number
  // through its interfaces, its Changed events arrive, and it comes back as it went in.
  auto* mine = new ClientValue;
  mine->number = 0x50030;  // case option 5, firmware type 3
  IDispatch* own = nullptr;
  IUnknown *back = nullptr, *identity = nullptr;
  if (o.sink) o.sink->heard.clear();
  o.Do("Register", 'g', &own);
  o.Do("Register", 's', mine->itf());
  Run(o, {{'l', "CaseOption", 5},
          {'l', "FirmwareType", 3},
          {'R', "CaseOption", 2},
          {'R', "FirmwareType", 1},
          {'l', "CaseOption", 2},
          {'e', "CaseOption, FirmwareType on the client's value", 0, "", {1, 1, 2}}});
  if (mine->number != 0x20010)
    Fail("OptionRegObj: the client's value holds 0x%lX, expected 0x20010", long(mine->number));
  if (o.Do("Register", 'g', &back) && back)
    back->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
  if (identity != mine->itf()) Fail("OptionRegObj.Register Get: not the client's value object");
  for (IUnknown* p : {back, identity})
    if (p) p->Release();
  o.Do("Register", 's', own);
  if (mine->listener || mine->refs != 1)
    Fail(
        "OptionRegObj.Register Set: the client's value, replaced, keeps %s listener and %ld "
        "references",
        mine->listener ? "a" : "no", mine->refs);
  if (own) own->Release();
  mine->Release();
}

void CheckNetLib(Object& o) {
  Run(o, {{'t', "AppTitle"}, {'b', "Online"}, {'o', "LogFile"}, {'o', "Flash", 1}});
}

void CheckPhysDriveObj(Object& o) {
  Run(o, {{'o', "ConfigReg"}, {'l', "ScenarioMax"}});
  BSTR command = SysAllocString(L"PV 100");
  ExpectText(o, "RunCommand", 'f', "", &command, 50L, VARIANT_TRUE);
  SysFreeString(command);
}

// One check per class, in roster order.
void (*const kClassChecks[])(Object&) = {
    CheckCmdLog,       CheckDriveEventObj,    CheckNetSupervisorObj,    CheckConfigRegObj,
    CheckErrorCodeObj, CheckIOregisterObj,    CheckMonitorPortStateObj, CheckSoundEventsObj,
    CheckStatusRegObj, CheckStimulusStateObj, CheckOptionRegObj,        CheckNetAdapterObj,
    CheckHotKeyObj,    CheckAppStateEventObj, CheckErrReflector,        CheckNetLib,
    CheckPhysDriveObj};
static_assert(std::size(kClassChecks) == std::size(kClasses));

void RunObjectChecks() {
  auto* drive = new TestSink;
  drive->extra = ParseGuid(kClasses[16].iid /* PhysDriveObj */);
  g_drive = drive;
  for (size_t i = 0; i < g_contracts.size(); ++i) {
    Object object(g_contracts[i]);
    if (object.itf) kClassChecks[i](object);
  }
  g_drive->Release();
}

}  // namespace

int main(int argc, char** argv) {
  bool objects = false;
  const char* file = nullptr;
  SYSKIND syskind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--objects")
      objects = true;
    else if (arg == "--typelib" && i + 1 < argc)
      file = argv[++i];
    else if (arg == "--syskind" && i + 1 < argc &&
             (argv[i + 1] == std::string("win32") || argv[i + 1] == std::string("win64")))
      syskind = argv[++i] == std::string("win32") ? SYS_WIN32 : SYS_WIN64;
    else
      return std::printf(
                 "usage: contract_client [--objects] [--typelib FILE [--syskind win32|win64]]\n"),
             2;
  }
  if (file && objects)
    return std::printf("--typelib checks a file's type library only, no objects\n"), 2;
  g_fromFile = file != nullptr;
  for (const Class& cls : kClasses) g_contracts.push_back(Parse(cls));
  ITypeLib* lib = nullptr;
  const std::wstring path = file ? Widen(file) : std::wstring();
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) ||
      FAILED(file ? LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib)
                  : LoadRegTypeLib(ParseGuid(kLibId), kLibMajor, kLibMinor, 0, &lib)))
    return std::printf("cannot load the %s type library\n", file ? file : "registered"), 2;
  CheckLibrary(lib, syskind);
  lib->Release();
  int typeFailures = g_failures;
  std::printf("type library: %d mismatch%s\n", typeFailures, typeFailures == 1 ? "" : "es");
  if (objects) {
    RunObjectChecks();
    // Everything the checks made is released: both servers must be ready to unload.
    for (const char* dll : {"ZentNetLib.dll", "ZentValues.dll"}) {
      HMODULE module = GetModuleHandleA(dll);
      void* canUnload =
          module ? reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")) : nullptr;
      const HRESULT answer =
          canUnload ? reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(canUnload)() : E_NOINTERFACE;
      if (answer != S_OK)
        Fail("%s: DllCanUnloadNow 0x%08lX once every object is released", dll,
             static_cast<unsigned long>(answer));
    }
    int objectFailures = g_failures - typeFailures;
    std::printf("objects: %d mismatch%s\n", objectFailures, objectFailures == 1 ? "" : "es");
  }
  CoUninitialize();
  return g_failures > 125 ? 125 : g_failures;
}
