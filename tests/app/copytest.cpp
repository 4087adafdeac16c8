// SPDX-License-Identifier: GPL-3.0-or-later
// Copy and Paste as the Qt window carries them out: what the palette decides is checked in
// tests/core; here, that the window hands over the line, keeps the focus, and tells the user.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include "compositionedit.h"
#include "formfixture.h"
#include "richtext.h"

namespace korv {
namespace {

const QString kShiLong = QString::fromStdU16String(u"\u0283i\u02D0");

class CopyTest : public FormFixture {
protected:
    void SetUp() override { createForm(); }

    void typeLine(const QString& text) {
        m_form->lineEdit->setText(text);
        m_form->lineEdit->setCursorPosition(0);
    }
    void clickCopy() { clickWidget(m_form->copyButton); }
    const std::vector<CopyPayload>& puts() const { return m_fake.m_clipboard.m_put; }
};

TEST_F(CopyTest, TheLineGoesOutInTheSizeUserPicked) {
    m_form->sizeBox->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(m_form->sizeBox, Qt::Key_Down); // 18 points, as a user picks it
    typeLine(kShiLong);
    clickCopy();
    ASSERT_EQ(puts().size(), 1U);
    EXPECT_EQ(puts()[0].plain, kShiLong.toStdU16String());
    EXPECT_EQ(puts()[0].rtf, buildRtf(kShiLong.toStdU16String(), UnicodeFontFace, 18));
    EXPECT_TRUE(m_fake.m_pasteTarget.m_ownWindows.empty());
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

// A paste that could not go out is told once a run, beside the tray icon, or without a
// notification area in a tooltip on the button; neither takes the focus from the line.
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
        QToolTip::hideText();
        createForm();
        m_fake.m_pasteTarget = {};
        m_fake.m_pasteTarget.m_pastes = c.pastes;
        m_fake.m_notificationArea.m_showsNotices = c.trayNotices;
        m_fake.m_notificationArea.m_notices.clear();
        m_form->palette().saveOptions(optionsWith(&PaletteOptions::autoPaste, true));
        typeLine(c.line);
        clickCopy();
        clickCopy();
        const auto& notices = m_fake.m_notificationArea.m_notices;
        ASSERT_EQ(notices.size(), c.notices);
        for (const auto& notice : notices) {
            EXPECT_EQ(notice.text, told.toStdString());
            EXPECT_EQ(notice.title, "Korvani v6");
        }
        EXPECT_EQ(QToolTip::text(), c.tip);
        EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
        EXPECT_EQ(m_form->lineEdit->text(), c.line); // nothing pasted into the line itself
        const std::vector<platform::WindowHandle> own(c.line.isEmpty() ? 0 : 2, m_form->winId());
        EXPECT_EQ(m_fake.m_pasteTarget.m_ownWindows, own);
    }
}

} // namespace
} // namespace korv
