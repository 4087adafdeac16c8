// SPDX-License-Identifier: GPL-3.0-or-later
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "aboutlogo.h"

namespace korv {
namespace {

// The logo is drawn on whatever lies behind it: around the cube nothing is painted, on each
// face something opaque is, at any scale.
TEST(AboutLogo, PaintsOnlyTheCubeAtEveryScale) {
    for (const int scale : {1, 2, 3}) {
        SCOPED_TRACE(scale);
        QImage image(64 * scale, 64 * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paintLogo(painter, 64);
        painter.end();

        for (const QPoint corner : {QPoint(1, 1), QPoint(62, 1), QPoint(1, 62), QPoint(62, 62)}) {
            EXPECT_EQ(qAlpha(image.pixel(corner * scale)), 0) << corner.x() << "," << corner.y();
        }
        // Near the outer corner of each face, clear of its symbol.
        const QPoint top(32, 8), left(9, 25), right(55, 25);
        QList<QRgb> faces;
        for (const QPoint at : {top, left, right}) {
            const QRgb pixel = image.pixel(at * scale);
            EXPECT_EQ(qAlpha(pixel), 255) << at.x() << "," << at.y();
            faces << pixel;
        }
        EXPECT_NE(faces[0], faces[1]);
        EXPECT_NE(faces[1], faces[2]);
    }
}

} // namespace
} // namespace korv
