// zentref.exe: the reference of the registered type libraries, as an object browser sees them.
//
//   zentref OUTPUT.md
//
// Loads our library and every library its types refer to by identifier from the registry
// (as a client binds to them), and writes for each every class with its default interface's
// members in vtable slot order and its events with their dispatch identifiers, the
// interfaces no class of the library implements, every enumeration and every record to
// OUTPUT.md (UTF-8, LF line ends). On standard output it lists each
// published item without a help string ("no help: ..."), and last "N published items
// without a help string". Exit status 0, or 1 when a library cannot be loaded or the file cannot be
// written.
//
// Published items are the libraries, classes, interfaces, event interfaces, their members
// and events, the enumerations with their values and the records with their fields. A
// property counts once: help strings are found by member identifier, which its accessors
// share.
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// Our library, by identifier and major version. The libraries its types refer to (the value
// library's and any other but the system's stdole) follow it, in the order they are met.
constexpr const wchar_t* kLibrary = L"{EC0ACDA5-6E4E-42C1-87F7-4A0FF22A6EA7}";
constexpr WORD kLibraryMajor = 1;
constexpr const char* kStdOle = "{00020430-0000-0000-C000-000000000046}";

std::string Utf8(const wchar_t* wide) {
  if (!wide || !*wide) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
  out.pop_back();
  return out;
}

// A table cell: the pipe would end it and a line end would end the row.
std::string Cell(std::string text) {
  std::string out;
  for (char c : text) {
    if (c == '|')
      out += "\\|";
    else if (c == '\r' || c == '\n')
      out += ' ';
    else
      out += c;
  }
  return out;
}

template <class T>
struct Ptr {
  T* p = nullptr;
  Ptr() = default;
  Ptr(const Ptr&) = delete;
  Ptr& operator=(const Ptr&) = delete;
  ~Ptr() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

struct Attr {
  ITypeInfo* info;
  TYPEATTR* attr = nullptr;
  explicit Attr(ITypeInfo* i) : info(i) {
    if (FAILED(info->GetTypeAttr(&attr))) attr = nullptr;
  }
  Attr(const Attr&) = delete;
  Attr& operator=(const Attr&) = delete;
  ~Attr() {
    if (attr) info->ReleaseTypeAttr(attr);
  }
  TYPEATTR* operator->() const { return attr; }
};

struct Doc {
  std::string name, help;
};

Doc Documentation(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
  BSTR name = nullptr, help = nullptr;
  Doc out;
  if (SUCCEEDED(info->GetDocumentation(id, &name, &help, nullptr, nullptr))) {
    out = {Utf8(name), Utf8(help)};
    SysFreeString(name);
    SysFreeString(help);
  }
  return out;
}

// Two sentences, the second possibly empty.
std::string Then(const std::string& first, const std::string& second) {
  return second.empty() ? first : first + " " + second;
}

std::string GuidText(const GUID& guid) {
  wchar_t wide[40];
  StringFromGUID2(guid, wide, 40);
  return Utf8(wide);
}

class Writer {
 public:
  struct Library {
    GUID libid;
    WORD major;
  };
  std::vector<Library> libraries;  // to write, in order; grows as references are met
  std::string markdown;
  std::vector<std::string> missing;

  void Line(const std::string& text = {}) { markdown += text + "\n"; }
  // A paragraph, left out when there is nothing to say.
  void Paragraph(const std::string& text) {
    if (!text.empty()) markdown += text + "\n\n";
  }

  // Counts an item without a help string under `what`; returns the help string.
  std::string Help(const std::string& what, const std::string& help) {
    if (help.empty()) missing.push_back(what);
    return help;
  }

  void Write(ITypeLib* lib);
  // Adds the library that holds `type` to `libraries`, unless it is there or is stdole.
  void Note(ITypeInfo* type);

 private:
  std::string lib_;

