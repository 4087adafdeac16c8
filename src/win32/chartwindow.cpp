// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartwindow.h"

#include "fontface.h"
#include "glyphink.h"
#include "ipasymbols.h"
#include "profileini.h"
#include "resource.h"
#include "scrollrequest.h"
#include "symboltip.h"
#include "windowowner.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace korv::win32 {

namespace {

constexpr DWORD kChartStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
// On top with the palette, and never the active window: the keys stay in the line.
constexpr DWORD kChartExStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE;
constexpr int kHoverHeight = 76;
constexpr int kHoverGlyphPixels = 52;
constexpr int kHoverTextPixels = 12;
constexpr int kMinWidth = 160;
constexpr int kMinHeight = 120;
// Glyphs are measured once at this size and scaled: ink grows with the size.
constexpr int kInkPixels = 64;
constexpr int kWheelNotch = WHEEL_DELTA;
constexpr double kWheelLineUnits = 40;

constexpr COLORREF kInk = RGB(0x1a, 0x1a, 0x1a);
constexpr COLORREF kLabelInk = RGB(0x40, 0x40, 0x40);
constexpr COLORREF kShade = RGB(0xc4, 0xc4, 0xc4);
constexpr COLORREF kRule = RGB(0x70, 0x70, 0x70);
constexpr COLORREF kHoverBack = RGB(0xdc, 0xe7, 0xf5);
constexpr COLORREF kPressedBack = RGB(0xa9, 0xc5, 0xea);

constexpr wchar_t kHoverHint[] = L"Point at a symbol to see its name; click it to insert it at the "
                                 L"caret. Ctrl+wheel or Ctrl+plus and Ctrl+minus zoom.";

// Serif faces made for the IPA first, as the chart is printed; the palette's own face last.
constexpr std::array<const wchar_t*, 5> kChartGlyphFaces{
    L"Charis SIL", L"Doulos SIL", L"Gentium Plus", L"Gentium", L"DejaVu Serif"};

int pixels(double value) {
    return static_cast<int>(std::lround(value));
}

RECT toRect(const ChartBox& box, int dx, int dy) {
    return {pixels(box.left) - dx, pixels(box.top) - dy, pixels(box.left + box.width) - dx,
            pixels(box.top + box.height) - dy};
}

std::wstring wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::wstring glyphText(int symbolRow) {
    return wide(displayText(ipaSymbols()[static_cast<std::size_t>(symbolRow)]));
}

HFONT makeFont(const std::wstring& face, int height, int weight = FW_NORMAL) {
    return CreateFontW(-std::max(1, height), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                       face.c_str());
}

void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, name, &wc)) {
        return;
    }
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KORVANI));
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

// Where a window of a size goes beside another on its screen, covering as little of it as can be:
// right of it, left, below or above, moved onto the screen's work area.
POINT besideWindow(const RECT& other, SIZE size) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&other, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    const POINT tries[] = {{other.right, other.top},
                           {other.left - size.cx, other.top},
                           {other.left, other.bottom},
                           {other.left, other.top - size.cy}};
    POINT best{area.left, area.top};
    LONG leastCovered = -1;
    for (POINT at : tries) {
        at.x = std::clamp(at.x, area.left, std::max(area.left, area.right - size.cx));
        at.y = std::clamp(at.y, area.top, std::max(area.top, area.bottom - size.cy));
        const RECT placed{at.x, at.y, at.x + size.cx, at.y + size.cy};
        RECT common{};
        const LONG covered = IntersectRect(&common, &placed, &other)
                                 ? (common.right - common.left) * (common.bottom - common.top)
                                 : 0;
        if (leastCovered < 0 || covered < leastCovered) {
            best = at;
            leastCovered = covered;
        }
    }
    return best;
}

// Text in a box, wrapped, centred from top to bottom as a label is.
void drawText(HDC dc, const std::wstring& text, RECT box, UINT align) {
    const UINT flags = align | DT_NOPREFIX | DT_WORDBREAK;
    RECT measured = box;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, flags | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    box.top += ((box.bottom - box.top) - height) / 2;
    box.bottom = box.top + height;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, flags);
}

} // namespace

