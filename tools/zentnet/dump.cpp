// zentnet dump TEXT: the printable form the command log writes for a command or response.

#include <iostream>

#include "cli.h"
#include "commands.h"
#include "zentnet/automation/platform.h"
#include "zentnet/services/CmdLog.h"

namespace zentnet::cli {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Shell arguments cannot carry a carriage return comfortably, so TEXT takes escapes.
// \xNN is the host code-page byte NN, so that it reappears as \XNN in the dump.
std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i >= text.size()) throw UsageError("dump: a lone \\ ends the text");
    switch (text[i]) {
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case '\\':
        out += '\\';
        break;
      case 'x': {
        const int high = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0) throw UsageError("dump: \\x needs two hexadecimal digits");
        out += platform::HostCodePageToUtf8(std::string(1, static_cast<char>(high * 16 + low)));
        i += 2;
        break;
      }
      default:
        throw UsageError(std::string("dump: unknown escape \\") + text[i]);
    }
  }
  return out;
}

}  // namespace

int RunDump(const Argv& argv) {
  // TEXT is taken as it stands, so a command beginning with "--" can be dumped too.
  if (argv.size() != 1) throw UsageError("dump: expected exactly one TEXT");
  std::cout << FormatDump(Unescape(argv[0])) << '\n';
  return 0;
}

}  // namespace zentnet::cli
