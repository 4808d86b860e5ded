// The DLL's entry points: class factories, unloading and self-registration.

#include "module.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <olectl.h>

#include "dual.h"
#include "guard.h"
#include "identity.h"
#include "unknown.h"

namespace zentnet::com {

namespace {

HMODULE g_module = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;

SRWLOCK g_typesLock = SRWLOCK_INIT;

struct CachedInfo {
  GUID guid;
  bool vtable;
  Ref<ITypeInfo> info;
};
// A member called with one kind of flags, whose facts InvokeTyped keeps.
struct MemberKey {
  ITypeInfo* info;
  DISPID id;
  WORD flags;
  auto operator<=>(const MemberKey&) const = default;
};
// A member's cached facts with its key: a map node, which stays where it is while the map lives.
using KnownMember = std::pair<const MemberKey, MemberFacts>;
struct TypeCache {
  Ref<ITypeLib> library;
  // The module's further type libraries (TYPELIB resources 2, 3, ...): a class this DLL
  // serves for another library, described by that library's own.
  std::vector<Ref<ITypeLib>> others;
  bool othersLoaded = false;
  std::vector<CachedInfo> infos;
  std::map<MemberKey, MemberFacts> members;  // of the infos above, kept alive by them
  // Every slot KeptVtableInfo filled, emptied before the cache is freed.
  std::vector<std::atomic<ITypeInfo*>*> keptSlots;
};
constexpr size_t kRecentSlots = 256;
std::atomic<const KnownMember*> g_recent[kRecentSlots];
// Never destroyed at process exit: releasing COM objects while DLLs detach is unsafe.
TypeCache& Types() {
  static auto* cache = new TypeCache;
  return *cache;
}

std::wstring Wide(std::string_view utf8) {
  Bstr b(utf8);
  return std::wstring(b.get(), SysStringLen(b.get()));
}

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

}  // namespace

HMODULE ThisModule() { return g_module; }

std::wstring ModuleFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void ObjectCreated() { InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { InterlockedDecrement(&g_objects); }
void LockModule(bool lock) {
  if (lock)
    InterlockedIncrement(&g_locks);
  else
    InterlockedDecrement(&g_locks);
}

IID ParseGuid(std::string_view text) {
  IID id{};
  if (FAILED(IIDFromString(Wide(text).c_str(), &id))) return IID{};
  return id;
}

const ClassInfo* PublishedClass(std::string_view name) {
  for (const ClassInfo& c : ThisLibrary().classes)
    if (c.name == name) return &c;
  return nullptr;
}

ClassIds IdsOf(std::string_view className) {
  ClassIds ids;
  const ClassInfo* info = PublishedClass(className);
  if (info == nullptr) return ids;
  ids.published = true;
  ids.clsid = ParseGuid(info->classId);
  if (!info->eventInterfaceId.empty()) ids.events = ParseGuid(info->eventInterfaceId);
  return ids;
}

ITypeLib* TypeLibrary() {
  const Exclusive lock(g_typesLock);
  if (!Types().library)
    LoadTypeLibEx(ModuleFileName().c_str(), REGKIND_NONE, Types().library.put());
  return Types().library.get();
}

namespace {
// Every type library of the module, resource 1 first. Called with g_typesLock held.
std::vector<ITypeLib*> AllTypeLibraries(ITypeLib* first) {
  if (!Types().othersLoaded) {
    Types().othersLoaded = true;
    for (int n = 2;; ++n) {
      Ref<ITypeLib> other;
      const std::wstring path = ModuleFileName() + L"\\" + std::to_wstring(n);
      if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, other.put()))) break;
      Types().others.push_back(other);
    }
  }
  std::vector<ITypeLib*> all{first};
  for (const auto& other : Types().others) all.push_back(other.get());
  return all;
}
}  // namespace