ChartCanvas::ChartCanvas(HINSTANCE instance, HWND parent, std::wstring glyphFace,
                         std::wstring textFace)
    : m_glyphFace(std::move(glyphFace))
    , m_textFace(std::move(textFace))
    , m_chart(ipaChart()) {
    registerClass(instance, kChartCanvasClass, ownedWindowProc<&ChartCanvas::handle>, nullptr);
    for (std::size_t i = 0; i < m_chart.items.size(); ++i) {
        if (m_chart.items[i].kind == ChartItemKind::Symbol) {
            m_symbols.push_back(static_cast<int>(i));
        }
    }
    // Its text is what a screen reader calls it.
    const std::wstring name = widen(kChartAccessibleName);
    CreateWindowExW(0, kChartCanvasClass, name.c_str(),
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, parent, nullptr,
                    instance, this);
}

ChartCanvas::~ChartCanvas() {
    if (m_accessible != nullptr) {
        // A screen reader may hold on to it: from now on it answers that the chart is gone.
        m_accessible->detach();
        m_accessible->Release();
    }
    if (IsWindow(m_hwnd)) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    }
    forgetFonts();
}

void ChartCanvas::forgetFonts() {
    for (const auto& [key, font] : m_fonts) {
        DeleteObject(font);
    }
    m_fonts.clear();
}

HFONT ChartCanvas::font(double size, bool glyph, bool bold) {
    const int height = std::max(1, pixels(size));
    const int key = height * 4 + (glyph ? 0 : bold ? 2 : 1);
    const auto found = m_fonts.find(key);
    if (found != m_fonts.end()) {
        return found->second;
    }
    HFONT made = makeFont(glyph ? m_glyphFace : m_textFace, height, bold ? FW_BOLD : FW_NORMAL);
    m_fonts.emplace(key, made);
    return made;
}

void ChartCanvas::setZoom(int zoom) {
    zoom = clampChartZoom(zoom);
    if (zoom == m_zoom) {
        return;
    }
    // The point in the middle of the view stays there.
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const double x = (m_scrollX + client.right / 2.0) / std::max(1.0, m_chart.width);
    const double y = (m_scrollY + client.bottom / 2.0) / std::max(1.0, m_chart.height);
    m_zoom = zoom;
    rescale();
    scrollTo(pixels(x * m_chart.width - client.right / 2.0),
             pixels(y * m_chart.height - client.bottom / 2.0));
}

