// SPDX-License-Identifier: GPL-3.0-or-later
#include "charttabs.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionTab>

namespace korv {
namespace {

constexpr int kTabHeight = 15;
constexpr int kTextPadding = 6;

} // namespace

ChartTabs::ChartTabs(QWidget* parent)
    : QTabBar(parent)
    , m_look(QStyleFactory::create(QStringLiteral("Windows"))) {}

ChartTabs::~ChartTabs() = default;

QSize ChartTabs::tabSizeHint(int index) const {
    const int text = fontMetrics().size(Qt::TextShowMnemonic, tabText(index)).width();
    return {text + 2 * kTextPadding, kTabHeight};
}

QSize ChartTabs::minimumTabSizeHint(int index) const {
    return tabSizeHint(index);
}

void ChartTabs::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyle* look = m_look ? m_look.get() : style();
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        look->drawControl(QStyle::CE_TabBarTabShape, &option, &painter, this);
        look->drawItemText(&painter, option.rect, Qt::AlignCenter | Qt::TextShowMnemonic,
                           option.palette, (option.state & QStyle::State_Enabled) != 0, option.text,
                           QPalette::WindowText);
    }
}

} // namespace korv
