// SPDX-License-Identifier: GPL-3.0-or-later
#include "gridaccessible.h"

namespace korv::win32 {

namespace {

BSTR makeBstr(const std::wstring& text) {
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

VARIANT childVariant(long id) {
    VARIANT result;
    VariantInit(&result);
    result.vt = VT_I4;
    result.lVal = id;
    return result;
}

} // namespace

HRESULT GridAccessible::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
        riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG GridAccessible::AddRef() {
    return InterlockedIncrement(&m_references);
}

ULONG GridAccessible::Release() {
    const ULONG left = InterlockedDecrement(&m_references);
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT GridAccessible::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT GridAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT GridAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT GridAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                               UINT*) {
    return E_NOTIMPL;
}

bool GridAccessible::cellOf(const VARIANT& child, int& cell) const {
    if (child.vt != VT_I4 || m_grid == nullptr) {
        return false;
    }
    cell = static_cast<int>(child.lVal) - 1;
    return cell >= -1 && cell < m_grid->cellCount();
}

HRESULT GridAccessible::get_accParent(IDispatch** parent) {
    *parent = nullptr;
    return m_grid == nullptr ? CO_E_OBJNOTCONNECTED : S_FALSE;
}

HRESULT GridAccessible::get_accChildCount(long* count) {
    if (m_grid == nullptr) {
        return CO_E_OBJNOTCONNECTED;
    }
    *count = static_cast<long>(m_grid->cellCount());
    return S_OK;
}

HRESULT GridAccessible::get_accChild(VARIANT child, IDispatch** object) {
    *object = nullptr;
    int cell = -1;
    // The cells are simple children: they have no object of their own.
    return cellOf(child, cell) && cell >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT GridAccessible::get_accName(VARIANT child, BSTR* name) {
    *name = nullptr;
    int cell = -1;
    if (!cellOf(child, cell)) {
        return m_grid == nullptr ? CO_E_OBJNOTCONNECTED : E_INVALIDARG;
    }
    if (cell >= 0) {
        *name = makeBstr(m_grid->cellName(cell));
        return S_OK;
    }
    wchar_t text[128] = {};
    GetWindowTextW(m_grid->hwnd(), text, 128);
    *name = SysAllocString(text);
    return S_OK;
}

HRESULT GridAccessible::get_accValue(VARIANT, BSTR* value) {
    *value = nullptr;
    return S_FALSE;
}

HRESULT GridAccessible::get_accDescription(VARIANT child, BSTR* description) {
    *description = nullptr;
    int cell = -1;
    if (!cellOf(child, cell)) {
        return m_grid == nullptr ? CO_E_OBJNOTCONNECTED : E_INVALIDARG;
    }
    if (cell < 0) {
        return S_FALSE;
    }
    *description = makeBstr(m_grid->cellDescription(cell));
    return S_OK;
}

HRESULT GridAccessible::get_accRole(VARIANT child, VARIANT* role) {
    int cell = -1;
    if (!cellOf(child, cell)) {
        return m_grid == nullptr ? CO_E_OBJNOTCONNECTED : E_INVALIDARG;
    }
    *role = childVariant(cell >= 0 ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_GROUPING);
    return S_OK;
}

HRESULT GridAccessible::get_accState(VARIANT child, VARIANT* state) {
    int cell = -1;
    if (!cellOf(child, cell)) {
        return m_grid == nullptr ? CO_E_OBJNOTCONNECTED : E_INVALIDARG;
    }
    long flags = IsWindowVisible(m_grid->hwnd()) ? 0 : STATE_SYSTEM_INVISIBLE;
    if (cell >= 0) {
        RECT client{};
        GetClientRect(m_grid->hwnd(), &client);
        const RECT r = m_grid->cellRect(cell);
        if (r.bottom <= client.top || r.top >= client.bottom) {
            flags |= STATE_SYSTEM_OFFSCREEN;
        }
        if (cell == m_grid->current()) {
            flags |= STATE_SYSTEM_SELECTED;
        }
    }
    *state = childVariant(flags);
    return S_OK;
}

HRESULT GridAccessible::get_accHelp(VARIANT, BSTR* help) {
    *help = nullptr;
    return S_FALSE;
}

HRESULT GridAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    *file = nullptr;
    *topic = 0;
    return S_FALSE;
}

HRESULT GridAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
    *shortcut = nullptr;
    return S_FALSE;
}

HRESULT GridAccessible::get_accFocus(VARIANT* child) {
    // The grid never takes the keyboard focus.
    VariantInit(child);
    return S_FALSE;
}

HRESULT GridAccessible::get_accSelection(VARIANT* children) {
    VariantInit(children);
    if (m_grid == nullptr) {
        return CO_E_OBJNOTCONNECTED;
    }
    if (m_grid->current() < 0) {
        return S_FALSE;
    }
    *children = childVariant(m_grid->current() + 1);
    return S_OK;
}

HRESULT GridAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    *action = nullptr;
    int cell = -1;
    if (!cellOf(child, cell) || cell < 0) {
        return S_FALSE;
    }
    *action = SysAllocString(L"Press");
    return S_OK;
}

