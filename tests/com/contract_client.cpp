// An early-bound client of ZentNetLib, written against the published contract table
// (contract_table.h) rather than our own IDL or header.
//
//   contract_client [path\to\ZentNetLib.tlb] [--register path\to\server.dll]... [--objects]
//
// Checking the type library: every class's coclass, default interface and event interface,
// every member's vtable slot and kind, every event's dispatch identifier. With --objects
// the registered DLL is loaded too: each class is created by class id, members are called
// through raw vtable slots taken from the table, and events arrive at early-bound sinks.
// --register calls each server's DllRegisterServer first (and implies --objects); without a
// path the registered type library is checked.
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
        case FUNC: return "function";
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
    unsigned pointers;  // bit i: argument i is passed by reference
    bool endsInResult;  // the last parameter is [out, retval]
    bool matched = false;
};

std::vector<Found> Functions(ITypeInfo* info) {
    std::vector<Found> out;
    Attr attr(info);
    if (!attr.attr) return out;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* fd = nullptr;
        if (FAILED(info->GetFuncDesc(i, &fd))) continue;
        unsigned pointers = 0;
        for (SHORT p = 0; p < fd->cParams && p < 32; ++p)
            if (fd->lprgelemdescParam[p].tdesc.vt == VT_PTR) pointers |= 1u << p;
        bool endsInResult = fd->cParams > 0 &&
            (fd->lprgelemdescParam[fd->cParams - 1].paramdesc.wParamFlags & PARAMFLAG_FRETVAL);
        out.push_back({TypeName(info, fd->memid), fd->invkind,
                       static_cast<unsigned>(fd->oVft / sizeof(void*)), fd->memid, fd->cParams,
                       pointers, endsInResult});
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
                // A read hands its value back as the result; a write takes it as the last argument.
                if (form == GET && !hit->endsInResult)
                    Fail("%s.%s Get: no [out, retval] result", cls.name, member.name);
                if ((form == LET || form == SET || form == WRITE) && (hit->endsInResult || hit->params < 1))
                    Fail("%s.%s %s: expected the value as the last argument", cls.name, member.name,
                         FormName(form));
                if (form == FUNC && !hit->endsInResult)
                    Fail("%s.%s: expected an [out, retval] result", cls.name, member.name);
                if (form == METHOD && hit->endsInResult)
                    Fail("%s.%s: expected no result, found [out, retval]", cls.name, member.name);
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
        if (found[at].params != event.params) {
            Fail("%s event %s: parameters expected %d, found %d", cls.name, event.name, event.params,
                 found[at].params);
        } else {
            unsigned want = ((1u << event.params) - 1) & ~event.byValue;
            for (int p = 0; p < event.params; ++p)
                if (((want ^ found[at].pointers) >> p) & 1)
                    Fail("%s event %s: argument %d expected by %s, found by %s", cls.name, event.name,
                         p + 1, (want >> p) & 1 ? "reference" : "value",
                         (want >> p) & 1 ? "value" : "reference");
        }
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


// ------------------------------------------------------------------------------------------
// The objects: created by class id, called through raw vtable slots from the table.

unsigned SlotOf(const Class& cls, const char* member, Form form) {
    unsigned slot = kDispatchSlots;
    for (const Member& m : cls.members)
        for (Form f : m.forms) {
            if (f == NONE) break;
            if (f == form && std::strcmp(m.name, member) == 0) return slot;
            ++slot;
        }
    std::printf("contract table: %s.%s %s is not listed\n", cls.name, member, FormName(form));
    std::exit(2);
}

const Class& ClassNamed(const char* name) {
    for (const Class& cls : kClasses)
        if (std::strcmp(cls.name, name) == 0) return cls;
    std::printf("contract table: no class %s\n", name);
    std::exit(2);
}

// Calls the function in `slot` of the interface `itf` with the given arguments, as a
// compiled client bound to that slot would.
template <class... Args>
HRESULT CallSlot(IUnknown* itf, unsigned slot, Args... args) {
    using Fn = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, Args...);
    void** vtable = *reinterpret_cast<void***>(itf);
    return reinterpret_cast<Fn>(vtable[slot])(itf, args...);
}

