// The core's tables against the published interfaces as the IDL declares them: each class's
// events with their dispatch identifiers, and each class's late-bound property table (what
// the tool prints) against its argument-free reads. Either side changed alone fails here.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "event_tables.h"
#include "zentnet/factory.h"

namespace zentnet::test {
namespace {

// The IDL without comments and with every string literal emptied (help strings may hold
// any punctuation).
std::string Idl() {
  std::ifstream file(ZENTNET_SOURCE_DIR "/src/com/ZentNetLib.idl");
  std::stringstream text;
  text << file.rdbuf();
  std::string in = text.str(), out;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in.compare(i, 2, "//") == 0) {
      i = in.find('\n', i) - 1;
    } else if (in.compare(i, 2, "/*") == 0) {
      i = in.find("*/", i) + 1;
    } else if (in[i] == '"') {
      i = in.find('"', i + 1);
      out += "\"\"";
    } else {
      out += in[i];
    }
  }
  return out;
}

// The declarations between the braces of the block that `head` opens, split at ";".
std::vector<std::string> Block(const std::string& idl, const std::string& head) {
  const size_t at = idl.find(head);
  EXPECT_NE(at, std::string::npos) << head;
  if (at == std::string::npos) return {};
  const size_t open = idl.find('{', at), close = idl.find("};", open);
  std::vector<std::string> parts;
  std::stringstream body(idl.substr(open + 1, close - open - 1));
  for (std::string part; std::getline(body, part, ';');) parts.push_back(part);
  return parts;
}

// "Name=id" of every event of the class's event interface, in declaration order.
std::vector<std::string> IdlEvents(const std::string& idl, std::string_view cls) {
  static const std::regex event(R"(\[\s*id\((\d+)\)[^\]]*\]\s*void\s+(\w+)\s*\()");
  std::vector<std::string> found;
  for (const auto& d : Block(idl, "dispinterface __" + std::string(cls) + "\n")) {
    std::smatch m;
    if (std::regex_search(d, m, event)) found.push_back(m[2].str() + "=" + m[1].str());
  }
  return found;
}

// The reads a late-bound printer can make: property gets and methods whose every argument
// but the result is optional. Those whose result is an object are listed apart: a class's
// table may show its held objects or not.
struct Reads {
  std::vector<std::string> values;
  std::set<std::string> objects;
};
Reads IdlArgumentFreeReads(const std::string& idl, std::string_view cls) {
  // A member may carry several attribute lists (its help string's on a line of its own).
  static const std::regex member(R"(^\s*((?:\[[^\]]*\]\s*)*)HRESULT\s+(\w+)\s*\(([\s\S]*)\)\s*$)");
  Reads found;
  for (const auto& d : Block(idl, "interface _" + std::string(cls) + " : IDispatch")) {
    std::smatch m;
    if (!std::regex_match(d, m, member) || m[1].str().find("propput") != std::string::npos)
      continue;
    bool free = true, value = false, object = false;
    std::string params = m[3].str() + ",";
    int depth = 0;
    for (size_t start = 0, i = 0; i < params.size(); ++i) {
      depth += params[i] == '[' ? 1 : params[i] == ']' ? -1 : 0;
      if (params[i] != ',' || depth != 0) continue;
      const std::string p = params.substr(start, i - start);
      start = i + 1;
      if (p.find("retval") != std::string::npos)
        (p.find("**") == std::string::npos ? value : object) = true;
      else if (p.find("optional") == std::string::npos &&
               p.find("defaultvalue") == std::string::npos)
        free = false;
    }
    const std::string name = m[2].str();
    if (free && object) found.objects.insert(name);
    if (free && value && (found.values.empty() || found.values.back() != name))
      found.values.push_back(name);
  }
  return found;
}

TEST(Surface, EventTablesAreTheEventInterfaces) {
  const std::string idl = Idl();
  for (const auto& [cls, ids] : kEventTables) {
    std::vector<std::string> core;
    for (const auto& e : ids) core.push_back(std::string(e.event) + "=" + std::to_string(e.dispId));
    EXPECT_EQ(core, IdlEvents(idl, cls)) << cls;
  }
}

// The drive and root objects are other components' classes, whose stand-ins have no table;
// FireTerminate raises an event, which a printer must not.
TEST(Surface, PropertyTablesAreTheArgumentFreeReads) {
  const std::string idl = Idl();
  for (const auto& c : ClassRoster()) {
    if (c.name == "NetLib" || c.name == "PhysDriveObj") continue;
    const Reads reads = IdlArgumentFreeReads(idl, c.name);
    std::vector<std::string> table, expected;
    for (const auto name : CreateObject(c.name)->PropertyNames())
      if (!reads.objects.contains(std::string(name))) table.emplace_back(name);
    for (const auto& name : reads.values)
      if (name != "FireTerminate") expected.push_back(name);
    EXPECT_EQ(table, expected) << c.name;
  }
}

}  // namespace
}  // namespace zentnet::test
