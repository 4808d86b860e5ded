// The port list a user types: NetSupervisorObj::SetPorts on any text, several times in a
// row, with any MaxAdapters and with the network opened in between.
//
// Input: byte 0 is MaxAdapters (signed), byte 1 chooses whether the adapters are opened
// before each list (bit 0) and whether the listener refuses to open them (bit 1); every
// following line is one port list.
//
// Promises checked: only AutomationError escapes; the port-list error changes nothing;
// after a list is taken, the caller's variable holds Ports(), every adapter in Nets is
// enabled and closed, and Nets holds as many adapters as Ports() names.

#include <string>

#include "fuzz_support.h"
#include "zentnet/network/NetAdapterObj.h"
#include "zentnet/network/NetSupervisorObj.h"

using namespace zentnet;

namespace {

class Opener final : public NetSupervisorObjEvents {
 public:
  explicit Opener(bool refuse) : refuse_(refuse) {}
  void RequestNetOpen(std::shared_ptr<NetAdapterObj>&, std::shared_ptr<Object>&, bool&, int32_t&,
                      bool& success) override {
    success = !refuse_;
  }

 private:
  bool refuse_;
};

std::shared_ptr<NetAdapterObj> AdapterAt(const std::shared_ptr<Collection>& nets, int32_t k) {
  return std::dynamic_pointer_cast<NetAdapterObj>(nets->Item(k).ToObject());
}

// Gives every adapter a peer, so that SetPorts has an open network to close.
void OpenAll(const std::shared_ptr<NetSupervisorObj>& supervisor,
             const std::shared_ptr<Object>& peer) {
  const auto nets = supervisor->Nets();
  for (int32_t k = 1; k <= nets->Count(); ++k) {
    const auto adapter = AdapterAt(nets, k);
    adapter->NetSupervisor(supervisor, peer);
    try {
      adapter->SetNetOpen(true);
    } catch (const AutomationError&) {
      // A refused opening is the listener's answer, not a fault.
    }
  }
}

size_t CountItems(const std::string& list) {
  if (list.empty()) return 0;
  size_t n = 1;
  for (const char c : list) n += c == ';';
  return n;
}

}  // namespace

void FuzzOne(fuzz::Input& in) {
  const auto supervisor = NetSupervisorObj::create();
  supervisor->SetMaxAdapters(static_cast<int8_t>(in.Byte()));
  const uint8_t flags = in.Byte();
  const auto opener = std::make_shared<Opener>((flags & 2) != 0);
  supervisor->Advise(opener);
  const std::shared_ptr<Object> peer = Collection::create();

  for (int round = 0; round < 8 && !in.Empty(); ++round) {
    const std::string text(in.Line());
    if ((flags & 1) != 0) OpenAll(supervisor, peer);

    const std::string before = supervisor->Ports();
    const auto netsBefore = supervisor->Nets();
    std::string ports = text;
    try {
      supervisor->SetPorts(ports);
    } catch (const AutomationError& e) {
      if (e.Number() == err::kPortList) {
        ZENTNET_FUZZ_CHECK(ports == text, "the caller's list changed on error: " + text);
        ZENTNET_FUZZ_CHECK(supervisor->Ports() == before && supervisor->Nets() == netsBefore,
                           "the port-list error changed the adapters: " + text);
      }
      continue;
    }

    ZENTNET_FUZZ_CHECK(ports == supervisor->Ports(), "list " + text + " left " + ports);
    const auto nets = supervisor->Nets();
    ZENTNET_FUZZ_CHECK(
        static_cast<size_t>(nets->Count()) == CountItems(ports),
        "list " + text + " gave " + std::to_string(nets->Count()) + " adapters for " + ports);
    for (int32_t k = 1; k <= nets->Count(); ++k) {
      const auto adapter = AdapterAt(nets, k);
      ZENTNET_FUZZ_CHECK(adapter && adapter->Enabled() && !adapter->NetOpen(),
                         "adapter " + std::to_string(k) + " after " + text);
    }
  }
}
