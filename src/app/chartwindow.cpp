// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartwindow.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

#include "accessiblepart.h"
#include "coretext.h"
#include "faces.h"
#include "ipasymbols.h"
#include "symbolgrid.h"
#include "symboltip.h"

namespace korv {
namespace {

constexpr int kHoverHeight = 76;
constexpr int kHoverGlyphPixels = 52;
const QColor kInk(0x1a, 0x1a, 0x1a);
const QColor kShade(0xc4, 0xc4, 0xc4);
const QColor kRule(0x70, 0x70, 0x70);

const QStringList& glyphFaces() {
    static const QStringList faces =
        installedFace({QStringLiteral("Charis SIL"), QStringLiteral("Doulos SIL"),
                       QStringLiteral("Gentium"), QStringLiteral("DejaVu Serif")})
            .families();
    return faces;
}

QFont glyphFont(double pixels) {
    QFont font;
    font.setFamilies(glyphFaces());
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QString glyphText(int symbolRow) {
    return QString::fromStdU16String(
        displayText(ipaSymbols()[static_cast<std::size_t>(symbolRow)]));
}

QRectF qrect(const ChartBox& box) {
    return {box.left, box.top, box.width, box.height};
}

// Draws a glyph on the baseline that centres the small letters' band in the box, as a line of
// text would; a glyph whose ink would leave the box (a tie bar high above, a hook below) moves in,
// and one that is larger than the box is drawn smaller until it fits.
void drawGlyph(QPainter& painter, const QString& text, double pixels, const QRectF& box,
               bool centred) {
    QFont font = glyphFont(pixels);
    QRectF ink = glyphInk(text, font);
    const QRectF room = box.adjusted(1, 1, -1, -1);
    if (ink.width() > room.width() || ink.height() > room.height()) {
        const double shrink = std::min(room.width() / std::max(1.0, ink.width()),
                                       room.height() / std::max(1.0, ink.height()));
        font = glyphFont(pixels * shrink);
        ink = glyphInk(text, font);
    }
    painter.setFont(font);
    const double xHeight = QFontMetricsF(font).xHeight();
    double baseline =
        centred ? box.center().y() - ink.center().y() : box.center().y() + xHeight / 2;
    if (baseline + ink.top() < room.top()) {
        baseline = room.top() - ink.top();
    } else if (baseline + ink.bottom() > room.bottom()) {
        baseline = room.bottom() - ink.bottom();
    }
    painter.drawText(QPointF(box.center().x() - ink.center().x(), baseline), text);
}

} // namespace

// One symbol of the chart as a screen reader sees it: a push button whose press inserts it.
class ChartCellAccessible final : public AccessiblePart<ChartCanvas> {
public:
    using AccessiblePart::AccessiblePart;

    bool isValid() const override {
        return owner() != nullptr && index() < owner()->symbolItems().size();
    }
    QString text(QAccessible::Text t) const override {
        if (!isValid()) {
            return {};
        }
        const int item = owner()->symbolItems().at(index());
        if (t == QAccessible::Name) {
            return owner()->cellName(item);
        }
        if (t == QAccessible::Description) {
            const int row = owner()->chart().items.at(static_cast<std::size_t>(item)).symbol;
            const std::vector<std::string> lines = symbolTip(static_cast<std::size_t>(row)).lines();
            QStringList rest;
            for (std::size_t i = 1; i < lines.size(); ++i) {
                rest.append(QString::fromStdString(lines[i]));
            }
            return rest.join(QStringLiteral(", "));
        }
        return {};
    }
    QAccessible::Role role() const override { return QAccessible::Button; }

protected:
    QRect partRect() const override {
        return owner()->itemRect(owner()->symbolItems().at(index()));
    }
    void addPartState(QAccessible::State& state) const override {
        const int item = owner()->symbolItems().at(index());
        state.hotTracked = owner()->m_hover == item;
        state.pressed = owner()->m_pressed == item;
    }
    void press() override { owner()->click(owner()->symbolItems().at(index())); }
};

class ChartCanvasAccessible final : public QAccessibleWidget {
public:
    explicit ChartCanvasAccessible(ChartCanvas* canvas)
        : QAccessibleWidget(canvas, QAccessible::Grouping) {}

