#include "zentnet/services/DriveEventObj.h"

namespace zentnet {

std::shared_ptr<DriveEventObj> DriveEventObj::create() { return std::make_shared<DriveEventObj>(); }

void DriveEventObj::FireCommError(std::shared_ptr<PhysDriveObj>& Node, DriveErrors ErrorCode,
                                  int32_t Extra) {
  Raise(&Events::CommError, Node, ErrorCode, Extra);
}
void DriveEventObj::FireDriveStateChange(std::shared_ptr<PhysDriveObj>& Node) {
  Raise(&Events::DriveStateChange, Node);
}
void DriveEventObj::FireEnableChanged(std::shared_ptr<PhysDriveObj>& Node, bool newState) {
  Raise(&Events::EnableChanged, Node, newState);
}
void DriveEventObj::FireHighLevelFeedbackChanged(std::shared_ptr<PhysDriveObj>& Node) {
  Raise(&Events::HighLevelFeedbackChanged, Node);
}
void DriveEventObj::FireMotorTypeChanged(std::shared_ptr<PhysDriveObj>& Node) {
  Raise(&Events::MotorTypeChanged, Node);
}
void DriveEventObj::FireParameterChanged(std::shared_ptr<PhysDriveObj>& Node,
                                         std::shared_ptr<ValueObj>& NewValue) {
  Raise(&Events::ParameterChanged, Node, NewValue);
}
void DriveEventObj::FireSetupUndoChanged(std::shared_ptr<PhysDriveObj>& Node, bool newState) {
  Raise(&Events::SetupUndoChanged, Node, newState);
}
void DriveEventObj::FireUserIDchanged(std::shared_ptr<PhysDriveObj>& Node) {
  Raise(&Events::UserIDchanged, Node);
}

}  // namespace zentnet
