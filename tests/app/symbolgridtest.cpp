// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QFile>
#include <QFrame>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "ipasymbols.h"
#include "symbolgrid.h"
#include "symboltable.h"

namespace korv {
namespace {

// Where a press lands, where it is let go, and what the grid and a screen reader make of it.
TEST(SymbolGridTest, HitTestingClicksAndAccessibleChildren) {
    SymbolGrid grid;
    auto* divider = new QFrame(&grid); // child widgets come before the cells in the tree
    divider->setGeometry(50, 0, 2, 24);
    grid.setCells({
        {{0, 0, 25, 24},
         QStringLiteral("i"),
         GlyphAlign::Top,
         2,
         QStringLiteral("see"),
         QStringLiteral("i"),
         QStringLiteral("see"),
         105,
         {}},
        {{25, 0, 25, 24},
         QStringLiteral("\u026a"),
         GlyphAlign::Top,
         2,
         QString(),
         QStringLiteral("\u026a"),
         QStringLiteral("sit"),
         618,
         {}},
        {{53, 0, 12, 24},
         QStringLiteral("\u02cc"),
         GlyphAlign::Bottom,
         2,
         QStringLiteral("secondary stress"),
         QStringLiteral("\u02cc"),
         QString(),
         716,
         {}},
    });
    EXPECT_EQ(grid.sizeHint(), QSize(65, 24));
    EXPECT_EQ(grid.focusPolicy(), Qt::NoFocus);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    std::vector<int> clicks;
    grid.clicked = [&](int cell) { clicks.push_back(grid.cells().at(cell).payload); };
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_EQ(tree->childCount(), 4);
    EXPECT_EQ(tree->child(0)->object(), divider);

    const struct {
        const char* what;
        QPoint press;
        QPoint release;
        int cell;    // under the press, -1 for none
        int clicked; // payload, 0 for no click
        const char* description;
    } cases[] = {
        {"left edge (a null point would mean the centre)", {0, 1}, {0, 1}, 0, 105, "see"},
        {"last pixel of the first", {24, 23}, {24, 23}, 0, 105, "see"},
        {"first pixel of the second", {25, 0}, {25, 0}, 1, 618, "sit"},
        {"let go on another cell", {30, 10}, {5, 10}, 1, 0, "sit"},
        {"the gap behind a divider", {51, 10}, {51, 10}, -1, 0, nullptr},
        {"narrow cell", {53, 23}, {64, 0}, 2, 716, ""},
        {"below the cells", {10, 24}, {10, 24}, -1, 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clicks.clear();
        EXPECT_EQ(grid.cellAt(c.press), c.cell);
        QTest::mousePress(&grid, Qt::LeftButton, {}, c.press);
        QTest::mouseRelease(&grid, Qt::LeftButton, {}, c.release);
        EXPECT_EQ(clicks, c.clicked ? std::vector<int>{c.clicked} : std::vector<int>{});

        QAccessibleInterface* child =
            tree->childAt(grid.mapToGlobal(c.press).x(), grid.mapToGlobal(c.press).y());
        if (c.cell < 0) {
            EXPECT_TRUE(child == nullptr || child->role() != QAccessible::Button);
            continue;
        }
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(tree->indexOfChild(child), c.cell + 1);
        EXPECT_EQ(tree->child(c.cell + 1), child);
        EXPECT_EQ(child->parent(), tree);
        EXPECT_EQ(child->role(), QAccessible::Button);
        EXPECT_EQ(child->text(QAccessible::Name), grid.cells().at(c.cell).glyph);
        EXPECT_EQ(child->text(QAccessible::Description), QString::fromUtf8(c.description));
        EXPECT_EQ(child->rect(), QRect(grid.mapToGlobal(grid.cells().at(c.cell).rect.topLeft()),
                                       grid.cells().at(c.cell).rect.size()));
        EXPECT_FALSE(child->state().focusable);
        clicks.clear();
        child->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(clicks, std::vector<int>{grid.cells().at(c.cell).payload});
    }

    EXPECT_EQ(grid.toolTip(0), QStringLiteral("see"));
    grid.setShowHint(false);
    EXPECT_TRUE(grid.toolTip(0).isEmpty());
    // New cells replace the old ones, in the tree as well.
    grid.setCells({grid.cells().at(2)});
    EXPECT_EQ(tree->childCount(), 2);
    EXPECT_EQ(tree->child(1)->text(QAccessible::Name), QStringLiteral("\u02cc"));
}

// Cells drawn ahead on another thread look as cells drawn at their paint do, also where the
// grid turns out to be shown at another device pixel ratio than was guessed.
TEST(SymbolGridTest, GlyphsDrawnAheadLookAsGlyphsDrawnAtPaint) {
    const auto picture = [](std::optional<qreal> aheadAt) {
        SymbolGrid grid;
        grid.resize(60, 24);
        grid.setCells(
            {{{0, 0, 25, 24}, QStringLiteral("\u0283"), GlyphAlign::Top, 2, {}, {}, {}, 1, {}},
             {{25, 0, 12, 24}, QStringLiteral("\u02c8"), GlyphAlign::Bottom, 2, {}, {}, {}, 2, {}},
             {{37, 0, 23, 24}, QStringLiteral("t\u0283"), GlyphAlign::Top, 2, {}, {}, {}, 3, {}}});
        if (aheadAt) {
            SymbolGrid::drawGlyphsAhead({&grid}, *aheadAt);
        }
        return grid.grab().toImage();
    };
    const QImage drawnAtPaint = picture(std::nullopt);
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        EXPECT_EQ(picture(ratio), drawnAtPaint);
    }
}

// The cells' pictures kept by one run are what the next run's first paint shows, without drawing;
// pictures kept for other cells, or unreadable, are not taken; kept pictures that no longer match
// what the faces draw are put right when refreshed.
TEST(SymbolGridTest, KeptPicturesServeTheNextStartAndAreRefreshed) {
    const QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("cache/korvani/cell-pictures"));
    const QList<SymbolGrid::Cell> cells = {
        {{0, 0, 25, 24}, QStringLiteral("\u0283"), GlyphAlign::Top, 2, {}, {}, {}, 1, {}},
        {{25, 0, 25, 24}, QStringLiteral("t\u0283"), GlyphAlign::Top, 2, {}, {}, {}, 2, {}}};
    const auto grid = [](const QList<SymbolGrid::Cell>& with) {
        auto made = std::make_unique<SymbolGrid>();
        made->resize(50, 24);
        made->setCells(with);
        return made;
    };
    const auto fileBytes = [&kept] {
        QFile file(kept);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const auto writeFile = [&kept](const QByteArray& content) {
        QFile file(kept);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    };
    const QImage drawn = grid(cells)->grab().toImage();

    // The first run finds nothing kept, and keeps what its first paint drew; not before.
    auto first = grid(cells);
    SymbolGrid::drawGlyphsAhead({first.get()}, 1.0, kept);
    SymbolGrid::keepGlyphs({first.get()}, kept);
    EXPECT_TRUE(fileBytes().isEmpty());
    EXPECT_EQ(first->grab().toImage(), drawn);
    SymbolGrid::keepGlyphs({first.get()}, kept);
    const QByteArray good = fileBytes();
    ASSERT_FALSE(good.isEmpty());
    first.reset();

    // Spoil the last picture's pixels: the next run shows them, so it drew nothing of its own,
    // and a refresh puts the file right.
    QByteArray stale = good;
    for (qsizetype i = stale.size() - 200; i < stale.size(); ++i) {
        stale[i] = static_cast<char>(0x7f);
    }
    ASSERT_TRUE(writeFile(stale));
    auto second = grid(cells);
    SymbolGrid::drawGlyphsAhead({second.get()}, 1.0, kept);
    EXPECT_NE(second->grab().toImage(), drawn);
    SymbolGrid::keepGlyphs({second.get()}, kept);
    EXPECT_EQ(fileBytes(), stale);
    SymbolGrid::refreshKeptGlyphs({second.get()}, kept);
    EXPECT_EQ(fileBytes(), good);

    // A file kept for other cells, cut short, or of another sort is drawn past.
    const QList<SymbolGrid::Cell> others = {cells.at(1), cells.at(0)};
    for (const QByteArray& content : {good, good.left(good.size() / 2), QByteArray("junk")}) {
        ASSERT_TRUE(writeFile(content));
        for (const bool reordered : {true, false}) {
            if (content == good && !reordered) {
                continue;
            }
            const QList<SymbolGrid::Cell>& with = reordered ? others : cells;
            auto next = grid(with);
            SymbolGrid::drawGlyphsAhead({next.get()}, 1.0, kept);
            EXPECT_EQ(next->grab().toImage(), grid(with)->grab().toImage());
        }
    }
}

// A lone character is measured from its face's metrics without being laid out: for every symbol
// that is one, in the faces the cells use, that must be what laying it out gives, or its picture
// would sit elsewhere than before.
TEST(SymbolGridTest, LoneCharactersMeasureAsLaidOutText) {
    int checked = 0;
    for (const char* family : {"Charis SIL", "DejaVu Serif"}) {
        for (const int pixels : {15, 19, 26}) {
            QFont font(QString::fromLatin1(family));
            font.setPixelSize(pixels);
            font.setStyleStrategy(QFont::PreferAntialias);
            const QFontMetricsF laidOut(font);
            for (const IpaSymbol& symbol : ipaSymbols()) {
                const QString text = QString::fromStdU16String(displayText(symbol));
                if (text.size() != 1) {
                    continue;
                }
                SCOPED_TRACE(std::string(family) + " " + std::to_string(pixels) + " " +
                             std::string(symbol.name));
                EXPECT_EQ(glyphInk(text, font), laidOut.tightBoundingRect(text));
                EXPECT_EQ(glyphAdvance(text, font), laidOut.horizontalAdvance(text));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

// No glyph is cut by its picture's edge: every symbol of the table in the cells of the All and
// Mine tabs (their box the cell's less a pixel each side), and the chart buttons in theirs.
TEST(SymbolGridTest, EveryGlyphsInkLiesWithinItsBox) {
    const auto inkTouchesEdge = [](const QImage& image) {
        const int w = image.width();
        const int h = image.height();
        for (int x = 0; x < w; ++x) {
            if (qAlpha(image.pixel(x, 0)) > 40 || qAlpha(image.pixel(x, h - 1)) > 40) {
                return true;
            }
        }
        for (int y = 0; y < h; ++y) {
            if (qAlpha(image.pixel(0, y)) > 40 || qAlpha(image.pixel(w - 1, y)) > 40) {
                return true;
            }
        }
        return false;
    };
    const auto hasInk = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) > 40) {
                    return true;
                }
            }
        }
        return false;
    };
    int checked = 0;
    for (const IpaSymbol& symbol : ipaSymbols()) {
        const QString glyph = QString::fromStdU16String(displayText(symbol));
        for (const QSize box : {QSize(23, 22), QSize(31, 22)}) {
            SCOPED_TRACE(std::string(symbol.name) + " in " + std::to_string(box.width()));
            const QImage image = renderGlyph(glyph, box, 1.0);
            EXPECT_TRUE(hasInk(image));
            EXPECT_FALSE(inkTouchesEdge(image));
            ++checked;
        }
    }
    // The tie bar above, as it once was drawn: two dots of a clipped arc.
    const QImage tied = renderGlyph(QStringLiteral("d\u0361\u0292"), QSize(31, 22), 1.0);
    EXPECT_FALSE(inkTouchesEdge(tied));
    EXPECT_GT(checked, 500);
}

} // namespace
} // namespace korv
