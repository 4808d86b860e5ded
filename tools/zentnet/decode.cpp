// zentnet decode REGISTER VALUE [options] [--json]

#include <iostream>
#include <string_view>

#include "cli.h"
#include "commands.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/registers/IOregisterObj.h"
#include "zentnet/registers/ErrorCodeObj.h"
#include "zentnet/registers/OptionRegObj.h"
#include "zentnet/registers/StatusRegObj.h"
#include "zentnet/values/factory.h"

namespace zentnet::cli {

namespace {

using Extra = Fields;

std::shared_ptr<ValueObj> ValueHolding(int32_t value) {
  auto v = NewValueObj();
  v->Number()->SetValue(value);
  return v;
}

void PrintIo(int32_t value, const Args& /*args*/, bool json) {
  auto io = IOregisterObj::create();
  io->SetValueObjRef(ValueHolding(value));
  PrintObject(*io, Extra{{"BitNames", io->BitNames(std::to_string(value))}}, json);
}

// --capability first, so that the value's own change is decoded under the drive's mask.
void PrintConfig(int32_t value, const Args& args, bool json) {
  auto config = ConfigRegObj::create();
  if (const auto mask = args.Get("--capability"))
    config->SetCapabilityMask(static_cast<ConfigRegMasks>(ParseRegister(*mask)));
  config->Register()->Number()->SetValue(value);
  PrintObject(*config, {}, json);
}

void PrintError(int32_t value, const Args& /*args*/, bool json) {
  auto ec = ErrorCodeObj::create();
  ec->Register()->Number()->SetValue(value);
  PrintObject(*ec, {}, json);
}

// BitStr lists the names of all set bits, torque or force by the --config value's motor: a
// JSON array of texts, or one line.
void PrintStatus(int32_t value, const Args& args, bool json) {
  auto status = StatusRegObj::create();
  if (const auto mask = args.Get("--implemented"))
    status->SetStatusImplemented(static_cast<StatusRegMasks>(ParseRegister(*mask)));
  if (const auto config = args.Get("--config"))
    status->ConfigReg()->Register()->Number()->SetValue(ParseRegister(*config));
  status->Register()->Number()->SetValue(value);
  PrintObject(*status, Extra{{"BitStr", status->ActiveBitNames()}}, json);
}

void PrintOption(int32_t value, const Args& args, bool json) {
  auto option = OptionRegObj::create();
  if (const auto mask = args.Get("--capability"))
    option->SetCapabilityMask(static_cast<OptionRegMasks>(ParseRegister(*mask)));
  option->Register()->Number()->SetValue(value);
  PrintObject(*option, {}, json);
}

struct Decoder {
  std::string_view name;
  std::vector<std::string_view> options;  // flags that take a value
  void (*print)(int32_t value, const Args& args, bool json);
};

const std::vector<Decoder>& Decoders() {
  static const std::vector<Decoder> decoders = {
      {"io", {}, PrintIo},
      {"config", {"--capability"}, PrintConfig},
      {"error", {}, PrintError},
      {"status", {"--implemented", "--config"}, PrintStatus},
      {"option", {"--capability"}, PrintOption},
  };
  return decoders;
}

}  // namespace

int RunDecode(const Argv& argv) {
  if (argv.empty())
    throw UsageError("decode: which register? (" + [] {
      std::string names;
      for (const auto& d : Decoders()) names += (names.empty() ? "" : ", ") + std::string(d.name);
      return names;
    }() + ")");
  for (const auto& d : Decoders()) {
    if (argv[0] != d.name) continue;
    const Args args = ParseArgs(Argv(argv.begin() + 1, argv.end()), d.options, {"--json"});
    if (args.positional.size() != 1)
      throw UsageError("decode " + argv[0] + ": expected exactly one VALUE");
    d.print(ParseRegister(args.positional[0]), args, args.Has("--json"));
    return 0;
  }
  throw UsageError("decode: unknown register '" + argv[0] + "'");
}

}  // namespace zentnet::cli
