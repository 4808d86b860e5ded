#pragma once
// Late-bound calls into a dual interface, through its type information.

#include <windows.h>
#include <oaidl.h>

namespace zentnet::com {

// ITypeInfo::Invoke on `self`'s vtable, with one repair: an omitted trailing parameter
// declared [in, out, optional, defaultvalue] is supplied here as a reference to a copy of
// its default. Some automation runtimes pass the default value itself where the vtable
// expects its address, which the member would then read as a pointer.
HRESULT InvokeThroughTypeInfo(ITypeInfo* info, void* self, DISPID id, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* excep, UINT* argErr);

}  // namespace zentnet::com