// An early-bound event sink: records each event's dispatch id and argument count, and
// lets a test write back into by-reference arguments.
class Sink final : public IDispatch {
public:
    explicit Sink(const IID& iid) : iid_(iid) {}
    std::vector<DISPID> seen;
    std::vector<UINT> counts;
    void (*onEvent)(DISPID, DISPPARAMS*, void*) = nullptr;
    void* context = nullptr;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == iid_) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        seen.push_back(id);
        counts.push_back(params ? params->cArgs : 0);
        if (onEvent) onEvent(id, params, context);
        return S_OK;
    }

private:
    ~Sink() = default;
    IID iid_;
    LONG refs_ = 1;
};

// One object of a class under test, with its default interface and, if it raises events,
// a sink connected to it for the object's lifetime.
class Object {
public:
    Object(const Class& cls) : cls_(cls) {
        HRESULT hr = CoCreateInstance(ParseGuid(cls.clsid), nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IUnknown, reinterpret_cast<void**>(&unknown_));
        if (FAILED(hr)) {
            Fail("%s: CoCreateInstance failed, hr 0x%08lX", cls.name, static_cast<unsigned long>(hr));
            return;
        }
        hr = unknown_->QueryInterface(ParseGuid(cls.iid), reinterpret_cast<void**>(&itf_));
        if (FAILED(hr)) {
            Fail("%s: no default interface, hr 0x%08lX", cls.name, static_cast<unsigned long>(hr));
            return;
        }
        if (cls.eventIid) Connect();
    }
    ~Object() {
        if (point_) {
            point_->Unadvise(cookie_);
            point_->Release();
        }
        if (sink_) sink_->Release();
        if (itf_) itf_->Release();
        if (unknown_) {
            ULONG left = unknown_->Release();
            if (left != 0) Fail("%s: %lu references left after the last release", cls_.name,
                                static_cast<unsigned long>(left));
        }
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    explicit operator bool() const { return itf_ != nullptr; }
    IUnknown* itf() const { return itf_; }
    const Class& cls() const { return cls_; }
    Sink* sink() const { return sink_; }
    unsigned Slot(const char* member, Form form) const { return SlotOf(cls_, member, form); }

    template <class... Args>
    HRESULT Call(const char* member, Form form, Args... args) const {
        return CallSlot(itf_, Slot(member, form), args...);
    }

    // Whether the write slot of `member` takes its value by reference, as the type library
    // says: the published member lists leave that open for some plain properties.
    bool LetTakesPointer(const char* member) const {
        unsigned slot = Slot(member, LET);
        Ptr<IDispatch> dispatch;
        Ptr<ITypeInfo> info, vtable;
        HREFTYPE ref = 0;
        if (FAILED(itf_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) ||
            FAILED(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)))
            return false;
        // The object may answer with either view of its dual interface.
        if (Attr(info.p)->typekind == TKIND_DISPATCH) {
            if (FAILED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) ||
                FAILED(info->GetRefTypeInfo(ref, &vtable)))
                return false;
        } else {
            info->AddRef();
            vtable.p = info.p;
        }
        Attr attr(vtable.p);
        for (UINT i = 0; attr.attr && i < attr->cFuncs; ++i) {
            FUNCDESC* fd = nullptr;
            if (FAILED(vtable->GetFuncDesc(i, &fd))) continue;
            bool here = fd->oVft / sizeof(void*) == slot && fd->cParams >= 1;
            bool pointer = here && fd->lprgelemdescParam[0].tdesc.vt == VT_PTR;
            vtable->ReleaseFuncDesc(fd);
            if (here) return pointer;
        }
        return false;
    }

    // The events seen since the last call, compared with `expected` in order.
    void ExpectEvents(const char* after, std::initializer_list<DISPID> expected) {
        std::vector<DISPID> want(expected);
        std::vector<DISPID> got = sink_ ? sink_->seen : std::vector<DISPID>{};
        if (got != want) {
            std::string w, g;
            for (DISPID d : want) w += (w.empty() ? "" : ",") + std::to_string(d);
            for (DISPID d : got) g += (g.empty() ? "" : ",") + std::to_string(d);
            Fail("%s after %s: events expected [%s], found [%s]", cls_.name, after, w.c_str(), g.c_str());
        }
        if (sink_) {
            sink_->seen.clear();
            sink_->counts.clear();
        }
    }