    int childCount() const override { return static_cast<int>(canvas()->symbolItems().size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        if (const QAccessible::Id id = canvas()->m_accessibleCells.value(index)) {
            return QAccessible::accessibleInterface(id);
        }
        auto* iface = new ChartCellAccessible(canvas(), index);
        canvas()->m_accessibleCells.insert(index, QAccessible::registerAccessibleInterface(iface));
        return iface;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr || child->object() != nullptr ||
            child->role() != QAccessible::Button) {
            return -1;
        }
        const auto* cell = static_cast<const ChartCellAccessible*>(child);
        return cell->owner() == canvas() ? cell->index() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = canvas()->mapFromGlobal(QPoint(x, y));
        const int item = chartSymbolAt(canvas()->chart(), at.x(), at.y());
        const int index = static_cast<int>(canvas()->symbolItems().indexOf(item));
        return index >= 0 ? child(index) : nullptr;
    }

private:
    ChartCanvas* canvas() const { return static_cast<ChartCanvas*>(widget()); }
};

namespace {

QAccessibleInterface* canvasAccessible(const QString&, QObject* object) {
    auto* canvas =
        object != nullptr && object->isWidgetType() ? dynamic_cast<ChartCanvas*>(object) : nullptr;
    return canvas != nullptr ? new ChartCanvasAccessible(canvas) : nullptr;
}

} // namespace

ChartCanvas::ChartCanvas(QWidget* parent)
    : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(canvasAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setObjectName(QStringLiteral("ChartCanvas"));
    setAccessibleName(fromUtf8(kChartAccessibleName));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    setScale(1.0);
}

ChartCanvas::~ChartCanvas() {
    forgetAccessibleCells();
}

void ChartCanvas::forgetAccessibleCells() {
    for (const QAccessible::Id id : std::as_const(m_accessibleCells)) {
        QAccessible::deleteAccessibleInterface(id);
    }
    m_accessibleCells.clear();
}

void ChartCanvas::setScale(double scale) {
    m_chart = scaleChart(ipaChart(), scale);
    if (m_symbols.isEmpty()) {
        for (std::size_t i = 0; i < m_chart.items.size(); ++i) {
            if (m_chart.items[i].kind == ChartItemKind::Symbol) {
                m_symbols.append(static_cast<int>(i));
            }
        }
    }
    resize(static_cast<int>(std::ceil(m_chart.width)), static_cast<int>(std::ceil(m_chart.height)));
    update();
}

QRect ChartCanvas::itemRect(int item) const {
    return qrect(m_chart.items.at(static_cast<std::size_t>(item)).box).toAlignedRect();
}

QString ChartCanvas::cellName(int item) const {
    const int row = m_chart.items.at(static_cast<std::size_t>(item)).symbol;
    return glyphText(row) + QStringLiteral(", ") +
           fromUtf8(ipaSymbols()[static_cast<std::size_t>(row)].name);
}

void ChartCanvas::click(int item) {
    if (item >= 0 && clicked) {
        clicked(m_chart.items.at(static_cast<std::size_t>(item)).symbol);
    }
}

void ChartCanvas::setHover(int item) {
    if (item == m_hover) {
        return;
    }
    if (m_hover >= 0) {
        update(itemRect(m_hover));
    }
    m_hover = item;
    if (item >= 0) {
        update(itemRect(item));
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    if (hovered) {
        hovered(item >= 0 ? m_chart.items.at(static_cast<std::size_t>(item)).symbol : -1);
    }
}

bool ChartCanvas::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove: {
        const QPointF at = static_cast<QHoverEvent*>(event)->position();
        setHover(chartSymbolAt(m_chart, at.x(), at.y()));
        break;
    }
    case QEvent::HoverLeave:
    case QEvent::Hide:
        setHover(-1);
        m_pressed = -1;
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void ChartCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect exposed = event->rect();
    QFont textFont = font();
    for (std::size_t i = 0; i < m_chart.items.size(); ++i) {
        const ChartItem& item = m_chart.items[i];
        const QRectF box = qrect(item.box);
        if (item.kind != ChartItemKind::Line && !box.intersects(exposed)) {
            continue;
        }
        switch (item.kind) {
        case ChartItemKind::Title:
        case ChartItemKind::Heading:
        case ChartItemKind::Label: {
            textFont.setPixelSize(std::max(1, static_cast<int>(std::lround(item.size))));
            textFont.setBold(item.kind == ChartItemKind::Title);
            painter.setFont(textFont);
            painter.setPen(item.kind == ChartItemKind::Label ? QColor(0x40, 0x40, 0x40) : kInk);
            const int align = (item.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter |
                              Qt::TextWordWrap;
            painter.drawText(box, align, fromUtf8(item.text));
            break;
        }
        case ChartItemKind::Cell:
            painter.setPen(QPen(kRule, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box);
            break;
        case ChartItemKind::Shade:
            painter.fillRect(box, kShade);
            break;
        case ChartItemKind::Line:
            painter.setPen(QPen(kRule, std::max(1.0, item.size > 0 ? item.size : 1.5)));
            painter.drawLine(
                QPointF(item.box.left, item.box.top),
                QPointF(item.box.left + item.box.width, item.box.top + item.box.height));
            break;
        case ChartItemKind::Dot:
            painter.setPen(Qt::NoPen);
            painter.setBrush(kInk);
            painter.drawEllipse(box);
            break;
        case ChartItemKind::Symbol: {
            const int index = static_cast<int>(i);
            if (index == m_hover || index == m_pressed) {
                QColor back = palette().color(QPalette::Highlight);
                back.setAlpha(index == m_pressed ? 110 : 45);
                painter.setPen(Qt::NoPen);
                painter.setBrush(back);
                painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), 3, 3);
            }
            painter.setPen(kInk);
            drawGlyph(painter, glyphText(item.symbol), item.size, qrect(item.glyph), item.centred);
            break;
        }
        }
    }
}

void ChartCanvas::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    const int item = chartSymbolAt(m_chart, at.x(), at.y());
    if (event->button() != Qt::LeftButton || item < 0) {
        event->ignore();
        return;
    }
    m_pressed = item;
    update(itemRect(item));
}

void ChartCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_pressed < 0) {
        event->ignore();
        return;
    }
    const int item = m_pressed;
    m_pressed = -1;
    update(itemRect(item));
    const QPointF at = event->position();
    if (chartSymbolAt(m_chart, at.x(), at.y()) == item) {
        click(item);
    }
}

void ChartCanvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    m_wheel += event->angleDelta().y();
    // One step a notch (120 eighths of a degree), however finely a touchpad reports it.
    while (std::abs(m_wheel) >= 120) {
        const int step = m_wheel > 0 ? 1 : -1;
        m_wheel -= step * 120;
        if (zoomed) {
            zoomed(step);
        }
    }
    event->accept();
}

ChartWindow::ChartWindow(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ChartWindow"));
    setWindowTitle(fromUtf8(kChartWindowCaption));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(160, 120);

    scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("ChartScrollArea"));
    scrollArea->setFocusPolicy(Qt::NoFocus);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrollArea->verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    scrollArea->horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
    scrollArea->setBackgroundRole(QPalette::Base);
    canvas = new ChartCanvas;
    scrollArea->setWidget(canvas);
    scrollArea->viewport()->installEventFilter(this);
    canvas->clicked = [this](int row) {
        if (OnInsert) {
            OnInsert(row);
        }
    };
    canvas->hovered = [this](int row) { showHovered(row); };
    canvas->zoomed = [this](int step) {
        if (OnZoom) {
            OnZoom(step);
        }
    };

    hoverGlyph = new QLabel(this);
    hoverGlyph->setObjectName(QStringLiteral("ChartHoverGlyph"));
    hoverGlyph->setAlignment(Qt::AlignCenter);
    hoverGlyph->setFont(glyphFont(kHoverGlyphPixels));
    hoverText = new QLabel(this);
    hoverText->setObjectName(QStringLiteral("ChartHoverText"));
    hoverText->setAccessibleName(QStringLiteral("Symbol under the pointer"));
    hoverText->setTextFormat(Qt::PlainText);
    hoverText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    showHovered(-1);
}

void ChartWindow::setZoom(int zoom) {
    if (zoom == m_zoom) {
        return;
    }
    // The point in the middle of the view stays there.
    const double before = canvas->width() > 0 ? static_cast<double>(canvas->width()) : 1.0;
    const double x =
        (scrollArea->horizontalScrollBar()->value() + scrollArea->viewport()->width() / 2.0) /
        before;
    const double y =
        (scrollArea->verticalScrollBar()->value() + scrollArea->viewport()->height() / 2.0) /
        std::max(1, canvas->height());
    m_zoom = zoom;
    rescale();
    scrollArea->horizontalScrollBar()->setValue(
        static_cast<int>(x * canvas->width() - scrollArea->viewport()->width() / 2.0));
    scrollArea->verticalScrollBar()->setValue(
        static_cast<int>(y * canvas->height() - scrollArea->viewport()->height() / 2.0));
}

void ChartWindow::rescale() {
    const int viewWidth = scrollArea->viewport()->width();
    canvas->setScale(chartScale(ipaChart(), viewWidth, m_zoom));
}

void ChartWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scrollArea->setGeometry(0, 0, width(), std::max(0, height() - kHoverHeight));
    hoverGlyph->setGeometry(4, height() - kHoverHeight, kHoverHeight + 16, kHoverHeight);
    hoverText->setGeometry(kHoverHeight + 28, height() - kHoverHeight,
                           std::max(0, width() - kHoverHeight - 32), kHoverHeight);
    rescale();
}

bool ChartWindow::eventFilter(QObject* watched, QEvent* event) {
    // A scroll bar that comes or goes changes the view's width.
    if (watched == scrollArea->viewport() && event->type() == QEvent::Resize) {
        rescale();
    }
    return QWidget::eventFilter(watched, event);
}

void ChartWindow::showHovered(int symbolRow) {
    if (symbolRow < 0) {
        hoverGlyph->clear();
        hoverText->setText(
            QStringLiteral("Point at a symbol to see its name; click it to insert it "
                           "at the caret. Ctrl+wheel or Ctrl+plus and Ctrl+minus "
                           "zoom."));
        hoverText->setWordWrap(true);
        return;
    }
    const SymbolTip tip = symbolTip(static_cast<std::size_t>(symbolRow));
    hoverGlyph->setText(QString::fromStdU16String(tip.glyph));
    QStringList lines;
    for (const std::string& line : tip.lines()) {
        lines.append(QString::fromStdString(line));
    }
    hoverText->setText(lines.join(QLatin1Char('\n')));
}

void ChartWindow::closeEvent(QCloseEvent* event) {
    if (OnClosed) {
        OnClosed();
    }
    event->accept();
}

} // namespace korv
