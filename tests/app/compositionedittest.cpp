// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

#include "compositionedit.h"

namespace korv {
namespace {

// Counts the caret's blinks: timer events of the line's inner text control.
class Blinks final : public QObject {
public:
    explicit Blinks(QObject* line) {
        for (QObject* child : line->children()) {
            child->installEventFilter(this);
        }
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Timer ? 1 : 0;
        return false;
    }
};

// The caret blinks after any key, click or edit, and rests once the line has been left alone.
TEST(CompositionEditTest, TheCaretRestsAfterTheTimeoutAndWakesOnInput) {
    // A quick blink, so that the test need not wait for the real one.
    const int desktopFlashTime = QGuiApplication::styleHints()->cursorFlashTime();
    constexpr int kFlashMs = 200; // a blink every 100 ms
    constexpr int kTimeoutMs = 600;
    QGuiApplication::styleHints()->setCursorFlashTime(kFlashMs);
    QWidget window;
    CompositionEdit line(&window);
    line.setGeometry(0, 0, 200, 30);
    line.setBlinkTimeout(kTimeoutMs);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    line.setFocus(Qt::MouseFocusReason);
    Blinks blinks(&line);

    const struct {
        const char* what;
        std::function<void()> act;
    } cases[] = {
        {"focus", [] {}},
        {"key", [&] { QTest::keyClick(&line, Qt::Key_A); }},
        {"click", [&] { QTest::mouseClick(&line, Qt::LeftButton, {}, QPoint(5, 5)); }},
        {"symbol inserted", [&] { line.insert(QStringLiteral("\u0259")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.act();
        blinks.count = 0;
        QTest::qWait(kTimeoutMs / 2);
        EXPECT_GE(blinks.count, 2) << "blinking";
        QTest::qWait(kTimeoutMs / 2 + kFlashMs);
        blinks.count = 0;
        QTest::qWait(kTimeoutMs);
        EXPECT_EQ(blinks.count, 0) << "at rest";
    }
    QGuiApplication::styleHints()->setCursorFlashTime(desktopFlashTime);
}

} // namespace
} // namespace korv
