// An early-bound read through the registered DLL, next to the same read on the core object
// linked into this executable, timed in the same run.
//
//   zentnet_vtable_bench [reads per round] [rounds]
//
// Rounds alternate between the two so that a busy machine slows both alike; each line gives
// the best and the median round in nanoseconds per read. The exit status is 0 when the DLL's
// read stays within three times the core's (best against best), 1 when it does not, 2 when
// the DLL cannot be used.
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
      std::fprintf(stderr, "cannot create ZentNetLib.StatusRegObj (0x%08lX): is the DLL registered?\n",
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

      VARIANT_BOOL first = VARIANT_FALSE;
      hr = dll->get_AllSystemsGo(&first);
      if (FAILED(hr) || (first != VARIANT_FALSE) != core->AllSystemsGo()) {
        std::fprintf(stderr, "the DLL and the core disagree (0x%08lX)\n", static_cast<unsigned long>(hr));
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
        // The two halves of a late-bound read, by hand: what a script engine pays per
        // access beyond its own work, next to the system's Scripting.Dictionary.
        IDispatch* dict = nullptr;
        if (SUCCEEDED(CLSIDFromProgID(L"Scripting.Dictionary", &clsid)) &&
            SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                       reinterpret_cast<void**>(&dict)))) {
          const long calls = reads / 100 + 1;
          auto names = [&](IDispatch* d, const wchar_t* name) {
            return [d, name](long n) {
              long sum = 0;
              for (long i = 0; i < n; ++i) {
                DISPID id = 0;
                LPOLESTR text = const_cast<LPOLESTR>(name);
                d->GetIDsOfNames(IID_NULL, &text, 1, LOCALE_USER_DEFAULT, &id);
                sum += id;
              }
              return sum;
            };
          };
          auto invoke = [&](IDispatch* d, const wchar_t* name) {
            DISPID id = 0;
            LPOLESTR text = const_cast<LPOLESTR>(name);
            d->GetIDsOfNames(IID_NULL, &text, 1, LOCALE_USER_DEFAULT, &id);
            return [d, id](long n) {
              long sum = 0;
              for (long i = 0; i < n; ++i) {
                DISPPARAMS none{nullptr, nullptr, 0, 0};
                VARIANT result;
                VariantInit(&result);
                d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
                sum += V_VT(&result);
                VariantClear(&result);
              }
              return sum;
            };
          };
          const std::function<long(long)> steps[] = {names(dll, L"AllSystemsGo"), names(dict, L"Count"),
                                                     invoke(dll, L"AllSystemsGo"), invoke(dict, L"Count")};
          std::vector<double> stepRounds[4];
          for (int r = 0; r < rounds; ++r)
            for (int k = 0; k < 4; ++k) stepRounds[k].push_back(Round(steps[k], calls, frequency));
          const char* labels[] = {"GetIDsOfNames AllSystemsGo", "GetIDsOfNames Dictionary Count",
                                  "Invoke AllSystemsGo", "Invoke Dictionary Count"};
          std::printf("late-bound halves from C++, %ld calls x %d rounds, ns per call (best / median)\n",
                      calls, rounds);
          for (int k = 0; k < 4; ++k) {
            const Timing t = Summarise(stepRounds[k]);
            std::printf("  %-40s %8.1f / %8.1f\n", labels[k], t.best, t.median);
          }
          dict->Release();
        }
        const Timing c = Summarise(coreRounds);
        const Timing d = Summarise(dllRounds);
        const double ratio = d.best / c.best;
        std::printf("early-bound AllSystemsGo, %ld reads x %d rounds, ns per read (best / median)\n",
                    reads, rounds);
        std::printf("  core StatusRegObj::AllSystemsGo()       %8.1f / %8.1f\n", c.best, c.median);
        std::printf("  DLL _StatusRegObj::get_AllSystemsGo     %8.1f / %8.1f\n", d.best, d.median);
        const Timing b = Summarise(bareRounds);
        std::printf("  DLL get_StatusImplemented (no register)  %8.1f / %8.1f\n", b.best, b.median);
        std::printf("  DLL / core: %.2f (target: at most 3): %s\n", ratio, ratio <= 3.0 ? "met" : "MISSED");
        status = ratio <= 3.0 ? 0 : 1;
      }
      dll->Release();
    }
  }
  CoUninitialize();
  return status;
}
