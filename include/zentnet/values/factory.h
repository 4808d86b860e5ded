#pragma once
// The one place decoders and test-signal objects obtain value objects. A drive library
// that has its own value objects installs its factory here; an empty function restores
// ours.

#include <functional>
#include <memory>

#include "zentnet/contracts/value_contract.h"

namespace zentnet {

using ValueObjFactory = std::function<std::shared_ptr<ValueObj>()>;
using LockLevelObjFactory = std::function<std::shared_ptr<LockLevelObj>()>;

std::shared_ptr<ValueObj> NewValueObj();
std::shared_ptr<LockLevelObj> NewLockLevelObj();

void SetValueObjFactory(ValueObjFactory factory);
void SetLockLevelObjFactory(LockLevelObjFactory factory);

}  // namespace zentnet
