// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

#include <cstdio>

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

// True when the first argument is "--xsampa": the program converts and ends, with no window.
bool isXsampaCommand(int argc, const char* const* argv);
// Writes the IPA for the X-SAMPA of the arguments after the first, joined by spaces, and a line
// end; returns the exit status (2, with a usage line on `err`, when there is nothing to convert).
int runXsampaCommand(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

} // namespace korv
