// The interfaces other components implement: what our stand-ins answer beyond "nothing
// there", and the defaults each interface declares reach an implementation.

#include <gtest/gtest.h>

#include <filesystem>

#include "zentnet/automation/platform.h"
#include "zentnet/contracts/NetLib.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/factory.h"
#include "zentnet/resources/version.h"

namespace zentnet {
namespace {

// Every read of Flash is a new object of the flash library.
TEST(Defaults, FlashIsANewObjectOfTheFlashLibraryEachTime) {
  const auto lib = std::dynamic_pointer_cast<NetLib>(CreateObject("NetLib"));
  ASSERT_NE(lib, nullptr);
  const auto first = lib->Flash();
  ASSERT_NE(first, nullptr);
  EXPECT_NE(lib->Flash(), first);
  EXPECT_EQ(first->ClassName(), "ZentFlashLib");
}

// The numbers of the file version, then the folder and the file name, without its
// extension, of the module that holds the library's code.
TEST(Defaults, VersionNamesTheNumbersAndTheModule) {
  const std::string v = NetLib::create()->Version();
  const std::string numbers = std::string(version::kNumbers) + "\r\n";
  ASSERT_EQ(v.substr(0, numbers.size()), numbers);
  const auto slash = v.rfind('\\');
  ASSERT_NE(slash, std::string::npos);
  const std::string name = v.substr(slash + 1);
  bool found = false;
  const size_t at = numbers.size();
  for (const auto& entry : std::filesystem::directory_iterator(v.substr(at, slash - at))) {
    const auto file = entry.path().filename();
    found = found || (file.extension() == "" ? file.string() : file.stem().string()) == name;
  }
  EXPECT_TRUE(found) << v;
}

// The arguments the interfaces declare as optional reach an implementation.
class EchoDrive final : public InertPhysDriveObj {
 public:
  std::string RunCommand(std::string&, int32_t timeOut, bool throwErr) override {
    return std::to_string(timeOut) + (throwErr ? " throw" : " quiet");
  }
  void MotorFileSave(std::string& path, bool interactive) override {
    path += interactive ? "+" : "-";
  }
};

class EchoRoot final : public InertNetLib {
 public:
  int32_t seen = 0;
  void CreateDemoDrive(PhysDriveType drvType) override { seen = drvType; }
};

TEST(Defaults, DeclaredDefaultsReachAnImplementation) {
  std::shared_ptr<PhysDriveObj> d = std::make_shared<EchoDrive>();
  std::string cmd = "RV", path;
  EXPECT_EQ(d->RunCommand(cmd) + "," + d->RunCommand(cmd, 7), "50 throw,7 throw");
  d->MotorFileSave(path);
  EXPECT_EQ(path, "+");
  const auto root = std::make_shared<EchoRoot>();
  static_cast<NetLib&>(*root).CreateDemoDrive();
  EXPECT_EQ(root->seen, DRV_MODEL_07);
}

}  // namespace
}  // namespace zentnet
