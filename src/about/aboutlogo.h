// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPainter;

namespace korv {

// Draws the program's logo, a cube with an IPA symbol on each visible face, into a square of
// the given side. Only the cube is painted: whatever lies behind shows around it.
void paintLogo(QPainter& painter, qreal side);

/// The logo as a control, drawn from vectors at paint time so that it stays sharp at any scale.
class AboutLogo final : public QWidget {
public:
    explicit AboutLogo(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korv
