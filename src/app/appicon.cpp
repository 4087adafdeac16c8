// SPDX-License-Identifier: GPL-3.0-or-later
#include "appicon.h"

#include <QIconEngine>
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

namespace {

// Found or drawn once, when first shown: the window and the notification area share the picture.
const QIcon& appIconPicture() {
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

// Stands for the picture until something draws it: the theme lookup and the drawing cost as
// much as the rest of the start-up together.
class AppIconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        appIconPicture().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    // Sizes come in device pixels.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return appIconPicture().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return appIconPicture().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return appIconPicture().availableSizes(mode, state);
    }
    QString iconName() override { return appIconPicture().name(); }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("korvani"); }
    QIconEngine* clone() const override { return new AppIconEngine; }
};

} // namespace

QIcon appIcon() {
    return QIcon(new AppIconEngine);
}

} // namespace korv
