// SPDX-License-Identifier: GPL-3.0-or-later
// The IPA chart's canvas as the pointer and a screen reader find it: its cells where it draws
// them at every zoom, each named, and pressed through oleacc as by a click; and the window as the
// palette opens and keeps it.
#include "chartwindow.h"

#include "fakes.h"
#include "ipasymbols.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <memory>
#include <string>

namespace korv::win32 {
namespace {

constexpr int kViewWidth = 600;

std::wstring take(BSTR text) {
    std::wstring result = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return result;
}

class ChartCanvasTest : public testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        m_parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        m_canvas = std::make_unique<ChartCanvas>(GetModuleHandleW(nullptr), m_parent,
                                                 L"DejaVu Serif", L"DejaVu Sans");
        // The client area the chart fits is the window's less its vertical scroll bar.
        RECT frame{0, 0, kViewWidth + GetSystemMetrics(SM_CXVSCROLL), 400};
        AdjustWindowRectEx(
            &frame, static_cast<DWORD>(GetWindowLongPtrW(m_canvas->hwnd(), GWL_STYLE)), FALSE, 0);
        MoveWindow(m_canvas->hwnd(), 0, 0, frame.right - frame.left, 400, FALSE);
        m_canvas->clicked = [this](int row) { m_clicked = row; };
    }
    void TearDown() override {
        m_canvas.reset();
        DestroyWindow(m_parent);
        CoUninitialize();
    }
    // The cell of a symbol, named as it is drawn, or -1.
    int cellOf(std::u16string_view chars) const {
        const std::u16string shown = displayText(chars);
        for (int cell = 0; cell < m_canvas->cellCount(); ++cell) {
            if (m_canvas->cellName(cell).starts_with(std::wstring(shown.begin(), shown.end()) +
                                                     L", ")) {
                return cell;
            }
        }
        return -1;
    }

    HWND m_parent = nullptr;
    std::unique_ptr<ChartCanvas> m_canvas;
    int m_clicked = -1;
};

TEST_F(ChartCanvasTest, CellsAreFoundWhereDrawnAtEveryZoom) {
    ASSERT_NE(m_canvas->hwnd(), nullptr);
    EXPECT_GT(m_canvas->cellCount(), 150);
    const int p = cellOf(u"p");
    ASSERT_GE(p, 0);
    for (int zoom : {100, 50, 175, 300}) {
        SCOPED_TRACE(zoom);
        m_canvas->setZoom(zoom);
        m_canvas->scrollTo(0, 0);
        // Fitted to the width, times the zoom.
        EXPECT_NEAR(m_canvas->chart().width, kViewWidth * zoom / 100.0, 1.0);
        const RECT r = m_canvas->cellRect(p);
        EXPECT_EQ(m_canvas->cellAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2}), p);
        // Scrolled, the cell moves with the chart.
        m_canvas->scrollTo(10, 10);
        const RECT scrolled = m_canvas->cellRect(p);
        EXPECT_EQ(scrolled.left - r.left, zoom > 100 ? -10 : 0);
        EXPECT_EQ(scrolled.top - r.top, -10);
    }
}

TEST_F(ChartCanvasTest, AScreenReaderNamesAndPressesEachCell) {
    IAccessible* object = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(m_canvas->hwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
              S_OK);
    struct Case {
        std::u16string_view chars;
        std::wstring name;
        std::wstring inDescription;
    };
    const Case cases[] = {
        {u"p", L"p, voiceless bilabial plosive", L"X-SAMPA: p"},
        {u"\u0283", L"\u0283, voiceless postalveolar fricative", L"U+0283"},
        {u"\u0325", L"\u25cc\u0325, voiceless", L"U+0325"}, // a mark, on its dotted circle
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.chars[0]));
        const int cell = cellOf(c.chars);
        ASSERT_GE(cell, 0);
        VARIANT id;
        VariantInit(&id);
        id.vt = VT_I4;
        id.lVal = cell + 1;
        BSTR name = nullptr;
        ASSERT_EQ(object->get_accName(id, &name), S_OK);
        EXPECT_EQ(take(name), c.name);
        BSTR description = nullptr;
        ASSERT_EQ(object->get_accDescription(id, &description), S_OK);
        EXPECT_NE(take(description).find(c.inDescription), std::wstring::npos);
        m_clicked = -1;
        ASSERT_EQ(object->accDoDefaultAction(id), S_OK);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
        ASSERT_GE(m_clicked, 0);
        EXPECT_EQ(ipaSymbols()[static_cast<std::size_t>(m_clicked)].chars, c.chars);
    }
    m_canvas.reset();
    long count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    object->Release();
}

// The chart window over a palette with a fake main window: where it opens, what it reports for
// keeping, and what its clicks and wheel do to the palette.
class ChartWindowTest : public testing::Test {
protected:
    MemoryIni m_ini;
    MemoryIni m_log;
    RecordingClipboard m_clipboard;
    RecordingPasteTarget m_pasteTarget;
    FakeView m_view;
    Palette m_palette{m_view,
                      PaletteServices{m_ini, m_log, m_clipboard, m_pasteTarget, "KORVANI.INI"}};
    ChartWindow m_chart{GetModuleHandleW(nullptr), m_palette, 96, L"DejaVu Sans"};
    RECT m_paletteFrame{0, 0, 331, 250};
};

TEST_F(ChartWindowTest, OpensWhereAndAsLargeAsItWasLeft) {
    const ChartPlacement cases[] = {
        {ScreenPosition{400, 120}, 500, 400, 150},
        {ScreenPosition{350, 60}, 700, 600, 100},
    };
    for (const ChartPlacement& placement : cases) {
        SCOPED_TRACE(placement.width);
        m_chart.show(placement, m_paletteFrame);
        EXPECT_TRUE(m_chart.shown());
        EXPECT_EQ(m_chart.placement(), placement);
        ShowWindow(m_chart.hwnd(), SW_HIDE);
    }
}

TEST_F(ChartWindowTest, WithNoPlaceOfItsOwnItOpensBesideThePalette) {
    m_chart.show({std::nullopt, 500, 400, 100}, m_paletteFrame);
    RECT frame{};
    GetWindowRect(m_chart.hwnd(), &frame);
    RECT common{};
    EXPECT_FALSE(IntersectRect(&common, &frame, &m_paletteFrame));
    EXPECT_EQ(m_chart.placement().width, 500);
}

TEST_F(ChartWindowTest, AClickInsertsAtTheCaretAndCtrlWheelZoomsANotchAStep) {
    m_view.m_line = {u"ae", 1, 0, true, false};
    m_palette.openChart();
    m_chart.show(*m_view.m_chart, m_paletteFrame);
    ChartCanvas& canvas = m_chart.canvas();
    for (int row = 0; row < static_cast<int>(ipaSymbols().size()); ++row) {
        if (ipaSymbols()[static_cast<std::size_t>(row)].chars == u"p") {
            canvas.clicked(row);
        }
    }
    EXPECT_EQ(m_view.m_line.text, u"ape");

    const struct {
        short delta;
        int zoom;
    } notches[] = {
        {WHEEL_DELTA, 110}, {WHEEL_DELTA / 2, 110}, {WHEEL_DELTA / 2, 125}, {-WHEEL_DELTA, 110}};
    for (const auto& notch : notches) {
        SendMessageW(canvas.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, notch.delta), 0);
        EXPECT_EQ(m_palette.chartZoom(), notch.zoom);
    }
    EXPECT_EQ(m_ini.readInteger("Chart", "Zoom", 0), 110);
}

} // namespace
} // namespace korv::win32
