// One value write raising CommutationChanged, through the library's event source, next to
// the same events emitted through plain snapshots of std::function callbacks.

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <vector>

#include "zentnet/automation/convert.h"
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

// The same three events without the library's event source: a value that raises
// ValueChanged and Changed, and a decoder listening to it that raises CommutationChanged,
// each through a snapshot of a std::vector<std::function> taken for every raise.
template <class... A>
using Listeners = std::vector<std::function<void(A&...)>>;

template <class... A>
void Emit(const Listeners<A...>& listeners, A&... args) {
  const auto snapshot = listeners;
  for (const auto& l : snapshot) l(args...);
}

struct PlainValue {
  double value = 0, previous = 0;
  Listeners<PlainValue> valueChanged, changed;
  void Set(double v) {
    if (v == value) return;
    previous = value;
    value = v;
    Emit(valueChanged, *this);
    Emit(changed, *this);
  }
};

struct PlainDecoder {
  int32_t code = 0, lastCode = 0;
  Listeners<int32_t, int32_t> commutationChanged;
  explicit PlainDecoder(PlainValue& v) {
    v.valueChanged.emplace_back([](PlainValue&) {});  // heard and ignored, as by the decoder
    v.changed.emplace_back([this](PlainValue& changed) { OnChanged(changed); });
  }
  static int32_t Code(const PlainValue& v) { return (ToLong(v.value) / 128) & 7; }
  void OnChanged(const PlainValue& v) {
    if (Code(v) == code) return;
    lastCode = code;
    code = Code(v);
    Emit(commutationChanged, code, lastCode);
  }
};

void BM_PlainFunctionSnapshot(benchmark::State& state) {
  PlainValue value;
  PlainDecoder decoder(value);
  int64_t sum = 0;
  for (int64_t i = 0; i < state.range(0); ++i)
    decoder.commutationChanged.emplace_back(
        [&sum](int32_t& a, int32_t& b) { benchmark::DoNotOptimize(sum += a + b); });
  double next = 0x0080;
  for (auto _ : state) {
    value.Set(next);
    next = next == 0x0080 ? 0x0100 : 0x0080;
  }
}
BENCHMARK(BM_PlainFunctionSnapshot)->Arg(1)->Arg(4);

}  // namespace
