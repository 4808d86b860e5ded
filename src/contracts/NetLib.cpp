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

// The file name up to its first point: a shared library's extension may carry version
// numbers ("libzentnet.so.1"), and a Windows module's is just ".dll".
std::string NameWithoutExtension(const std::string& path) {
  const size_t separator = path.find_last_of(platform::kPathSeparators);
  const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  const size_t point = name.find('.');
  return point == 0 || point == std::string::npos ? name : name.substr(0, point);
}

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
         NameWithoutExtension(module);
}

std::shared_ptr<NetLib> NetLib::create() { return std::make_shared<InertNetLib>(); }

}  // namespace zentnet
