// SPDX-License-Identifier: GPL-3.0-or-later
#include "appicon.h"

#include <QDir>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include <cctype>
#include <charconv>
#include <cstring>

#include "appiconpath.h"

namespace korv {
namespace {

// The absolute commands an outline from a font needs (M, L, H, V, Q, C, Z) of an SVG path.
QPainterPath svgPath(const char* data) {
    QPainterPath path;
    char command = 0;
    const char* at = data;
    const char* const end = data + std::strlen(data);
    // Not strtod: the user's locale may write its decimal point as a comma.
    bool read = true;
    const auto number = [&at, end, &read]() {
        while (*at == ' ' || *at == ',') {
            ++at;
        }
        double value = 0;
        const std::from_chars_result result = std::from_chars(at, end, value);
        read = read && result.ec == std::errc();
        at = result.ptr;
        return value;
    };
    while (*at != '\0') {
        if (std::isalpha(static_cast<unsigned char>(*at)) != 0) {
            command = *at++;
        }
        const QPointF current = path.currentPosition();
        switch (command) {
        case 'M': {
            const double x = number();
            path.moveTo(x, number());
            command = 'L'; // pairs after a move are lines
            break;
        }
        case 'L': {
            const double x = number();
            path.lineTo(x, number());
            break;
        }
        case 'H':
            path.lineTo(number(), current.y());
            break;
        case 'V':
            path.lineTo(current.x(), number());
            break;
        case 'Q': {
            const double cx = number();
            const double cy = number();
            const double x = number();
            path.quadTo(cx, cy, x, number());
            break;
        }
        case 'C': {
            double v[6];
            for (double& value : v) {
                value = number();
            }
            path.cubicTo(v[0], v[1], v[2], v[3], v[4], v[5]);
            break;
        }
        case 'Z':
            path.closeSubpath();
            command = 0; // a number after it would be an error
            break;
        default:
            return path; // not an outline this reads
        }
        if (!read) {
            return path;
        }
        while (*at == ' ' || *at == ',') {
            ++at;
        }
    }
    return path;
}

} // namespace

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

    // Each size of a face costs a font engine, some 100 KiB apiece; the outline costs none.
    static const QPainterPath schwa = svgPath(kSchwaPath);
    painter.scale(s / kSchwaPathGrid, s / kSchwaPathGrid);
    painter.fillPath(schwa, Qt::white);
    painter.end();
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
