#include "zentnet/contracts/PhysDriveObj.h"

namespace zentnet {

std::shared_ptr<PhysDriveObj> PhysDriveObj::create() {
  return std::make_shared<InertPhysDriveObj>();
}

}  // namespace zentnet