private:
    void Connect() {
        Ptr<IConnectionPointContainer> container;
        HRESULT hr = unknown_->QueryInterface(IID_IConnectionPointContainer,
                                              reinterpret_cast<void**>(&container));
        if (SUCCEEDED(hr)) hr = container->FindConnectionPoint(ParseGuid(cls_.eventIid), &point_);
        if (FAILED(hr)) {
            Fail("%s: no connection point for %ls, hr 0x%08lX", cls_.name, cls_.eventIid,
                 static_cast<unsigned long>(hr));
            return;
        }
        sink_ = new Sink(ParseGuid(cls_.eventIid));
        hr = point_->Advise(static_cast<IDispatch*>(sink_), &cookie_);
        if (FAILED(hr)) {
            Fail("%s: Advise failed, hr 0x%08lX", cls_.name, static_cast<unsigned long>(hr));
            point_->Release();
            point_ = nullptr;
        }
    }

    const Class& cls_;
    IUnknown* unknown_ = nullptr;
    IUnknown* itf_ = nullptr;
    IConnectionPoint* point_ = nullptr;
    Sink* sink_ = nullptr;
    DWORD cookie_ = 0;
};

void ReportHr(const Object& o, const char* member, Form form, HRESULT hr) {
    Fail("%s.%s %s: call failed, hr 0x%08lX", o.cls().name, member, FormName(form),
         static_cast<unsigned long>(hr));
}

// Reads a long or VARIANT_BOOL property; the poison value shows a slot that never writes.
template <class T>
void ExpectValue(const Object& o, const char* member, T expected) {
    T value = static_cast<T>(0x5A5A5A5A);
    HRESULT hr = o.Call(member, GET, &value);
    if (FAILED(hr)) return ReportHr(o, member, GET, hr);
    if (value != expected)
        Fail("%s.%s Get: expected %ld, found %ld", o.cls().name, member, long(expected), long(value));
}
void ExpectLong(const Object& o, const char* member, long expected) { ExpectValue(o, member, expected); }
void ExpectBool(const Object& o, const char* member, VARIANT_BOOL expected) { ExpectValue(o, member, expected); }

void CompareText(const Object& o, const char* member, const char* expected, BSTR value) {
    std::string got = Narrow(value);
    SysFreeString(value);
    if (got != expected)
        Fail("%s.%s: expected \"%s\", found \"%s\"", o.cls().name, member, expected, got.c_str());
}

// Calls a member whose last parameter returns text, after the given arguments.
template <class... Args>
void ExpectTextFrom(const Object& o, const char* member, Form form, const char* expected, Args... args) {
    BSTR value = nullptr;
    HRESULT hr = o.Call(member, form, args..., &value);
    if (FAILED(hr)) return ReportHr(o, member, form, hr);
    CompareText(o, member, expected, value);
}

void ExpectText(const Object& o, const char* member, const char* expected) {
    ExpectTextFrom(o, member, GET, expected);
}

// Reads an object-valued property; `present` says whether a reference is expected.
void ExpectObject(const Object& o, const char* member, bool present) {
    IDispatch* value = reinterpret_cast<IDispatch*>(1);
    HRESULT hr = o.Call(member, GET, &value);
    if (FAILED(hr)) return ReportHr(o, member, GET, hr);
    if ((value != nullptr) != present)
        Fail("%s.%s Get: expected %s, found %s", o.cls().name, member, present ? "an object" : "nothing",
             value ? "an object" : "nothing");
    if (value) value->Release();
}

// Writes through the Let slot, by reference or by value; Let asks the type library which.
template <class T>
void LetAs(const Object& o, const char* member, T value, bool byRef) {
    HRESULT hr = byRef ? o.Call(member, LET, &value) : o.Call(member, LET, value);
    if (FAILED(hr)) ReportHr(o, member, LET, hr);
}
template <class T> void Let(const Object& o, const char* m, T v) { LetAs(o, m, v, o.LetTakesPointer(m)); }
template <class T> void LetByRef(const Object& o, const char* m, T v) { LetAs(o, m, v, true); }
template <class T> void LetByValue(const Object& o, const char* m, T v) { LetAs(o, m, v, false); }

