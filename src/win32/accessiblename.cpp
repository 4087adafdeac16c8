// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessiblename.h"

#include "profileini.h"

#include <commctrl.h>
#include <oleacc.h>

namespace korv::win32 {

HWND nameForScreenReader(HWND control, std::string_view name) {
    const std::wstring text = widen(name);
    HWND parent = GetParent(control);
    // Visible, as a hidden label may be passed over, but of no size, so that nothing shows.
    HWND label = CreateWindowExW(
        0, WC_STATICW, text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0, parent, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    // Just before the control in the window order, which is what makes it its label.
    HWND before = GetWindow(control, GW_HWNDPREV);
    SetWindowPos(label, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    IAccPropServices* service = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void**>(&service)))) {
        service->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                PROPID_ACC_NAME, text.c_str());
        service->Release();
    }
    return label;
}

} // namespace korv::win32
