#include "compositionedit.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QStyleHints>

namespace korv {

CompositionEdit::CompositionEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_flashTime(QGuiApplication::styleHints()->cursorFlashTime()) {
    m_blinkTimeout.setSingleShot(true);
    m_blinkTimeout.setInterval(kBlinkTimeoutMs);
    connect(&m_blinkTimeout, &QTimer::timeout, this, [this] { restCaret(); });
    // Symbols arrive by button, not by key: any change of text or caret wakes the caret too.
    connect(this, &QLineEdit::textChanged, this, [this] { wakeCaret(); });
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { wakeCaret(); });
}

void CompositionEdit::wakeCaret() {
    if (!hasFocus()) {
        return;
    }
    if (m_flashTime > 0 && QGuiApplication::styleHints()->cursorFlashTime() != m_flashTime) {
        QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
    }
    m_blinkTimeout.start();
}

// A flash time of 0 leaves the caret shown, steady.
void CompositionEdit::restCaret() {
    QGuiApplication::styleHints()->setCursorFlashTime(0);
}

void CompositionEdit::focusOutEvent(QFocusEvent* event) {
    m_blinkTimeout.stop();
    QLineEdit::focusOutEvent(event);
}

void CompositionEdit::keyPressEvent(QKeyEvent* event) {
    wakeCaret();
    QLineEdit::keyPressEvent(event);
}

void CompositionEdit::mousePressEvent(QMouseEvent* event) {
    wakeCaret();
    QLineEdit::mousePressEvent(event);
}

int CompositionEdit::selStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int CompositionEdit::selLength() const {
    return hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
}

void CompositionEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    wakeCaret();
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        selectAll();
        break;
    default:
        break;
    }
}

} // namespace korv