void ChartCanvas::rescale() {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    m_viewWidth = client.right;
    m_chart = scaleChart(ipaChart(), chartScale(ipaChart(), client.right, m_zoom));
    forgetFonts();
    setHover(-1);
    m_pressed = -1;
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void ChartCanvas::updateScrollBars() {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const int width = static_cast<int>(std::ceil(m_chart.width));
    const int height = static_cast<int>(std::ceil(m_chart.height));
    const int viewWidth = client.right;
    const int viewHeight = client.bottom;
    m_scrollX = std::clamp(m_scrollX, 0, std::max(0, width - viewWidth));
    m_scrollY = std::clamp(m_scrollY, 0, std::max(0, height - viewHeight));
    // The vertical bar stays, so that the width the chart fits does not change as it comes and
    // goes; the horizontal one shows only when zoomed beyond the width.
    SCROLLINFO vertical{sizeof vertical,
                        SIF_ALL | SIF_DISABLENOSCROLL,
                        0,
                        std::max(0, height - 1),
                        static_cast<UINT>(std::max(0, viewHeight)),
                        m_scrollY,
                        0};
    SetScrollInfo(m_hwnd, SB_VERT, &vertical, TRUE);
    SCROLLINFO horizontal{sizeof horizontal,
                          SIF_ALL,
                          0,
                          std::max(0, width - 1),
                          static_cast<UINT>(std::max(0, viewWidth)),
                          m_scrollX,
                          0};
    SetScrollInfo(m_hwnd, SB_HORZ, &horizontal, TRUE);
}

void ChartCanvas::scrollTo(int x, int y) {
    m_scrollX = x;
    m_scrollY = y;
    updateScrollBars();
    setHover(-1);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

std::wstring ChartCanvas::cellName(int cell) const {
    const int row =
        m_chart.items.at(static_cast<std::size_t>(m_symbols.at(static_cast<std::size_t>(cell))))
            .symbol;
    const SymbolTip tip = symbolTip(static_cast<std::size_t>(row));
    return wide(tip.glyph) + L", " + widen(tip.name);
}

std::wstring ChartCanvas::cellDescription(int cell) const {
    const int row =
        m_chart.items.at(static_cast<std::size_t>(m_symbols.at(static_cast<std::size_t>(cell))))
            .symbol;
    const std::vector<std::string> lines = symbolTip(static_cast<std::size_t>(row)).lines();
    std::string description;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        description += (i > 1 ? ", " : "") + lines[i];
    }
    return widen(description);
}

RECT ChartCanvas::cellRect(int cell) const {
    if (cell < 0 || cell >= cellCount()) {
        return {};
    }
    const ChartItem& item =
        m_chart.items[static_cast<std::size_t>(m_symbols[static_cast<std::size_t>(cell)])];
    return toRect(item.box, m_scrollX, m_scrollY);
}

int ChartCanvas::itemAt(POINT client) const {
    return chartSymbolAt(m_chart, client.x + m_scrollX, client.y + m_scrollY);
}

int ChartCanvas::cellAt(POINT point) const {
    const int item = itemAt(point);
    const auto found = std::find(m_symbols.begin(), m_symbols.end(), item);
    return found == m_symbols.end() ? -1 : static_cast<int>(found - m_symbols.begin());
}

void ChartCanvas::invalidateItem(int item) {
    if (item >= 0) {
        RECT r = toRect(m_chart.items[static_cast<std::size_t>(item)].box, m_scrollX, m_scrollY);
        InflateRect(&r, 1, 1);
        InvalidateRect(m_hwnd, &r, FALSE);
    }
}

void ChartCanvas::setHover(int item) {
    if (item == m_hover) {
        return;
    }
    invalidateItem(m_hover);
    m_hover = item;
    invalidateItem(m_hover);
    if (hovered) {
        hovered(item >= 0 ? m_chart.items[static_cast<std::size_t>(item)].symbol : -1);
    }
}

ChartCanvas::Ink ChartCanvas::measureInk(const std::wstring& text) {
    HFONT measuring = makeFont(m_glyphFace, kInkPixels);
    const GlyphInk ink = measureGlyphInk(measuring, text);
    DeleteObject(measuring);
    if (ink.empty()) {
        return {};
    }
    return {static_cast<double>(ink.left), static_cast<double>(ink.top),
            static_cast<double>(ink.right), static_cast<double>(ink.bottom)};
}

const ChartCanvas::Shape& ChartCanvas::shapeOf(int symbolRow) {
    const auto found = m_shapes.find(symbolRow);
    if (found != m_shapes.end()) {
        return found->second;
    }
    Shape shape;
    const std::wstring text = glyphText(symbolRow);
    for (wchar_t c : text) {
        (isCombiningMark(static_cast<char32_t>(c)) ? shape.marks : shape.letters) += c;
    }
    // A mark is placed by the font for a letter of its own; on the dotted circle, which may come
    // from another face, or under a tie, it is centred on what it marks instead. Stacked marks
    // keep the font's placing.
    if (shape.marks.size() != 1 || shape.letters.empty()) {
        shape.letters = text;
        shape.marks.clear();
        shape.ink = measureInk(text);
    } else {
        const Ink letters = measureInk(shape.letters);
        const Ink mark = measureInk(shape.marks);
        shape.markShift = (letters.left + letters.right) / 2 - (mark.left + mark.right) / 2;
        shape.ink = {std::min(letters.left, mark.left + shape.markShift),
                     std::min(letters.top, mark.top),
                     std::max(letters.right, mark.right + shape.markShift),
                     std::max(letters.bottom, mark.bottom)};
    }
    return m_shapes.emplace(symbolRow, std::move(shape)).first->second;
}

double ChartCanvas::xHeight() {
    if (!m_xHeight) {
        m_xHeight = -measureInk(L"x").top;
    }
    return *m_xHeight;
}

// Draws a glyph on the baseline that centres the small letters' band in the box, as a line of
// text would, or with its ink centred; a glyph whose ink would leave the box (a tie bar high above,
// a hook below) moves in, and one larger than the box is drawn smaller until it fits.
void ChartCanvas::drawGlyph(HDC dc, int symbolRow, double size, const ChartBox& box, bool centred) {
    const Shape& shape = shapeOf(symbolRow);
    const Ink& ink = shape.ink;
    const double inkWidth = ink.right - ink.left;
    const double inkHeight = ink.bottom - ink.top;
    const ChartBox room{box.left + 1, box.top + 1, box.width - 2, box.height - 2};
    double factor = size / kInkPixels;
    if (inkWidth * factor > room.width || inkHeight * factor > room.height) {
        factor =
            std::min(room.width / std::max(1.0, inkWidth), room.height / std::max(1.0, inkHeight));
        size = factor * kInkPixels;
    }
    const double middleY = box.top + box.height / 2;
    double baseline =
        centred ? middleY - (ink.top + ink.bottom) / 2 * factor : middleY + xHeight() * factor / 2;
    if (baseline + ink.top * factor < room.top) {
        baseline = room.top - ink.top * factor;
    } else if (baseline + ink.bottom * factor > room.top + room.height) {
        baseline = room.top + room.height - ink.bottom * factor;
    }
    const double x = box.left + box.width / 2 - (ink.left + ink.right) / 2 * factor;
    SelectObject(dc, font(size, true));
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    TextOutW(dc, pixels(x) - m_scrollX, pixels(baseline) - m_scrollY, shape.letters.c_str(),
             static_cast<int>(shape.letters.size()));
    if (!shape.marks.empty()) {
        TextOutW(dc, pixels(x + shape.markShift * factor) - m_scrollX, pixels(baseline) - m_scrollY,
                 shape.marks.c_str(), static_cast<int>(shape.marks.size()));
    }
    SetTextAlign(dc, TA_TOP | TA_LEFT);
}

void ChartCanvas::paint(HDC dc, const RECT& client) {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    const RECT view{m_scrollX, m_scrollY, m_scrollX + client.right, m_scrollY + client.bottom};
    HPEN rule = CreatePen(PS_SOLID, 1, kRule);
    HBRUSH shade = CreateSolidBrush(kShade);
    HBRUSH inkBrush = CreateSolidBrush(kInk);
    HBRUSH hoverBrush = CreateSolidBrush(kHoverBack);
    HBRUSH pressedBrush = CreateSolidBrush(kPressedBack);
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const HGDIOBJ oldFont = SelectObject(dc, font(12, false));
    for (std::size_t i = 0; i < m_chart.items.size(); ++i) {
        const ChartItem& item = m_chart.items[i];
        const RECT whole = toRect(item.box, 0, 0);
        RECT seen{};
        if (item.kind != ChartItemKind::Line && !IntersectRect(&seen, &whole, &view)) {
            continue;
        }
        RECT r = toRect(item.box, m_scrollX, m_scrollY);
        switch (item.kind) {
        case ChartItemKind::Title:
        case ChartItemKind::Heading:
        case ChartItemKind::Label:
            SelectObject(dc, font(item.size, false, item.kind == ChartItemKind::Title));
            SetTextColor(dc, item.kind == ChartItemKind::Label ? kLabelInk : kInk);
            drawText(dc, widen(item.text), r, item.centred ? DT_CENTER : DT_LEFT);
            break;
        case ChartItemKind::Cell:
            SelectObject(dc, rule);
            SelectObject(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, r.left, r.top, r.right + 1, r.bottom + 1);
            break;
        case ChartItemKind::Shade:
            FillRect(dc, &r, shade);
            break;
        case ChartItemKind::Line: {
            HPEN pen =
                CreatePen(PS_SOLID, std::max(1, pixels(item.size > 0 ? item.size : 1.5)), kRule);
            SelectObject(dc, pen);
            MoveToEx(dc, pixels(item.box.left) - m_scrollX, pixels(item.box.top) - m_scrollY,
                     nullptr);
            LineTo(dc, pixels(item.box.left + item.box.width) - m_scrollX,
                   pixels(item.box.top + item.box.height) - m_scrollY);
            SelectObject(dc, GetStockObject(NULL_PEN));
            DeleteObject(pen);
            break;
        }
        case ChartItemKind::Dot:
            SelectObject(dc, GetStockObject(NULL_PEN));
            SelectObject(dc, inkBrush);
            Ellipse(dc, r.left, r.top, r.right + 1, r.bottom + 1);
            break;
        case ChartItemKind::Symbol: {
            const int index = static_cast<int>(i);
            if (index == m_hover || index == m_pressed) {
                SelectObject(dc, GetStockObject(NULL_PEN));
                SelectObject(dc, index == m_pressed ? pressedBrush : hoverBrush);
                RoundRect(dc, r.left + 1, r.top + 1, r.right, r.bottom, 6, 6);
            }
            SetTextColor(dc, kInk);
            drawGlyph(dc, item.symbol, item.size, item.glyph, item.centred);
            break;
        }
        }
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(rule), static_cast<HGDIOBJ>(shade), static_cast<HGDIOBJ>(inkBrush),
          static_cast<HGDIOBJ>(hoverBrush), static_cast<HGDIOBJ>(pressedBrush)}) {
        DeleteObject(object);
    }
}