Ref<ITypeInfo> TypeInfoOf(const GUID& guid, bool vtable) {
  ITypeLib* library = TypeLibrary();
  if (library == nullptr) return {};
  const Exclusive lock(g_typesLock);
  for (const auto& c : Types().infos)
    if (c.vtable == vtable && IsEqualGUID(c.guid, guid)) return c.info;
  Ref<ITypeInfo> info;
  for (ITypeLib* lib : AllTypeLibraries(library))
    if (SUCCEEDED(lib->GetTypeInfoOfGuid(guid, info.put()))) break;
  if (!info) return {};
  if (vtable) {
    // A dual interface is found as its dispatch half; its vtable half is the implemented
    // type numbered -1.
    HREFTYPE ref = 0;
    Ref<ITypeInfo> half;
    if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) &&
        SUCCEEDED(info->GetRefTypeInfo(ref, half.put())))
      info = half;
  }
  Types().infos.push_back({guid, vtable, info});
  return info;
}

ITypeInfo* KeptVtableInfo(const GUID& guid, std::atomic<ITypeInfo*>& kept) {
  if (ITypeInfo* info = kept.load(std::memory_order_acquire)) return info;
  const Ref<ITypeInfo> info = TypeInfoOf(guid, true);
  if (!info) return nullptr;
  const Exclusive lock(g_typesLock);
  // The cache holds it (and keeps holding it until it is freed with the slots emptied).
  Types().keptSlots.push_back(&kept);
  kept.store(info.get(), std::memory_order_release);
  return info.get();
}

namespace {

// The function `id` answers for `flags`, released by the holder.
struct FuncDescOf {
  Ref<ITypeInfo2> info;
  FUNCDESC* desc = nullptr;
  FuncDescOf(ITypeInfo* i, DISPID id, WORD flags)
      : info(Ref<ITypeInfo>(i).As<ITypeInfo2>(IID_ITypeInfo2)) {
    if (!info) return;
    for (const INVOKEKIND kind :
         {INVOKE_FUNC, INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT, INVOKE_PROPERTYPUTREF}) {
      UINT index = 0;
      if ((flags & kind) != 0 && SUCCEEDED(info->GetFuncIndexOfMemId(id, kind, &index))) {
        if (FAILED(info->GetFuncDesc(index, &desc))) desc = nullptr;
        return;
      }
    }
  }
  FuncDescOf(const FuncDescOf&) = delete;
  FuncDescOf& operator=(const FuncDescOf&) = delete;
  ~FuncDescOf() {
    if (desc) info->ReleaseFuncDesc(desc);
  }
};

// The facts of `id` called with `flags`, learnt from its description on the first call;
// null when the member is not described for those flags (ITypeInfo::Invoke answers then).
// Every Invoke asks, so a member found once is then found in a slot of g_recent by a single
// load: a slot points at a node of the cache's member map, replaced by a later member that
// falls on the same slot; the slots are emptied before the cache is freed.
const MemberFacts* FactsOf(ITypeInfo* info, DISPID id, WORD flags) {
  const MemberKey key{info, id, flags};
  const size_t slot =
      (reinterpret_cast<uintptr_t>(info) / 16 * 31 + static_cast<uint32_t>(id) * 8 + flags) %
      kRecentSlots;
  const auto known = [](const KnownMember& m) { return m.second.known ? &m.second : nullptr; };
  if (const KnownMember* m = g_recent[slot].load(std::memory_order_acquire); m && m->first == key)
    return known(*m);
  const auto remember = [&](const KnownMember& m) {
    g_recent[slot].store(&m, std::memory_order_release);
    return known(m);
  };
  {
    const Shared lock(g_typesLock);
    const auto found = Types().members.find(key);
    if (found != Types().members.end()) return remember(*found);
  }
  const FuncDescOf func(info, id, flags);
  MemberFacts facts = func.desc != nullptr ? LearnMember(info, *func.desc) : MemberFacts{};
  const Exclusive lock(g_typesLock);
  // Only members of the cached type information are kept: they live as long as it, and
  // nothing else reaches here.
  for (const auto& c : Types().infos)
    if (c.info.get() == info)
      return remember(*Types().members.emplace(key, std::move(facts)).first);
  return nullptr;
}

// A name folded to lower case, on the stack: empty when it is too long or not plain ASCII,
// and such a name is neither looked up nor kept.
struct FoldedName {
  std::array<wchar_t, 64> chars{};
  size_t size = 0;
  explicit FoldedName(const OLECHAR* name) {
    for (; name[size] != 0; ++size) {
      if (size == chars.size() || name[size] > 0x7F) {
        size = 0;
        return;
      }
      chars[size] = static_cast<wchar_t>(std::towlower(name[size]));
    }
  }
  std::wstring_view view() const { return {chars.data(), size}; }
};

}  // namespace

