#include "event_records.h"

namespace zentnet::com {

Ref<IRecordInfo> RecordInfoOf(const wchar_t* name) {
  ITypeLib* library = TypeLibrary();
  if (library == nullptr) return {};
  std::wstring text(name);
  ITypeInfo* found[1] = {};
  MEMBERID id[1] = {};
  USHORT count = 1;
  if (FAILED(library->FindName(text.data(), 0, found, id, &count)) || count == 0) return {};
  Ref<ITypeInfo> info(found[0], false);
  // The typedef may be found first: follow it to its struct.
  TYPEATTR* attr = nullptr;
  if (FAILED(info->GetTypeAttr(&attr))) return {};
  const bool alias = attr->typekind == TKIND_ALIAS && attr->tdescAlias.vt == VT_USERDEFINED;
  const HREFTYPE ref = alias ? attr->tdescAlias.hreftype : 0;
  info->ReleaseTypeAttr(attr);
  if (alias) {
    Ref<ITypeInfo> target;
    if (FAILED(info->GetRefTypeInfo(ref, target.put()))) return {};
    info = target;
  }
  Ref<IRecordInfo> record;
  if (FAILED(GetRecordInfoFromTypeInfo(info.get(), record.put()))) return {};
  return record;
}

}  // namespace zentnet::com
