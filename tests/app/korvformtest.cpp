#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "compositionedit.h"
#include "formfixture.h"

namespace korv {
namespace {

class KorvFormTest : public FormFixture {
protected:
    void SetUp() override { createForm(); }
    QString line() const { return m_form->TntEdit1->text(); }
};

TEST_F(KorvFormTest, FreshWindowFocusesTheSizeBoxAndTheFirstSymbolTakesTheLine) {
    EXPECT_EQ(QApplication::focusWidget(), m_form->comboSize);
    click("See1");
    EXPECT_EQ(line(), QStringLiteral("i"));
    EXPECT_EQ(m_form->TntEdit1->cursorPosition(), 1);
    EXPECT_EQ(QApplication::focusWidget(), m_form->TntEdit1);
}

TEST_F(KorvFormTest, WithTheFocusInTheSizeBoxASymbolIsAppended) {
    click("Tea1");
    click("See1");
    m_form->TntEdit1->setCursorPosition(1);
    m_form->comboSize->setFocus(Qt::MouseFocusReason);
    click("Bad1");
    EXPECT_EQ(line(), QStringLiteral("tib"));
    EXPECT_EQ(QApplication::focusWidget(), m_form->TntEdit1);
    EXPECT_EQ(m_form->TntEdit1->cursorPosition(), 3);
}

TEST_F(KorvFormTest, BackAfterAnAffricateLeavesItsFirstHalf) {
    click("Chain1");
    EXPECT_EQ(line(), QString::fromStdU16String(u"t\u0283"));
    clickWidget(m_form->BtnDelete);
    EXPECT_EQ(line(), QStringLiteral("t"));
    EXPECT_EQ(m_form->TntEdit1->cursorPosition(), 1);
}

TEST_F(KorvFormTest, ASelectionIsNeverReplaced) {
    m_form->TntEdit1->setFocus(Qt::MouseFocusReason);
    m_form->TntEdit1->setText(QStringLiteral("abc"));
    m_form->TntEdit1->setSelection(1, 1);
    click("See1");
    EXPECT_EQ(line(), QStringLiteral("aibc"));
    EXPECT_EQ(m_form->TntEdit1->cursorPosition(), 2);
    EXPECT_FALSE(m_form->TntEdit1->hasSelectedText());
}

TEST_F(KorvFormTest, TabIntoTheLineSelectsAllAndASymbolGoesInFront) {
    m_form->TntEdit1->setText(QStringLiteral("abc"));
    m_form->comboSize->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(m_form->comboSize, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), m_form->TntEdit1);
    EXPECT_EQ(m_form->TntEdit1->selectedText(), QStringLiteral("abc"));
    click("See1");
    EXPECT_EQ(line(), QStringLiteral("iabc"));
    EXPECT_EQ(m_form->TntEdit1->cursorPosition(), 1);
}

TEST_F(KorvFormTest, ClearAllEmptiesTheLineAndTheStagingAreaButKeepsTheFocus) {
    click("See1");
    m_form->TntRichEdit1->setPlainText(QStringLiteral("staged"));
    m_form->comboSize->setFocus(Qt::MouseFocusReason);
    clickWidget(m_form->BtnClear);
    EXPECT_TRUE(line().isEmpty());
    EXPECT_TRUE(m_form->TntRichEdit1->toPlainText().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), m_form->comboSize);
}

TEST_F(KorvFormTest, CommandAndSymbolButtonsNeverTakeTheFocus) {
    for (QAbstractButton* b : m_form->findChildren<QAbstractButton*>()) {
        if (b->isVisibleTo(m_form.get()) || qobject_cast<QPushButton*>(b) != nullptr) {
            EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << b->objectName().toStdString();
        }
    }
    m_form->TntEdit1->setFocus(Qt::MouseFocusReason);
    clickWidget(m_form->BtnClear);
    click("See1");
    EXPECT_EQ(QApplication::focusWidget(), m_form->TntEdit1);
}

