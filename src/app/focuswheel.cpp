// SPDX-License-Identifier: GPL-3.0-or-later
#include "focuswheel.h"

#include <QEvent>
#include <QWidget>

namespace korv {
namespace {

class FocusWheelFilter final : public QObject {
public:
    explicit FocusWheelFilter(QWidget* control)
        : QObject(control)
        , m_control(control) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return watched == m_control && event->type() == QEvent::Wheel && !m_control->hasFocus();
    }

private:
    QWidget* m_control;
};

} // namespace

void wheelOnlyWithFocus(QWidget* control) {
    control->installEventFilter(new FocusWheelFilter(control));
}

} // namespace korv
