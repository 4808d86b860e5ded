#include "zentnet/resources/strings.h"

#include <algorithm>
#include <string_view>

#include "zentnet/automation/error.h"
#include "string_table.h"

namespace zentnet {

namespace {

using string_table::Entry;
using string_table::kTable;

constexpr bool StrictlyAscending() {
  for (std::size_t i = 1; i < std::size(kTable); ++i)
    if (kTable[i - 1].id >= kTable[i].id) return false;
  return true;
}
// The lookup is a binary search, so the generator's ordering check is repeated where it matters.
static_assert(StrictlyAscending(), "string table ids must be strictly ascending");

constexpr int32_t kTorqueText = 3118;
constexpr int32_t kForceText = 3119;
constexpr std::string_view kMarker = "@*@";

}  // namespace

std::string LoadResString(int32_t id) {
  const auto* it = std::lower_bound(std::begin(kTable), std::end(kTable), id,
                                    [](const Entry& e, int32_t key) { return e.id < key; });
  if (it == std::end(kTable) || it->id != id) err::RaiseResourceNotFound(id);
  return std::string(it->text);
}

std::string MarkedText(int32_t id, bool linear) {
  const std::string text = LoadResString(id);
  // Both words are loaded before choosing, so a table missing either fails for every caller,
  // not only for the motors that would need it.
  const std::string torque = LoadResString(kTorqueText);
  const std::string force = LoadResString(kForceText);
  const std::string& word = linear ? force : torque;

  std::string result;
  std::size_t from = 0;
  for (std::size_t at = text.find(kMarker); at != std::string::npos;
       at = text.find(kMarker, from)) {
    result.append(text, from, at - from).append(word);
    from = at + kMarker.size();
  }
  if (from == 0) return text;
  result.append(text, from, std::string::npos);
  return result;
}

}  // namespace zentnet
