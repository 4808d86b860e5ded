// Small COM helpers for the script host: owning pointers, reference-counted objects, a
// name-table IDispatch and the errors its members raise.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <ole2.h>

#include <new>
#include <span>
#include <string>
#include <utility>

namespace zenthost {

template <class T>
class Ref {
 public:
  Ref() = default;
  // Takes over a reference the caller already owns.
  static Ref Adopt(T* p) {
    Ref r;
    r.p_ = p;
    return r;
  }
  explicit Ref(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  Ref(const Ref& o) : Ref(o.p_) {}
  Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  Ref& operator=(Ref o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~Ref() { Reset(); }

  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  T* Detach() { return std::exchange(p_, nullptr); }

  template <class U>
  Ref<U> As() const {
    Ref<U> r;
    if (p_) p_->QueryInterface(__uuidof(U), r.PutVoid());
    return r;
  }

 private:
  T* p_ = nullptr;
};

// One interface, one reference count; the host runs in one apartment, so no atomics.
template <class I>
class ComObject : public I {
 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;
  virtual ~ComObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(I) || Accepts(iid)) {
      *out = static_cast<I*>(this);
      this->AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual bool Accepts(REFIID) const { return false; }

 private:
  ULONG refs_ = 1;
};

struct Bstr {
  BSTR b = nullptr;
  Bstr() = default;
  explicit Bstr(const std::wstring& s)
      : b(SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {
    if (!b) throw std::bad_alloc();
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(b); }
  BSTR* Put() {
    SysFreeString(b);
    b = nullptr;
    return &b;
  }
  std::wstring Str() const { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }
  BSTR Detach() { return std::exchange(b, nullptr); }
};

struct Var : VARIANT {
  Var() { VariantInit(this); }
  Var(const Var&) = delete;
  Var& operator=(const Var&) = delete;
  ~Var() { VariantClear(this); }
};

std::string Utf8(const std::wstring& s);
std::wstring Wide(const std::string& utf8);

// What a host member raises: a script sees `number` (0x800A0000 + n shows as n) with this
// source and description. A plain error is returned as its HRESULT without EXCEPINFO.
struct HostError {
  HRESULT number;
  std::wstring source;
  std::wstring description;
  bool plain = false;

  HRESULT Report(EXCEPINFO* info) const;
};

inline constexpr HRESULT ScriptError(int n) {
  return static_cast<HRESULT>(0x800A0000u + static_cast<unsigned>(n));
}

// Positional arguments in script order; a missing optional argument reads as absent.
class Params {
 public:
  Params(DISPPARAMS* p, std::wstring member) : p_(p), member_(std::move(member)) {}
  UINT Count() const { return p_ ? p_->cArgs : 0; }
  const VARIANT* At(UINT i) const;
  const VARIANT& Required(UINT i) const;
  std::wstring String(UINT i) const;
  LONG Long(UINT i, LONG fallback) const;
  Ref<IDispatch> Object(UINT i) const;
  // Converts a script value to `vt` or raises "Type mismatch" for this member.
  void Convert(const VARIANT& from, VARTYPE vt, VARIANT& to) const;
  [[noreturn]] void Fail(int number, const std::wstring& description) const;

 private:
  DISPPARAMS* p_;
  std::wstring member_;
};

struct Member {
  const wchar_t* name;
  DISPID id;
};

// IDispatch over a fixed table of names; member calls throw HostError.
class NameTableDispatch : public ComObject<IDispatch> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override;

 protected:
  virtual std::span<const Member> Members() const = 0;
  virtual std::wstring SourceName() const = 0;
  virtual void Call(DISPID id, WORD flags, const Params& args, VARIANT& result) = 0;
};

}  // namespace zenthost
