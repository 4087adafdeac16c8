#pragma once

#include <QLineEdit>
#include <QTimer>

namespace korv {

/// The one-line composition edit: like the edits users know, it selects its whole text when
/// the focus arrives from another control (Tab, or a program operation), not on a mouse click
/// and not when the window itself is reactivated. Its caret stops blinking (and the program
/// stops waking up for it) a few seconds after the last edit, as desktop text fields do.
class CompositionEdit final : public QLineEdit {
public:
    explicit CompositionEdit(QWidget* parent);

    // The caret as the editing operations count it: the start of the selection.
    int selStart() const;
    int selLength() const;

    static constexpr int kBlinkTimeoutMs = 5000;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void wakeCaret();
    void restCaret();

    QTimer m_blinkTimeout;
    int m_flashTime = 0;
};

} // namespace korv