bool NameCache::Find(const OLECHAR* name, DISPID& id) const {
  const FoldedName key(name);
  if (key.size == 0) return false;
  const Shared lock(lock_);
  const auto found = ids_.find(key.view());
  if (found == ids_.end()) return false;
  id = found->second;
  return true;
}

void NameCache::Remember(const OLECHAR* name, DISPID id) {
  const FoldedName key(name);
  if (key.size == 0) return;
  const Exclusive lock(lock_);
  ids_.emplace(key.view(), id);
}

HRESULT InvokeTyped(ITypeInfo* info, void* instance, DISPID id, WORD flags, DISPPARAMS* params,
                    VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
  const MemberFacts* facts = params != nullptr ? FactsOf(info, id, flags) : nullptr;
  const HRESULT hr =
      facts == nullptr
          ? info->Invoke(instance, id, flags, params, result, excep, argErr)
          : InvokeMember(info, *facts, instance, id, flags, params, result, excep, argErr);
  // The platform answers E_NOTIMPL for an argument it cannot convert to a record and
  // E_NOINTERFACE for an object that lacks the parameter's interface; Invoke may answer only
  // a type mismatch there.
  return hr == E_NOTIMPL || hr == E_NOINTERFACE ? DISP_E_TYPEMISMATCH : hr;
}

namespace {

// A factory does not count as a live object: a client that keeps one between creations is
// to lock the server (LockServer), as the COM rules ask. Wine's VBScript engine keeps the
// factory of every object its CreateObject made and never releases it; counted, that would
// keep the DLL loaded for good after the script is gone.
class ClassFactory final : public RefCounted<IClassFactory, ClassFactory> {
 public:
  explicit ClassFactory(const SkinClass& skin) : skin_(skin) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    return AnswerAs<IClassFactory>(this, riid, ppv, IID_IClassFactory);
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    HRESULT result = E_UNEXPECTED;
    const HRESULT hr = Guard(IID_IClassFactory, [&] {
      const Ref<IUnknown> object = WrapObject(skin_.create());
      result = object->QueryInterface(riid, ppv);
    });
    return FAILED(hr) ? hr : result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    LockModule(lock != FALSE);
    return S_OK;
  }

 private:
  const SkinClass& skin_;
};

// Registry writes under HKEY_CLASSES_ROOT.
HRESULT SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_SET_VALUE, nullptr, &handle, nullptr);
  if (rc == ERROR_SUCCESS) {
    rc = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
  }
  return HRESULT_FROM_WIN32(rc);
}

HRESULT DeleteKey(const std::wstring& key) {
  const LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(rc);
}

// Every class of the library whose skin is written, with the keys that belong to it.
struct ClassKeys {
  std::wstring name, clsidKey, progId, versionedProgId, clsid;
};
std::vector<ClassKeys> RegisteredClasses() {
  std::vector<ClassKeys> out;
  const std::wstring library = Wide(ThisLibrary().typeLibrary.name) + L".";
  for (const ClassInfo& c : ThisLibrary().classes) {
    const CLSID clsid = ParseGuid(c.classId);
    if (FindCreatable(clsid) == nullptr) continue;
    const std::wstring name = Wide(c.name);
    const std::wstring text = GuidText(clsid);
    out.push_back({name, L"CLSID\\" + text, library + name, library + name + L".1", text});
  }
  return out;
}

SYSKIND ThisSysKind() { return sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32; }

// The module's type libraries (resource 1 first), each with its identifier and version.
struct LibraryKeys {
  Ref<ITypeLib> library;
  GUID libid;
  WORD major, minor;
};
std::vector<LibraryKeys> ModuleLibraries() {
  std::vector<LibraryKeys> out;
  ITypeLib* first = TypeLibrary();
  if (first == nullptr) return out;
  std::vector<ITypeLib*> all;
  {
    const Exclusive lock(g_typesLock);
    all = AllTypeLibraries(first);
  }
  for (ITypeLib* lib : all) {
    TLIBATTR* attr = nullptr;
    if (FAILED(lib->GetLibAttr(&attr))) continue;
    lib->AddRef();
    Ref<ITypeLib> held;
    *held.put() = lib;
    out.push_back({std::move(held), attr->guid, attr->wMajorVerNum, attr->wMinorVerNum});
    lib->ReleaseTLibAttr(attr);
  }
  return out;
}

