// SPDX-License-Identifier: GPL-3.0-or-later
// The installed icon and the icon drawn at run time are one design, and an installed icon wins.
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

#include "appicon.h"

namespace korv {
namespace {

// Mean difference per channel, 0..255, over two pictures of one size.
double meanDifference(QImage a, QImage b) {
    a.convertTo(QImage::Format_ARGB32);
    b.convertTo(QImage::Format_ARGB32);
    double sum = 0;
    for (qsizetype i = 0; i < a.sizeInBytes(); ++i) {
        sum += std::abs(a.constBits()[i] - b.constBits()[i]);
    }
    return sum / static_cast<double>(a.sizeInBytes());
}

TEST(AppIcon, InstalledPicturesAreTheDrawnDesign) {
    for (const int size : {48, 256}) {
        const QImage installed(
            QStringLiteral(KORV_ICON_DIR "/%1x%1/org.example.korvani.png").arg(size));
        ASSERT_FALSE(installed.isNull()) << size;
        const QImage drawn = appIconPixmap(size).toImage();
        ASSERT_EQ(installed.size(), drawn.size());
        // The two rasterisers differ by under 3 levels at these sizes, mostly at edges; the tile
        // without its symbol differs by about 11.
        EXPECT_LT(meanDifference(installed, drawn), 5.0) << size;
    }
}

TEST(AppIcon, ThemeIconWinsWhereInstalled) {
    // A theme holding a plain red picture under the program's icon name.
    QTemporaryDir themes;
    const QDir root(themes.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("hicolor/32x32/apps")));
    QFile index(root.filePath(QStringLiteral("hicolor/index.theme")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=Hicolor\nDirectories=32x32/apps\n\n"
                "[32x32/apps]\nSize=32\nType=Fixed\n");
    index.close();
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(
        red.save(root.filePath(QStringLiteral("hicolor/32x32/apps/org.example.korvani.png"))));
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("hicolor"));

    const QImage shown = appIcon().pixmap(32, 32).toImage();
    EXPECT_EQ(shown.pixelColor(16, 16), QColor(Qt::red));
}

} // namespace
} // namespace korv
