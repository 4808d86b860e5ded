#include "zentnet/contracts/NetLib.h"

#include <string>

#include "zentnet/automation/platform.h"
#include "zentnet/resources/version.h"

namespace zentnet {

namespace {

constexpr PropertyEntry<FlashStandIn> kFlashProperties[] = {
    {"ClassID", [](FlashStandIn& o) -> Variant { return o.ClassID(); }},
    {"InterfaceID", [](FlashStandIn& o) -> Variant { return o.InterfaceID(); }},
};
constexpr PropertyTable kFlashTable(kFlashProperties);

}  // namespace

Variant FlashStandIn::GetProperty(std::string_view name) { return kFlashTable.Read(*this, name); }
std::span<const std::string_view> FlashStandIn::PropertyNames() const {
  return kFlashTable.Names();
}

std::shared_ptr<Object> InertNetLib::Flash() { return FlashStandIn::create(); }

std::string InertNetLib::Version() {
  // The folder and name are joined by "\" whatever the host's own separator.
  const std::string module = platform::ModulePath();
  return std::string(version::kNumbers) + "\r\n" + platform::FolderOf(module) + "\\" +
         platform::NameWithoutExtension(module);
}

std::shared_ptr<NetLib> NetLib::create() { return std::make_shared<InertNetLib>(); }

}  // namespace zentnet
