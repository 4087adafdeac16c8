// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QCursor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "symboltable.h"

namespace korv {

// Draws the characters a button produces, dark serif lettering on a transparent
// background, sized for the glyph box and sharp at the given device pixel ratio. Safe on any
// thread.
QImage renderGlyph(const QString& text, QSize box, qreal devicePixelRatio);

// The ink of text drawn in a face, relative to the pen's origin on the baseline; text with marks
// is measured from the drawn pixels, as the face's own bounds leave out marks placed by the
// shaper (a tie bar, a ring above a descender). Kept once measured; safe on any thread.
QRectF glyphInk(const QString& text, const QFont& font);

// How far text drawn in a face moves the pen.
qreal glyphAdvance(const QString& text, const QFont& font);

/// A grid of symbol buttons painted by one widget: flat until hovered, pressed while held,
/// clicked on release inside the pressed cell, tooltips behind one switch, and one accessible
/// push button per cell. It never takes the keyboard focus. Its child widgets (such as divider
/// lines) lie beneath the cells, as widgets made before the buttons would.
class SymbolGrid final : public QWidget {
public:
    struct Cell {
        QRect rect; // in the widget
        QString glyph;
        GlyphAlign align = GlyphAlign::Top;
        int margin = 2;
        QString hint; // the tooltip; empty: none, unless the grid's hintOf says one
        QString name; // accessible name and description
        QString description;
        int payload = 0; // the owner's own value, such as a symbol tag
        QSize glyphBox;  // the glyph's picture; empty: the chart buttons' box for the width
    };

    explicit SymbolGrid(QWidget* parent = nullptr);
    ~SymbolGrid() override;
    SymbolGrid(const SymbolGrid&) = delete;
    SymbolGrid& operator=(const SymbolGrid&) = delete;

    void setCells(QList<Cell> cells);
    // Starts drawing the grids' cells on another thread, for their first paint to take: loading
    // the faces and drawing each symbol would otherwise come after the window is mapped. A grid
    // shown at another device pixel ratio, or given other cells, draws its own.
    // Pictures kept in the file keptPictures by an earlier run for the same cells are taken
    // instead, and then nothing is drawn before the first paint.
    static void drawGlyphsAhead(const QList<SymbolGrid*>& grids, qreal devicePixelRatio,
                                const QString& keptPictures = {});
    // Keeps the pictures the grids' first paint drew in keptPictures, for the next run.
    static void keepGlyphs(const QList<SymbolGrid*>& grids, const QString& keptPictures);
    // Draws the grids' cells afresh and keeps them where they differ from those kept: a face
    // updated in place, or drawn with other settings, keeps its name.
    static void refreshKeptGlyphs(const QList<SymbolGrid*>& grids, const QString& keptPictures);
    const QList<Cell>& cells() const { return m_cells; }
    // The cell under a point of the widget, or -1.
    int cellAt(QPoint pos) const;
    // The first cell carrying the payload, or -1.
    int cellWithPayload(int payload) const;

    // The tooltips' switch; a cell's tooltip is its hint while it is on.
    void setShowHint(bool show);
    bool showHint() const { return m_showHint; }
    QString toolTip(int cell) const;

    // A cell drawn as raised, for a grid driven by keys from elsewhere; -1 for none.
    void setCurrent(int cell);
    int current() const { return m_current; }

    // The pointer's shape over a cell; unset, the widget's own.
    void setCellCursor(const QCursor& cursor) { m_cellCursor = cursor; }

    // Runs `clicked` as a click on the cell does.
    void click(int cell);

    std::function<void(int cell)> clicked;
    // The tooltip of a cell without a hint of its own, made when first asked for.
    std::function<QString(int cell)> hintOf;
    std::function<void(int cell, QPoint globalPos)> contextMenuRequested;

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class SymbolGridAccessible;
    friend class SymbolCellAccessible;
    struct GlyphJob;
    static std::shared_ptr<GlyphJob> jobFor(const QList<SymbolGrid*>& grids, qreal ratio);
    void takeGlyphsAhead() const;
    void paintCells(QPainter& painter, const QRegion& region) const;
    void setHover(int cell);
    void updateCell(int cell);
    void forgetAccessibleCells();
    bool isDown(int cell) const { return cell == m_pressed && m_pressedInside; }

    QList<Cell> m_cells;
    mutable QList<QPixmap> m_glyphs;         // drawn on first paint
    mutable std::shared_ptr<GlyphJob> m_job; // drawing them ahead
    std::size_t m_jobSlot = 0;
    mutable bool m_jobTaken = false;
    bool m_showHint = true;
    int m_hover = -1;
    int m_pressed = -1;
    bool m_pressedInside = false;
    QWidget* m_paintingChild = nullptr;
    int m_current = -1;
    std::optional<QCursor> m_cellCursor;
    mutable QHash<int, QAccessible::Id> m_accessibleCells;
};

} // namespace korv
