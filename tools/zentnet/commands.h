#pragma once
// The tool's commands. Each returns the process exit status.

#include <string>
#include <vector>

namespace zentnet::cli {

using Argv = std::vector<std::string>;

int RunDecode(const Argv& args);
int RunPorts(const Argv& args);
int RunStrings(const Argv& args);
int RunDump(const Argv& args);
int RunDemo(const Argv& args);

}  // namespace zentnet::cli