// A registry key under HKEY_CLASSES_ROOT with its values and subkeys, to be put back as it was.
struct SavedKey {
  std::wstring path;
  std::vector<std::tuple<std::wstring, DWORD, std::vector<BYTE>>> values;
  std::vector<SavedKey> children;
};
bool SaveKey(const std::wstring& path, SavedKey& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  out.path = path;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = 256, type = 0, size = 0;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      break;
    std::vector<BYTE> data(size);
    nameLength = 256;
    RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size);
    out.values.emplace_back(name, type, std::move(data));
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = 256;
    if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    out.children.emplace_back();
    SaveKey(path + L"\\" + name, out.children.back());
  }
  RegCloseKey(key);
  return true;
}
void RestoreKey(const SavedKey& saved) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, saved.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  for (const auto& [name, type, data] : saved.values)
    RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, type, data.data(),
                   static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  for (const SavedKey& child : saved.children) RestoreKey(child);
}

// Our type library describes an interface that is not ours (the runtime's collection), and
// registering or unregistering a type library rewrites or removes every interface key it
// describes. Where such a key names another type library it belongs to that library: it
// is saved before and put back exactly after.
class ForeignInterfaceKeys {
 public:
  explicit ForeignInterfaceKeys(const std::vector<LibraryKeys>& libraries) {
    for (const LibraryKeys& l : libraries)
      for (UINT i = 0, n = l.library->GetTypeInfoCount(); i < n; ++i) {
        TYPEKIND kind{};
        Ref<ITypeInfo> info;
        if (FAILED(l.library->GetTypeInfoType(i, &kind)) ||
            (kind != TKIND_INTERFACE && kind != TKIND_DISPATCH) ||
            FAILED(l.library->GetTypeInfo(i, info.put())))
          continue;
        TYPEATTR* attr = nullptr;
        if (FAILED(info->GetTypeAttr(&attr))) continue;
        const std::wstring path = L"Interface\\" + GuidText(attr->guid);
        info->ReleaseTypeAttr(attr);
        SavedKey saved;
        if (SaveKey(path, saved) && NamesAnotherLibrary(saved, libraries))
          saved_.push_back(std::move(saved));
      }
  }
  ~ForeignInterfaceKeys() {
    for (const SavedKey& key : saved_) {
      DeleteKey(key.path);
      RestoreKey(key);
    }
  }

 private:
  static bool NamesAnotherLibrary(const SavedKey& key, const std::vector<LibraryKeys>& ours) {
    for (const SavedKey& child : key.children) {
      if (_wcsicmp(child.path.c_str() + key.path.size(), L"\\TypeLib") != 0) continue;
      for (const auto& [name, type, data] : child.values) {
        if (!name.empty() || type != REG_SZ) continue;
        GUID libid{};
        const std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                                data.size() / sizeof(wchar_t));
        if (FAILED(IIDFromString(text.c_str(), &libid))) return true;
        for (const LibraryKeys& l : ours)
          if (IsEqualGUID(l.libid, libid)) return false;
        return true;
      }
    }
    return false;
  }
  std::vector<SavedKey> saved_;
};

// The library that describes class `clsid`: its identifier and version for the class's keys.
const LibraryKeys* LibraryOf(const std::vector<LibraryKeys>& libraries, const CLSID& clsid) {
  for (const LibraryKeys& l : libraries) {
    Ref<ITypeInfo> info;
    if (SUCCEEDED(l.library->GetTypeInfoOfGuid(clsid, info.put()))) return &l;
  }
  return libraries.empty() ? nullptr : &libraries.front();
}

