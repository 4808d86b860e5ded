// The one factory for every published class. It sits above all subsystems, so it is the
// only file that knows them all.

#include "zentnet/factory.h"

#include "zentnet/automation/error.h"
#include "zentnet/contracts/NetLib.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/network/NetSupervisorObj.h"
#include "zentnet/registers/ConfigRegObj.h"
#include "zentnet/registers/ErrorCodeObj.h"
#include "zentnet/registers/IOregisterObj.h"
#include "zentnet/registers/OptionRegObj.h"
#include "zentnet/registers/StatusRegObj.h"
#include "zentnet/services/AppStateEventObj.h"
#include "zentnet/services/CmdLog.h"
#include "zentnet/services/DriveEventObj.h"
#include "zentnet/services/ErrReflector.h"
#include "zentnet/services/HotKeyObj.h"
#include "zentnet/services/SoundEventsObj.h"
#include "zentnet/testsignal/MonitorPortStateObj.h"
#include "zentnet/testsignal/StimulusStateObj.h"

namespace zentnet {

namespace {
template <class T>
std::shared_ptr<Object> Make() {
  return T::create();
}

struct Creator {
  std::string_view name;
  std::shared_ptr<Object> (*create)();
};

// One row per class of the roster, by published name.
constexpr Creator kCreators[] = {
    {"IOregisterObj", Make<IOregisterObj>},
    {"NetSupervisorObj", Make<NetSupervisorObj>},
    {"NetAdapterObj", Make<NetAdapterObj>},
    {"NetLib", Make<NetLib>},
    {"PhysDriveObj", Make<PhysDriveObj>},
    {"ConfigRegObj", Make<ConfigRegObj>},
    {"ErrorCodeObj", Make<ErrorCodeObj>},
    {"OptionRegObj", Make<OptionRegObj>},
    {"StatusRegObj", Make<StatusRegObj>},
    {"StimulusStateObj", Make<StimulusStateObj>},
    {"CmdLog", Make<CmdLog>},
    {"MonitorPortStateObj", Make<MonitorPortStateObj>},
    {"DriveEventObj", Make<DriveEventObj>},
    {"AppStateEventObj", Make<AppStateEventObj>},
    {"SoundEventsObj", Make<SoundEventsObj>},
    {"HotKeyObj", Make<HotKeyObj>},
    {"ErrReflector", Make<ErrReflector>},
};
}  // namespace

std::shared_ptr<Object> CreateObject(std::string_view nameOrClassId) {
  const ClassInfo* info = FindClass(nameOrClassId);
  if (info == nullptr) err::RaiseCannotCreateObject();
  for (const auto& c : kCreators)
    if (c.name == info->name) return c.create();
  err::RaiseCannotCreateObject();
}

}  // namespace zentnet
