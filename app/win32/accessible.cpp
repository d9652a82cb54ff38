#include "accessible.h"

#include "win32_text.h"

// The property GUIDs are defined here.
#include <initguid.h>
#include <oleacc.h>

namespace Chromell::Win32 {

void SetAccessibleText(HWND control, std::u16string_view name, std::u16string_view description) {
    IAccPropServices* services = nullptr;
    if (control == nullptr ||
        FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        return;
    }
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             PROPID_ACC_NAME, Wide(name).c_str());
    if (!description.empty()) {
        services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 PROPID_ACC_DESCRIPTION, Wide(description).c_str());
    }
    services->Release();
}

} // namespace Chromell::Win32
