// One logged command exchange, three ways, into files in the same folder:
//   CmdLog          CommandSent + Received: time stamp, printable dump, code page, two writes
//   spdlog          a basic file sink handed the two finished parts, flushed after each
//   plain write(2)  the two finished parts, one write each: the floor for an unbuffered log
// Every way hands each part to the operating system before the call returns, as the log
// must (nothing may wait in a user-space buffer for a crash to lose). spdlog and the plain
// writes get the text already formatted, so CmdLog does strictly more work than either.
//
// The files go to $ZENTNET_BENCH_DIR, or a fresh folder under the system's temporary folder.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spdlog/logger.h>
#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "zentnet/services/CmdLog.h"

namespace {

namespace fs = std::filesystem;

const std::string kCommand = "PV 100";
const std::string kResponse = "v 300\r";
// What CmdLog writes for the exchange above.
const std::string kCommandPart = "26/12/04 09:05:07 cmd: PV 100 [0x64]";
const std::string kResponsePart = " => v 300\\XD [0x12C]\r\n";

// Kept in a plain array, which outlives every static object, for the clean-up at exit.
char gCreatedFolder[4096];

const fs::path& BenchFolder() {
  static const fs::path folder = [] {
    if (const char* dir = std::getenv("ZENTNET_BENCH_DIR")) return fs::path(dir);
    const std::string pattern = (fs::temp_directory_path() / "zentnet-bench-XXXXXX").string();
    if (pattern.size() >= sizeof gCreatedFolder) std::abort();
    pattern.copy(gCreatedFolder, pattern.size());
    if (mkdtemp(gCreatedFolder) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(gCreatedFolder, ignored);
    });
    return fs::path(gCreatedFolder);
  }();
  return folder;
}

// Each benchmark starts on an empty file of its own.
fs::path FreshFile(const char* name) {
  const fs::path folder = BenchFolder() / name;
  fs::create_directories(folder);
  fs::remove(folder / "sx_cmds.log");
  return folder / "sx_cmds.log";
}

void CmdLogExchange(benchmark::State& state) {
  const fs::path file = FreshFile("cmdlog");
  auto log = zentnet::CmdLog::createForTesting(file.parent_path().string());
  log->SetLogging(true);
  log->SetLogToFile(true, true);
  for (auto _ : state) {
    log->CommandSent(kCommand);
    log->Received(kResponse);
  }
  state.SetItemsProcessed(state.iterations());
  log.reset();
  fs::remove(file);
}
BENCHMARK(CmdLogExchange);

void SpdlogExchange(benchmark::State& state) {
  const fs::path file = FreshFile("spdlog");
  auto sink = std::make_shared<spdlog::sinks::basic_file_sink_st>(file.string());
  spdlog::logger logger("exchange", sink);
  // The parts carry their own line end, as the command part must be able to go without.
  logger.set_formatter(std::make_unique<spdlog::pattern_formatter>(
      "%v", spdlog::pattern_time_type::local, std::string()));
  for (auto _ : state) {
    logger.info(kCommandPart);
    logger.flush();
    logger.info(kResponsePart);
    logger.flush();
  }
  state.SetItemsProcessed(state.iterations());
  fs::remove(file);
}
BENCHMARK(SpdlogExchange);

void PlainWriteExchange(benchmark::State& state) {
  const fs::path file = FreshFile("write");
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) {
    state.SkipWithError("cannot open the file");
    return;
  }
  for (auto _ : state) {
    if (::write(fd, kCommandPart.data(), kCommandPart.size()) < 0) state.SkipWithError("write");
    if (::write(fd, kResponsePart.data(), kResponsePart.size()) < 0) state.SkipWithError("write");
  }
  state.SetItemsProcessed(state.iterations());
  ::close(fd);
  fs::remove(file);
}
BENCHMARK(PlainWriteExchange);

}  // namespace
