// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QToolButton>

#include "symboltable.h"

namespace korv {

/// A flat chart button that shows its symbol and never takes the keyboard focus.
class SymbolButton final : public QToolButton {
public:
    SymbolButton(const SymbolButtonEntry& entry, QWidget* parent);

    const SymbolButtonEntry& entry() const { return m_entry; }
    int tag() const { return m_entry.tag; }
    // The characters the button inserts, as drawn on it.
    const QString& symbol() const { return m_symbol; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const SymbolButtonEntry& m_entry;
    QString m_symbol;
    QPixmap m_glyph;
};

/// A chart panel with one switch for its buttons' tooltips.
class SymbolPanel final : public QFrame {
public:
    explicit SymbolPanel(QWidget* parent);

    void setShowHint(bool show);
    bool showHint() const { return m_showHint; }

private:
    bool m_showHint = true;
};

} // namespace korv
