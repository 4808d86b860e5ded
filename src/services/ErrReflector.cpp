#include "zentnet/services/ErrReflector.h"

#include <utility>

namespace zentnet {

std::shared_ptr<ErrReflector> ErrReflector::create() { return std::make_shared<ErrReflector>(); }

void ErrReflector::SetCopyError(const AutomationError& theErr) {
  m_number = theErr.Number();
  m_description = theErr.Description();
  m_source = theErr.Source();
  m_helpContext = theErr.HelpContext();
  m_helpFile = theErr.HelpFile();
}

void ErrReflector::SetCopyError(const std::shared_ptr<Object>& theErr) {
  Object& e = *err::Required(theErr);
  const int32_t number = e.GetProperty("Number").ToLong();
  std::string description = e.GetProperty("Description").ToString();
  std::string source = e.GetProperty("Source").ToString();
  const int32_t helpContext = e.GetProperty("HelpContext").ToLong();
  std::string helpFile = e.GetProperty("HelpFile").ToString();

  m_number = number;
  m_description = std::move(description);
  m_source = std::move(source);
  m_helpContext = helpContext;
  m_helpFile = std::move(helpFile);
}

void ErrReflector::Raise() const {
  if (m_number == 0) err::RaiseInvalidCall();
  throw AutomationError(m_number, m_source, m_description, m_helpFile, m_helpContext);
}

namespace {
constexpr PropertyEntry<ErrReflector> kProperties[] = {
    {"Description", [](ErrReflector& o) -> Variant { return o.Description(); }},
    {"Number", [](ErrReflector& o) -> Variant { return o.Number(); }},
    {"Source", [](ErrReflector& o) -> Variant { return o.Source(); }},
    {"HelpContext", [](ErrReflector& o) -> Variant { return o.HelpContext(); }},
    {"HelpFile", [](ErrReflector& o) -> Variant { return o.HelpFile(); }},
};
constexpr PropertyTable kTable(kProperties);
}  // namespace

Variant ErrReflector::GetProperty(std::string_view name) { return kTable.Read(*this, name); }
std::span<const std::string_view> ErrReflector::PropertyNames() const { return kTable.Names(); }

}  // namespace zentnet
