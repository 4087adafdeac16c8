// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

#include "xsampacommand.h"

namespace korv {

class MessageBoxes;

/// The application object: a failure that escapes any event handler reaches the
/// general error box and the program goes on with the next user action.
class KorvApplication final : public QApplication {
public:
    KorvApplication(int& argc, char** argv);
    void setMessageBoxes(MessageBoxes* boxes) { m_boxes = boxes; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    MessageBoxes* m_boxes = nullptr;
};

} // namespace korv
