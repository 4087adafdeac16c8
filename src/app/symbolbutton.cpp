// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbolbutton.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include "symboltag.h"

namespace korv {
namespace {

// One baseline for every glyph, so that symbols side by side line up as text does.
constexpr int kGlyphPixelSize = 15;
constexpr qreal kGlyphBaseline = 13.0;
// Stress, length and aspiration marks are small by nature; they get a larger face.
constexpr int kMarkPixelSize = 19;
const QColor kGlyphColour(0x1a, 0x1a, 0x1a);

bool isMark(const QString& text) {
    return text.size() == 1 && text.at(0).unicode() >= 0x02B0 && text.at(0).unicode() <= 0x02FF;
}

QFont glyphFont(const QString& text) {
    QFont font;
    font.setFamilies({QStringLiteral("Charis SIL"), QStringLiteral("DejaVu Serif")});
    font.setPixelSize(isMark(text) ? kMarkPixelSize : kGlyphPixelSize);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

QPixmap renderGlyph(const QString& text, QSize box, qreal devicePixelRatio) {
    QPixmap pixmap(box * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont font = glyphFont(text);
    painter.setFont(font);
    painter.setPen(kGlyphColour);
    const QFontMetricsF metrics(font);
    const qreal advance = metrics.horizontalAdvance(text);
    // Keep the ink inside the box: raised marks (such as the aspiration h) come down.
    const QRectF ink = metrics.tightBoundingRect(text).translated(0, kGlyphBaseline);
    qreal baseline = kGlyphBaseline;
    if (ink.top() < 1.0) {
        baseline += 1.0 - ink.top();
    } else if (ink.bottom() > box.height() - 1.0) {
        baseline -= ink.bottom() - (box.height() - 1.0);
    }
    painter.drawText(QPointF((box.width() - advance) / 2.0, baseline), text);
    return pixmap;
}

SymbolButton::SymbolButton(const SymbolButtonEntry& entry, QWidget* parent)
    : QToolButton(parent)
    , m_entry(entry)
    , m_symbol(QString::fromStdU16String(GetNewUnistr(entry.tag))) {
    setObjectName(
        QString::fromLatin1(entry.name.data(), static_cast<qsizetype>(entry.name.size())));
    setGeometry(entry.left, entry.top, entry.width, entry.height);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(m_symbol);
    // The glyph is drawn on first paint: buttons of a page not shown cost nothing at start.
}

void SymbolButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    if (m_glyph.isNull() || !qFuzzyCompare(m_glyph.devicePixelRatio(), devicePixelRatioF())) {
        const GlyphSize size = glyphSizeForButton(m_entry.width);
        m_glyph = renderGlyph(m_symbol, QSize(size.width, size.height), devicePixelRatioF());
    }
    const QSize box = m_glyph.deviceIndependentSize().toSize();
    int x = (width() - box.width()) / 2;
    int y = m_entry.glyphAlign == GlyphAlign::Top ? m_entry.glyphMargin
                                                  : height() - box.height() - m_entry.glyphMargin;
    if (isDown()) {
        ++x;
        ++y;
    }
    painter.drawPixmap(x, y, m_glyph);
}

SymbolPanel::SymbolPanel(QWidget* parent)
    : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
}

void SymbolPanel::setShowHint(bool show) {
    m_showHint = show;
    for (SymbolButton* button : findChildren<SymbolButton*>(Qt::FindDirectChildrenOnly)) {
        const std::string_view hint = button->entry().hint;
        button->setToolTip(
            show ? QString::fromLatin1(hint.data(), static_cast<qsizetype>(hint.size()))
                 : QString());
    }
}

} // namespace korv
