// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QTimer>

class QMenu;

#include <functional>

namespace korv {

/// The one-line composition edit: like the edits users know, it selects its whole text when
/// the focus arrives from another control (Tab, or a program operation), not on a mouse click
/// and not when the window itself is reactivated. Its caret stops blinking (and the program
/// stops waking up for it) ten seconds after the last key, click or edit, as GTK's text fields
/// do (gtk-cursor-blink-timeout); the next one starts it again.
/// It also takes the keys that stand for the window's buttons and tabs, which never take the
/// focus themselves.
class CompositionEdit final : public QLineEdit {
public:
    explicit CompositionEdit(QWidget* parent);

    // Ctrl+Return or Ctrl+Enter, raised once the chord is let go: a paste into another window
    // must not carry the user's Ctrl, nor a held Return repeat into it.
    std::function<void()> OnCopyKey;
    // Ctrl+Page Down (+1) or Ctrl+Page Up (-1), raised as the chord goes down.
    std::function<void(int step)> OnChartKey;
    // Ctrl+F: the user looks for a symbol by name.
    std::function<void()> OnSearchKey;
    // Ctrl+D: the selection is to be kept as one of the user's own symbols.
    std::function<void()> OnPinKey;
    // Ctrl+Shift+C, or Ctrl+Shift+Return let go as Ctrl+Return is: a copy of plain text alone.
    std::function<void()> OnPlainCopyKey;
    // Ctrl+K: the IPA chart window.
    std::function<void()> OnChartWindowKey;
    // Ctrl+plus (+1) and Ctrl+minus (-1): the chart window's zoom.
    std::function<void(int step)> OnZoomKey;
    // Ctrl+Shift+X: the selection, or the whole line, is X-SAMPA to be converted.
    std::function<void()> OnXsampaKey;
    // Ctrl+T: the selection, or the words before the caret, are English spelling to transcribe.
    std::function<void()> OnTranscribeKey;
    // The line's context menu is about to open: the window adds its commands.
    std::function<void(QMenu& menu)> OnContextMenu;

    // The caret as the editing operations count it: the start of the selection.
    int selStart() const;
    int selLength() const;

    static constexpr int kBlinkTimeoutMs = 10000;
    void setBlinkTimeout(int ms) { m_blinkTimeout.setInterval(ms); }
    // How long typing may make the line; text the program sets is never cut.
    static constexpr int kTypingLimit = 32767;

    // Sets text whole, however long; typing then stops at kTypingLimit or at its length.
    void setProgramText(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void wakeCaret();
    void restCaret();

    QTimer m_blinkTimeout;
    int m_flashTime = 0;
    // The copy chord: pressed, and which of its keys are still down.
    bool m_copyArmed = false;
    bool m_copyKeyDown = false;
    bool m_copyCtrlDown = false;
    bool m_copyPlain = false; // the armed chord held Shift: plain text alone
};

} // namespace korv