template <class... Args>
void Method(const Object& o, const char* member, Args... args) {
    HRESULT hr = o.Call(member, METHOD, args...);
    if (FAILED(hr)) ReportHr(o, member, METHOD, hr);
}

VARIANT* ByRefArg(DISPPARAMS* params, UINT fromLeft) {
    if (!params || fromLeft >= params->cArgs) return nullptr;
    return &params->rgvarg[params->cArgs - 1 - fromLeft];
}

// The undescribed write slot of an object-valued field: an object is assigned as by the
// reference-assign slot, anything else is refused with the type-mismatch error (13).
void CheckUndescribedWrite(const Object& o, const char* member) {
    IDispatch* held = nullptr;
    HRESULT hr = o.Call(member, GET, &held);
    if (FAILED(hr) || !held) return ReportHr(o, member, GET, hr);
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_I4;
    number.lVal = 5;
    hr = o.Call(member, WRITE, number);
    if (hr != static_cast<HRESULT>(0x800A000D))
        Fail("%s.%s undescribed write of a number: expected hr 0x800A000D, found 0x%08lX", o.cls().name,
             member, static_cast<unsigned long>(hr));
    VARIANT object;
    VariantInit(&object);
    object.vt = VT_DISPATCH;
    object.pdispVal = held;
    hr = o.Call(member, WRITE, object);
    if (FAILED(hr)) ReportHr(o, member, WRITE, hr);
    IDispatch* after = nullptr;
    hr = o.Call(member, GET, &after);
    if (SUCCEEDED(hr) && after != held)
        Fail("%s.%s: another object after writing back the one read", o.cls().name, member);
    if (after) after->Release();
    held->Release();
}

// One step of a class's script: l/b/t read a long, VARIANT_BOOL or text; o reads an object
// (`value` says whether one is expected); L/B write a long or VARIANT_BOOL by value, R a long
// by reference, A a long as the type library says; m calls a method; w checks the undescribed
// write; e compares the events seen so far with `events`.
struct Step {
    char op;
    const char* member;
    long value = 0;
    const char* text = "";
    std::initializer_list<DISPID> events = {};
};

void Run(Object& o, std::initializer_list<Step> steps) {
    for (const Step& s : steps) switch (s.op) {
        case 'l': ExpectLong(o, s.member, s.value); break;
        case 'b': ExpectBool(o, s.member, static_cast<VARIANT_BOOL>(s.value)); break;
        case 't': ExpectText(o, s.member, s.text); break;
        case 'o': ExpectObject(o, s.member, s.value != 0); break;
        case 'L': LetByValue<long>(o, s.member, s.value); break;
        case 'B': LetByValue<VARIANT_BOOL>(o, s.member, static_cast<VARIANT_BOOL>(s.value)); break;
        case 'R': LetByRef<long>(o, s.member, s.value); break;
        case 'A': Let<long>(o, s.member, s.value); break;
        case 'm': Method(o, s.member); break;
        case 'w': CheckUndescribedWrite(o, s.member); break;
        case 'e': o.ExpectEvents(s.member, s.events); break;
    }
}

// ---- one check per class ------------------------------------------------------------------

void CheckCmdLog(Object& o) {
    Run(o, {{'b', "Logging"}, {'b', "LogPolling"}, {'b', "InPoll"}, {'B', "LogPolling", -1},
            {'b', "LogPolling", -1}, {'b', "Logging"}});
}

void CheckErrReflector(Object& o) {
    Run(o, {{'l', "Number"}, {'l', "HelpContext"}, {'t', "Description"}, {'t', "Source"}, {'t', "HelpFile"}});
}

void CheckSoundEventsObj(Object& o) {
    Run(o, {{'l', "Bits", 0x7FFFFFFF}, {'b', "TorqueSaturation"}, {'B', "Control", -1},
            {'b', "TorqueSaturation", -1}, {'B', "VoltageSaturation"}, {'l', "Bits", 2147483645},
            {'b', "TorqueSaturation", -1}, {'b', "VoltageSaturation"}, {'R', "Bits"}, {'B', "Shutdown", -1},
            {'l', "Bits", 8}, {'m', "RestoreAll"}, {'l', "Bits", 0x7FFFFFFF},
            {'e', "Control, VoltageSaturation, Bits, Shutdown, RestoreAll", 0, "", {2, 1, 1, 1, 1}}});
}