TEST_F(KorvFormTest, AdditionalChartKeepsTheDiacriticsAndTheCaret) {
    click("See1");
    click("Tea1");
    m_form->TntEdit1->setCursorPosition(1);
    m_form->TabSet1->setCurrentIndex(1);
    EXPECT_FALSE(m_form->IPAPanel->isVisible());
    EXPECT_TRUE(m_form->AdditionalPanel->isVisible());
    EXPECT_TRUE(m_form->DiacriticsPanel1->isVisible());
    click("Long1");
    click("Du1");
    EXPECT_EQ(line(), QString::fromStdU16String(u"i\u02D0yt"));
    m_form->TabSet1->setCurrentIndex(0);
    EXPECT_TRUE(m_form->IPAPanel->isVisible());
    EXPECT_FALSE(m_form->AdditionalPanel->isVisible());
}

TEST_F(KorvFormTest, TooltipsFollowTheirPanelsSwitch) {
    int withTip = 0;
    for (SymbolButton* b : m_form->findChildren<SymbolButton*>()) {
        withTip += b->toolTip().isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(withTip, 61);
    EXPECT_TRUE(button("Slash1")->toolTip().isEmpty());
    EXPECT_EQ(button("Fat1")->toolTip(), QStringLiteral("cat"));
    m_form->IPAPanel->setShowHint(false);
    EXPECT_TRUE(button("Fat1")->toolTip().isEmpty());
    EXPECT_EQ(button("Long1")->toolTip(), QStringLiteral("long"));
}

TEST_F(KorvFormTest, LayoutIsFixed) {
    EXPECT_EQ(m_form->size(), QSize(331, 226));
    EXPECT_EQ(m_form->minimumSize(), m_form->maximumSize());
    EXPECT_TRUE(m_form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(m_form->comboSize->count(), 16);
    EXPECT_EQ(m_form->comboSize->currentText(), QStringLiteral("16"));
    EXPECT_EQ(button("Near1")->geometry(), QRect(101, 0, 33, 24));
    EXPECT_EQ(m_form->TntRichEdit1->geometry(), QRect(0, 232, 257, 33));
}

// A stray wheel step over the size box or the chart tabs changes nothing while the focus is in
// the line; the size box takes the wheel once it holds the focus, as a pick of the user.
TEST_F(KorvFormTest, TheWheelChangesOnlyTheControlWithTheFocus) {
    click("See1");
    const auto wheel = [](QWidget* widget, int delta) {
        const QPointF at = QRectF(widget->rect()).center();
        QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &event);
    };
    const struct {
        QWidget* control;
        int delta;
    } steps[] = {{m_form->comboSize, 120},
                 {m_form->comboSize, -120},
                 {m_form->TabSet1, -120},
                 {m_form->TabSet1, 120}};
    for (const auto& step : steps) {
        wheel(step.control, step.delta);
    }
    EXPECT_EQ(m_form->comboSize->currentIndex(), 6);
    EXPECT_EQ(m_form->TabSet1->currentIndex(), 0);
    EXPECT_EQ(readFile("KORVANI.INI"), "");
    EXPECT_EQ(QApplication::focusWidget(), m_form->TntEdit1);

    m_form->comboSize->setFocus(Qt::MouseFocusReason);
    wheel(m_form->comboSize, -120);
    EXPECT_EQ(m_form->comboSize->currentIndex(), 7);
    EXPECT_EQ(readFile("KORVANI.INI"), "[Korvani]\r\nFontSize=7\r\n");
}

// Typing stops at the line's usual limit; what the program puts there is never cut, and Copy
// carries all of it.
TEST_F(KorvFormTest, LongLinesAreNeverCutByTheProgram) {
    const QString longLine(40000, QLatin1Char('a'));
    m_form->TntEdit1->setText(longLine);
    EXPECT_EQ(line().size(), CompositionEdit::kTypingLimit) << "typing's limit";
    m_form->TntEdit1->setProgramText(longLine);
    m_form->TntEdit1->setCursorPosition(40000);
    click("See1");
    EXPECT_EQ(line().size(), 40001);
    EXPECT_EQ(m_form->TntEdit1->cursorPosition(), 40001);
    m_form->BtnCopyClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text().size(), 40001);
    click("Tea1"); // no selection, caret at the end: the line grows again
    EXPECT_EQ(line().size(), 40002);
    m_form->BtnClearClick();
    EXPECT_EQ(m_form->TntEdit1->maxLength(), CompositionEdit::kTypingLimit);
}

} // namespace
} // namespace korv
