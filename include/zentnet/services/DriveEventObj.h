#pragma once
// The drive event hub: any component announces a change concerning one drive, and every
// subscriber hears it. The hub holds no state and never calls back into the drive.
//
// Argument passing follows the published interface. A by-value parameter of a Fire member
// reaches the sinks as a reference to the member's own copy: every sink of that raise sees
// what an earlier sink wrote there, the caller never does. A by-reference parameter
// (`Node`, `NewValue`) reaches the sinks as the caller's own variable, so a sink may
// replace the object the caller holds.

#include <cstdint>
#include <memory>

#include "zentnet/automation/object.h"
#include "zentnet/contracts/enums.h"
#include "zentnet/contracts/roster.h"
#include "zentnet/contracts/value_contract.h"
#include "zentnet/services/service_events.h"

namespace zentnet {

class PhysDriveObj;

class DriveEventObjEvents {
 public:
  virtual ~DriveEventObjEvents() = default;
  virtual void CommError(std::shared_ptr<PhysDriveObj>& /*Node*/, DriveErrors& /*ErrorCode*/,
                         int32_t& /*Extra*/) {}
  virtual void DriveStateChange(std::shared_ptr<PhysDriveObj>& /*Node*/) {}
  virtual void EnableChanged(std::shared_ptr<PhysDriveObj>& /*Node*/, bool& /*newState*/) {}
  virtual void HighLevelFeedbackChanged(std::shared_ptr<PhysDriveObj>& /*Node*/) {}
  virtual void MotorTypeChanged(std::shared_ptr<PhysDriveObj>& /*Node*/) {}
  virtual void ParameterChanged(std::shared_ptr<PhysDriveObj>& /*Node*/,
                                std::shared_ptr<ValueObj>& /*NewValue*/) {}
  virtual void SetupUndoChanged(std::shared_ptr<PhysDriveObj>& /*Node*/, bool& /*newState*/) {}
  virtual void UserIDchanged(std::shared_ptr<PhysDriveObj>& /*Node*/) {}
};

inline constexpr DispatchEntry kDriveEventObjEventIds[] = {
    {"CommError", 1},        {"DriveStateChange", 2},
    {"EnableChanged", 3},    {"HighLevelFeedbackChanged", 4},
    {"MotorTypeChanged", 5}, {"ParameterChanged", 6},
    {"SetupUndoChanged", 7}, {"UserIDchanged", 8}};

class DriveEventObj final : public Object,
                            public ServiceEvents<DriveEventObj, DriveEventObjEvents> {
 public:
  static std::shared_ptr<DriveEventObj> create();

  void FireCommError(std::shared_ptr<PhysDriveObj>& Node, DriveErrors ErrorCode, int32_t Extra = 0);
  void FireDriveStateChange(std::shared_ptr<PhysDriveObj>& Node);
  void FireEnableChanged(std::shared_ptr<PhysDriveObj>& Node, bool newState);
  void FireHighLevelFeedbackChanged(std::shared_ptr<PhysDriveObj>& Node);
  void FireMotorTypeChanged(std::shared_ptr<PhysDriveObj>& Node);
  void FireParameterChanged(std::shared_ptr<PhysDriveObj>& Node,
                            std::shared_ptr<ValueObj>& NewValue);
  void FireSetupUndoChanged(std::shared_ptr<PhysDriveObj>& Node, bool newState);
  void FireUserIDchanged(std::shared_ptr<PhysDriveObj>& Node);

  // The same with temporaries, such as a derived drive's pointer: what the sinks write back
  // goes nowhere.
  void FireCommError(std::shared_ptr<PhysDriveObj>&& Node, DriveErrors ErrorCode,
                     int32_t Extra = 0) {
    FireCommError(Node, ErrorCode, Extra);
  }
  void FireDriveStateChange(std::shared_ptr<PhysDriveObj>&& Node) { FireDriveStateChange(Node); }
  void FireEnableChanged(std::shared_ptr<PhysDriveObj>&& Node, bool newState) {
    FireEnableChanged(Node, newState);
  }
  void FireHighLevelFeedbackChanged(std::shared_ptr<PhysDriveObj>&& Node) {
    FireHighLevelFeedbackChanged(Node);
  }
  void FireMotorTypeChanged(std::shared_ptr<PhysDriveObj>&& Node) { FireMotorTypeChanged(Node); }
  void FireParameterChanged(std::shared_ptr<PhysDriveObj>&& Node,
                            std::shared_ptr<ValueObj>&& NewValue) {
    FireParameterChanged(Node, NewValue);
  }
  void FireSetupUndoChanged(std::shared_ptr<PhysDriveObj>&& Node, bool newState) {
    FireSetupUndoChanged(Node, newState);
  }
  void FireUserIDchanged(std::shared_ptr<PhysDriveObj>&& Node) { FireUserIDchanged(Node); }

  std::string_view ClassName() const override { return "DriveEventObj"; }

  DriveEventObj() = default;  // use create()
};

}  // namespace zentnet
