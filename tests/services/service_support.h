#pragma once
// Helpers shared by the service tests.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "error_text.h"
#include "zentnet/automation/object.h"

namespace zentnet::test {

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
