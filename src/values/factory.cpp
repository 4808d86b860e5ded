#include "zentnet/values/factory.h"

#include "zentnet/values/values.h"

namespace zentnet {

namespace {
ValueObjFactory& ValueFactory() {
  static ValueObjFactory factory;
  return factory;
}
LockLevelObjFactory& LockFactory() {
  static LockLevelObjFactory factory;
  return factory;
}

template <class T>
std::shared_ptr<T> Made(std::shared_ptr<T> object) {
  if (!object) err::RaiseCannotCreateObject();
  return object;
}
}  // namespace

std::shared_ptr<ValueObj> NewValueObj() {
  if (!ValueFactory()) return BasicValueObj::create();
  return Made(ValueFactory()());
}

std::shared_ptr<LockLevelObj> NewLockLevelObj() {
  if (!LockFactory()) return BasicLockLevelObj::create();
  return Made(LockFactory()());
}

void SetValueObjFactory(ValueObjFactory factory) { ValueFactory() = std::move(factory); }
void SetLockLevelObjFactory(LockLevelObjFactory factory) { LockFactory() = std::move(factory); }

}  // namespace zentnet
