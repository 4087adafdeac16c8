// SPDX-License-Identifier: GPL-3.0-or-later
// The painted grid as a screen reader reads it, through WM_GETOBJECT and oleacc. (IID_IAccessible
// from oleacc's import library is a thunk, not the identifier: __uuidof it is.)
#include "symbolgrid.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>

namespace korv::win32 {
namespace {

VARIANT child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring take(BSTR text) {
    std::wstring result = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return result;
}

class GridAccessibleTest : public testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        m_parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        m_grid = std::make_unique<SymbolGrid>(GetModuleHandleW(nullptr), m_parent, L"All symbols");
        MoveWindow(m_grid->hwnd(), 0, 0, 100, 48, FALSE);
        m_grid->setContent(
            {{{0, 0, 25, 24}, L"\u0263", L"\u0263, voiced velar fricative", L"X-SAMPA G, U+0263"},
             {{25, 0, 25, 24}, L"x", L"x, voiceless velar fricative", L"U+0078"},
             {{0, 60, 25, 24}, L"h", L"h", L""}},
            {}, 84);
        m_grid->clicked = [this](int cell) { m_clicked = cell; };
    }
    void TearDown() override {
        m_grid.reset();
        DestroyWindow(m_parent);
        CoUninitialize();
    }

    HWND m_parent = nullptr;
    std::unique_ptr<SymbolGrid> m_grid;
    int m_clicked = -1;
};

TEST_F(GridAccessibleTest, CellsAreNamedButtons) {
    ASSERT_NE(m_grid->hwnd(), nullptr);
    IAccessible* object = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(m_grid->hwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
              S_OK);
    long count = 0;
    ASSERT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 3);
    struct Case {
        long id;
        std::wstring name;
        std::wstring description;
        long role;
        bool offscreen;
    };
    const Case cases[] = {
        {CHILDID_SELF, L"All symbols", L"", ROLE_SYSTEM_GROUPING, false},
        {1, L"\u0263, voiced velar fricative", L"X-SAMPA G, U+0263", ROLE_SYSTEM_PUSHBUTTON, false},
        {2, L"x, voiceless velar fricative", L"U+0078", ROLE_SYSTEM_PUSHBUTTON, false},
        {3, L"h", L"", ROLE_SYSTEM_PUSHBUTTON, true}, // scrolled out of the 48 pixels shown
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        BSTR name = nullptr;
        EXPECT_EQ(object->get_accName(child(c.id), &name), S_OK);
        EXPECT_EQ(take(name), c.name);
        BSTR description = nullptr;
        object->get_accDescription(child(c.id), &description);
        EXPECT_EQ(take(description), c.description);
        VARIANT role;
        ASSERT_EQ(object->get_accRole(child(c.id), &role), S_OK);
        EXPECT_EQ(role.lVal, c.role);
        VARIANT state;
        ASSERT_EQ(object->get_accState(child(c.id), &state), S_OK);
        EXPECT_EQ((state.lVal & STATE_SYSTEM_OFFSCREEN) != 0, c.offscreen);
    }
    BSTR name = nullptr;
    EXPECT_EQ(object->get_accName(child(4), &name), E_INVALIDARG);

    // The chosen cell is the selection; the default action clicks a cell.
    m_grid->setCurrent(1);
    VARIANT selection;
    ASSERT_EQ(object->get_accSelection(&selection), S_OK);
    EXPECT_EQ(selection.lVal, 2);
    ASSERT_EQ(object->accDoDefaultAction(child(2)), S_OK);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(m_clicked, 1);

    // Once the grid is gone, a reader still holding the object is told so.
    m_grid.reset();
    EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    object->Release();
}

} // namespace
} // namespace korv::win32
