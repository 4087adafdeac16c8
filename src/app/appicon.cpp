// SPDX-License-Identifier: GPL-3.0-or-later
#include "appicon.h"

#include <QPainter>
#include <QPainterPath>

namespace korv {

QPixmap appIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // A deep blue tile with a white schwa: the symbol users reach for most.
    const qreal s = size;
    QPainterPath tile;
    tile.addRoundedRect(QRectF(0.5, 0.5, s - 1.0, s - 1.0), s * 0.18, s * 0.18);
    painter.fillPath(tile, QColor(0x1f, 0x4e, 0x8c));
    painter.setPen(QPen(QColor(0x0f, 0x2e, 0x5a), s >= 32 ? 2.0 : 1.0));
    painter.drawPath(tile);

    QFont font;
    font.setFamilies({QStringLiteral("Charis SIL"), QStringLiteral("DejaVu Serif")});
    font.setPixelSize(qRound(s * 0.95));
    // Regular weight: the chart loads that face anyway, a bold one would be one more file.
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QFontMetricsF metrics(font);
    const QString schwa(QChar(0x0259));
    const QRectF ink = metrics.tightBoundingRect(schwa);
    const QPointF origin((s - ink.width()) / 2.0 - ink.left(),
                         (s - ink.height()) / 2.0 - ink.top());
    painter.drawText(origin, schwa);
    return pixmap;
}

QIcon appIcon() {
    // Found or drawn once: the window and the notification area share the picture.
    static const QIcon icon = [] {
        // An installed copy has its icon in the theme, drawn for every size a desktop asks for.
        const QString name = QStringLiteral("org.example.korvani");
        if (QIcon::hasThemeIcon(name)) {
            return QIcon::fromTheme(name);
        }
        QIcon sizes;
        for (int size : {16, 22, 32, 48}) {
            sizes.addPixmap(appIconPixmap(size));
        }
        return sizes;
    }();
    return icon;
}

} // namespace korv