void ChartCanvas::wheel(int delta, bool zoom, bool across) {
    if (zoom) {
        m_wheel += delta;
        // One step a notch, however finely a touchpad reports it.
        while (std::abs(m_wheel) >= kWheelNotch) {
            const int step = m_wheel > 0 ? 1 : -1;
            m_wheel -= step * kWheelNotch;
            if (zoomed) {
                zoomed(step);
            }
        }
        return;
    }
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const double scale = m_chart.width / std::max(1.0, ipaChart().width);
    const int by = MulDiv(delta, static_cast<int>(lines * kWheelLineUnits * scale), kWheelNotch);
    if (across) {
        scrollTo(m_scrollX - by, m_scrollY);
    } else {
        scrollTo(m_scrollX, m_scrollY - by);
    }
}

LRESULT ChartCanvas::handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_NCCREATE:
        m_hwnd = hwnd;
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client{};
        GetClientRect(hwnd, &client);
        // Drawn off screen first: a scroll repaints the whole view.
        HDC buffer = CreateCompatibleDC(dc);
        HBITMAP bitmap =
            CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom));
        HGDIOBJ old = SelectObject(buffer, bitmap);
        paint(buffer, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, old);
        DeleteObject(bitmap);
        DeleteDC(buffer);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        // A horizontal bar that comes or goes changes the height alone.
        if (LOWORD(lParam) != m_viewWidth) {
            rescale();
        } else {
            updateScrollBars();
        }
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: {
        const bool vertical = message == WM_VSCROLL;
        const int line = pixels(kWheelLineUnits * m_chart.width / std::max(1.0, ipaChart().width));
        const int to = scrollRequestTarget(hwnd, vertical ? SB_VERT : SB_HORZ, wParam,
                                           vertical ? m_scrollY : m_scrollX, line);
        scrollTo(vertical ? m_scrollX : to, vertical ? to : m_scrollY);
        return 0;
    }
    case WM_MOUSEWHEEL:
        wheel(GET_WHEEL_DELTA_WPARAM(wParam), (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0,
              (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0);
        return 0;
    case WM_MOUSEHWHEEL:
        wheel(-GET_WHEEL_DELTA_WPARAM(wParam), false, true);
        return 0;
    case WM_MOUSEMOVE: {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        setHover(itemAt(at));
        return 0;
    }
    case WM_MOUSELEAVE:
        if (GetCapture() != hwnd) {
            setHover(-1);
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && m_hover >= 0) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // No SetFocus: the keys stay where the user left them.
        m_pressed = itemAt(at);
        if (m_pressed >= 0) {
            SetCapture(hwnd);
            invalidateItem(m_pressed);
        }
        return 0;
    case WM_LBUTTONUP: {
        const int pressed = m_pressed;
        m_pressed = -1;
        if (GetCapture() == hwnd) {
            ReleaseCapture();
        }
        invalidateItem(pressed);
        if (pressed >= 0 && itemAt(at) == pressed && clicked) {
            clicked(m_chart.items[static_cast<std::size_t>(pressed)].symbol);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        invalidateItem(m_pressed);
        m_pressed = -1;
        return 0;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
            if (m_accessible == nullptr) {
                m_accessible = new GridAccessible(this);
            }
            return answerGetObject(m_accessible, wParam, lParam);
        }
        break;
    case kClickCellMessage:
        if (wParam < m_symbols.size() && clicked) {
            const auto item = static_cast<std::size_t>(m_symbols[wParam]);
            clicked(m_chart.items[item].symbol);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

ChartWindow::ChartWindow(HINSTANCE instance, Palette& palette, UINT dpi,
                         const std::wstring& ipaFace)
    : m_palette(palette)
    , m_dpi(dpi) {
    registerClass(instance, kChartWindowClass, ownedWindowProc<&ChartWindow::handle>,
                  GetSysColorBrush(COLOR_BTNFACE));
    std::vector<const wchar_t*> faces(kChartGlyphFaces.begin(), kChartGlyphFaces.end());
    faces.push_back(ipaFace.c_str());
    const std::wstring glyphFace = firstInstalledFace(faces);
    m_textFont = makeFont(ipaFace, scale(kHoverTextPixels));
    m_hoverGlyphFont = makeFont(glyphFace, scale(kHoverGlyphPixels));
    const std::wstring caption = widen(kChartWindowCaption);
    CreateWindowExW(kChartExStyle, kChartWindowClass, caption.c_str(), kChartStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, defaultChartWindowWidth(), kChartWindowHeight, nullptr, nullptr,
                    instance, this);
    m_canvas = std::make_unique<ChartCanvas>(instance, m_hwnd, glyphFace, ipaFace);
    m_canvas->clicked = [this](int row) {
        // As a button's click: at the line's caret, a mark on the character before it.
        m_palette.insert(ipaSymbols()[static_cast<std::size_t>(row)].chars);
    };
    m_canvas->hovered = [this](int row) { showHovered(row); };
    m_canvas->zoomed = [this](int step) { m_palette.zoomChart(step); };
    layout();
}

ChartWindow::~ChartWindow() {
    m_canvas.reset();
    if (IsWindow(m_hwnd)) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
    DeleteObject(m_textFont);
    DeleteObject(m_hoverGlyphFont);
}

void ChartWindow::show(const ChartPlacement& placement, const RECT& palette) {
    if (shown()) {
        if (IsIconic(m_hwnd)) {
            ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
        }
        SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    m_hiddenWithPalette = false;
    RECT frame{0, 0, std::max(placement.width, kMinWidth), std::max(placement.height, kMinHeight)};
    AdjustWindowRectExForDpi(&frame, kChartStyle, FALSE, kChartExStyle, m_dpi);
    const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    POINT corner{};
    bool placed = false;
    if (placement.position) {
        corner = {placement.position->left, placement.position->top};
        // A place on a screen no longer there is as good as none.
        const RECT outer{corner.x, corner.y, corner.x + size.cx, corner.y + size.cy};
        placed = MonitorFromRect(&outer, MONITOR_DEFAULTTONULL) != nullptr;
    }
    if (!placed) {
        // The desktop would put it over the palette, whose line the user is writing in.
        corner = besideWindow(palette, size);
    }
    SetWindowPos(m_hwnd, nullptr, corner.x, corner.y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Opened again, it starts at the top, where the consonants are.
    m_canvas->setZoom(placement.zoom);
    m_canvas->scrollTo(0, 0);
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
}

void ChartWindow::setZoom(int zoom) {
    m_canvas->setZoom(zoom);
}

ChartPlacement ChartWindow::placement() const {
    ChartPlacement placement;
    placement.zoom = m_canvas->zoom();
    RECT outer{};
    if (IsZoomed(m_hwnd) || IsIconic(m_hwnd)) {
        // As it would be restored, in the screen's coordinates rather than the work area's.
        WINDOWPLACEMENT kept{};
        kept.length = sizeof kept;
        GetWindowPlacement(m_hwnd, &kept);
        outer = kept.rcNormalPosition;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoW(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &monitor)) {
            OffsetRect(&outer, monitor.rcWork.left - monitor.rcMonitor.left,
                       monitor.rcWork.top - monitor.rcMonitor.top);
        }
        RECT frame{};
        AdjustWindowRectExForDpi(&frame, kChartStyle, FALSE, kChartExStyle, m_dpi);
        placement.width = (outer.right - outer.left) - (frame.right - frame.left);
        placement.height = (outer.bottom - outer.top) - (frame.bottom - frame.top);
    } else {
        GetWindowRect(m_hwnd, &outer);
        RECT client{};
        GetClientRect(m_hwnd, &client);
        placement.width = client.right;
        placement.height = client.bottom;
    }
    placement.position = ScreenPosition{outer.left, outer.top};
    return placement;
}

void ChartWindow::hideWithPalette() {
    if (shown()) {
        ShowWindow(m_hwnd, SW_HIDE);
        m_hiddenWithPalette = true;
    }
}

void ChartWindow::showWithPalette() {
    if (m_hiddenWithPalette) {
        m_hiddenWithPalette = false;
        ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    }
}

bool ChartWindow::takeWheel(const MSG& msg) {
    if ((msg.message != WM_MOUSEWHEEL && msg.message != WM_MOUSEHWHEEL) || !shown()) {
        return false;
    }
    // The wheel goes to the window with the keyboard focus, the line; the user means the chart
    // under the pointer.
    const POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    const HWND under = WindowFromPoint(at);
    if (msg.hwnd == m_canvas->hwnd() || (under != m_hwnd && !IsChild(m_hwnd, under))) {
        return false;
    }
    SendMessageW(m_canvas->hwnd(), msg.message, msg.wParam, msg.lParam);
    return true;
}

RECT ChartWindow::hoverRect() const {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    client.top = std::max(0L, client.bottom - scale(kHoverHeight));
    return client;
}

void ChartWindow::layout() {
    if (m_canvas == nullptr) {
        return;
    }
    const RECT hover = hoverRect();
    MoveWindow(m_canvas->hwnd(), 0, 0, hover.right, hover.top, TRUE);
    InvalidateRect(m_hwnd, &hover, TRUE);
}

void ChartWindow::showHovered(int symbolRow) {
    if (symbolRow != m_hoverRow) {
        m_hoverRow = symbolRow;
        const RECT hover = hoverRect();
        InvalidateRect(m_hwnd, &hover, TRUE);
    }
}

void ChartWindow::paintHover(HDC dc, const RECT& area) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const HGDIOBJ old = SelectObject(dc, m_textFont);
    const RECT text{area.left + scale(kHoverHeight + 28), area.top,
                    std::max(area.left + scale(kHoverHeight + 28), area.right - scale(4)),
                    area.bottom};
    if (m_hoverRow < 0) {
        drawText(dc, kHoverHint,
                 {area.left + scale(8), area.top, area.right - scale(8), area.bottom}, DT_LEFT);
        SelectObject(dc, old);
        return;
    }
    const SymbolTip tip = symbolTip(static_cast<std::size_t>(m_hoverRow));
    std::string lines;
    for (const std::string& line : tip.lines()) {
        lines += (lines.empty() ? "" : "\n") + line;
    }
    drawText(dc, widen(lines), text, DT_LEFT);
    SelectObject(dc, m_hoverGlyphFont);
    RECT glyph{area.left + scale(4), area.top, area.left + scale(kHoverHeight + 20), area.bottom};
    const std::wstring symbol = wide(tip.glyph);
    DrawTextW(dc, symbol.c_str(), static_cast<int>(symbol.size()), &glyph,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

LRESULT ChartWindow::handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        m_hwnd = hwnd;
        break;
    case WM_MOUSEACTIVATE:
        // A click works the chart and leaves the keyboard where it was.
        return MA_NOACTIVATE;
    case WM_SIZE:
        layout();
        return 0;
    case WM_GETMINMAXINFO: {
        RECT frame{0, 0, kMinWidth, kMinHeight};
        AdjustWindowRectExForDpi(&frame, kChartStyle, FALSE, kChartExStyle, m_dpi);
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        paintHover(dc, hoverRect());
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        // Kept for the next opening, where the user left it.
        m_palette.chartClosed();
        ShowWindow(hwnd, SW_HIDE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace korv::win32
