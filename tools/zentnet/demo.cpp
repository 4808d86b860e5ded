// zentnet demo [--log-dir DIR]: the scripted drive session, told event by event, then the
// command log it wrote.

#include <filesystem>
#include <optional>
#include <fstream>
#include <iostream>
#include <random>
#include <system_error>

#include "cli.h"
#include "commands.h"
#include "zentnet/resources/version.h"
#include "zentnet/sim/DemoSession.h"

namespace zentnet::cli {

namespace {

namespace fs = std::filesystem;

// The library takes and gives paths as UTF-8, and the tool prints UTF-8, while a path's
// narrow string() is in the process code page on Windows: paths cross as char8_t text.
std::string Utf8Of(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

fs::path PathOfUtf8(const std::string& text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

// A folder of our own under the system's temporary folder, removed when the demo ends
// however it ends.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      fs::path candidate = fs::temp_directory_path() / ("zentnet-demo-" + std::to_string(random()));
      std::error_code ec;
      if (fs::create_directory(candidate, ec)) {
        path_ = std::move(candidate);
        return;
      }
    }
    throw UsageError("demo: cannot create a temporary folder; use --log-dir DIR");
  }
  ~TemporaryFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace

int RunDemo(const Argv& argv) {
  const Args args = ParseArgs(argv, {"--log-dir"}, {});
  if (!args.positional.empty()) throw UsageError("demo: takes no argument but --log-dir DIR");

  std::optional<TemporaryFolder> temporary;
  fs::path folder;
  if (const auto dir = args.Get("--log-dir")) {
    folder = *dir;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw UsageError("demo: cannot create '" + *dir + "': " + ec.message());
  } else {
    temporary.emplace();
    folder = temporary->path();
  }

  std::cout << "ZentNetLib " << version::kNumbers << " demo: one simulated drive session\n";
  if (temporary)
    std::cout << "Command log: sx_cmds.log in a temporary folder, removed on exit "
                 "(--log-dir DIR keeps it)\n";
  else
    std::cout << "Command log: " << Utf8Of(folder / "sx_cmds.log") << '\n';

  const std::string logPath =
      RunDemoSession(Utf8Of(folder), [](const std::string& line) { std::cout << line << '\n'; });

  std::cout << "The command log as written, blank lines left out (time stamps vary):\n";
  std::ifstream file(PathOfUtf8(logPath), std::ios::binary);
  if (!file) throw UsageError("demo: cannot read " + logPath);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;  // the banners' spacing
    std::cout << "   | " << line << '\n';
  }
  return 0;
}

}  // namespace zentnet::cli