  std::string TypeText(ITypeInfo* info, const TYPEDESC& t);
  std::string Parameters(ITypeInfo* info, const FUNCDESC& fd, std::string& result);
  void Members(ITypeInfo* info, const std::string& where);
  void Events(ITypeInfo* info, const std::string& where);
  void Variables(ITypeInfo* info, bool enumeration);
};

// A pointer to an interface: an object passed by value.
bool IsObject(ITypeInfo* info, const TYPEDESC& t) {
  Ptr<ITypeInfo> ref;
  if (t.vt != VT_PTR || t.lptdesc->vt != VT_USERDEFINED ||
      FAILED(info->GetRefTypeInfo(t.lptdesc->hreftype, &ref)))
    return false;
  const TYPEKIND kind = Attr(ref.p)->typekind;
  return kind == TKIND_INTERFACE || kind == TKIND_DISPATCH || kind == TKIND_COCLASS;
}

std::string Writer::TypeText(ITypeInfo* info, const TYPEDESC& t) {
  static const std::map<VARTYPE, const char*> kNames = {
      {VT_I2, "Integer"},      {VT_I4, "Long"},         {VT_R4, "Single"},
      {VT_R8, "Double"},       {VT_CY, "Currency"},     {VT_DATE, "Date"},
      {VT_BSTR, "String"},     {VT_DISPATCH, "Object"}, {VT_ERROR, "SCODE"},
      {VT_BOOL, "Boolean"},    {VT_VARIANT, "Variant"}, {VT_UNKNOWN, "IUnknown"},
      {VT_I1, "Char"},         {VT_UI1, "Byte"},        {VT_UI2, "UShort"},
      {VT_UI4, "ULong"},       {VT_I8, "LongLong"},     {VT_UI8, "ULongLong"},
      {VT_INT, "Int"},         {VT_UINT, "UInt"},       {VT_VOID, "Void"},
      {VT_HRESULT, "HRESULT"}, {VT_LPSTR, "LPSTR"},     {VT_LPWSTR, "LPWSTR"}};
  switch (t.vt) {
    case VT_PTR:
      // A pointer to an interface is an object reference: the interface's name alone.
      return IsObject(info, t) ? TypeText(info, *t.lptdesc) : TypeText(info, *t.lptdesc) + "*";
    case VT_SAFEARRAY:
      return TypeText(info, *t.lptdesc) + "()";
    case VT_CARRAY: {
      std::string dims;
      for (USHORT i = 0; i < t.lpadesc->cDims; ++i)
        dims += (i ? "," : "") + std::to_string(t.lpadesc->rgbounds[i].cElements);
      return TypeText(info, t.lpadesc->tdescElem) + "[" + dims + "]";
    }
    case VT_USERDEFINED: {
      Ptr<ITypeInfo> ref;
      if (FAILED(info->GetRefTypeInfo(t.hreftype, &ref))) return "?";
      Note(ref.p);
      return Documentation(ref.p).name;
    }
    default: {
      auto it = kNames.find(t.vt);
      return it != kNames.end() ? it->second : "VT_" + std::to_string(t.vt);
    }
  }
}

// A parameter's default as the type library stores it; an enumeration's as its number, since
// a member may carry an enumeration type for values of another kind. `value` is a shallow
// copy (the conversion wants it writable); it is not cleared.
std::string DefaultText(VARIANT value) {
  VARIANT v;
  VariantInit(&v);
  std::string out = "?";
  if (SUCCEEDED(VariantChangeType(&v, &value, VARIANT_ALPHABOOL, VT_BSTR)))
    out = V_VT(&value) == VT_BSTR ? "\"" + Utf8(V_BSTR(&v)) + "\"" : Utf8(V_BSTR(&v));
  VariantClear(&v);
  return out;
}

// The parameters as "ByRef Optional name As Type = default", the [out, retval] one moved
// into `result`.
std::string Writer::Parameters(ITypeInfo* info, const FUNCDESC& fd, std::string& result) {
  std::vector<BSTR> names(static_cast<size_t>(fd.cParams) + 1, nullptr);
  UINT count = 0;
  info->GetNames(fd.memid, names.data(), static_cast<UINT>(names.size()), &count);
  std::string out;
  for (SHORT p = 0; p < fd.cParams; ++p) {
    const ELEMDESC& e = fd.lprgelemdescParam[p];
    const USHORT flags = e.paramdesc.wParamFlags;
    // The names are looked up by member identifier, which a property's accessors share,
    // so a write's value may come back with another accessor's name or none: it is
    // "value" here.
    const size_t at = static_cast<size_t>(p) + 1;
    const bool written =
        fd.invkind != INVOKE_FUNC && fd.invkind != INVOKE_PROPERTYGET && p == fd.cParams - 1;
    std::string name = at < count && !written ? Utf8(names[at]) : "value";
    if (flags & PARAMFLAG_FRETVAL) {
      result = TypeText(info, *e.tdesc.lptdesc);
      continue;
    }
    const bool byRef = e.tdesc.vt == VT_PTR && !IsObject(info, e.tdesc);
    std::string text = byRef ? "ByRef " : "";
    bool optional = (flags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT)) ||
                    (fd.cParamsOpt == -1 && p == fd.cParams - 1);
    if (optional) text += "Optional ";
    if (fd.cParamsOpt == -1 && p == fd.cParams - 1) text += "ParamArray ";
    text += name + " As " + TypeText(info, byRef ? *e.tdesc.lptdesc : e.tdesc);
    if ((flags & PARAMFLAG_FHASDEFAULT) && e.paramdesc.pparamdescex)
      text += " = " + DefaultText(e.paramdesc.pparamdescex->varDefaultValue);
    out += (out.empty() ? "" : ", ") + text;
  }
  for (BSTR name : names) SysFreeString(name);
  return out;
}

