#pragma once
// The runtime's Collection: ordered, 1-based, optional string keys (compared without
// regard to case), handed out live by reference. The members are virtual so that a client's
// own collection can stand in for one (the Windows skin adapts it through its dispatch
// interface).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zentnet/automation/error.h"
#include "zentnet/automation/object.h"

namespace zentnet {

class Collection : public Object {
 public:
  static std::shared_ptr<Collection> create() { return std::make_shared<Collection>(); }

  // `key` may be missing; a key already present raises error 457. `before` or `after` (a
  // position or a key, as `index` of Item) places the item in front of or behind that one;
  // both at once raise error 5.
  virtual void Add(const Variant& item, const Variant& key = {}, const Variant& before = {},
                   const Variant& after = {});
  // `index` is a 1-based position (error 9 outside 1..Count) or a key (error 5 if absent).
  virtual Variant Item(const Variant& index) const;
  // The item at `index` as a `T`, as a typed variable receives it: null for an empty object
  // reference, the type-mismatch error 13 for an item that is no object or another class.
  template <class T>
  std::shared_ptr<T> ItemAs(const Variant& index) const {
    const std::shared_ptr<Object> object = Item(index).ToObject();
    if (!object) return nullptr;
    auto typed = std::dynamic_pointer_cast<T>(object);
    if (!typed) err::RaiseTypeMismatch();
    return typed;
  }
  virtual int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  virtual void Remove(const Variant& index);

  std::string_view ClassName() const override { return "Collection"; }
  Variant GetProperty(std::string_view name) override;

 private:
  struct Entry {
    Variant item;
    std::string key;  // empty: no key
  };
  size_t Find(const Variant& index) const;
  std::vector<Entry> items_;
};

}  // namespace zentnet