void CheckHotKeyObj(Object& o) {
    Run(o, {{'l', "KeyCode"}, {'A', "KeyCode", 112}, {'A', "ShiftCodes", 3}, {'l', "Key", 196720},
            {'t', "KeyName", 0, "30070"}, {'A', "ShiftCodes", 0}, {'t', "KeyName", 0, "70"}, {'o', "FormRef"},
            {'m', "FireHit"}, {'m', "FireHitUp"}, {'m', "FireHit"},
            {'e', "FireHit, FireHitUp, FireHit", 0, "", {1, 2, 1}}});
}

struct DemoDrive {
    IUnknown* drive;
};

void AppStateListener(DISPID id, DISPPARAMS* params, void* context) {
    if (id == 5) {  // Terminate(cancel): ask to cancel
        VARIANT* cancel = ByRefArg(params, 0);
        if (cancel && cancel->vt == (VT_BYREF | VT_BOOL)) *cancel->pboolVal = VARIANT_TRUE;
    }
    if (id == 6) {  // CreateDemoDrive(dType, demoDrv): hand back a drive
        VARIANT* drv = ByRefArg(params, 1);
        auto* demo = static_cast<DemoDrive*>(context);
        if (drv && (drv->vt & VT_BYREF) && demo->drive) {
            IDispatch** slot = drv->ppdispVal;
            if (*slot) (*slot)->Release();
            demo->drive->AddRef();
            *slot = reinterpret_cast<IDispatch*>(demo->drive);
        }
    }
}

void CheckAppStateEventObj(Object& o) {
    if (!o.sink()) return;
    Object drive(ClassNamed("PhysDriveObj"));
    DemoDrive demo{drive.itf()};
    o.sink()->onEvent = AppStateListener;
    o.sink()->context = &demo;

    VARIANT_BOOL cancel = 0;
    HRESULT hr = o.Call("FireTerminate", FUNC, &cancel);
    if (FAILED(hr)) ReportHr(o, "FireTerminate", FUNC, hr);
    if (cancel != VARIANT_TRUE) Fail("AppStateEventObj.FireTerminate: expected -1, found %d", cancel);
    Method(o, "FireTimerTick");
    IUnknown* net = nullptr;
    Method(o, "FireNetChange", &net, 1L);
    LetByValue<VARIANT_BOOL>(o, "MotorPageEnabled", VARIANT_TRUE);
    LetByValue<VARIANT_BOOL>(o, "MotorPageEnabled", VARIANT_TRUE);
    ExpectBool(o, "MotorPageEnabled", VARIANT_TRUE);
    LetByValue<VARIANT_BOOL>(o, "MotorPageEnabled", 0);
    Method(o, "FireLockChange", 2L);
    Method(o, "FirePollStateChange", VARIANT_TRUE);
    Method(o, "FireTechSupportChange", VARIANT_TRUE);
    IUnknown* made = nullptr;
    Method(o, "FireCreateDemoDrive", 7L, &made);
    if (made != drive.itf()) Fail("AppStateEventObj.FireCreateDemoDrive: the listener's drive did not come back");
    if (made) made->Release();
    o.ExpectEvents("the notification members", {5, 4, 7, 8, 8, 1, 3, 2, 6});
    o.sink()->onEvent = nullptr;
}

void CommErrorListener(DISPID id, DISPPARAMS* params, void* context) {
    if (id != 1) return;  // CommError(Node, ErrorCode, Extra)
    auto* seen = static_cast<long*>(context);
    for (UINT i = 1; i < 3; ++i) {
        VARIANT* arg = ByRefArg(params, i);
        if (arg && arg->vt == (VT_BYREF | VT_I4)) seen[i - 1] = *arg->plVal;
        else if (arg && arg->vt == VT_I4) seen[i - 1] = arg->lVal;
    }
}

