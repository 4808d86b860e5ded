// The poll path: one value write that changes the I/O register's commutation code and
// reaches the CommutationChanged listeners, through the library, next to the same work
// written by hand for this one case (the floor). Every status, I/O and error-code poll of a
// drive takes this path.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "ratios.h"
#include "zentnet/automation/convert.h"
#include "zentnet/registers/IOregisterObj.h"
#include "zentnet/registers/register_field.h"
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

// Two register values whose commutation codes differ, so that every write raises.
constexpr double kFirst = 0x0080, kSecond = 0x0100;

void BM_PollPath(benchmark::State& state) {
  auto value = BasicValueObj::create();
  auto io = IOregisterObj::create();
  io->SetValueObjRef(value);
  for (int64_t i = 0; i < state.range(0); ++i) io->Advise(std::make_shared<CountingSink>());
  const auto number = value->Number();
  double next = kFirst;
  for (auto _ : state) {
    number->SetValue(next);
    next = next == kFirst ? kSecond : kFirst;
  }
}
BENCHMARK(BM_PollPath)->Arg(1)->Arg(4);

// A stored double; the code taken from the three sensor masks by the register rule (the
// automation conversion, then the field); compared with the stored code; a virtual call
// per listener passing the two codes by reference. Nothing else: no snapshot, no
// keep-alive, no guard against a listener that unsubscribes or re-enters.
class FloorRegister {
 public:
  [[gnu::noinline]] void Write(double value) {
    value_ = value;
    const int32_t code = reg::Field(ToLong(value_), IO_HALL_R | IO_HALL_S | IO_HALL_T);
    if (code == code_) return;
    lastCode_ = code_;
    code_ = code;
    for (auto* listener : listeners_) listener->CommutationChanged(code_, lastCode_);
  }
  std::vector<IOregisterObjEvents*> listeners_;

 private:
  double value_ = 0;
  int32_t code_ = 0, lastCode_ = 0;
};

void BM_PollFloor(benchmark::State& state) {
  std::vector<std::unique_ptr<CountingSink>> sinks;
  FloorRegister floor;
  for (int64_t i = 0; i < state.range(0); ++i) {
    sinks.push_back(std::make_unique<CountingSink>());
    floor.listeners_.push_back(sinks.back().get());
  }
  FloorRegister* target = &floor;
  benchmark::DoNotOptimize(target);  // the compiler must not see the sinks' class
  double next = kFirst;
  for (auto _ : state) {
    target->Write(next);
    next = next == kFirst ? kSecond : kFirst;
  }
}
BENCHMARK(BM_PollFloor)->Arg(1)->Arg(4);

[[maybe_unused]] const int kRatios = bench::AddRatio("BM_PollPath/1", "BM_PollFloor/1", 3.0) +
                                     bench::AddRatio("BM_PollPath/4", "BM_PollFloor/4", 3.0);

}  // namespace
