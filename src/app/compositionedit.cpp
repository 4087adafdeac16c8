// SPDX-License-Identifier: GPL-3.0-or-later
#include "compositionedit.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QMenu>

#include <QGuiApplication>
#include <QStyleHints>
#include <memory>

#include <algorithm>

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

void CompositionEdit::setProgramText(const QString& text) {
    const int limit = static_cast<int>(std::max<qsizetype>(kTypingLimit, text.size()));
    // A new limit re-sets the text, caret and undo history included: only when it changes.
    if (maxLength() != limit) {
        setMaxLength(limit);
    }
    setText(text);
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
    // The chord's release goes elsewhere now; it must not fire on some later key.
    m_copyArmed = false;
    QLineEdit::focusOutEvent(event);
}

namespace {

bool isReturn(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void CompositionEdit::keyPressEvent(QKeyEvent* event) {
    wakeCaret();
    const int key = event->key();
    const auto chord = event->modifiers() & ~Qt::KeypadModifier;
    const bool plainReturn = chord == (Qt::ControlModifier | Qt::ShiftModifier) && isReturn(key);
    if ((chord == Qt::ControlModifier &&
         (isReturn(key) || key == Qt::Key_PageUp || key == Qt::Key_PageDown)) ||
        plainReturn) {
        // One action per press, as per click: a held chord does not repeat it.
        if (!event->isAutoRepeat()) {
            if (isReturn(key)) {
                m_copyArmed = m_copyKeyDown = m_copyCtrlDown = true;
                m_copyPlain = plainReturn;
            } else if (OnChartKey) {
                OnChartKey(key == Qt::Key_PageDown ? 1 : -1);
            }
        }
        event->accept();
        return;
    }
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_X && OnXsampaKey) {
        OnXsampaKey();
        event->accept();
        return;
    }
    if (modifiers == Qt::ControlModifier && key == Qt::Key_F && OnSearchKey) {
        OnSearchKey();
        event->accept();
        return;
    }
    if (modifiers == Qt::ControlModifier && key == Qt::Key_T && OnTranscribeKey) {
        OnTranscribeKey();
        event->accept();
        return;
    }
    if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_C &&
        OnPlainCopyKey) {
        if (!event->isAutoRepeat()) {
            OnPlainCopyKey();
        }
        event->accept();
        return;
    }
    if (modifiers == Qt::ControlModifier && key == Qt::Key_K && OnChartWindowKey) {
        OnChartWindowKey();
        event->accept();
        return;
    }
    // Ctrl+plus is Ctrl+= on most layouts, with or without Shift.
    const bool zoomModifiers =
        modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
    if (zoomModifiers && OnZoomKey &&
        (key == Qt::Key_Plus || key == Qt::Key_Equal || key == Qt::Key_Minus)) {
        OnZoomKey(key == Qt::Key_Minus ? -1 : 1);
        event->accept();
        return;
    }
    if (modifiers == Qt::ControlModifier && key == Qt::Key_D && OnPinKey) {
        OnPinKey();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CompositionEdit::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (OnContextMenu) {
        OnContextMenu(*menu);
    }
    menu->exec(event->globalPos());
}

void CompositionEdit::keyReleaseEvent(QKeyEvent* event) {
    if (m_copyArmed && !event->isAutoRepeat()) {
        if (isReturn(event->key())) {
            m_copyKeyDown = false;
            // Return's release tells whether Ctrl is still held.
            m_copyCtrlDown = (event->modifiers() & Qt::ControlModifier) != 0;
        } else if (event->key() == Qt::Key_Control) {
            m_copyCtrlDown = false;
        }
        if (!m_copyKeyDown && !m_copyCtrlDown) {
            m_copyArmed = false;
            const auto& handler = m_copyPlain ? OnPlainCopyKey : OnCopyKey;
            if (handler) {
                handler();
            }
        }
    }
    QLineEdit::keyReleaseEvent(event);
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
