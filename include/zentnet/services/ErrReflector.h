#pragma once
// Keeps a copy of an error so that it can be raised again after clean-up code has run
// and cleared or replaced the error being handled:
//
//   catch (const AutomationError& e) { reflector->SetCopyError(e); CleanUp(); reflector->Raise(); }
//
// An error reaches it either as our own AutomationError or as any object that carries the
// error object's five fields, read late-bound by name.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "zentnet/automation/error.h"
#include "zentnet/automation/object.h"

namespace zentnet {

class ErrReflector final : public Object {
 public:
  static std::shared_ptr<ErrReflector> create();

  // Replaces all five fields; the error itself is left as it is.
  void SetCopyError(const AutomationError& theErr);
  // Reads Number, Description, Source, HelpContext and HelpFile from `theErr` in that
  // order. No object is error 91; a failing read reaches the caller and leaves the
  // previous copy whole (nothing is stored until all five have been read).
  void SetCopyError(const std::shared_ptr<Object>& theErr);

  // Throws the copy as an AutomationError; the copy stays, so Raise can be repeated.
  // A copy whose number is 0 (before any CopyError, or copied from an error object that
  // held no error) is refused as the runtime refuses to raise error 0: with the
  // invalid-call error 5 from "ZentNetLib", rather than returning as if nothing
  // happened, so that a caller relying on Raise to leave never falls through silently.
  [[noreturn]] void Raise() const;

  const std::string& Description() const { return m_description; }
  int32_t Number() const { return m_number; }
  const std::string& Source() const { return m_source; }
  int32_t HelpContext() const { return m_helpContext; }
  const std::string& HelpFile() const { return m_helpFile; }

  std::string_view ClassName() const override { return "ErrReflector"; }
  Variant GetProperty(std::string_view name) override;
  std::span<const std::string_view> PropertyNames() const override;

  ErrReflector() = default;  // use create()

 private:
  int32_t m_number = 0;
  std::string m_description;
  std::string m_source;
  int32_t m_helpContext = 0;
  std::string m_helpFile;
};

}  // namespace zentnet
