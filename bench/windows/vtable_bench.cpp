// An early-bound read through the registered DLL, next to the same read on the core object
// linked into this executable, and late-bound calls through IDispatch::Invoke next to the same
// kinds of call on the system's Scripting.Dictionary, each timed in the same run.
//
//   zentnet_vtable_bench [reads per round] [rounds]
//
// Rounds alternate between the two so that a busy machine slows both alike; each line gives
// the best and the median round in nanoseconds per call. The exit status is 0 when the DLL's
// read stays within three times the core's (best against best) and every Invoke costs at
// most the dictionary's (median against median), 1 when not, 2 when the DLL cannot be used.
#include <windows.h>
#include <oaidl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "ZentNetLib_h.h"
#include "zentnet/registers/StatusRegObj.h"

namespace {

struct Timing {
  double best;
  double median;
};

Timing Summarise(std::vector<double> rounds) {
  std::sort(rounds.begin(), rounds.end());
  return {rounds.front(), rounds[rounds.size() / 2]};
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Nanoseconds per call of `read` over `reads` calls.
double Round(const std::function<long(long)>& read, long reads, LARGE_INTEGER frequency) {
  LARGE_INTEGER start, stop;
  QueryPerformanceCounter(&start);
  volatile long sink = read(reads);
  QueryPerformanceCounter(&stop);
  (void)sink;
  return Seconds(start, stop, frequency) * 1e9 / static_cast<double>(reads);
}

// Invokes `name` on `object` with `count` arguments (reversed, as DISPPARAMS holds them);
// a property write passes its value as the named DISPID_PROPERTYPUT argument.
HRESULT Call(IDispatch* object, const wchar_t* name, WORD flags, VARIANT* args, VARIANT* result,
             UINT count = 1) {
  DISPID id = 0;
  LPOLESTR text = const_cast<LPOLESTR>(name);
  HRESULT hr = object->GetIDsOfNames(IID_NULL, &text, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  DISPID put = DISPID_PROPERTYPUT;
  const bool isPut = flags == DISPATCH_PROPERTYPUT;
  DISPPARAMS params{args, isPut ? &put : nullptr, args ? count : 0, isPut ? 1u : 0u};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr,
                        nullptr);
}

// `n` Invokes of `name` with the identifier looked up beforehand, as a compiled client calls.
std::function<long(long)> Invoker(IDispatch* object, const wchar_t* name, WORD flags,
                                  VARIANT* arg) {
  DISPID id = 0;
  LPOLESTR text = const_cast<LPOLESTR>(name);
  object->GetIDsOfNames(IID_NULL, &text, 1, LOCALE_USER_DEFAULT, &id);
  return [=](long n) {
    long sum = 0;
    DISPID put = DISPID_PROPERTYPUT;
    const bool isPut = flags == DISPATCH_PROPERTYPUT;
    for (long i = 0; i < n; ++i) {
      DISPPARAMS params{arg, isPut ? &put : nullptr, arg ? 1u : 0u, isPut ? 1u : 0u};
      VARIANT result;
      VariantInit(&result);
      const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                        isPut ? nullptr : &result, nullptr, nullptr);
      sum += hr == S_OK ? 1 : 0;
      VariantClear(&result);
    }
    return sum;
  };
}

std::function<long(long)> Names(IDispatch* object, const wchar_t* name) {
  return [=](long n) {
    long sum = 0;
    for (long i = 0; i < n; ++i) {
      DISPID id = 0;
      LPOLESTR text = const_cast<LPOLESTR>(name);
      object->GetIDsOfNames(IID_NULL, &text, 1, LOCALE_USER_DEFAULT, &id);
      sum += id;
    }
    return sum;
  };
}

// A supervisor on port 1 and its adapter collection, through late binding only.
HRESULT NewAdapters(IDispatch** nets) {
  CLSID clsid;
  IDispatch* supervisor = nullptr;
  HRESULT hr = CLSIDFromProgID(L"ZentNetLib.NetSupervisorObj", &clsid);
  if (SUCCEEDED(hr))
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                          reinterpret_cast<void**>(&supervisor));
  if (FAILED(hr)) return hr;
  VARIANT ports;
  V_VT(&ports) = VT_BSTR;
  V_BSTR(&ports) = SysAllocString(L"1");
  hr = Call(supervisor, L"Ports", DISPATCH_PROPERTYPUT, &ports, nullptr);
  VariantClear(&ports);
  VARIANT result;
  VariantInit(&result);
  if (SUCCEEDED(hr)) hr = Call(supervisor, L"Nets", DISPATCH_PROPERTYGET, nullptr, &result, 0);
  supervisor->Release();
  if (SUCCEEDED(hr) && V_VT(&result) == VT_DISPATCH) {
    *nets = V_DISPATCH(&result);
    return S_OK;
  }
  VariantClear(&result);
  return FAILED(hr) ? hr : E_NOINTERFACE;
}

}  // namespace

