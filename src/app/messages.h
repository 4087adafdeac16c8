// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

#include <exception>

namespace korv {

// The application title that captions the program's windows and message boxes.
inline const QString kAppTitle = QStringLiteral("Korvani v6");

/// The program's message boxes; tests substitute a recorder for the real boxes.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    /// The program's own warning: OK only, warning icon, captioned with the application title.
    virtual void showMessage(const QString& text) = 0;
    /// The general error box: error icon, captioned with the application title.
    virtual void showError(const QString& text) = 0;
};

/// Real message boxes, centred on the screen.
class QtMessageBoxes final : public MessageBoxes {
public:
    void showMessage(const QString& text) override;
    void showError(const QString& text) override;
};

// Shows a modal box with an OK button, on top and centred on the screen; Ctrl+C copies the
// caption and the text, so that a message can be passed on word for word.
void execMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text);

// Text of the general error box for a failure that escaped a handler: the
// error's own text with a full stop appended.
QString errorBoxText(const std::exception& error);

// Runs a handler so that any failure it raises reaches the general error box
// instead of ending the program.
template <typename Handler> void runGuarded(MessageBoxes& boxes, Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        boxes.showError(errorBoxText(error));
    } catch (...) {
        boxes.showError(QStringLiteral("Unknown error."));
    }
}

} // namespace korv
