// Late-bound calls on automation objects by member name (IDispatch), with an optional DISPID cache.
#pragma once
#include "ui/owners.h"

#include <oaidl.h>

namespace catalogue {

// Calls a member by name. Arguments are given in the order of the member's signature.
// `cache`, when given, keeps the member's DISPID for later calls on objects of the same kind.
HRESULT InvokeByName(IDispatch* object, const wchar_t* name, WORD flags, VARIANT* result,
                     std::initializer_list<VARIANT> arguments = {}, DISPID* cache = nullptr);

HRESULT PutProperty(IDispatch* object, const wchar_t* name, VARIANT value);
ui::ComPtr<IDispatch> DispatchOf(const VARIANT& value);

inline VARIANT BoolVariant(bool value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

inline VARIANT IntVariant(long value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

// A BSTR variant that borrows the string: the caller keeps it alive and frees it.
inline VARIANT BorrowedBstrVariant(BSTR value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = value;
    return v;
}

}  // namespace catalogue