HRESULT GridAccessible::accSelect(long, VARIANT) {
    return E_NOTIMPL;
}

HRESULT GridAccessible::accLocation(long* left, long* top, long* width, long* height,
                                    VARIANT child) {
    int cell = -1;
    if (!cellOf(child, cell)) {
        return m_grid == nullptr ? CO_E_OBJNOTCONNECTED : E_INVALIDARG;
    }
    RECT r{};
    if (cell >= 0) {
        r = m_grid->cellRect(cell);
    } else {
        GetClientRect(m_grid->hwnd(), &r);
    }
    MapWindowPoints(m_grid->hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

HRESULT GridAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    VariantInit(end);
    int cell = -1;
    if (!cellOf(start, cell)) {
        return m_grid == nullptr ? CO_E_OBJNOTCONNECTED : E_INVALIDARG;
    }
    const int count = m_grid->cellCount();
    int to = -1;
    if (cell < 0 && direction == NAVDIR_FIRSTCHILD) {
        to = 0;
    } else if (cell < 0 && direction == NAVDIR_LASTCHILD) {
        to = count - 1;
    } else if (cell >= 0 && direction == NAVDIR_NEXT) {
        to = cell + 1;
    } else if (cell >= 0 && direction == NAVDIR_PREVIOUS) {
        to = cell - 1;
    }
    if (to < 0 || to >= count) {
        return S_FALSE;
    }
    *end = childVariant(to + 1);
    return S_OK;
}

HRESULT GridAccessible::accHitTest(long x, long y, VARIANT* child) {
    VariantInit(child);
    if (m_grid == nullptr) {
        return CO_E_OBJNOTCONNECTED;
    }
    POINT point{x, y};
    ScreenToClient(m_grid->hwnd(), &point);
    RECT client{};
    GetClientRect(m_grid->hwnd(), &client);
    if (!PtInRect(&client, point)) {
        return S_FALSE;
    }
    *child = childVariant(m_grid->cellAt(point) + 1);
    return S_OK;
}

HRESULT GridAccessible::accDoDefaultAction(VARIANT child) {
    int cell = -1;
    if (!cellOf(child, cell)) {
        return m_grid == nullptr ? CO_E_OBJNOTCONNECTED : E_INVALIDARG;
    }
    if (cell < 0 || !m_grid->clickable()) {
        return DISP_E_MEMBERNOTFOUND;
    }
    // After the caller has its answer: the click may change the grid.
    PostMessageW(m_grid->hwnd(), kClickCellMessage, static_cast<WPARAM>(cell), 0);
    return S_OK;
}

HRESULT GridAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT GridAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

LRESULT answerGetObject(IAccessible* object, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) {
        return 0;
    }
    using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    static const LresultFromObjectFn lresultFromObject = [] {
        HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
        FARPROC proc = oleacc != nullptr ? GetProcAddress(oleacc, "LresultFromObject") : nullptr;
        return reinterpret_cast<LresultFromObjectFn>(reinterpret_cast<void*>(proc));
    }();
    return lresultFromObject != nullptr ? lresultFromObject(__uuidof(IAccessible), wParam, object)
                                        : 0;
}

} // namespace korv::win32
