// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace korv::win32 {

/// Posted to a window of cells to click a cell (wParam) as the pointer does.
inline constexpr UINT kClickCellMessage = WM_APP + 20;

/// A window that paints symbols as cells, as a screen reader is told of it.
class AccessibleCells {
public:
    virtual HWND hwnd() const = 0;
    virtual int cellCount() const = 0;
    /// What a reader says of a cell: its symbol and name.
    virtual std::wstring cellName(int cell) const = 0;
    /// What a reader adds when asked: the name, X-SAMPA and code points.
    virtual std::wstring cellDescription(int cell) const = 0;
    /// A cell's rectangle in the window's client area, as scrolled.
    virtual RECT cellRect(int cell) const = 0;
    /// The cell under a point of the client area, or -1.
    virtual int cellAt(POINT point) const = 0;
    /// The chosen cell, or -1.
    virtual int current() const = 0;
    /// Whether kClickCellMessage does anything.
    virtual bool clickable() const = 0;

protected:
    ~AccessibleCells() = default;
};

/// What a screen reader sees of a window of cells: the window, named by its window text, and one
/// push button per cell as a simple child (child id = cell + 1). The window lets go of it when it
/// goes, after which every call fails as disconnected.
class GridAccessible final : public IAccessible {
public:
    explicit GridAccessible(AccessibleCells* grid)
        : m_grid(grid) {}
    GridAccessible(const GridAccessible&) = delete;
    GridAccessible& operator=(const GridAccessible&) = delete;

    void detach() { m_grid = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: not offered (no type information).
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~GridAccessible() = default;
    // The cell a child id names, -1 for the grid itself; false for an id that names nothing.
    bool cellOf(const VARIANT& child, int& cell) const;

    AccessibleCells* m_grid;
    ULONG m_references = 1;
};

/// The answer to WM_GETOBJECT for OBJID_CLIENT: the object, through oleacc when the system has it
/// (loaded when first asked, so that the program does not import it); 0 otherwise.
LRESULT answerGetObject(IAccessible* object, WPARAM wParam, LPARAM lParam);

} // namespace korv::win32
