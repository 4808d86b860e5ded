// The drive event hub. Node and NewValue are the caller's own variables: a listener that
// stores another object there replaces the one the caller holds.

#include "../skin/dual.h"
#include "zentnet/contracts/PhysDriveObj.h"
#include "zentnet/services/DriveEventObj.h"

namespace zentnet::com {
namespace {

class DriveEventObjSkin final
    : public Dual<DriveEventObjSkin, _DriveEventObj, DriveEventObj, DriveEventObjEvents> {
 public:
  static constexpr std::string_view kName = "DriveEventObj";
  using Dual::Dual;

  HRESULT STDMETHODCALLTYPE FireCommError(_PhysDriveObj** node, ::DriveErrors code,
                                          LONG extra) override {
    return Call(Pick<std::shared_ptr<PhysDriveObj>&, DriveErrors, int32_t>(&Core::FireCommError),
                node, code, extra);
  }
  HRESULT STDMETHODCALLTYPE FireDriveStateChange(_PhysDriveObj** node) override {
    return Call(Pick<std::shared_ptr<PhysDriveObj>&>(&Core::FireDriveStateChange), node);
  }
  HRESULT STDMETHODCALLTYPE FireEnableChanged(_PhysDriveObj** node,
                                              VARIANT_BOOL newState) override {
    return Call(Pick<std::shared_ptr<PhysDriveObj>&, bool>(&Core::FireEnableChanged), node,
                newState);
  }
  HRESULT STDMETHODCALLTYPE FireHighLevelFeedbackChanged(_PhysDriveObj** node) override {
    return Call(Pick<std::shared_ptr<PhysDriveObj>&>(&Core::FireHighLevelFeedbackChanged), node);
  }
  HRESULT STDMETHODCALLTYPE FireMotorTypeChanged(_PhysDriveObj** node) override {
    return Call(Pick<std::shared_ptr<PhysDriveObj>&>(&Core::FireMotorTypeChanged), node);
  }
  HRESULT STDMETHODCALLTYPE FireParameterChanged(_PhysDriveObj** node,
                                                 _ValueObj** newValue) override {
    return Call(Pick<std::shared_ptr<PhysDriveObj>&, std::shared_ptr<ValueObj>&>(
                    &Core::FireParameterChanged),
                node, newValue);
  }
  HRESULT STDMETHODCALLTYPE FireSetupUndoChanged(_PhysDriveObj** node,
                                                 VARIANT_BOOL newState) override {
    return Call(Pick<std::shared_ptr<PhysDriveObj>&, bool>(&Core::FireSetupUndoChanged), node,
                newState);
  }
  HRESULT STDMETHODCALLTYPE FireUserIDchanged(_PhysDriveObj** node) override {
    return Call(Pick<std::shared_ptr<PhysDriveObj>&>(&Core::FireUserIDchanged), node);
  }

  struct Relay : EventRelay<DriveEventObjSkin, DriveEventObjEvents, kDriveEventObjEventIds> {
    using EventRelay::EventRelay;
    void CommError(std::shared_ptr<PhysDriveObj>& node, DriveErrors& code,
                   int32_t& extra) override {
      Fire(Id("CommError"), node, code, extra);
    }
    void DriveStateChange(std::shared_ptr<PhysDriveObj>& node) override {
      Fire(Id("DriveStateChange"), node);
    }
    void EnableChanged(std::shared_ptr<PhysDriveObj>& node, bool& newState) override {
      Fire(Id("EnableChanged"), node, newState);
    }
    void HighLevelFeedbackChanged(std::shared_ptr<PhysDriveObj>& node) override {
      Fire(Id("HighLevelFeedbackChanged"), node);
    }
    void MotorTypeChanged(std::shared_ptr<PhysDriveObj>& node) override {
      Fire(Id("MotorTypeChanged"), node);
    }
    void ParameterChanged(std::shared_ptr<PhysDriveObj>& node,
                          std::shared_ptr<ValueObj>& newValue) override {
      Fire(Id("ParameterChanged"), node, newValue);
    }
    void SetupUndoChanged(std::shared_ptr<PhysDriveObj>& node, bool& newState) override {
      Fire(Id("SetupUndoChanged"), node, newState);
    }
    void UserIDchanged(std::shared_ptr<PhysDriveObj>& node) override {
      Fire(Id("UserIDchanged"), node);
    }
  };
};
const Registered<DriveEventObjSkin> kRegistered;

}  // namespace
}  // namespace zentnet::com
