// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbolbutton.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include "symbolgrid.h"
#include "symboltag.h"

namespace korv {

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