std::string FunctionKind(const FUNCDESC& fd) {
  std::string kind = fd.invkind == INVOKE_PROPERTYGET      ? "Get"
                     : fd.invkind == INVOKE_PROPERTYPUT    ? "Let"
                     : fd.invkind == INVOKE_PROPERTYPUTREF ? "Set"
                                                           : "Method";
  if (fd.wFuncFlags & FUNCFLAG_FHIDDEN) kind += ", hidden";
  if (fd.wFuncFlags & FUNCFLAG_FRESTRICTED) kind += ", restricted";
  return kind;
}

// The interface's own functions, by vtable slot.
void Writer::Members(ITypeInfo* info, const std::string& where) {
  Attr attr(info);
  std::map<SHORT, std::pair<MEMBERID, std::string>> rows;  // by slot: member, row less help
  for (UINT i = 0; attr.attr && i < attr->cFuncs; ++i) {
    FUNCDESC* fd = nullptr;
    if (FAILED(info->GetFuncDesc(i, &fd))) continue;
    const Doc doc = Documentation(info, fd->memid);
    const std::string kind = FunctionKind(*fd);
    std::string result;
    std::string params = Parameters(info, *fd, result);
    if (result.empty() && fd->elemdescFunc.tdesc.vt != VT_HRESULT &&
        fd->elemdescFunc.tdesc.vt != VT_VOID)
      result = TypeText(info, fd->elemdescFunc.tdesc);
    rows[fd->oVft] = {fd->memid,
                      "| " + std::to_string(fd->oVft / static_cast<SHORT>(sizeof(void*))) + " | " +
                          doc.name + " | " + kind + " | " + Cell(params) + " | " + result + " | "};
    info->ReleaseFuncDesc(fd);
  }
  // Help strings too are looked up by member identifier: a property has one, shown and
  // counted at its first accessor.
  Line("| Slot | Member | Kind | Parameters | Result | Help |");
  Line("|---:|---|---|---|---|---|");
  std::map<MEMBERID, bool> shown;
  for (const auto& [slot, row] : rows) {
    std::string help;
    if (!shown[row.first]) {
      const Doc doc = Documentation(info, row.first);
      help = Help(where + "." + doc.name, doc.help);
      shown[row.first] = true;
    }
    Line(row.second + Cell(help) + " |");
  }
}

// An event interface's functions, in dispatch identifier order.
void Writer::Events(ITypeInfo* info, const std::string& where) {
  Attr attr(info);
  std::map<MEMBERID, std::string> rows;
  for (UINT i = 0; attr.attr && i < attr->cFuncs; ++i) {
    FUNCDESC* fd = nullptr;
    if (FAILED(info->GetFuncDesc(i, &fd))) continue;
    const Doc doc = Documentation(info, fd->memid);
    std::string result;
    std::string params = Parameters(info, *fd, result);
    const std::string help = Help(where + "." + doc.name, doc.help);
    rows[fd->memid] = "| " + std::to_string(fd->memid) + " | " + doc.name + " | " + Cell(params) +
                      " | " + Cell(help) + " |";
    info->ReleaseFuncDesc(fd);
  }
  Line("| DispID | Event | Arguments | Help |");
  Line("|---:|---|---|---|");
  for (const auto& [id, row] : rows) Line(row);
}