int main(int argc, char** argv) {
  const long reads = argc > 1 ? std::atol(argv[1]) : 2000000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 9;
  if (reads <= 0 || rounds <= 0) {
    std::fprintf(stderr, "usage: zentnet_vtable_bench [reads per round] [rounds]\n");
    return 2;
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  int status = 2;
  {
    CLSID clsid;
    _StatusRegObj* dll = nullptr;
    HRESULT hr = CLSIDFromProgID(L"ZentNetLib.StatusRegObj", &clsid);
    if (SUCCEEDED(hr))
      hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(_StatusRegObj),
                            reinterpret_cast<void**>(&dll));
    if (FAILED(hr)) {
      std::fprintf(stderr,
                   "cannot create ZentNetLib.StatusRegObj (0x%08lX): is the DLL registered?\n",
                   static_cast<unsigned long>(hr));
    } else {
      const auto core = zentnet::StatusRegObj::create();
      // Both read the same register pattern, one with the bit set.
      core->Register()->Number()->SetValue(0x800);
      _ValueObj* value = nullptr;
      _ValueNumberObj* number = nullptr;
      if (SUCCEEDED(dll->get_Register(&value)) && SUCCEEDED(value->get_Number(&number)))
        number->put_Value(0x800);
      if (number) number->Release();
      if (value) value->Release();

      bool missed = false;
      VARIANT_BOOL first = VARIANT_FALSE;
      hr = dll->get_AllSystemsGo(&first);
      if (FAILED(hr) || (first != VARIANT_FALSE) != core->AllSystemsGo()) {
        std::fprintf(stderr, "the DLL and the core disagree (0x%08lX)\n",
                     static_cast<unsigned long>(hr));
      } else {
        const std::function<long(long)> readCore = [&](long n) {
          long set = 0;
          for (long i = 0; i < n; ++i) set += core->AllSystemsGo() ? 1 : 0;
          return set;
        };
        const std::function<long(long)> readDll = [&](long n) {
          long set = 0;
          VARIANT_BOOL v = VARIANT_FALSE;
          for (long i = 0; i < n; ++i) {
            dll->get_AllSystemsGo(&v);
            set += v != VARIANT_FALSE ? 1 : 0;
          }
          return set;
        };
        // A member that reads no register: what one call through the skin costs.
        const std::function<long(long)> readBare = [&](long n) {
          long sum = 0;
          StatusRegMasks mask{};
          for (long i = 0; i < n; ++i) {
            dll->get_StatusImplemented(&mask);
            sum += mask;
          }
          return sum;
        };
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        Round(readCore, reads / 10 + 1, frequency);  // warm-up
        Round(readDll, reads / 10 + 1, frequency);
        std::vector<double> coreRounds, dllRounds, bareRounds;
        for (int r = 0; r < rounds; ++r) {
          coreRounds.push_back(Round(readCore, reads, frequency));
          dllRounds.push_back(Round(readDll, reads, frequency));
          bareRounds.push_back(Round(readBare, reads, frequency));
        }
        // Late-bound calls as a compiled client makes them (names looked up once, then
        // Invoke with the identifier), each next to the same kind of call on the system's
        // Scripting.Dictionary, rounds interleaved.
        IDispatch* dict = nullptr;
        IDispatch* emptyDict = nullptr;
        IDispatch* nets = nullptr;
        if (SUCCEEDED(CLSIDFromProgID(L"Scripting.Dictionary", &clsid)) &&
            SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                       reinterpret_cast<void**>(&dict))) &&
            SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                       reinterpret_cast<void**>(&emptyDict))) &&
            SUCCEEDED(NewAdapters(&nets))) {
          VARIANT adapter;
          VariantInit(&adapter);
          VARIANT one;
          V_VT(&one) = VT_I4;
          V_I4(&one) = 1;
          VARIANT key;
          V_VT(&key) = VT_BSTR;
          V_BSTR(&key) = SysAllocString(L"a");
          Call(nets, L"Item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, &one, &adapter);
          VARIANT args[2] = {adapter, key};  // reversed: Add key, item
          Call(dict, L"Add", DISPATCH_METHOD, args, nullptr, 2);
          VARIANT mask;
          V_VT(&mask) = VT_I4;
          V_I4(&mask) = 0x3FFFFF;
          VARIANT mode;
          V_VT(&mode) = VT_I4;
          V_I4(&mode) = 0;
          IDispatch* statusDispatch = nullptr;
          dll->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&statusDispatch));
          const long calls = reads / 20 + 1;
          const WORD get = DISPATCH_PROPERTYGET, method = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
          const std::function<long(long)> steps[] = {
              Invoker(statusDispatch, L"AllSystemsGo", get, nullptr),
              Invoker(dict, L"Count", get, nullptr),
              Invoker(nets, L"Item", method, &one),
              Invoker(dict, L"Item", method, &key),
              Invoker(statusDispatch, L"StatusImplemented", DISPATCH_PROPERTYPUT, &mask),
              Invoker(emptyDict, L"CompareMode", DISPATCH_PROPERTYPUT, &mode),
              Names(statusDispatch, L"AllSystemsGo"),
              Names(dict, L"Count")};
          constexpr int kSteps = sizeof(steps) / sizeof(steps[0]);
          std::vector<double> stepRounds[kSteps];
          for (int r = 0; r < rounds; ++r)
            for (int k = 0; k < kSteps; ++k)
              stepRounds[k].push_back(Round(steps[k], calls, frequency));
          const char* labels[kSteps] = {"Invoke StatusRegObj.AllSystemsGo",
                                        "Invoke Dictionary.Count",
                                        "Invoke Collection.Item(1)",
                                        "Invoke Dictionary.Item(\"a\")",
                                        "Invoke StatusRegObj.StatusImplemented =",
                                        "Invoke Dictionary.CompareMode =",
                                        "GetIDsOfNames AllSystemsGo",
                                        "GetIDsOfNames Dictionary Count"};
          const char* kinds[] = {"property read", "method call, one argument", "property write",
                                 "name look-up"};
          std::printf(
              "late-bound calls from C++, %ld calls x %d rounds, ns per call "
              "(best / median)\n",
              calls, rounds);
          for (int k = 0; k < kSteps; ++k) {
            const Timing t = Summarise(stepRounds[k]);
            std::printf("  %-40s %8.1f / %8.1f\n", labels[k], t.best, t.median);
          }
          for (int k = 0; k < kSteps; k += 2) {
            const double ratio =
                Summarise(stepRounds[k]).median / Summarise(stepRounds[k + 1]).median;
            std::printf("  %s: %.2f times the dictionary's (medians; target: at most 1): %s\n",
                        kinds[k / 2], ratio, ratio <= 1.0 ? "met" : "MISSED");
            if (ratio > 1.0) missed = true;
          }
          if (statusDispatch) statusDispatch->Release();
          VariantClear(&adapter);
          VariantClear(&key);
        }
        if (nets) nets->Release();
        if (emptyDict) emptyDict->Release();
        if (dict) dict->Release();
        const Timing c = Summarise(coreRounds);
        const Timing d = Summarise(dllRounds);
        const double ratio = d.best / c.best;
        std::printf(
            "early-bound AllSystemsGo, %ld reads x %d rounds, ns per read (best / median)\n", reads,
            rounds);
        std::printf("  core StatusRegObj::AllSystemsGo()       %8.1f / %8.1f\n", c.best, c.median);
        std::printf("  DLL _StatusRegObj::get_AllSystemsGo     %8.1f / %8.1f\n", d.best, d.median);
        const Timing b = Summarise(bareRounds);
        std::printf("  DLL get_StatusImplemented (no register)  %8.1f / %8.1f\n", b.best, b.median);
        std::printf("  DLL / core: %.2f (target: at most 3): %s\n", ratio,
                    ratio <= 3.0 ? "met" : "MISSED");
        status = ratio <= 3.0 && !missed ? 0 : 1;
      }
      dll->Release();
    }
  }
  CoUninitialize();
  return status;
}
