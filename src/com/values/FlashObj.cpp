#include "../skin/dual.h"
#include "zentnet/contracts/NetLib.h"

namespace zentnet::com {
namespace {

// The flash object carries only its identity.
class FlashObjSkin final : public Dual<FlashObjSkin, _FlashObj, FlashStandIn> {
 public:
  static constexpr std::string_view kName = "FlashObj";
  using Dual::Dual;
};
const Registered<FlashObjSkin> kFlashRegistered;

}  // namespace
}  // namespace zentnet::com
