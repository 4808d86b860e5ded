#pragma once
// The published identifiers of the value library (ValuesLib): its DLL registers its classes
// under them, and ZentNetLib.dll creates value objects by these class identifiers and
// hears their events by these dispatch identifiers, whichever DLL serves them.

#include "zentnet/contracts/roster.h"

namespace zentnet::com::values {

inline constexpr TypeLibraryInfo kTypeLibrary{"ValuesLib", "Zentara Values Type Library", 1, 0,
                                              "{19E3A2D2-567C-46D8-BC55-87BD2E676CAB}"};

// The published class and interface identifiers come from the roster; the event interfaces,
// the class behind ValueNumberObj and the flash stand-in are this build's own.
inline constexpr const ComponentClassInfo& kPublishedValue = kValueComponent[0];
inline constexpr const ComponentClassInfo& kPublishedNumber = kValueComponent[1];
inline constexpr const ComponentClassInfo& kPublishedLockLevel = kValueComponent[2];
inline constexpr ClassInfo kValueObj{kPublishedValue.name, kPublishedValue.classId,
                                     kPublishedValue.interfaceId,
                                     "{B55F825E-CB72-4F75-8F54-CDDC0A93C70A}"};
inline constexpr ClassInfo kValueNumberObj{kPublishedNumber.name,
                                           "{9558D301-308D-4E3A-BDC8-1437A11971D0}",
                                           kPublishedNumber.interfaceId, ""};
inline constexpr ClassInfo kLockLevelObj{kPublishedLockLevel.name, kPublishedLockLevel.classId,
                                         kPublishedLockLevel.interfaceId,
                                         "{D0484F69-4CD1-44F9-9E45-3A6251C0CAAE}"};
inline constexpr ClassInfo kFlashObj{"FlashObj", "{64D5AA9D-2434-4793-A621-EE2619AB95B6}",
                                     "{B25509F2-15E7-4048-B5EF-53F10FF38024}", ""};
inline constexpr ClassInfo kClasses[] = {kValueObj, kValueNumberObj, kLockLevelObj, kFlashObj};

inline constexpr DispatchEntry kValueObjEventIds[] = {{"Changed", 1},
                                                      {"ValueChanged", 2},
                                                      {"ContentChanged", 3},
                                                      {"Refresh", 4},
                                                      {"InitializeCache", 5}};
inline constexpr DispatchEntry kLockLevelObjEventIds[] = {{"Changed", 1}};

}  // namespace zentnet::com::values
