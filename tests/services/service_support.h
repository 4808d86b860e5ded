#pragma once
// Helpers shared by the service tests.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "zentnet/automation/error.h"
#include "zentnet/automation/object.h"

namespace zentnet::test {

// An error's five fields as "NUMBER|SOURCE|DESCRIPTION|HELP FILE|HELP CONTEXT".
inline std::string Fields(const AutomationError& e) {
  return std::to_string(e.Number()) + "|" + e.Source() + "|" + e.Description() + "|" + e.HelpFile() + "|" +
         std::to_string(e.HelpContext());
}

// The fields of the error `call` raises, or "no error".
inline std::string ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return Fields(e);
  }
  return "no error";
}

// Every readable property of `o` as "Name=value;" in published order.
inline std::string Properties(Object& o) {
  std::string all;
  for (std::string_view name : o.PropertyNames())
    all.append(name).append("=").append(o.GetProperty(name).ToString()).append(";");
  return all;
}

// An object of another component (a form, an error object): properties read late-bound by
// name, each read logged; any other name fails as the runtime's late-bound read does.
struct Bag : Object {
  std::map<std::string, Variant> props;
  std::string reads;
  std::string_view ClassName() const override { return "Bag"; }
  Variant GetProperty(std::string_view name) override {
    reads.append(name).append(" ");
    const auto it = props.find(std::string(name));
    return it != props.end() ? it->second : Object::GetProperty(name);
  }
};
inline std::shared_ptr<Bag> MakeBag(std::map<std::string, Variant> props) {
  auto bag = std::make_shared<Bag>();
  bag->props = std::move(props);
  return bag;
}

}  // namespace zentnet::test
