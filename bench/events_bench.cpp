// One value write raising CommutationChanged, through the library's event source, next to
// the same event emitted through a plain snapshot of std::function callbacks.

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <vector>

#include "zentnet/registers/IOregisterObj.h"
#include "zentnet/values/values.h"

namespace {

using namespace zentnet;

class CountingSink : public IOregisterObjEvents {
 public:
  void CommutationChanged(int32_t& thisCode, int32_t& lastCode) override {
    benchmark::DoNotOptimize(sum += thisCode + lastCode);
  }
  int64_t sum = 0;
};

// Alternates between two register values whose commutation codes differ, so every write
// raises the event.
void BM_DecoderEvent(benchmark::State& state) {
  auto value = BasicValueObj::create();
  auto io = IOregisterObj::create();
  io->SetValueObjRef(value);
  for (int64_t i = 0; i < state.range(0); ++i) io->Advise(std::make_shared<CountingSink>());
  const auto number = value->Number();
  double next = 0x0080;
  for (auto _ : state) {
    number->SetValue(next);
    next = next == 0x0080 ? 0x0100 : 0x0080;
  }
}
BENCHMARK(BM_DecoderEvent)->Arg(1)->Arg(4);

// The same work without the library: a stored register, the code derived from it, and the
// event sent to a snapshot of a vector of std::function taken for every raise.
struct PlainDecoder {
  double value = 0;
  int32_t code = 0, lastCode = 0;
  std::vector<std::function<void(int32_t&, int32_t&)>> listeners;

  int32_t Code() const { return (static_cast<int32_t>(value) / 128) & 7; }
  void Store(double v) {
    if (v == value) return;
    value = v;
    if (Code() == code) return;
    lastCode = code;
    code = Code();
    const auto snapshot = listeners;
    for (const auto& l : snapshot) l(code, lastCode);
  }
};

void BM_PlainFunctionSnapshot(benchmark::State& state) {
  PlainDecoder d;
  int64_t sum = 0;
  for (int64_t i = 0; i < state.range(0); ++i)
    d.listeners.emplace_back([&sum](int32_t& a, int32_t& b) { benchmark::DoNotOptimize(sum += a + b); });
  double next = 0x0080;
  for (auto _ : state) {
    d.Store(next);
    next = next == 0x0080 ? 0x0100 : 0x0080;
  }
}
BENCHMARK(BM_PlainFunctionSnapshot)->Arg(1)->Arg(4);

}  // namespace
