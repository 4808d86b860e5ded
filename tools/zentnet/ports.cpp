// zentnet ports LIST [--json]: what setting the port list does to a new supervisor.

#include <iostream>

#include "cli.h"
#include "commands.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/network/NetSupervisorObj.h"

namespace zentnet::cli {

int RunPorts(const Argv& argv) {
  const Args args = ParseArgs(argv, {}, {"--json"});
  if (args.positional.size() != 1)
    throw UsageError("ports: expected exactly one LIST (port numbers separated by ';')");

  auto supervisor = NetSupervisorObj::create();
  std::string list = args.positional[0];
  supervisor->SetPorts(list);  // leaves the normalised list in `list`

  struct Row {
    int32_t port;
    std::string name;
  };
  std::vector<Row> rows;
  const auto nets = supervisor->Nets();
  for (int32_t k = 1; k <= nets->Count(); ++k) {
    const auto adapter = nets->ItemAs<NetAdapterObj>(k);
    rows.push_back({adapter->PortNumber(), adapter->AdapterName()});
  }

  if (args.Has("--json")) {
    std::string out = "{\"Ports\": " + JsonString(list) + ", \"Adapters\": [";
    for (size_t i = 0; i < rows.size(); ++i)
      out += (i ? ", " : "") + std::string("{\"PortNumber\": ") + std::to_string(rows[i].port) +
             ", \"AdapterName\": " + JsonString(rows[i].name) + "}";
    std::cout << out << "]}\n";
    return 0;
  }
  std::cout << "Ports  " << list << '\n';
  for (const auto& r : rows)
    std::cout << "PortNumber " << r.port << "  AdapterName " << r.name << '\n';
  return 0;
}

}  // namespace zentnet::cli
