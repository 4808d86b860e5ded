#include "zentnet/automation/collection.h"

#include "zentnet/automation/error.h"

namespace zentnet {

void Collection::Add(const Variant& item, const Variant& key, const Variant& before,
                     const Variant& after) {
  if (!before.IsMissing() && !after.IsMissing()) err::RaiseInvalidCall();
  // The place is found before the key is checked: a bad place raises its error first.
  size_t at = items_.size();
  if (!before.IsMissing()) at = Find(before);
  if (!after.IsMissing()) at = Find(after) + 1;
  std::string k;
  if (!key.IsMissing()) {
    k = key.ToString();
    if (k.empty()) err::RaiseInvalidCall();
    for (const auto& e : items_)
      if (EqualsNoCase(e.key, k)) err::RaiseDuplicateKey();
  }
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), {item, std::move(k)});
}

size_t Collection::Find(const Variant& index) const {
  if (index.type() == Variant::Type::String) {
    const std::string k = index.ToString();
    for (size_t i = 0; i < items_.size(); ++i)
      if (!items_[i].key.empty() && EqualsNoCase(items_[i].key, k)) return i;
    err::RaiseInvalidCall();
  }
  const int32_t i = index.ToLong();
  if (i < 1 || i > Count()) err::RaiseSubscriptOutOfRange();
  return static_cast<size_t>(i - 1);
}

Variant Collection::Item(const Variant& index) const { return items_[Find(index)].item; }

void Collection::Remove(const Variant& index) {
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(Find(index)));
}

Variant Collection::GetProperty(std::string_view name) {
  if (EqualsNoCase(name, "Count")) return Count();
  return Object::GetProperty(name);
}

}  // namespace zentnet
