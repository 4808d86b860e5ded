#pragma once
// Every class's events with their dispatch identifiers, as the core declares them: the tests
// that must cover every event of every class (the lifetime test, the type library's check)
// walk this list, so a class that gains an event is checked without a test edit.

#include <span>
#include <string_view>
#include <utility>

#include "zentnet/zentnet.h"

namespace zentnet::test {

inline constexpr std::pair<std::string_view, std::span<const DispatchEntry>> kEventTables[] = {
    {"StimulusStateObj", kStimulusStateObjEventIds},
    {"MonitorPortStateObj", kMonitorPortStateObjEventIds},
    {"ConfigRegObj", kConfigRegObjEventIds},
    {"StatusRegObj", kStatusRegObjEventIds},
    {"OptionRegObj", kOptionRegObjEventIds},
    {"IOregisterObj", kIOregisterObjEventIds},
    {"ErrorCodeObj", kErrorCodeObjEventIds},
    {"NetSupervisorObj", kNetSupervisorObjEventIds},
    {"NetAdapterObj", kNetAdapterObjEventIds},
    {"DriveEventObj", kDriveEventObjEventIds},
    {"AppStateEventObj", kAppStateEventObjEventIds},
    {"SoundEventsObj", kSoundEventsObjEventIds},
    {"HotKeyObj", kHotKeyObjEventIds},
};

}  // namespace zentnet::test
