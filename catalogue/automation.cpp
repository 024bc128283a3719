#include "catalogue/automation.h"

#include <algorithm>
#include <vector>

namespace catalogue {

HRESULT InvokeByName(IDispatch* object, const wchar_t* name, WORD flags, VARIANT* result,
                     std::initializer_list<VARIANT> arguments, DISPID* cache) {
    if (!object) return E_POINTER;
    DISPID id = cache ? *cache : DISPID_UNKNOWN;
    if (id == DISPID_UNKNOWN) {
        LPOLESTR member = const_cast<LPOLESTR>(name);
        const HRESULT found = object->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(found)) return found;
        if (cache) *cache = id;
    }
    // IDispatch takes its arguments last to first.
    std::vector<VARIANT> reversed(arguments.begin(), arguments.end());
    std::reverse(reversed.begin(), reversed.end());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    if (result) VariantInit(result);
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

HRESULT PutProperty(IDispatch* object, const wchar_t* name, VARIANT value) {
    return InvokeByName(object, name, DISPATCH_PROPERTYPUT, nullptr, {value});
}

ui::ComPtr<IDispatch> DispatchOf(const VARIANT& value) {
    if (value.vt == VT_DISPATCH && value.pdispVal) {
        value.pdispVal->AddRef();
        return ui::ComPtr<IDispatch>::Adopt(value.pdispVal);
    }
    return {};
}

}  // namespace catalogue
