// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "compositionedit.h"
#include "formfixture.h"
#include "richtext.h"
#include "trayicon.h"

namespace korv {
namespace {

const QString kShiLong = QString::fromStdU16String(u"\u0283i\u02D0");
const QString kShiLongLegacy = QString::fromStdU16String(u"\u00A7i\u00AD");

QByteArray bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

class CopyTest : public FormFixture {
protected:
    void SetUp() override {
        createForm();
        // Whatever another program left on the clipboard.
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
    }

    void typeLine(const QString& text) {
        m_form->lineEdit->setText(text);
        m_form->lineEdit->setCursorPosition(0);
    }
    void clickCopy() { clickWidget(m_form->copyButton); }

    const QMimeData* clip() const { return QGuiApplication::clipboard()->mimeData(); }
    QString clipText() const { return clip()->text(); }
    const std::vector<KeyEvent>& sentKeys() const { return m_fake.m_keys.m_sent; }
};

TEST_F(CopyTest, ClipboardHoldsPlainRtfAndHtmlInTheChosenFaceAndSize) {
    struct Case {
        const char* name;
        bool unicodeFont;
        int sizeIndex;
        QString expected;
        std::string_view face;
        int points;
    };
    const Case cases[] = {
        {"unicode font, size 16", true, 6, kShiLong, UnicodeFontFace, 16},
        {"legacy font", false, 6, kShiLongLegacy, KorvaniFontFace, 16},
        {"size 72", true, 15, kShiLong, UnicodeFontFace, 72},
        {"size 8", true, 0, kShiLong, UnicodeFontFace, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_form->palette().saveOptions({.useUnicodeFont = c.unicodeFont});
        m_form->palette().pickSize(c.sizeIndex);
        typeLine(kShiLong);
        clickCopy();

        const std::u16string text = c.expected.toStdU16String();
        EXPECT_EQ(clipText(), c.expected);
        EXPECT_EQ(clip()->data(QStringLiteral("text/plain;charset=utf-8")), c.expected.toUtf8());
        EXPECT_EQ(clip()->data(QStringLiteral("text/rtf")),
                  bytes(buildRtf(text, c.face, c.points)));
        EXPECT_EQ(clip()->data(QStringLiteral("text/html")),
                  bytes(buildHtml(text, c.face, c.points)));
        EXPECT_EQ(m_form->lineEdit->text(), kShiLong);
    }
    EXPECT_TRUE(m_boxes.m_errors.isEmpty());
    EXPECT_TRUE(m_boxes.m_messages.isEmpty());
}

TEST_F(CopyTest, AutoPasteSendsTheEightEventsWithTheirScanBytesAndNoShift) {
    struct Case {
        const char* name;
        bool layoutHasV;
        std::uint8_t vKey;
    };
    for (const Case& c : {Case{"layout types V", true, 0x56}, Case{"no V key", false, 255}}) {
        SCOPED_TRACE(c.name);
        m_fake.m_keys = {};
        m_fake.m_keys.m_layoutHasV = c.layoutHasV;
        m_form->palette().saveOptions({.autoPaste = true});
        typeLine(kShiLong);
        clickCopy();

        const std::vector<KeyEvent> expected{
            {0x12, 184, 0, 0},
            {0x09, 143, 0, 0},
            {0x09, 143, KEYEVENTF_KEYUP, 0},
            {0x12, 184, KEYEVENTF_KEYUP, 0},
            {0x11, 157, 0, 0},
            {c.vKey, 158, 0, 0},
            {c.vKey, 158, KEYEVENTF_KEYUP, 0},
            {0x11, 157, KEYEVENTF_KEYUP, 0},
        };
        EXPECT_EQ(sentKeys(), expected);
        EXPECT_EQ(m_fake.m_keys.m_scanCalls, 2);
        EXPECT_EQ(m_fake.m_keys.m_ownWindows, std::vector<platform::WindowHandle>{m_form->winId()});
        // The clipboard was complete before the first key went out.
        EXPECT_EQ(clipText(), kShiLong);
    }
}

// Without a notification area the notice is a tooltip on the button.
TEST_F(CopyTest, APasteThatCouldNotGoOutIsToldOncePerRunWithoutTakingTheFocus) {
    const QString told = QStringLiteral("Copied: press Ctrl+V to paste");
    const struct {
        const char* name;
        bool pastes;
        bool trayNotices;
        QString line;
        std::size_t notices; // after two clicks
        QString tip;
    } cases[] = {
        {"pasted", true, true, kShiLong, 0, QString()},
        {"not pasted: told once, not at the second Copy", false, true, kShiLong, 1, QString()},
        {"nothing copied: nothing to paste by hand", false, true, QString(), 0, QString()},
        {"no notification area", false, false, kShiLong, 1, told},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        createForm();
        m_fake.m_keys.m_pastes = c.pastes;
        m_fake.m_notifyShell.m_showsNotices = c.trayNotices;
        m_fake.m_notifyShell.m_notices.clear();
        m_form->palette().saveOptions({.autoPaste = true});
        typeLine(c.line);
        clickCopy();
        clickCopy();
        const auto& notices = m_fake.m_notifyShell.m_notices;
        ASSERT_EQ(notices.size(), c.notices);
        for (const auto& notice : notices) {
            EXPECT_EQ(notice.text, told.toStdString());
            EXPECT_EQ(notice.window, m_form->trayIcon->iconData().hWnd);
            EXPECT_EQ(notice.id, m_form->trayIcon->iconData().uID);
        }
        EXPECT_EQ(QToolTip::text(), c.tip);
        EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
        EXPECT_EQ(m_form->lineEdit->text(), c.line); // nothing pasted into the line itself
    }
}

TEST_F(CopyTest, AutoPasteOffSendsNothingAndKeepsTheFocusInTheLine) {
    m_form->palette().saveOptions({.autoPaste = false});
    typeLine(kShiLong);
    clickCopy();
    EXPECT_TRUE(sentKeys().empty());
    EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
    EXPECT_EQ(clipText(), kShiLong);
}

TEST_F(CopyTest, CaretEndsAfterTheLastCharacterWithNothingSelected) {
    struct Case {
        const char* name;
        int start;
        int length;
    };
    for (const Case& c : {Case{"caret at start", 0, 0}, Case{"caret inside", 1, 0},
                          Case{"part selected", 1, 1}, Case{"all selected", 0, 3}}) {
        SCOPED_TRACE(c.name);
        m_form->sizeBox->setFocus(Qt::MouseFocusReason);
        typeLine(kShiLong);
        m_form->lineEdit->setSelection(c.start, c.length);
        clickCopy();
        EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
        EXPECT_EQ(m_form->lineEdit->cursorPosition(), 3);
        EXPECT_FALSE(m_form->lineEdit->hasSelectedText());
        EXPECT_EQ(m_form->lineEdit->text(), kShiLong);
    }
}

// With nothing copied there is nothing to paste: the user stays in the line.
TEST_F(CopyTest, EmptyLineLeavesTheClipboardAndPastesNothing) {
    m_form->palette().saveOptions({.autoPaste = true});
    m_form->sizeBox->setFocus(Qt::MouseFocusReason);
    typeLine(QString());
    clickCopy();
    EXPECT_EQ(clipText(), QStringLiteral("earlier"));
    EXPECT_FALSE(clip()->hasFormat(QStringLiteral("text/rtf")));
    EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
    EXPECT_TRUE(sentKeys().empty());
    EXPECT_TRUE(m_boxes.m_errors.isEmpty());
}

TEST_F(CopyTest, CharactersOutsideTheLegacyTableTravelUnchanged) {
    // ö has no row and keeps its code; a Cyrillic letter and a character beyond the BMP keep
    // theirs above 255.
    const QString line = QString::fromStdU16String(u"\u00F6\u0436\U0001D11Ex");
    m_form->palette().saveOptions({.useUnicodeFont = false});
    typeLine(line);
    clickCopy();
    EXPECT_EQ(clipText(), line);
    EXPECT_EQ(clip()->data(QStringLiteral("text/rtf")),
              bytes(buildRtf(line.toStdU16String(), KorvaniFontFace, 16)));
}

} // namespace
} // namespace korv
