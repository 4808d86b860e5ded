// The simulated application root: the host side of the ports, drives joining and leaving,
// the application event hub, and no reference cycle between root, supervisor, adapters and
// drives.

#include "zentnet/sim/SimRoot.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sim_support.h"
#include "zentnet/automation/error.h"
#include "zentnet/automation/platform.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/network/NetSupervisorObj.h"
#include "zentnet/services/AppStateEventObj.h"
#include "zentnet/services/CmdLog.h"
#include "zentnet/services/DriveEventObj.h"
#include "zentnet/services/SoundEventsObj.h"
#include "zentnet/sim/SimDrive.h"

namespace zentnet {
namespace {

using ::testing::ElementsAre;

std::shared_ptr<SimRoot> RootWithPorts(const test::ScratchFolder& folder, const std::string& ports) {
  auto root = SimRoot::create(CmdLog::createForTesting(folder.str()));
  root->SetPorts(ports);
  return root;
}

TEST(SimRoot, HandsOutOneOfEachService) {
  test::ScratchFolder folder;
  auto log = CmdLog::createForTesting(folder.str());
  auto root = SimRoot::create(log);
  EXPECT_EQ(root->LogFile(), log);
  for (auto* get : {+[](SimRoot& r) -> std::shared_ptr<Object> { return r.NetSupervisor(); },
                    +[](SimRoot& r) -> std::shared_ptr<Object> { return r.Sounds(); },
                    +[](SimRoot& r) -> std::shared_ptr<Object> { return r.DriveEvent(); },
                    +[](SimRoot& r) -> std::shared_ptr<Object> { return r.AppEvents(); },
                    +[](SimRoot& r) -> std::shared_ptr<Object> { return r.LockLevel(); }}) {
    const auto first = get(*root);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(get(*root), first);
  }
  EXPECT_EQ(root->Nets(), root->NetSupervisor()->Nets());
}

// Version ends with the module's name cut at its last point, as the root inherits it.
TEST(SimRoot, VersionNamesTheModuleWithoutItsExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/opt/Zent.Net.dll", "Zent.Net"}, {"/usr/lib/libzentnet.so.1", "libzentnet.so"},
      {"/a.b/tool", "tool"}, {"/home/.hidden", ".hidden"}, {"name.", "name"}};
  for (const auto& [path, name] : cases) EXPECT_EQ(platform::NameWithoutExtension(path), name) << path;
  test::ScratchFolder folder;
  const std::string module = platform::ModulePath();
  EXPECT_EQ(SimRoot::create(CmdLog::createForTesting(folder.str()))->Version(),
            "1.0.48\r\n" + platform::FolderOf(module) + "\\" + platform::NameWithoutExtension(module));
}

TEST(SimRoot, OpensAndClosesTheHostPortsAdaptersAskFor) {
  test::ScratchFolder folder;
  auto root = RootWithPorts(folder, "1;2");
  EXPECT_EQ(root->Ports(), "1;2");
  EXPECT_FALSE(root->PortsOpen());
  root->SetPortsOpen(true);
  EXPECT_TRUE(root->PortsOpen());
  EXPECT_TRUE(root->HostPortOpen(1));
  EXPECT_TRUE(root->HostPortOpen(2));
  const auto peer = std::dynamic_pointer_cast<SimHostPort>(root->Adapter(2)->Peer());
  ASSERT_NE(peer, nullptr);
  EXPECT_EQ(peer->PortNumber(), 2);

  // An adapter's own NetOpen := false is a close the root confirms.
  root->Adapter(1)->SetNetOpen(false);
  EXPECT_FALSE(root->HostPortOpen(1));
  EXPECT_TRUE(root->Adapter(1)->Enabled());

  root->SetPortsOpen(false);
  EXPECT_FALSE(root->HostPortOpen(2));
  EXPECT_FALSE(root->PortsOpen());
  EXPECT_FALSE(root->Adapter(2)->Enabled());
  EXPECT_EQ(root->Adapter(2)->NetState(), NODES_OFFLINE);
  EXPECT_EQ(root->Ports(), "");  // disabled adapters are left out
}

TEST(SimRoot, APortTheHostLacksIsRefusedWithThePortError) {
  test::ScratchFolder folder;
  auto root = RootWithPorts(folder, "1;2");
  root->SetHostPortAvailable(1, false);
  EXPECT_EQ(test::ErrorOf([&] { root->SetPortsOpen(true); }),
            "6301|NetAdapterObj.NetOpen(let opening)|Port setup problems: busy or non-existant");
  EXPECT_FALSE(root->HostPortOpen(1));
  EXPECT_FALSE(root->Adapter(1)->Enabled());
  EXPECT_FALSE(root->HostPortOpen(2));  // the opening stopped at the failure

  root->SetHostPortAvailable(1, true);
  root->SetPorts("1;2");  // a changed list (port 1 was disabled): new adapters
  root->SetPortsOpen(true);
  EXPECT_TRUE(root->PortsOpen());
}

class NetRecorder final : public NetSupervisorObjEvents {
 public:
  void NetworkChanged(std::shared_ptr<NetAdapterObj>& netRef, NetworkChanges& theState) override {
    heard.push_back((netRef ? std::to_string(netRef->PortNumber()) : "none") + ":" +
                    std::to_string(theState));
  }
  std::vector<std::string> heard;
};

TEST(SimRoot, ADriveJoinsAndLeavesWithItsPort) {
  test::ScratchFolder folder;
  auto root = RootWithPorts(folder, "1;2");
  root->SetPortsOpen(true);
  auto recorder = std::make_shared<NetRecorder>();
  root->NetSupervisor()->Advise(recorder);
  auto drive = SimDrive::create(4);
  root->AttachDrive(2, drive);

  EXPECT_EQ(drive->CommPort(), 2);
  EXPECT_TRUE(drive->Online());
  EXPECT_TRUE(root->Online());
  EXPECT_EQ(drive->LogFile(), root->LogFile());
  EXPECT_EQ(drive->SoundEvents(), root->Sounds());
  EXPECT_EQ(drive->DriveEvents(), root->DriveEvent());
  EXPECT_EQ(drive->AppLockLevel(), root->LockLevel());
  EXPECT_EQ(root->Drives()->Count(), 1);
  const auto nodes = root->Adapter(2)->Nodes();
  ASSERT_EQ(nodes->Count(), 1);
  EXPECT_EQ(nodes->Item(1).ToObject(), drive);

  root->SetPortsOpen(false);
  EXPECT_FALSE(drive->Online());
  EXPECT_FALSE(root->Online());
  EXPECT_EQ(root->Adapter(2)->Nodes()->Count(), 0);
  EXPECT_EQ(drive->DriveState(), DRIVE_OFFLINE);
  EXPECT_THAT(recorder->heard, ElementsAre("2:1", "1:0", "2:0"));
}

TEST(SimRoot, AttachingToAPortWithoutAdapterIsAnInvalidCall) {
  test::ScratchFolder folder;
  auto root = RootWithPorts(folder, "1");
  EXPECT_EQ(test::ErrorOf([&] { root->AttachDrive(7, SimDrive::create()); }),
            "5|ZentNetLib|Invalid procedure call or argument");
  EXPECT_EQ(root->Drives()->Count(), 0);
}

class DemoDriveSupplier final : public AppStateEventObjEvents {
 public:
  void CreateDemoDrive(PhysDriveType& dType, std::shared_ptr<PhysDriveObj>& demoDrv) override {
    asked.push_back(dType);
    if (supply) demoDrv = supply;
  }
  void PollStateChanged(bool& newState) override { polls.push_back(newState); }
  std::vector<PhysDriveType> asked;
  std::vector<bool> polls;
  std::shared_ptr<PhysDriveObj> supply;
};

TEST(SimRoot, ADemoDriveComesFromTheApplicationOrTheSimulator) {
  test::ScratchFolder folder;
  auto root = SimRoot::create(CmdLog::createForTesting(folder.str()));
  auto supplier = std::make_shared<DemoDriveSupplier>();
  const Cookie cookie = root->AppEvents()->Advise(supplier);

  root->CreateDemoDrive(DRV_MODEL_03);
  supplier->supply = PhysDriveObj::create();
  root->CreateDemoDrive();
  EXPECT_THAT(supplier->asked, ElementsAre(DRV_MODEL_03, DRV_MODEL_07));
  ASSERT_EQ(root->Drives()->Count(), 2);
  const auto built = root->Drives()->ItemAs<SimDrive>(1);
  ASSERT_NE(built, nullptr);
  EXPECT_EQ(built->DriveType(), DRV_MODEL_03);
  EXPECT_EQ(built->DriveState(), DRIVE_IS_DEMO);
  EXPECT_EQ(root->Drives()->Item(2).ToObject(), supplier->supply);
  root->AppEvents()->Unadvise(cookie);
}

TEST(SimRoot, PollingIsAnnouncedOnlyWhenItChanges) {
  test::ScratchFolder folder;
  auto root = SimRoot::create(CmdLog::createForTesting(folder.str()));
  auto recorder = std::make_shared<DemoDriveSupplier>();
  root->AppEvents()->Advise(recorder);
  root->SetPolling(true);
  root->SetPolling(true);
  root->SetPolling(false);
  EXPECT_THAT(recorder->polls, ElementsAre(true, false));
  EXPECT_FALSE(root->Polling());
}

}  // namespace
}  // namespace zentnet