// An enumeration's values or a record's fields, each with its help string.
void Writer::Variables(ITypeInfo* info, bool enumeration) {
  Attr attr(info);
  const Doc doc = Documentation(info);
  Line("#### " + doc.name);
  Line();
  Paragraph(Help(lib_ + "." + doc.name, doc.help));
  std::vector<std::pair<std::string, std::string>> rows;  // cells, help
  for (UINT i = 0; attr.attr && i < attr->cVars; ++i) {
    VARDESC* vd = nullptr;
    if (FAILED(info->GetVarDesc(i, &vd))) continue;
    const Doc var = Documentation(info, vd->memid);
    std::string cells = "| " + var.name + " | ";
    if (enumeration) {
      VARIANT v;
      VariantInit(&v);
      LONG number = 0;
      if (vd->varkind == VAR_CONST && SUCCEEDED(VariantChangeType(&v, vd->lpvarValue, 0, VT_I4)))
        number = V_I4(&v);
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%lX", static_cast<unsigned long>(number));
      cells += std::to_string(number) + " | " + hex + " |";
    } else {
      cells += TypeText(info, vd->elemdescVar.tdesc) + " | " + std::to_string(vd->oInst) + " |";
    }
    rows.emplace_back(cells, Help(lib_ + "." + doc.name + "." + var.name, var.help));
    info->ReleaseVarDesc(vd);
  }
  Line(enumeration ? "| Name | Value | Hex | Help |" : "| Field | Type | Offset | Help |");
  Line(enumeration ? "|---|---:|---:|---|" : "|---|---|---:|---|");
  for (const auto& [cells, text] : rows) Line(cells + " " + Cell(text) + " |");
  Line();
}

// A dual interface may be handed out as its dispatch view; the vtable view hangs off it at -1.
bool VtableView(ITypeInfo* info, Ptr<ITypeInfo>& vtable) {
  HREFTYPE ref = 0;
  if (Attr(info)->typekind != TKIND_DISPATCH || !(Attr(info)->wTypeFlags & TYPEFLAG_FDUAL)) {
    info->AddRef();
    vtable.p = info;
    return true;
  }
  return SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) &&
         SUCCEEDED(info->GetRefTypeInfo(ref, &vtable));
}

void Writer::Note(ITypeInfo* type) {
  Ptr<ITypeLib> lib;
  UINT index = 0;
  TLIBATTR* attr = nullptr;
  if (FAILED(type->GetContainingTypeLib(&lib, &index)) || FAILED(lib->GetLibAttr(&attr))) return;
  const Library found{attr->guid, attr->wMajorVerNum};
  lib->ReleaseTLibAttr(attr);
  if (GuidText(found.libid) == kStdOle) return;
  for (const auto& known : libraries)
    if (IsEqualGUID(known.libid, found.libid)) return;
  libraries.push_back(found);
}

