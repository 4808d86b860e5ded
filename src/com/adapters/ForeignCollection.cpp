// A client's own collection (the runtime's, say, handed to WakeupDrive), as the core sees
// it: every member goes through the object's dispatch interface, since nothing says the
// object behind it is ours or lays out its vtable as the runtime's does.

#include "ForeignCaller.h"
#include "zentnet/automation/collection.h"

namespace zentnet::com {
namespace {

class ForeignCollection final : public Collection, public ForeignCaller {
 public:
  explicit ForeignCollection(IDispatch* dispatch) : ForeignCaller(dispatch, IID_IDispatch) {}

  void Add(const Variant& item, const Variant& key, const Variant& before,
           const Variant& after) override {
    // Left-out arguments stay out: the callee sees them missing, as a script's call leaves them.
    if (!after.IsMissing()) return Do("Add", item, key, before, after);
    if (!before.IsMissing()) return Do("Add", item, key, before);
    if (!key.IsMissing()) return Do("Add", item, key);
    Do("Add", item);
  }
  Variant Item(const Variant& index) const override { return Do<Variant>("Item", index); }
  int32_t Count() const override { return Do<int32_t>("Count"); }
  void Remove(const Variant& index) override { Do("Remove", index); }
};
const RegisteredAdapter<Collection, ForeignCollection> kRegistered;

}  // namespace
}  // namespace zentnet::com
