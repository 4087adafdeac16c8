// SPDX-License-Identifier: GPL-3.0-or-later
#include "handcursor.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace korv {

QCursor makeHandCursor() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);

    QPainterPath hand;
    hand.addRoundedRect(QRectF(9, 8, 5, 13), 2.5, 2.5); // index finger, tip at (11, 8)
    hand.addRoundedRect(QRectF(13, 14, 4, 8), 2, 2);    // middle finger
    hand.addRoundedRect(QRectF(16, 15, 4, 7), 2, 2);    // ring finger
    hand.addRoundedRect(QRectF(19, 16, 4, 7), 2, 2);    // little finger
    hand.addRoundedRect(QRectF(4, 18, 7, 4), 2, 2);     // thumb
    hand.addRoundedRect(QRectF(8, 19, 15, 10), 3, 3);   // palm
    hand.setFillRule(Qt::WindingFill);
    const QPainterPath outline = hand.simplified();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);
    painter.end();
    return QCursor(pixmap, 11, 8);
}

} // namespace korv
