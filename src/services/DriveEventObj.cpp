#include "zentnet/services/DriveEventObj.h"

#include <utility>

namespace zentnet {

std::shared_ptr<DriveEventObj> DriveEventObj::create() { return std::make_shared<DriveEventObj>(); }

// The hub may be released by a sink while it raises; shared_from_this keeps it alive.
template <class Call>
void DriveEventObj::RaiseAll(Call&& call) {
  events_.Raise(shared_from_this(), std::forward<Call>(call));
}

void DriveEventObj::FireCommError(std::shared_ptr<PhysDriveObj>& Node, DriveErrors ErrorCode,
                                  int32_t Extra) {
  RaiseAll([&](DriveEventObjEvents& s) { s.CommError(Node, ErrorCode, Extra); });
}

void DriveEventObj::FireDriveStateChange(std::shared_ptr<PhysDriveObj>& Node) {
  RaiseAll([&](DriveEventObjEvents& s) { s.DriveStateChange(Node); });
}

void DriveEventObj::FireEnableChanged(std::shared_ptr<PhysDriveObj>& Node, bool newState) {
  RaiseAll([&](DriveEventObjEvents& s) { s.EnableChanged(Node, newState); });
}

void DriveEventObj::FireHighLevelFeedbackChanged(std::shared_ptr<PhysDriveObj>& Node) {
  RaiseAll([&](DriveEventObjEvents& s) { s.HighLevelFeedbackChanged(Node); });
}

void DriveEventObj::FireMotorTypeChanged(std::shared_ptr<PhysDriveObj>& Node) {
  RaiseAll([&](DriveEventObjEvents& s) { s.MotorTypeChanged(Node); });
}

void DriveEventObj::FireParameterChanged(std::shared_ptr<PhysDriveObj>& Node,
                                         std::shared_ptr<ValueObj>& NewValue) {
  RaiseAll([&](DriveEventObjEvents& s) { s.ParameterChanged(Node, NewValue); });
}

void DriveEventObj::FireSetupUndoChanged(std::shared_ptr<PhysDriveObj>& Node, bool newState) {
  RaiseAll([&](DriveEventObjEvents& s) { s.SetupUndoChanged(Node, newState); });
}

void DriveEventObj::FireUserIDchanged(std::shared_ptr<PhysDriveObj>& Node) {
  RaiseAll([&](DriveEventObjEvents& s) { s.UserIDchanged(Node); });
}

}  // namespace zentnet