// FireCommError called late-bound without its optional Extra: the event carries Extra 0.
void CheckCommErrorDefault(Object& o, IUnknown* node) {
    Ptr<IDispatch> dispatch;
    if (FAILED(o.itf()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) return;
    std::wstring name = L"FireCommError";
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return;
    long seen[2] = {-1, -1};
    o.sink()->onEvent = CommErrorListener;
    o.sink()->context = seen;
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    args[0].vt = VT_I4;  // ErrorCode, the last argument comes first
    args[0].lVal = 1510;
    args[1].vt = VT_BYREF | VT_DISPATCH;  // Node
    args[1].ppdispVal = reinterpret_cast<IDispatch**>(&node);
    DISPPARAMS params{args, nullptr, 2, 0};
    HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                  nullptr, nullptr);
    o.sink()->onEvent = nullptr;
    if (FAILED(hr)) {
        Fail("DriveEventObj.FireCommError late-bound without Extra: hr 0x%08lX", static_cast<unsigned long>(hr));
        return;
    }
    if (seen[0] != 1510 || seen[1] != 0)
        Fail("DriveEventObj.CommError: expected ErrorCode 1510 and Extra 0, found %ld and %ld", seen[0], seen[1]);
    o.ExpectEvents("FireCommError late-bound", {1});
}

void CheckDriveEventObj(Object& o) {
    if (!o.sink()) return;
    Object drive(ClassNamed("PhysDriveObj"));
    IUnknown* node = drive.itf();
    if (node) node->AddRef();
    CheckCommErrorDefault(o, node);
    Method(o, "FireCommError", &node, 1505L, 0L);
    Method(o, "FireEnableChanged", &node, VARIANT_TRUE);
    Method(o, "FireUserIDchanged", &node);
    Method(o, "FireMotorTypeChanged", &node);
    std::vector<UINT> counts = o.sink()->counts;
    o.ExpectEvents("FireCommError, FireEnableChanged, FireUserIDchanged, FireMotorTypeChanged",
                   {1, 3, 8, 5});
    if (counts != std::vector<UINT>{3, 2, 1, 1})
        Fail("DriveEventObj: event argument counts differ from 3,2,1,1");
    if (node) node->Release();
}

void SupervisorListener(DISPID id, DISPPARAMS* params, void*) {
    if (id == 6) {  // RequestNetOpen(netRef, Peer, newState, PortNumber, success)
        VARIANT* success = ByRefArg(params, 4);
        if (success && success->vt == (VT_BYREF | VT_BOOL)) *success->pboolVal = VARIANT_TRUE;
    }
}

void CheckNetSupervisorObj(Object& o) {
    Run(o, {{'l', "MaxAdapters", 16}, {'l', "AdapterDefault", 1}, {'L', "MaxAdapters", 5},
            {'l', "MaxAdapters", 5}, {'t', "Ports"}});
    if (!o.sink()) return;
    o.sink()->onEvent = SupervisorListener;
    IUnknown* net = nullptr;
    IDispatch* peer = nullptr;
    VARIANT_BOOL newState = VARIANT_TRUE, success = 0;
    long port = 3;
    Method(o, "FireRequestNetOpen", &net, &peer, &newState, &port, &success);
    if (success != VARIANT_TRUE) Fail("NetSupervisorObj.FireRequestNetOpen: success expected -1, found %d", success);
    long state = 1;
    Method(o, "FireNetworkChanged", &net, &state);
    o.ExpectEvents("FireRequestNetOpen, FireNetworkChanged", {6, 1});
    o.sink()->onEvent = nullptr;
}

void CheckNetAdapterObj(Object& o) {
    Run(o, {{'l', "NetState"}, {'l', "PortType"}, {'t', "AdapterName", 0, "COM0"},
            {'t', "NetStateStr", 0, "OFFLINE"}, {'b', "Enabled"}});
    Method(o, "FireNetworkChanged", 1L);
    Run(o, {{'l', "NetState", 1}, {'t', "NetStateStr", 0, "ONLINE"}});
    Method(o, "FirePointToPointChange", 4L, 2L);
    o.ExpectEvents("FireNetworkChanged, FirePointToPointChange", {1, 5});
}

void CheckConfigRegObj(Object& o) {
    Run(o, {{'l', "CapabilityMask", -1}, {'l', "VelocityEstimatorMax"}, {'l', "VelocityEstimatorMin"},
            {'o', "Register", 1}, {'w', "Register"}, {'L', "CapabilityMask", 5}, {'l', "CapabilityMask", 5},
            {'L', "MotorStyle", 2}, {'l', "MotorStyle", 2}, {'b', "LinearMotor", -1}, {'b', "BrushMode"}});
    long arb = 3;
    ExpectTextFrom(o, "FilterClockStrArb", GET, "Mode: 3", &arb);
}

