#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include "compositionedit.h"
#include "formfixture.h"

namespace korv {
namespace {

const QString kShiLong = QString::fromStdU16String(u"\u0283i\u02D0");

// Keys as X11 reports them: each event carries the modifiers held before it.
struct Key {
    QEvent::Type type;
    int key;
    Qt::KeyboardModifiers modifiers;
    bool repeat = false;
};
constexpr auto kPress = QEvent::KeyPress;
constexpr auto kRelease = QEvent::KeyRelease;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;

class KeyboardTest : public FormFixture {
protected:
    void SetUp() override {
        createForm();
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
        m_form->TntEdit1->setText(kShiLong);
        m_form->TntEdit1->setFocus(Qt::MouseFocusReason);
        m_form->TntEdit1->setCursorPosition(1);
    }

    void send(const Key& k) const {
        QKeyEvent event(k.type, k.key, k.modifiers, QString(), k.repeat);
        QApplication::sendEvent(m_form->TntEdit1, &event);
    }
    QString clipText() const { return QGuiApplication::clipboard()->text(); }
    std::size_t pastes() const { return m_fake.m_keys.m_ownWindows.size(); }
};

TEST_F(KeyboardTest, CtrlReturnCopiesAsTheButtonDoesOnceTheChordIsLetGo) {
    const Key ctrlDown{kPress, Qt::Key_Control, kCtrl};
    const Key returnDown{kPress, Qt::Key_Return, kCtrl};
    const Key returnUp{kRelease, Qt::Key_Return, kCtrl};
    const Key ctrlUp{kRelease, Qt::Key_Control, kCtrl};
    const Qt::KeyboardModifiers keypad = kCtrl | Qt::KeypadModifier;
    struct Case {
        const char* name;
        bool autoPaste;
        std::vector<Key> chord; // the last key completes it
        std::size_t pastes;
    };
    const Case cases[] = {
        {"Return let go first", false, {ctrlDown, returnDown, returnUp, ctrlUp}, 0},
        {"Ctrl let go first, AutoPaste",
         true,
         {ctrlDown, returnDown, ctrlUp, {kRelease, Qt::Key_Return, kNone}},
         1},
        {"keypad Enter, AutoPaste",
         true,
         {ctrlDown, {kPress, Qt::Key_Enter, keypad}, {kRelease, Qt::Key_Enter, keypad}, ctrlUp},
         1},
        {"held chord pastes once",
         true,
         {ctrlDown,
          returnDown,
          {kPress, Qt::Key_Return, kCtrl, true},
          {kRelease, Qt::Key_Return, kCtrl, true},
          {kPress, Qt::Key_Return, kCtrl, true},
          returnUp,
          ctrlUp},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        m_form->AutoPaste = c.autoPaste;
        for (std::size_t i = 0; i + 1 < c.chord.size(); ++i) {
            send(c.chord[i]);
        }
        // Nothing leaves while a key of the chord is down: the paste would carry it along.
        EXPECT_EQ(clipText(), QStringLiteral("earlier"));
        EXPECT_EQ(pastes(), 0U);
        send(c.chord.back());
        EXPECT_EQ(clipText(), kShiLong);
        EXPECT_EQ(pastes(), c.pastes);
        EXPECT_EQ(m_form->TntEdit1->text(), kShiLong);
        EXPECT_EQ(m_form->TntEdit1->cursorPosition(), 3);
        EXPECT_EQ(QApplication::focusWidget(), m_form->TntEdit1);
        m_fake.m_keys = {};
    }
}

TEST_F(KeyboardTest, OtherReturnsAndALostFocusCopyNothing) {
    m_form->AutoPaste = true;
    for (const Qt::KeyboardModifiers modifiers : {kNone, kCtrl | Qt::ShiftModifier}) {
        send({kPress, Qt::Key_Return, modifiers});
        send({kRelease, Qt::Key_Return, modifiers});
    }
    send({kPress, Qt::Key_Return, kCtrl});
    m_form->comboSize->setFocus(Qt::MouseFocusReason);
    m_form->TntEdit1->setFocus(Qt::MouseFocusReason);
    send({kRelease, Qt::Key_Return, kNone});
    EXPECT_EQ(clipText(), QStringLiteral("earlier"));
    EXPECT_EQ(pastes(), 0U);
}

TEST_F(KeyboardTest, CtrlPageKeysSwitchTheChartBothWaysAsTheTabsDo) {
    struct Case {
        int from;
        int key;
        int to;
    };
    for (const Case c : {Case{0, Qt::Key_PageDown, 1}, Case{1, Qt::Key_PageUp, 0},
                         Case{1, Qt::Key_PageDown, 0}, Case{0, Qt::Key_PageUp, 1}}) {
        SCOPED_TRACE(testing::Message() << c.from << " " << c.key);
        m_form->TabSet1->setCurrentIndex(c.from);
        send({kPress, c.key, kCtrl});
        send({kPress, c.key, kCtrl, true}); // a held chord switches once
        send({kRelease, c.key, kCtrl});
        EXPECT_EQ(m_form->TabSet1->currentIndex(), c.to);
        EXPECT_EQ(m_form->IPAPanel->isVisible(), c.to == 0);
        EXPECT_EQ(m_form->AdditionalPanel->isVisible(), c.to == 1);
        EXPECT_EQ(QApplication::focusWidget(), m_form->TntEdit1);
        EXPECT_EQ(m_form->TntEdit1->cursorPosition(), 1);
    }
}

// The tree a screen reader walks: every interface below the window, depth first.
void collect(QAccessibleInterface* iface, std::vector<QAccessibleInterface*>& out) {
    out.push_back(iface);
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(iface->indexOfChild(child), i);
        collect(child, out);
    }
}

TEST_F(KeyboardTest, AccessibleTreeNamesTheLineAndSizeBoxAndLeavesOutHiddenControls) {
    std::vector<QAccessibleInterface*> tree;
    collect(QAccessible::queryAccessibleInterface(m_form.get()), tree);
    const auto listed = [&](const QObject* object) {
        return std::any_of(tree.begin(), tree.end(),
                           [&](QAccessibleInterface* i) { return i->object() == object; });
    };
    const auto* line = QAccessible::queryAccessibleInterface(m_form->TntEdit1);
    EXPECT_EQ(line->text(QAccessible::Name), QStringLiteral("Transcription"));
    const auto* size = QAccessible::queryAccessibleInterface(m_form->comboSize);
    EXPECT_EQ(size->text(QAccessible::Name), QStringLiteral("Point size"));
    EXPECT_EQ(size->text(QAccessible::Value), QStringLiteral("16"));
    EXPECT_TRUE(listed(m_form->TntEdit1) && listed(m_form->comboSize));
    EXPECT_TRUE(listed(m_form->findChild<SymbolButton*>(QStringLiteral("RollR1"))));
    for (const QObject* hidden :
         {static_cast<QObject*>(m_form->TntEdit2), static_cast<QObject*>(m_form->TntRichEdit1)}) {
        EXPECT_FALSE(listed(hidden)) << hidden->objectName().toStdString();
    }
    for (const QToolButton* arrow : m_form->TabSet1->findChildren<QToolButton*>()) {
        EXPECT_FALSE(listed(arrow));
    }

    // The tabs are there by name, and pressing one picks it as a click does.
    QAccessibleInterface* tabs = QAccessible::queryAccessibleInterface(m_form->TabSet1);
    ASSERT_EQ(tabs->childCount(), 2);
    EXPECT_EQ(tabs->child(0)->text(QAccessible::Name), QStringLiteral("Standard"));
    EXPECT_TRUE(tabs->child(0)->state().selected);
    tabs->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(m_form->AdditionalPanel->isVisible());
    EXPECT_TRUE(tabs->child(1)->state().selected);
}

} // namespace
} // namespace korv
