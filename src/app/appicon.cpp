// SPDX-License-Identifier: GPL-3.0-or-later
#include "appicon.h"

#include <QDir>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include "faces.h"

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

    QFont font = installedFace({QStringLiteral("Charis SIL"), QStringLiteral("DejaVu Serif")});
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

constexpr int kDrawnSizes[] = {16, 22, 32, 48};

const QIcon& drawnPicture() {
    static const QIcon icon = [] {
        QIcon all;
        for (const int size : kDrawnSizes) {
            all.addPixmap(appIconPixmap(size));
        }
        return all;
    }();
    return icon;
}

const QString kIconName = QStringLiteral("org.example.korvani");

// Installing puts the icon into the hicolor theme, where every icon theme falls back to. A look
// there costs a few file tests; asking the theme costs reading its whole index, about as much
// memory as the program's own start-up adds to an empty window's.
bool installedInHicolor() {
    for (const QString& path : QIcon::themeSearchPaths()) {
        const QDir hicolor(path + QStringLiteral("/hicolor"));
        for (const QString& size : hicolor.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            for (const char* type : {".png", ".svg"}) {
                if (QFileInfo::exists(hicolor.filePath(size + QStringLiteral("/apps/") + kIconName +
                                                       QLatin1String(type)))) {
                    return true;
                }
            }
        }
    }
    return false;
}

// Found or drawn once, when first shown: the window and the notification area share the picture.
const QIcon& appIconPicture() {
    static const QIcon icon = [] {
        // An installed copy has its icon in the theme, drawn for every size a desktop asks for.
        return installedInHicolor() && QIcon::hasThemeIcon(kIconName) ? QIcon::fromTheme(kIconName)
                                                                      : drawnPicture();
    }();
    return icon;
}

// Stands for the picture until something draws it: the theme lookup and the drawing wait for the
// first size asked for.
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