void CheckErrorCodeObj(Object& o) {
    Run(o, {{'o', "Register", 1}, {'w', "Register"}, {'b', "IsShutdown"}, {'b', "Thermal"}});
    ExpectTextFrom(o, "ErrorListStr", FUNC, "");
}

void CheckIOregisterObj(Object& o) {
    ExpectLong(o, "LastCommutationCode", 0);
}

void CheckMonitorPortStateObj(Object& o) {
    Run(o, {{'o', "Amplitude", 1}, {'o', "Variable", 1}, {'o', "Filter", 1}});
    IUnknown* config = nullptr;
    HRESULT hr = o.Call("ConfigReg", GET, &config);
    if (FAILED(hr) || !config) {
        Fail("MonitorPortStateObj.ConfigReg Get: no object, hr 0x%08lX", static_cast<unsigned long>(hr));
    } else {
        long mask = 0;
        hr = CallSlot(config, SlotOf(ClassNamed("ConfigRegObj"), "CapabilityMask", GET), &mask);
        if (FAILED(hr) || mask != 3)
            Fail("MonitorPortStateObj.ConfigReg.CapabilityMask Get: expected 3, found %ld", mask);
        config->Release();
    }
    Method(o, "SaveToNonVolatile");
    Method(o, "Initialize");
    o.ExpectEvents("SaveToNonVolatile, Initialize", {6, 9, 10});
}

void CheckStatusRegObj(Object& o) {
    Run(o, {{'l', "StatusImplemented", -1}, {'l', "LockLevel"}, {'b', "AllSystemsGo"},
            {'b', "HighLevelFeedback", -1}, {'o', "ConfigReg", 1}, {'w', "ConfigReg"}, {'o', "Register", 1},
            {'o', "LockLevelRef", 1}});
    long bit = 8;
    ExpectTextFrom(o, "BitStr", GET, "Torque Mode", &bit);
}

void CheckStimulusStateObj(Object& o) {
    Run(o, {{'l', "LastMode", 3}, {'l', "VelocityQ", 1}, {'l', "UImode", 3}, {'b', "Running"},
            {'b', "Initializing"}, {'o', "ConfigReg", 1}, {'m', "Refresh"}, {'m', "FireChanges"},
            {'B', "Initializing", -1}, {'m', "FireChanges"},
            {'e', "Refresh, FireChanges, Initializing, FireChanges", 0, "", {8, 3, 1, 2, 4, 6}}});
}

void CheckOptionRegObj(Object& o) {
    Run(o, {{'l', "CapabilityMask", 0x7FFFFFFF}, {'o', "Register", 1}, {'w', "Register"},
            {'R', "CaseOption", 9}, {'l', "CaseOption", 1}, {'t', "VendorStr", 0, "Zentara"},
            {'L', "CapabilityMask", 0}, {'t', "VoltageModeStr", 0, "N/A"}});
}

void CheckNetLib(Object& o) {
    Run(o, {{'t', "AppTitle"}, {'b', "Online"}, {'o', "LogFile"}});
    IUnknown* first = nullptr;
    IUnknown* second = nullptr;
    HRESULT hr1 = o.Call("Flash", GET, &first);
    HRESULT hr2 = o.Call("Flash", GET, &second);
    if (FAILED(hr1) || FAILED(hr2) || !first || !second || first == second)
        Fail("NetLib.Flash Get: expected two distinct objects, hr 0x%08lX, 0x%08lX",
             static_cast<unsigned long>(hr1), static_cast<unsigned long>(hr2));
    if (first) first->Release();
    if (second) second->Release();
}

void CheckPhysDriveObj(Object& o) {
    ExpectObject(o, "ConfigReg", false);
    ExpectLong(o, "ScenarioMax", 0);
    BSTR command = SysAllocString(L"PV 100");
    ExpectTextFrom(o, "RunCommand", FUNC, "", &command, 50L, VARIANT_TRUE);
    SysFreeString(command);
}

struct ClassCheck {
    const char* name;
    void (*check)(Object&);
};