HRESULT Register() {
  const std::vector<LibraryKeys> libraries = ModuleLibraries();
  if (libraries.empty()) return TYPE_E_CANTLOADLIBRARY;
  const std::wstring path = ModuleFileName();
  for (const auto& c : RegisteredClasses()) {
    CLSID clsid{};
    IIDFromString(c.clsid.c_str(), &clsid);
    const LibraryKeys* library = LibraryOf(libraries, clsid);
    const std::wstring libid = GuidText(library->libid);
    const std::wstring version =
        std::to_wstring(library->major) + L"." + std::to_wstring(library->minor);
    const std::pair<std::wstring, std::pair<const wchar_t*, std::wstring>> values[] = {
        {c.clsidKey, {nullptr, c.name}},
        {c.clsidKey + L"\\InprocServer32", {nullptr, path}},
        {c.clsidKey + L"\\InprocServer32", {L"ThreadingModel", L"Apartment"}},
        {c.clsidKey + L"\\ProgID", {nullptr, c.versionedProgId}},
        {c.clsidKey + L"\\VersionIndependentProgID", {nullptr, c.progId}},
        {c.clsidKey + L"\\TypeLib", {nullptr, libid}},
        {c.clsidKey + L"\\Version", {nullptr, version}},
        {c.progId + L"\\CLSID", {nullptr, c.clsid}},
        {c.progId + L"\\CurVer", {nullptr, c.versionedProgId}},
        {c.versionedProgId + L"\\CLSID", {nullptr, c.clsid}},
    };
    for (const auto& [key, value] : values) {
      const HRESULT hr = SetValue(key, value.first, value.second);
      if (FAILED(hr)) return hr;
    }
  }
  const ForeignInterfaceKeys keep(libraries);
  for (size_t i = 0; i < libraries.size(); ++i) {
    // RegisterTypeLib's path names the resource; its parameter is not const.
    std::wstring where = i == 0 ? path : path + L"\\" + std::to_wstring(i + 1);
    const HRESULT hr = RegisterTypeLib(libraries[i].library.get(), where.data(), nullptr);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT Unregister() {
  HRESULT result = S_OK;
  for (const auto& c : RegisteredClasses())
    for (const auto* key : {&c.clsidKey, &c.progId, &c.versionedProgId}) {
      const HRESULT hr = DeleteKey(*key);
      if (FAILED(hr)) result = hr;
    }
  // What is not registered is unregistered already. The platform's UnRegisterTypeLib
  // answers E_INVALIDARG for a library it does not find, so each library's key for this
  // platform is looked for first (versions are written in hexadecimal there).
  const auto registered = [](const LibraryKeys& l) {
    const auto hex = [](unsigned n) {
      std::wstring text;
      do text.insert(text.begin(), L"0123456789abcdef"[n % 16]);
      while ((n /= 16) != 0);
      return text;
    };
    const std::wstring key = L"TypeLib\\" + GuidText(l.libid) + L"\\" + hex(l.major) + L"." +
                             hex(l.minor) + L"\\0\\" +
                             (ThisSysKind() == SYS_WIN64 ? L"win64" : L"win32");
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
      return false;
    RegCloseKey(handle);
    return true;
  };
  const std::vector<LibraryKeys> libraries = ModuleLibraries();
  const ForeignInterfaceKeys keep(libraries);
  for (const LibraryKeys& l : libraries) {
    if (!registered(l)) continue;
    const HRESULT hr = UnRegisterTypeLib(l.libid, l.major, l.minor, LOCALE_NEUTRAL, ThisSysKind());
    if (FAILED(hr) && hr != TYPE_E_REGISTRYACCESS && hr != TYPE_E_LIBNOTREGISTERED) result = hr;
  }
  return result;
}

}  // namespace

}  // namespace zentnet::com

using namespace zentnet::com;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  const SkinClass* skin = FindCreatable(clsid);
  if (skin == nullptr) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) ClassFactory(*skin);
  if (factory == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(riid, ppv);
  factory->Release();
  return hr;
}

STDAPI DllCanUnloadNow() {
  if (g_objects != 0 || g_locks != 0) return S_FALSE;
  // Nothing of ours is alive: the cached type information goes with the module. The
  // module may stay loaded, so every lock-free way into the cache is closed first: a
  // later call would otherwise go through type information released here.
  const Exclusive lock(g_typesLock);
  for (std::atomic<ITypeInfo*>* slot : Types().keptSlots) slot->store(nullptr);
  for (auto& slot : g_recent) slot.store(nullptr);
  Types() = TypeCache{};
  return S_OK;
}

STDAPI DllRegisterServer() { return Register(); }
STDAPI DllUnregisterServer() { return Unregister(); }

}  // extern "C"
