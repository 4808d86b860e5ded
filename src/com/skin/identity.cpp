#include "identity.h"

#include <map>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

#include <dispex.h>

#include "convert.h"
#include "guard.h"
#include "module.h"
#include "zentnet/contracts/roster.h"

namespace zentnet::com {

namespace {

// Objects of different apartments may be wrapped on different threads: the maps are
// shared, each object itself is touched only by its own thread.
SRWLOCK g_mapsLock = SRWLOCK_INIT;

struct Registry {
  std::vector<const SkinClass*> skins;
  std::unordered_map<std::type_index, Adapter> adapters;
  std::unordered_map<const Object*, IUnknown*> live;
  // Adapters handed out for foreign objects, by the object's identity and the type wanted.
  std::map<std::pair<IUnknown*, std::type_index>, std::weak_ptr<Object>> adapted;
};

Registry& Reg() {
  static Registry registry;
  return registry;
}

const SkinClass* SkinFor(const Object& core) {
  for (const SkinClass* s : Reg().skins)
    if (s->core == typeid(core)) return s;
  for (const SkinClass* s : Reg().skins)
    if (s->accepts(core)) return s;
  return nullptr;
}

// A foreign object seen only through late binding: what an Object parameter receives.
class DispatchObject final : public Object, public Foreign {
 public:
  explicit DispatchObject(IDispatch* dispatch) : Foreign(dispatch), name_(TypeName()) {}
  std::string_view ClassName() const override { return name_; }
  Variant GetProperty(std::string_view name) override {
    return InvokeByName(name, DISPATCH_PROPERTYGET);
  }

 private:
  std::string name_;
};

}  // namespace

void RegisterSkin(const SkinClass& skin) { Reg().skins.push_back(&skin); }

std::span<const SkinClass* const> Skins() { return Reg().skins; }

const SkinClass* FindCreatable(const CLSID& clsid) {
  for (const SkinClass* s : Reg().skins) {
    if (s->create == nullptr) continue;
    const ClassInfo* info = PublishedClass(s->name);
    if (info != nullptr && ParseGuid(info->classId) == clsid) return s;
  }
  return nullptr;
}

void Remember(const Object* core, IUnknown* com) {
  const Exclusive lock(g_mapsLock);
  Reg().live[core] = com;
}

void Forget(const Object* core) {
  const Exclusive lock(g_mapsLock);
  Reg().live.erase(core);
}

Ref<IUnknown> WrapObject(const std::shared_ptr<Object>& core) {
  if (!core) return {};
  // The map first: a foreign object is never in it, and the cross-cast below compares
  // type names, which costs more than the look-up on the way of every object handed out.
  {
    const Shared lock(g_mapsLock);
    const auto found = Reg().live.find(core.get());
    if (found != Reg().live.end()) return Ref<IUnknown>(found->second);
  }
  if (const auto* foreign = dynamic_cast<const Foreign*>(core.get()))
    return Ref<IUnknown>(foreign->Dispatch());
  const SkinClass* skin = SkinFor(*core);
  if (skin == nullptr) err::RaiseCannotCreateObject();
  return Ref<IUnknown>(skin->wrap(core), false);
}

void RegisterAdapter(const std::type_info& want, Adapter adapter) {
  Reg().adapters[std::type_index(want)] = adapter;
}

std::shared_ptr<Object> UnwrapObject(IUnknown* p, const std::type_info& want) {
  if (p == nullptr) return nullptr;
  Ref<IUnknown> unknown(p);
  if (auto ours = unknown.As<ICoreObject>(IID_ICoreObject))
    if (ours->Module() == ThisModule()) return ours->CoreObject();
  auto dispatch = unknown.As<IDispatch>(IID_IDispatch);
  if (!dispatch) err::RaiseTypeMismatch();
  // COM identity: the IUnknown of the object, whatever interface was handed in.
  const auto identity = unknown.As<IUnknown>(IID_IUnknown);
  const std::pair key(identity.get(), std::type_index(want));

  Adapter adapter = nullptr;
  {
    const Exclusive lock(g_mapsLock);
    const auto existing = Reg().adapted.find(key);
    if (existing != Reg().adapted.end())
      if (auto alive = existing->second.lock()) return alive;
    const auto found = Reg().adapters.find(std::type_index(want));
    if (found != Reg().adapters.end()) adapter = found->second;
  }
  // Made outside the lock: an adapter may call the foreign object, which may call us.
  std::shared_ptr<Object> made;
  if (adapter != nullptr)
    made = adapter(dispatch.get());
  else if (want == typeid(Object))
    made = std::make_shared<DispatchObject>(dispatch.get());
  else
    err::RaiseTypeMismatch();
  const Exclusive lock(g_mapsLock);
  std::erase_if(Reg().adapted, [](const auto& entry) { return entry.second.expired(); });
  Reg().adapted[key] = made;
  return made;
}

Variant Foreign::InvokeByName(std::string_view name, WORD flags,
                              std::span<const Variant> args) const {
  Bstr wide(name);
  LPOLESTR names[] = {wide.get()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  // Some script engines' own objects (a script's class instance) answer names only
  // through IDispatchEx.
  if (FAILED(hr))
    if (auto ex = dispatch_.As<IDispatchEx>(__uuidof(IDispatchEx)))
      hr = ex->GetDispID(wide.get(), fdexNameCaseInsensitive, &id);
  if (FAILED(hr)) err::RaiseNoSuchMember();

  // Arguments travel in reverse order.
  std::vector<VARIANT> argv(args.size());
  struct Clear {
    std::vector<VARIANT>& v;
    ~Clear() {
      for (auto& a : v) VariantClear(&a);
    }
  } clear{argv};
  for (size_t i = 0; i < args.size(); ++i) VariantOut(args[i], &argv[args.size() - 1 - i]);
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{argv.data(), nullptr, static_cast<UINT>(argv.size()), 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info{};
  UINT argErr = 0;
  hr =
      dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, &info, &argErr);
  if (FAILED(hr)) ThrowFrom(hr, &info);
  struct ClearResult {
    VARIANT& v;
    ~ClearResult() { VariantClear(&v); }
  } clearResult{result};
  return VariantIn(result);
}

std::string Foreign::TypeName() const {
  Ref<ITypeInfo> info;
  if (SUCCEEDED(dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put())) && info) {
    BSTR raw = nullptr;
    if (SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, &raw, nullptr, nullptr, nullptr)) && raw)
      return ToUtf8(Bstr(raw).get());
  }
  return "Object";
}

}  // namespace zentnet::com