void Writer::Write(ITypeLib* lib) {
  BSTR name = nullptr, help = nullptr;
  lib->GetDocumentation(-1, &name, &help, nullptr, nullptr);
  lib_ = Utf8(name);
  TLIBATTR* la = nullptr;
  lib->GetLibAttr(&la);
  Line("## Library " + lib_);
  Line();
  Paragraph(Help(lib_, Utf8(help)));
  Line("Version " + std::to_string(la->wMajorVerNum) + "." + std::to_string(la->wMinorVerNum) +
       ", identifier `" + GuidText(la->guid) + "`.");
  Line();
  lib->ReleaseTLibAttr(la);
  SysFreeString(name);
  SysFreeString(help);

  const UINT count = lib->GetTypeInfoCount();
  std::vector<Ptr<ITypeInfo>> infos(count);
  std::map<std::string, bool> implemented;  // interface name: the default of one of our classes
  for (UINT i = 0; i < count; ++i) lib->GetTypeInfo(i, &infos[i]);

  Line("### Classes");
  Line();
  for (auto& info : infos) {
    if (!info.p || Attr(info.p)->typekind != TKIND_COCLASS) continue;
    const Doc cls = Documentation(info.p);
    Line("#### " + cls.name);
    Line();
    Paragraph(Help(lib_ + "." + cls.name + " (class)", cls.help));
    Line("ProgID `" + lib_ + "." + cls.name + "`, class identifier `" +
         GuidText(Attr(info.p)->guid) + "`.");
    Line();
    for (UINT i = 0; i < Attr(info.p)->cImplTypes; ++i) {
      INT flags = 0;
      HREFTYPE ref = 0;
      Ptr<ITypeInfo> impl, vtable;
      if (FAILED(info->GetImplTypeFlags(i, &flags)) || !(flags & IMPLTYPEFLAG_FDEFAULT) ||
          FAILED(info->GetRefTypeOfImplType(i, &ref)) || FAILED(info->GetRefTypeInfo(ref, &impl)))
        continue;
      const Doc itf = Documentation(impl.p);
      const std::string where = lib_ + "." + itf.name;
      implemented[itf.name] = true;
      if (flags & IMPLTYPEFLAG_FSOURCE) {
        Paragraph(Then("Events: `" + itf.name + "`.", Help(where, itf.help)));
        Events(impl.p, where);
      } else {
        Paragraph(Then("Default interface: `" + itf.name + "`.", Help(where, itf.help)));
        if (VtableView(impl.p, vtable)) Members(vtable.p, where);
      }
      Line();
    }
  }

  bool heading = false;
  for (auto& info : infos) {
    if (!info.p) continue;
    const TYPEKIND kind = Attr(info.p)->typekind;
    const Doc itf = Documentation(info.p);
    if ((kind != TKIND_INTERFACE && kind != TKIND_DISPATCH) || implemented.count(itf.name))
      continue;
    if (!heading) {
      Line("### Interfaces no class of this library implements");
      Line();
      heading = true;
    }
    const std::string where = lib_ + "." + itf.name;
    Line("#### " + itf.name);
    Line();
    Paragraph(Help(where, itf.help));
    Ptr<ITypeInfo> vtable;
    if (kind == TKIND_DISPATCH && !(Attr(info.p)->wTypeFlags & TYPEFLAG_FDUAL))
      Events(info.p, where);
    else if (VtableView(info.p, vtable))
      Members(vtable.p, where);
    Line();
  }

  for (TYPEKIND kind : {TKIND_ENUM, TKIND_RECORD}) {
    heading = false;
    for (auto& info : infos) {
      if (!info.p || Attr(info.p)->typekind != kind) continue;
      if (!heading) {
        Line(kind == TKIND_ENUM ? "### Enumerations" : "### Records");
        Line();
        heading = true;
      }
      Variables(info.p, kind == TKIND_ENUM);
    }
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: zentref OUTPUT.md\n", stderr);
    return 2;
  }
  if (FAILED(CoInitialize(nullptr))) return 1;
  Writer writer;
  writer.Line("# ZentNetLib reference");
  writer.Line();
  writer.Line(
      "What an object browser shows of the registered type libraries: every class with "
      "its default interface's members in vtable slot order and its events with their "
      "dispatch identifiers, then the enumerations and records. Generated by "
      "`scripts/reference` (tools/zentref); do not edit by hand.");
  writer.Line();
  writer.Line(
      "Parameters read `ByRef` (passed by reference: the member may write back into the "
      "caller's variable), `Optional` (may be left out; `= value` is the value used "
      "then). Kinds are Get, Let (assign a value), Set (assign an object) and Method.");
  writer.Line();
  int status = 0;
  GUID libid{};
  IIDFromString(kLibrary, &libid);
  writer.libraries.push_back({libid, kLibraryMajor});
  for (size_t i = 0; i < writer.libraries.size(); ++i) {
    const auto entry = writer.libraries[i];
    Ptr<ITypeLib> lib;
    const HRESULT hr = LoadRegTypeLib(entry.libid, entry.major, 0, LOCALE_NEUTRAL, &lib);
    if (FAILED(hr)) {
      std::fprintf(stderr, "zentref: the type library %s is not registered (0x%08lX)\n",
                   GuidText(entry.libid).c_str(), static_cast<unsigned long>(hr));
      status = 1;
      continue;
    }
    writer.Write(lib.p);
  }
  if (status == 0) {
    FILE* file = _wfopen(argv[1], L"wb");
    if (!file ||
        std::fwrite(writer.markdown.data(), 1, writer.markdown.size(), file) !=
            writer.markdown.size() ||
        std::fclose(file) != 0) {
      std::fprintf(stderr, "zentref: cannot write %ls\n", argv[1]);
      status = 1;
    }
  }
  for (const auto& item : writer.missing) std::printf("no help: %s\n", item.c_str());
  std::printf("%zu published items without a help string\n", writer.missing.size());
  CoUninitialize();
  return status;
}
