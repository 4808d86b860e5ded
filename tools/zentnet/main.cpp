// zentnet: the command-line face of the library.

#include <iostream>
#include <string_view>

#include "cli.h"
#include "commands.h"
#include "zentnet/automation/error.h"
#include "zentnet/resources/version.h"

namespace {

constexpr std::string_view kVersion = zentnet::version::kNumbers;

constexpr std::string_view kHelp =
    "usage: zentnet COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  decode io VALUE [--json]     decode an I/O register value\n"
    "  decode config VALUE [--capability MASK] [--json]\n"
    "                               decode a configuration register value; MASK (like\n"
    "                               VALUE) is the drive's CapabilityMask, all bits if absent\n"
    "  decode error VALUE [--json]  decode an error-code register value and list its causes\n"
    "  decode status VALUE [--implemented MASK] [--config VALUE] [--json]\n"
    "                               decode a status register value; MASK is the drive's\n"
    "                               StatusImplemented (all bits if absent); BitStr names the\n"
    "                               set bits, torque or force by the --config value's motor\n"
    "  decode option VALUE [--capability MASK] [--json]\n"
    "                               decode an option register value; MASK is the drive's\n"
    "                               CapabilityMask (all bits but 31 if absent)\n"
    "  ports LIST [--json]          apply a port list (\"1;2\") to a new supervisor and\n"
    "                               show the normalised list and its adapters\n"
    "  strings ID...                print the string-table texts with these ids\n"
    "  dump TEXT                    the command log's printable form of TEXT\n"
    "                               (escapes: \\r \\n \\t \\\\ and \\xNN, a code-page byte)\n"
    "  demo [--log-dir DIR]         run a simulated drive session and tell its events;\n"
    "                               the command log goes to DIR (a temporary folder,\n"
    "                               removed on exit, if absent) and is printed at the end\n"
    "  --help                       show this text\n"
    "  --version                    print the library version\n"
    "\n"
    "VALUE is decimal, 0x-hexadecimal or negative and must fit in 32 bits.\n"
    "Bad input and automation errors print one line on stderr and exit with status 2.\n";

struct Command {
  std::string_view name;
  int (*run)(const zentnet::cli::Argv&);
};

constexpr Command kCommands[] = {
    {"decode", zentnet::cli::RunDecode},   {"ports", zentnet::cli::RunPorts},
    {"strings", zentnet::cli::RunStrings}, {"dump", zentnet::cli::RunDump},
    {"demo", zentnet::cli::RunDemo},
};

int Dispatch(const zentnet::cli::Argv& argv) {
  if (argv.empty()) throw zentnet::cli::UsageError("no command; try zentnet --help");
  if (argv[0] == "--help" || argv[0] == "-h" || argv[0] == "help") {
    std::cout << kHelp;
    return 0;
  }
  if (argv[0] == "--version") {
    std::cout << kVersion << '\n';
    return 0;
  }
  for (const auto& c : kCommands)
    if (argv[0] == c.name) return c.run(zentnet::cli::Argv(argv.begin() + 1, argv.end()));
  throw zentnet::cli::UsageError("unknown command '" + argv[0] + "'; try zentnet --help");
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Dispatch(zentnet::cli::Argv(argv + 1, argv + argc));
  } catch (const zentnet::AutomationError& e) {
    std::cerr << "error " << e.Number() << " (" << e.Source() << "): " << e.Description() << '\n';
  } catch (const zentnet::cli::UsageError& e) {
    std::cerr << "zentnet: " << e.what() << '\n';
  }
  return 2;
}
