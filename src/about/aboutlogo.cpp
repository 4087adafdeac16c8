// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutlogo.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <array>

namespace korv {
namespace {

// The cube in a 64-unit square: one vertex each at the back, left, right, front top corner and
// the three lower corners that show.
constexpr qreal kDesignSide = 64.0;
const QPointF kBack(32, 3);
const QPointF kLeft(5, 16.5);
const QPointF kRight(59, 16.5);
const QPointF kFront(32, 30);
const QPointF kLeftLow(5, 47.5);
const QPointF kRightLow(59, 47.5);
const QPointF kFrontLow(32, 61);

struct Face {
    std::array<QPointF, 4> corners;
    // Where a page holding the symbol lands, as top left, top right, bottom right, bottom left:
    // on the sides the face itself; on the top an upright page seen from above, foreshortened.
    std::array<QPointF, 4> page;
    QColor fill;
    QColor ink;
    const char16_t* symbol;
};

const std::array<Face, 3> kFaces{{
    {{kBack, kRight, kFront, kLeft},
     {QPointF(16, 8.5), QPointF(48, 8.5), QPointF(48, 24.5), QPointF(16, 24.5)},
     QColor(0x9c, 0xcb, 0xf2),
     QColor(0x12, 0x2c, 0x4f),
     u"\u0259"},
    {{kLeft, kFront, kFrontLow, kLeftLow},
     {kLeft, kFront, kFrontLow, kLeftLow},
     QColor(0x2f, 0x6f, 0xb8),
     Qt::white,
     u"\u0283"},
    {{kFront, kRight, kRightLow, kFrontLow},
     {kFront, kRight, kRightLow, kFrontLow},
     QColor(0x1c, 0x4a, 0x84),
     Qt::white,
     u"\u014b"},
}};

const QColor kEdge(0x0b, 0x24, 0x42);

// A symbol as an outline filling the middle of a 100-unit square, for mapping onto a face.
QPainterPath glyphPath(const QString& text) {
    QFont font;
    font.setFamilies({QStringLiteral("Charis SIL"), QStringLiteral("DejaVu Serif")});
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    const qreal scale = 64.0 / std::max(box.width(), box.height());
    QTransform fit;
    fit.translate(50, 50);
    fit.scale(scale, scale);
    fit.translate(-box.center().x(), -box.center().y());
    return fit.map(path);
}

} // namespace

void paintLogo(QPainter& painter, qreal side) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QTransform outer = painter.worldTransform();
    const QTransform scale = QTransform::fromScale(side / kDesignSide, side / kDesignSide);
    const QPolygonF square({QPointF(0, 0), QPointF(100, 0), QPointF(100, 100), QPointF(0, 100)});

    for (const Face& face : kFaces) {
        const QPolygonF quad(QList<QPointF>(face.corners.begin(), face.corners.end()));
        painter.setWorldTransform(scale * outer);
        painter.setPen(Qt::NoPen);
        painter.setBrush(face.fill);
        painter.drawPolygon(quad);

        const QPolygonF page(QList<QPointF>(face.page.begin(), face.page.end()));
        QTransform onFace;
        if (QTransform::quadToQuad(square, page, onFace)) {
            painter.setWorldTransform(onFace * scale * outer);
            painter.fillPath(glyphPath(QString::fromUtf16(face.symbol)), face.ink);
        }
    }

    painter.setWorldTransform(scale * outer);
    QPen edge(kEdge, 1.5);
    edge.setJoinStyle(Qt::RoundJoin);
    painter.setPen(edge);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygonF({kBack, kRight, kRightLow, kFrontLow, kLeftLow, kLeft}));
    painter.drawPolyline(QPolygonF({kLeft, kFront, kRight}));
    painter.drawLine(kFront, kFrontLow);
    painter.restore();
}

AboutLogo::AboutLogo(QWidget* parent)
    : QWidget(parent) {}

void AboutLogo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintLogo(painter, qMin(width(), height()));
}

} // namespace korv
