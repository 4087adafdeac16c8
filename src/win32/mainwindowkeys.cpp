// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's keys and the symbols' context menu.
#include "mainwindow.h"

#include "chartwindow.h"

namespace korv::win32 {

namespace {

enum MenuCommand : UINT { MenuAdd = 1, MenuRemove, MenuLeft, MenuRight };

bool held(int key) {
    return GetKeyState(key) < 0;
}

} // namespace

bool MainWindow::preTranslate(const MSG& msg) {
    if (m_chart != nullptr && m_chart->takeWheel(msg)) {
        return true;
    }
    if (msg.hwnd != m_hwnd && !IsChild(m_hwnd, msg.hwnd)) {
        return false;
    }
    if (msg.message == WM_KEYUP && m_copyArmed) {
        // Copy once the chord is let go: Paste switches windows and presses Ctrl+V, which keys
        // still held would spoil, and the release must not land in the other window.
        if (msg.wParam == VK_RETURN) {
            m_copyReturnDown = false;
            m_copyCtrlDown = held(VK_CONTROL);
        } else if (msg.wParam == VK_CONTROL) {
            m_copyCtrlDown = false;
        }
        if (!m_copyReturnDown && !m_copyCtrlDown) {
            m_copyArmed = false;
            m_palette.copy(m_copyPlain);
        }
        return false;
    }
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) {
        return false;
    }
    const bool ctrl = held(VK_CONTROL) && !held(VK_MENU);
    const bool shift = held(VK_SHIFT);
    if (msg.message == WM_CHAR) {
        // The characters of the chords below would only beep in an edit control; the edit's own
        // (Ctrl+A, C, V, X, Z) pass, but for Ctrl+Shift+C, whose copy the edit would overwrite.
        constexpr WPARAM kCtrlC = 0x03;
        constexpr WPARAM kCtrlD = 0x04;
        constexpr WPARAM kCtrlF = 0x06;
        constexpr WPARAM kCtrlReturn = 0x0A;
        constexpr WPARAM kCtrlK = 0x0B;
        constexpr WPARAM kCtrlX = 0x18;
        constexpr WPARAM kCtrlMinus = 0x1F;
        return ctrl && (msg.wParam == kCtrlD || msg.wParam == kCtrlF || msg.wParam == kCtrlReturn ||
                        msg.wParam == kCtrlK || msg.wParam == kCtrlMinus ||
                        (shift && (msg.wParam == kCtrlX || msg.wParam == kCtrlC)));
    }
    // One action per press: a held chord does not repeat it.
    const bool repeat = (msg.lParam & (1 << 30)) != 0;
    if (ctrl && msg.wParam == VK_RETURN) {
        // Ctrl+Shift+Return leaves the rich copy out.
        if (!repeat) {
            m_copyArmed = m_copyReturnDown = m_copyCtrlDown = true;
            m_copyPlain = shift;
        }
        return true;
    }
    if (ctrl && shift && msg.wParam == 'C') {
        if (!repeat) {
            m_palette.copy(true);
        }
        return true;
    }
    // Ctrl+plus is Ctrl+= on most layouts, with or without Shift.
    if (ctrl && (msg.wParam == VK_OEM_PLUS || msg.wParam == VK_ADD || msg.wParam == VK_OEM_MINUS ||
                 msg.wParam == VK_SUBTRACT)) {
        m_palette.zoomChart(msg.wParam == VK_OEM_MINUS || msg.wParam == VK_SUBTRACT ? -1 : 1);
        return true;
    }
    if (ctrl && !shift) {
        switch (msg.wParam) {
        case VK_PRIOR:
        case VK_NEXT:
            if (!repeat) {
                m_palette.stepTab(msg.wParam == VK_NEXT ? 1 : -1);
            }
            return true;
        case 'F':
            m_palette.findSymbol();
            return true;
        case 'K':
            if (!repeat) {
                m_palette.openChart();
            }
            return true;
        case 'D':
            if (msg.hwnd == m_search->field()) {
                m_palette.pinChosen();
            } else {
                m_palette.pinSelection();
            }
            return true;
        default:
            break;
        }
    }
    if (ctrl && shift && msg.wParam == 'X' && msg.hwnd == m_line) {
        m_palette.convertXsampa();
        return true;
    }
    return m_search->takeKey(msg);
}

void MainWindow::showSymbolMenu(const std::u16string& symbol, POINT screen) {
    const SymbolMenu offer = m_palette.menuFor(symbol);
    HMENU menu = CreatePopupMenu();
    const auto enabled = [](bool on) { return MF_STRING | (on ? MF_ENABLED : MF_GRAYED); };
    if (offer.inMine) {
        AppendMenuW(menu, MF_STRING, MenuRemove, L"Remove from Mine");
        AppendMenuW(menu, enabled(offer.canMoveLeft), MenuLeft, L"Move Left");
        AppendMenuW(menu, enabled(offer.canMoveRight), MenuRight, L"Move Right");
    } else {
        AppendMenuW(menu, enabled(offer.canAdd), MenuAdd, L"Add to Mine");
    }
    const auto chosen =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                         screen.x, screen.y, 0, m_hwnd, nullptr));
    DestroyMenu(menu);
    switch (chosen) {
    case MenuAdd:
        m_palette.addToMine(symbol);
        break;
    case MenuRemove:
        m_palette.removeFromMine(symbol);
        break;
    case MenuLeft:
    case MenuRight:
        m_palette.moveInMine(symbol, chosen == MenuLeft ? -1 : 1);
        break;
    default:
        break;
    }
}

void MainWindow::summoned(platform::SummonRequest request) {
    m_palette.summoned(request, m_trayShown);
}

} // namespace korv::win32