constexpr ClassCheck kClassChecks[] = {
    {"CmdLog", CheckCmdLog},
    {"DriveEventObj", CheckDriveEventObj},
    {"NetSupervisorObj", CheckNetSupervisorObj},
    {"ConfigRegObj", CheckConfigRegObj},
    {"ErrorCodeObj", CheckErrorCodeObj},
    {"IOregisterObj", CheckIOregisterObj},
    {"MonitorPortStateObj", CheckMonitorPortStateObj},
    {"SoundEventsObj", CheckSoundEventsObj},
    {"StatusRegObj", CheckStatusRegObj},
    {"StimulusStateObj", CheckStimulusStateObj},
    {"OptionRegObj", CheckOptionRegObj},
    {"NetAdapterObj", CheckNetAdapterObj},
    {"HotKeyObj", CheckHotKeyObj},
    {"AppStateEventObj", CheckAppStateEventObj},
    {"ErrReflector", CheckErrReflector},
    {"NetLib", CheckNetLib},
    {"PhysDriveObj", CheckPhysDriveObj},
};

void RegisterServer(const char* path) {
    std::wstring wide = Widen(path);
    HMODULE module = LoadLibraryW(wide.c_str());
    auto* reg = module ? reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
                             reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")))
                       : nullptr;
    HRESULT hr = reg ? reg() : E_FAIL;
    if (FAILED(hr)) Fail("%s: registration failed, hr 0x%08lX", path, static_cast<unsigned long>(hr));
}

// Late binding: the object's IDispatch describes the default interface and knows every
// member by name.
void CheckDispatch(const Object& o) {
    Ptr<IDispatch> dispatch;
    if (FAILED(o.itf()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        Fail("%s: no IDispatch", o.cls().name);
        return;
    }
    Ptr<ITypeInfo> info;
    if (FAILED(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info))) {
        Fail("%s: IDispatch gives no type information", o.cls().name);
    } else if (Attr(info.p)->guid != ParseGuid(o.cls().iid)) {
        Fail("%s: IDispatch describes %s, expected %ls", o.cls().name,
             GuidText(Attr(info.p)->guid).c_str(), o.cls().iid);
    }
    for (const Member& member : o.cls().members) {
        std::wstring wide = Widen(member.name);
        LPOLESTR names[] = {wide.data()};
        DISPID id = DISPID_UNKNOWN;
        HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr))
            Fail("%s.%s: unknown to IDispatch, hr 0x%08lX", o.cls().name, member.name,
                 static_cast<unsigned long>(hr));
    }
}

void RunObjectChecks() {
    for (const ClassCheck& check : kClassChecks) {
        Object object(ClassNamed(check.name));
        if (!object) continue;
        CheckDispatch(object);
        check.check(object);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* path = nullptr;
    bool objects = false;
    std::vector<const char*> servers;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--objects") == 0) {
            objects = true;
        } else if (std::strcmp(argv[i], "--register") == 0 && i + 1 < argc) {
            servers.push_back(argv[++i]);
            objects = true;
        } else if (argv[i][0] == '-') {
            std::printf("usage: contract_client [ZentNetLib.tlb] [--register server.dll]... [--objects]\n");
            return 2;
        } else {
            path = argv[i];
        }
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::printf("cannot initialise COM\n");
        return 2;
    }
    for (const char* server : servers) RegisterServer(server);
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
        RunObjectChecks();
        // Everything the checks made is released: both servers must be ready to unload.
        using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
        for (const char* dll : {"ZentNetLib.dll", "ZentValues.dll"}) {
            HMODULE module = GetModuleHandleA(dll);
            auto canUnload = module ? reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(
                                          GetProcAddress(module, "DllCanUnloadNow")))
                                    : nullptr;
            const HRESULT answer = canUnload ? canUnload() : E_NOINTERFACE;
            if (answer != S_OK)
                Fail("%s: DllCanUnloadNow 0x%08lX once every object is released", dll, static_cast<unsigned long>(answer));
        }
        int objectFailures = g_failures - typeFailures;
        std::printf("objects: %d mismatch%s\n", objectFailures, objectFailures == 1 ? "" : "es");
    }
    CoUninitialize();
    return g_failures > 125 ? 125 : g_failures;
}
