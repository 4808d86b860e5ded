// The published vocabulary: every enumeration's values and every class's identifiers, each
// compared as a whole with the contract table (contract_table.h, which the contract client
// checks the type library against); finding and creating classes by them.

#include <gtest/gtest.h>

#include <cwchar>
#include <fstream>
#include <map>
#include <regex>
#include <tuple>
#include <vector>

#include "contract_table.h"
#include "error_text.h"
#include "zentnet/automation/error.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/factory.h"
#include "zentnet/zentnet.h"  // the umbrella header compiles on its own

namespace zentnet {
namespace {

// Each enumeration's enumerators as the header declares them, in order, compared with the
// published values in the contract table. Every enumerator is written "NAME = number," or
// "NAME = number - 1," (the one way to write INT32_MIN); anything else fails here.
std::map<std::string, std::vector<uint32_t>> DeclaredEnumerations() {
  std::ifstream in(ZENTNET_SOURCE_DIR "/include/zentnet/contracts/enums.h");
  const std::regex open(R"(^enum (\w+) : int32_t \{$)");
  const std::regex item(R"(^  \w+ = (-?\w+)( - 1)?,( +//.*)?$)");
  std::map<std::string, std::vector<uint32_t>> out;
  std::string line, name;
  std::smatch m;
  while (std::getline(in, line)) {
    if (std::regex_match(line, m, open)) {
      name = m[1];
    } else if (line == "};") {
      name.clear();
    } else if (!name.empty() && !line.empty() && !line.starts_with("  //")) {
      if (!std::regex_match(line, m, item))
        ADD_FAILURE() << line;
      else
        out[name].push_back(static_cast<uint32_t>(std::stoll(m[1], nullptr, 0) - m[2].matched));
    }
  }
  return out;
}

TEST(Enumerations, HaveThePublishedValues) {
  const auto declared = DeclaredEnumerations();
  for (const auto& e : contract::kEnumerations) {
    const std::vector<unsigned long> published = contract::EnumerationValues(e.values);
    ASSERT_TRUE(declared.contains(e.name)) << e.name;
    EXPECT_EQ(std::vector<unsigned long>(declared.at(e.name).begin(), declared.at(e.name).end()),
              published)
        << e.name;
  }
}

TEST(Roster, HoldsThePublishedClassesAndIdentifiers) {
  const auto narrow = [](const wchar_t* wide) {
    return wide ? std::string(wide, wide + std::wcslen(wide)) : "";
  };
  const auto roster = ClassRoster();
  ASSERT_EQ(roster.size(), std::size(contract::kClasses));
  for (size_t i = 0; i < roster.size(); ++i) {
    const contract::Class& c = contract::kClasses[i];
    EXPECT_EQ(roster[i].name, c.name);
    EXPECT_EQ(roster[i].classId, narrow(c.clsid)) << c.name;
    EXPECT_EQ(roster[i].interfaceId, narrow(c.iid)) << c.name;
    EXPECT_EQ(roster[i].eventInterfaceId, narrow(c.eventIid)) << c.name;
  }
  // The value component's, which the Windows build creates and recognises value objects by.
  const ComponentClassInfo kValues[] = {
      {"ValueObj", "{0B598C67-7C53-4228-B898-E682170468D2}",
       "{FEBD95C4-31C5-406E-9B38-10F694CC61CA}"},
      {"ValueNumberObj", "", "{90BBD6C7-6D65-47BB-9428-2FB08A7EB249}"},
      {"LockLevelObj", "{9A783CF3-150C-4893-9EBF-9D72EC9E3975}",
       "{7E6DCD99-4C75-4E9C-8129-89E3B329BA91}"}};
  ASSERT_EQ(std::size(kValueComponent), std::size(kValues));
  for (size_t i = 0; i < std::size(kValues); ++i)
    EXPECT_EQ(std::tie(kValueComponent[i].name, kValueComponent[i].classId,
                       kValueComponent[i].interfaceId),
              std::tie(kValues[i].name, kValues[i].classId, kValues[i].interfaceId));
  EXPECT_EQ(kTypeLibrary.name, "ZentNetLib");
  EXPECT_EQ(kTypeLibrary.helpString, "Zentara Networking 1.0 Type Library");
  EXPECT_EQ(kTypeLibrary.majorVersion, contract::kLibMajor);
  EXPECT_EQ(kTypeLibrary.minorVersion, contract::kLibMinor);
  EXPECT_EQ(kTypeLibrary.libraryId, narrow(contract::kLibId));
}

TEST(Roster, FindsByNameOrIdentifierInAnySpelling) {
  const ClassInfo* io = FindClass("IOregisterObj");
  ASSERT_NE(io, nullptr);
  EXPECT_EQ(io->classId, "{29B99BCC-9499-4E90-8CA7-1BC2535D5BFA}");
  EXPECT_EQ(FindClass("ioREGISTERobj"), io);
  EXPECT_EQ(FindClass("29b99bcc-9499-4e90-8ca7-1bc2535d5bfa"), io);
  EXPECT_EQ(FindClass("{56DFB106-F77B-4082-A7BB-20B148420335}"), nullptr);  // an event iid
  EXPECT_EQ(FindClass("Nothing"), nullptr);
}

TEST(Factory, CreatesEveryRosterClassAndRefusesOthers) {
  for (const auto& c : ClassRoster()) {
    auto byName = CreateObject(c.name);
    ASSERT_NE(byName, nullptr) << c.name;
    EXPECT_EQ(byName->ClassName(), c.name);
    EXPECT_EQ(CreateObject(c.classId)->ClassName(), c.name);
  }
  EXPECT_EQ(test::ErrorOf([] { CreateObject("ValuesLib.ValueObj"); }),
            "429|ZentNetLib|ActiveX component can't create object||0");
}

}  // namespace
}  // namespace zentnet
