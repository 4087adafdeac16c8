// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>

#include "allsymbolspanel.h"
#include "chartwindow.h"
#include "compositionedit.h"
#include "fakeengine.h"
#include "formfixture.h"
#include "ipasymbols.h"
#include "minepanel.h"
#include "symbolgrid.h"

namespace korv {
namespace {

const QString kShiLong = QString::fromStdU16String(u"\u0283i\u02D0");

// A key as X11 reports it: with the modifiers held before it. FocusOut stands for the focus
// leaving the line and coming back.
struct Key {
    QEvent::Type type;
    int key = 0;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    bool repeat = false;
};

class MainWindowTest : public FormFixture {
protected:
    void SetUp() override { createForm(); }
    QString line() const { return m_form->lineEdit->text(); }

    void send(const Key& k) const {
        if (k.type == QEvent::FocusOut) {
            m_form->sizeBox->setFocus(Qt::MouseFocusReason);
            m_form->lineEdit->setFocus(Qt::MouseFocusReason);
            return;
        }
        QKeyEvent event(k.type, k.key, k.modifiers, QString(), k.repeat);
        QApplication::sendEvent(m_form->lineEdit, &event);
    }
};

// A digit typed at once must not change the size unseen.
TEST_F(MainWindowTest, FreshWindowFocusesTheLineAndKeysGoThere) {
    EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2"));
    EXPECT_EQ(m_form->sizeBox->currentText(), QStringLiteral("16"));
    m_form->lineEdit->clear();
    click("See");
    EXPECT_EQ(line(), QStringLiteral("i"));
    EXPECT_EQ(m_form->lineEdit->cursorPosition(), 1);
    EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
}

TEST_F(MainWindowTest, WithTheFocusInTheSizeBoxASymbolIsAppended) {
    click("Tea");
    click("See");
    m_form->lineEdit->setCursorPosition(1);
    m_form->sizeBox->setFocus(Qt::MouseFocusReason);
    click("Bad");
    EXPECT_EQ(line(), QStringLiteral("tib"));
    EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
    EXPECT_EQ(m_form->lineEdit->cursorPosition(), 3);
}

TEST_F(MainWindowTest, BackAfterAnAffricateLeavesItsFirstHalf) {
    click("Chain");
    EXPECT_EQ(line(), QString::fromStdU16String(u"t\u0283"));
    clickWidget(m_form->backButton);
    EXPECT_EQ(line(), QStringLiteral("t"));
    EXPECT_EQ(m_form->lineEdit->cursorPosition(), 1);
}

TEST_F(MainWindowTest, ASelectionIsNeverReplaced) {
    m_form->lineEdit->setFocus(Qt::MouseFocusReason);
    m_form->lineEdit->setText(QStringLiteral("abc"));
    m_form->lineEdit->setSelection(1, 1);
    click("See");
    EXPECT_EQ(line(), QStringLiteral("aibc"));
    EXPECT_EQ(m_form->lineEdit->cursorPosition(), 2);
    EXPECT_FALSE(m_form->lineEdit->hasSelectedText());
}

TEST_F(MainWindowTest, TabIntoTheLineSelectsAllAndASymbolGoesInFront) {
    m_form->lineEdit->setText(QStringLiteral("abc"));
    m_form->sizeBox->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(m_form->sizeBox, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), m_form->lineEdit);
    EXPECT_EQ(m_form->lineEdit->selectedText(), QStringLiteral("abc"));
    click("See");
    EXPECT_EQ(line(), QStringLiteral("iabc"));
    EXPECT_EQ(m_form->lineEdit->cursorPosition(), 1);
}

// The size box takes keys only while the user works it: after Clear all the user writes anew.
TEST_F(MainWindowTest, ClearAllEmptiesTheLineIntoTheFocusAndIsUndoneInOneStep) {
    click("See");
    click("Tea");
    m_form->lineEdit->setCursorPosition(1);
    m_form->sizeBox->setFocus(Qt::MouseFocusReason);
    clickWidget(m_form->clearButton);
    EXPECT_TRUE(line().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
    QTest::keyClick(m_form->lineEdit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(line(), QStringLiteral("it"));
}

// The chart window comes with its first opening, takes no keys, names every cell for a screen
// reader, and its clicks and zoom keys reach the line and the window through the palette.
TEST_F(MainWindowTest, TheChartWindowIsBuiltWhenOpenedAndLeavesTheKeysToTheLine) {
    EXPECT_EQ(m_form->chartWindow, nullptr);
    m_form->lineEdit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(m_form->lineEdit, Qt::Key_K, Qt::ControlModifier);
    ChartWindow* chart = m_form->chartWindow;
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isVisible());
    EXPECT_TRUE(chart->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(chart->windowFlags() & Qt::WindowStaysOnTopHint);
    for (const QWidget* widget : chart->findChildren<QWidget*>()) {
        EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus) << widget->objectName().toStdString();
    }
    EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);

    QAccessibleInterface* canvas = QAccessible::queryAccessibleInterface(chart->canvas);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->text(QAccessible::Name), QStringLiteral("IPA chart"));
    EXPECT_EQ(canvas->childCount(), static_cast<int>(ipaSymbols().size()));
    int esh = -1;
    for (int i = 0; i < canvas->childCount(); ++i) {
        if (canvas->child(i)->text(QAccessible::Name) ==
            u"ʃ, voiceless postalveolar fricative"_qs) {
            esh = i;
        }
    }
    ASSERT_GE(esh, 0);
    EXPECT_EQ(canvas->child(esh)->role(), QAccessible::Button);
    m_form->lineEdit->setText(QStringLiteral("ab"));
    m_form->lineEdit->setCursorPosition(1);
    canvas->child(esh)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(line(), u"aʃb"_qs);
    EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);

    const int width = chart->canvas->width();
    QTest::keyClick(m_form->lineEdit, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(chart->zoom(), 110);
    EXPECT_GT(chart->canvas->width(), width);
    QTest::keyClick(m_form->lineEdit, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(chart->zoom(), 100);
}

TEST_F(MainWindowTest, CommandAndSymbolButtonsNeverTakeTheFocus) {
    for (QAbstractButton* b : m_form->findChildren<QAbstractButton*>()) {
        if (b->isVisibleTo(m_form.get()) || qobject_cast<QPushButton*>(b) != nullptr) {
            EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << b->objectName().toStdString();
        }
    }
    for (const QWidget* chart : {static_cast<QWidget*>(m_form->standardChart),
                                 static_cast<QWidget*>(m_form->additionalChart),
                                 static_cast<QWidget*>(m_form->diacriticsChart)}) {
        EXPECT_EQ(chart->focusPolicy(), Qt::NoFocus) << chart->objectName().toStdString();
    }
    m_form->lineEdit->setFocus(Qt::MouseFocusReason);
    clickWidget(m_form->clearButton);
    click("See");
    EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
}

TEST_F(MainWindowTest, AdditionalChartKeepsTheDiacriticsAndTheCaret) {
    click("See");
    click("Tea");
    m_form->lineEdit->setCursorPosition(1);
    m_form->chartTabs->setCurrentIndex(1);
    EXPECT_FALSE(m_form->standardChart->isVisible());
    EXPECT_TRUE(m_form->additionalChart->isVisible());
    EXPECT_TRUE(m_form->diacriticsChart->isVisible());
    click("Long");
    click("Du");
    EXPECT_EQ(line(), QString::fromStdU16String(u"i\u02D0yt"));
    m_form->chartTabs->setCurrentIndex(0);
    EXPECT_TRUE(m_form->standardChart->isVisible());
    EXPECT_FALSE(m_form->additionalChart->isVisible());
}

TEST_F(MainWindowTest, TooltipsFollowTheirPanelsSwitch) {
    int withTip = 0;
    for (const Symbol& b : allButtons()) {
        withTip += b.toolTip().isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(withTip, 61);
    EXPECT_TRUE(button("Slash").toolTip().isEmpty());
    // Alike on every tab: the symbol, its name, the chart's example, X-SAMPA, the code points.
    const QString ash = u"æ  near-open front unrounded vowel\nas in “cat”\nX-SAMPA: {\nU+00E6"_qs;
    EXPECT_EQ(button("Fat").toolTip(), ash);
    m_form->palette().addToMine(u"æ");
    m_form->chartTabs->setCurrentIndex(3);
    EXPECT_EQ(m_form->minePanel->grid->toolTip(0), ash);
    m_form->chartTabs->setCurrentIndex(2);
    const SymbolGrid* all = m_form->allPanel->grid;
    int found = 0;
    for (int cell = 0; cell < all->cells().size(); ++cell) {
        if (all->cells().at(cell).glyph == u"æ"_qs) {
            EXPECT_EQ(all->toolTip(cell), ash);
            ++found;
        }
    }
    EXPECT_EQ(found, 1);
    m_form->standardChart->setShowHint(false);
    EXPECT_TRUE(button("Fat").toolTip().isEmpty());
    EXPECT_TRUE(button("Long").toolTip().startsWith(u"ː  long\nas in “long”"_qs));
}

TEST_F(MainWindowTest, LayoutIsFixed) {
    EXPECT_EQ(m_form->size(), QSize(331, 226));
    EXPECT_EQ(m_form->minimumSize(), m_form->maximumSize());
    EXPECT_TRUE(m_form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(m_form->sizeBox->count(), 16);
    EXPECT_EQ(m_form->sizeBox->currentText(), QStringLiteral("16"));
    EXPECT_EQ(button("Near").geometry(), QRect(101, 0, 33, 24));
}

// A stray wheel step over the size box or the chart tabs changes nothing while the focus is in
// the line; the size box takes the wheel once it holds the focus, as a pick of the user.
TEST_F(MainWindowTest, TheWheelChangesOnlyTheControlWithTheFocus) {
    click("See");
    const std::string recent = readFile("KORVANI.INI"); // the click's own record
    const auto wheel = [](QWidget* widget, int delta) {
        const QPointF at = QRectF(widget->rect()).center();
        QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &event);
    };
    for (QWidget* control : std::initializer_list<QWidget*>{m_form->sizeBox, m_form->chartTabs}) {
        for (const int delta : {120, -120}) {
            wheel(control, delta);
            EXPECT_EQ(m_form->sizeBox->currentIndex(), 6);
            EXPECT_EQ(m_form->chartTabs->currentIndex(), 0);
            EXPECT_EQ(readFile("KORVANI.INI"), recent);
            EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
        }
    }
    m_form->sizeBox->setFocus(Qt::MouseFocusReason);
    wheel(m_form->sizeBox, -120);
    EXPECT_EQ(m_form->sizeBox->currentIndex(), 7);
    EXPECT_EQ(readFile("KORVANI.INI"), recent + "[Korvani]\r\nFontSize=7\r\n");
}

// Typing stops at the line's usual limit; what the program puts there is never cut, and Copy
// carries all of it.
TEST_F(MainWindowTest, LongLinesAreNeverCutByTheProgram) {
    const QString longLine(40000, QLatin1Char('a'));
    m_form->lineEdit->setText(longLine);
    EXPECT_EQ(line().size(), CompositionEdit::kTypingLimit) << "typing's limit";
    m_form->lineEdit->setProgramText(longLine);
    m_form->lineEdit->setCursorPosition(40000);
    click("See");
    EXPECT_EQ(line().size(), 40001);
    EXPECT_EQ(m_form->lineEdit->cursorPosition(), 40001);
    m_form->copy();
    ASSERT_EQ(m_fake.m_clipboard.m_put.size(), 1U);
    EXPECT_EQ(m_fake.m_clipboard.m_put[0].plain.size(), 40001U);
    click("Tea"); // no selection, caret at the end: the line grows again
    EXPECT_EQ(line().size(), 40002);
    m_form->palette().clear();
    EXPECT_TRUE(line().isEmpty());
    // Undone, Clear all gives the whole line back.
    m_form->lineEdit->undo();
    EXPECT_EQ(line().size(), 40002);
}

// Chords typed in the line act once they are let go and leave the focus and the line alone:
// Ctrl+Return copies as the button does, Ctrl+PageDown and Ctrl+PageUp switch the chart both ways
// as the tabs do.
TEST_F(MainWindowTest, ChordsInTheLineCopyOrSwitchTheChart) {
    constexpr auto down = QEvent::KeyPress;
    constexpr auto up = QEvent::KeyRelease;
    constexpr Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    constexpr Qt::KeyboardModifiers keypad = ctrl | Qt::KeypadModifier;
    constexpr Qt::KeyboardModifiers shift = ctrl | Qt::ShiftModifier;
    const Key ctrlDown{down, Qt::Key_Control, ctrl}, ctrlUp{up, Qt::Key_Control, ctrl};
    const Key retDown{down, Qt::Key_Return, ctrl}, retUp{up, Qt::Key_Return, ctrl};
    const Key held{down, Qt::Key_Return, ctrl, true}, heldUp{up, Qt::Key_Return, ctrl, true};
    const Key bareDown{down, Qt::Key_Return}, bareUp{up, Qt::Key_Return};
    const Key enterDown{down, Qt::Key_Enter, keypad}, enterUp{up, Qt::Key_Enter, keypad};
    const Key shiftDown{down, Qt::Key_Return, shift}, shiftUp{up, Qt::Key_Return, shift};
    const Key focusLost{QEvent::FocusOut};
    const auto page = [&](int key) { // a held chord switches once
        return std::vector<Key>{{down, key, ctrl}, {down, key, ctrl, true}, {up, key, ctrl}};
    };
    struct Case {
        const char* name;
        bool autoPaste;
        int tab;
        std::vector<Key> keys; // the last one completes the chord
        bool copies;
        std::size_t pastes;
        int tabAfter;
    };
    const Case cases[] = {
        {"Return let go first", false, 0, {ctrlDown, retDown, retUp, ctrlUp}, true, 0, 0},
        {"Ctrl let go first", true, 0, {ctrlDown, retDown, ctrlUp, bareUp}, true, 1, 0},
        {"keypad Enter", true, 0, {ctrlDown, enterDown, enterUp, ctrlUp}, true, 1, 0},
        {"held chord", true, 0, {ctrlDown, retDown, held, heldUp, held, retUp, ctrlUp}, true, 1, 0},
        {"Return alone", true, 0, {bareDown, bareUp}, false, 0, 0},
        {"Ctrl+Shift+Return", true, 0, {shiftDown, shiftUp}, false, 0, 0},
        {"focus lost while held", true, 0, {retDown, focusLost, bareUp}, false, 0, 0},
        {"PageDown to the second", true, 0, page(Qt::Key_PageDown), false, 0, 1},
        {"PageUp to the first", true, 1, page(Qt::Key_PageUp), false, 0, 0},
        {"PageDown to the last", true, 2, page(Qt::Key_PageDown), false, 0, 3},
        {"PageDown from the last", true, 3, page(Qt::Key_PageDown), false, 0, 0},
        {"PageUp from the first", true, 0, page(Qt::Key_PageUp), false, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_fake.m_pasteTarget = {};
        m_fake.m_clipboard = {};
        createForm();
        m_form->lineEdit->setText(kShiLong);
        m_form->lineEdit->setFocus(Qt::MouseFocusReason);
        m_form->lineEdit->setCursorPosition(1);
        m_form->palette().saveOptions(optionsWith(&PaletteOptions::autoPaste, c.autoPaste));
        m_form->chartTabs->setCurrentIndex(c.tab);
        for (std::size_t i = 0; i + 1 < c.keys.size(); ++i) {
            send(c.keys[i]);
        }
        // Nothing leaves while a key of the chord is down: the paste would carry it along.
        EXPECT_TRUE(m_fake.m_clipboard.m_put.empty());
        EXPECT_EQ(m_fake.m_pasteTarget.m_ownWindows.size(), 0U);
        send(c.keys.back());
        EXPECT_EQ(m_fake.m_clipboard.m_put.size(), c.copies ? 1U : 0U);
        EXPECT_EQ(m_fake.m_pasteTarget.m_ownWindows.size(), c.pastes);
        EXPECT_EQ(line(), kShiLong);
        EXPECT_EQ(m_form->lineEdit->cursorPosition(), c.copies ? 3 : 1);
        EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
        EXPECT_EQ(m_form->chartTabs->currentIndex(), c.tabAfter);
        EXPECT_EQ(m_form->standardChart->isVisible(), c.tabAfter == 0);
        EXPECT_EQ(m_form->additionalChart->isVisible(), c.tabAfter == 1);
    }
}

// The tree a screen reader walks: every node below the window, depth first.
void collect(QAccessibleInterface* iface, std::vector<const QAccessibleInterface*>& out) {
    out.push_back(iface);
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(iface->indexOfChild(child), i);
        collect(child, out);
    }
}

TEST_F(MainWindowTest, CtrlShiftXConvertsXsampaAsOneStepForUndo) {
    const struct {
        const char* what;
        int selStart, selLength;
        QString expected;
    } cases[] = {
        {"the whole line", 0, 0, QString::fromStdU16String(u"ab ðə ˈkæt")},
        {"only the selection", 3, 2, QString::fromStdU16String(u"ab ðə \"k{t")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_form->lineEdit->setProgramText(QString());
        m_form->lineEdit->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(m_form->lineEdit, QStringLiteral("ab D@ \"k{t"));
        m_form->lineEdit->setSelection(c.selStart, c.selLength);
        QTest::keyClick(m_form->lineEdit, Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(line(), c.expected);
        m_form->lineEdit->undo();
        EXPECT_EQ(line(), QStringLiteral("ab D@ \"k{t"));
    }
}

TEST_F(MainWindowTest, AllTabIsBuiltWhenAskedForAndItsKeysInsertAtTheLinesCaret) {
    EXPECT_EQ(m_form->allPanel, nullptr);
    const struct {
        const char* query;
        std::vector<int> keys;
        QString line; // after the keys; the query is left empty only by Escape
    } cases[] = {
        {"voiced velar fricative", {Qt::Key_Return}, QString::fromStdU16String(u"a\u0263b")},
        {"velar plosive", {Qt::Key_Down, Qt::Key_Return}, QString::fromStdU16String(u"a\u0261b")},
        {"velar plosive", {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Return}, "akb"},
        {"_0", {Qt::Key_Return}, QString::fromStdU16String(u"a\u0325b")},
        {"xyzzy", {Qt::Key_Return}, "ab"},
        {"velar", {Qt::Key_Escape}, "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        m_form->lineEdit->setProgramText(QStringLiteral("ab"));
        m_form->lineEdit->setFocus(Qt::MouseFocusReason);
        m_form->lineEdit->setCursorPosition(1);
        QTest::keyClick(m_form->lineEdit, Qt::Key_F, Qt::ControlModifier);
        ASSERT_NE(m_form->allPanel, nullptr);
        EXPECT_EQ(m_form->chartTabs->currentIndex(), 2);
        EXPECT_FALSE(m_form->standardChart->isVisible() || m_form->additionalChart->isVisible());
        QLineEdit* search = m_form->allPanel->searchField;
        ASSERT_EQ(QApplication::focusWidget(), search);
        QTest::keyClicks(search, QString::fromLatin1(c.query));
        for (const int key : c.keys) {
            QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        }
        EXPECT_EQ(line(), c.line);
        const bool inserted = line() != QStringLiteral("ab");
        EXPECT_EQ(QApplication::focusWidget(), inserted ? static_cast<QWidget*>(m_form->lineEdit)
                                                        : static_cast<QWidget*>(search));
        if (inserted) {
            EXPECT_EQ(m_form->lineEdit->cursorPosition(), line().size() - 1);
        }
        EXPECT_EQ(search->text().isEmpty(), c.keys.back() == Qt::Key_Escape);
    }
}

// Before Return is pressed, the user sees what it inserts and why each result was found; a
// second Ctrl+F selects the old query to be typed over.
TEST_F(MainWindowTest, TheSearchShowsWhatReturnInsertsAndWhyEachResultWasFound) {
    QTest::keyClick(m_form->lineEdit, Qt::Key_F, Qt::ControlModifier);
    AllSymbolsPanel* all = m_form->allPanel;
    ASSERT_NE(all, nullptr);
    EXPECT_FALSE(all->chosenName->isVisible());
    QTest::keyClicks(all->searchField, QStringLiteral("acute"));
    EXPECT_TRUE(all->chosenName->isVisible());
    EXPECT_EQ(all->chosenGlyph->text(), QString::fromStdU16String(u"\u25CC\u0301"));
    EXPECT_TRUE(all->chosenName->text().contains(QStringLiteral("high")))
        << all->chosenName->text().toStdString();
    EXPECT_GE(all->scrollArea->y(), all->chosenName->geometry().bottom());
    EXPECT_TRUE(all->grid->toolTip(0).contains(QStringLiteral("Found for \u201Cacute\u201D: ")))
        << all->grid->toolTip(0).toStdString();

    QTest::keyClick(all->searchField, Qt::Key_Down);
    EXPECT_NE(all->chosenGlyph->text(), QString::fromStdU16String(u"\u25CC\u0301"));
    QTest::keyClicks(all->searchField, QStringLiteral("qqqq"));
    EXPECT_EQ(all->chosenName->text(), QStringLiteral("Nothing found"));

    all->searchField->setCursorPosition(1);
    QTest::keyClick(all->searchField, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(all->searchField->selectedText(), QStringLiteral("acuteqqqq"));
    QTest::keyClick(all->searchField, Qt::Key_Escape);
    EXPECT_FALSE(all->chosenName->isVisible());
}

TEST_F(MainWindowTest, AllTabTooltipsGiveSymbolNameAndXsampaAndFollowShowHints) {
    m_form->chartTabs->setCurrentIndex(2);
    SymbolGrid* grid = m_form->allPanel->grid;
    const auto symbols = ipaSymbols();
    const auto found = std::find_if(symbols.begin(), symbols.end(), [](const IpaSymbol& symbol) {
        return symbol.chars == u"\u0263";
    });
    const int gamma = grid->cellWithPayload(static_cast<int>(found - symbols.begin()));
    ASSERT_GE(gamma, 0);
    EXPECT_EQ(grid->toolTip(gamma),
              QString::fromStdU16String(u"\u0263  voiced velar fricative\nX-SAMPA: G\nU+0263"));
    m_form->palette().saveOptions(optionsWith(&PaletteOptions::showHints, false));
    EXPECT_TRUE(grid->toolTip(gamma).isEmpty());
}

TEST_F(MainWindowTest, AccessibleTreeNamesTheLineAndSizeBoxAndLeavesOutHiddenControls) {
    std::vector<const QAccessibleInterface*> tree;
    collect(QAccessible::queryAccessibleInterface(m_form.get()), tree);
    const auto listed = [&](const QObject* o) {
        return std::count_if(tree.begin(), tree.end(), [o](auto* i) { return i->object() == o; });
    };
    const auto* rollR = button("RollR").accessible();
    const auto* line = QAccessible::queryAccessibleInterface(m_form->lineEdit);
    EXPECT_EQ(line->text(QAccessible::Name), QStringLiteral("Transcription"));
    const auto* size = QAccessible::queryAccessibleInterface(m_form->sizeBox);
    EXPECT_EQ(size->text(QAccessible::Name), QStringLiteral("Point size"));
    EXPECT_EQ(size->text(QAccessible::Value), QStringLiteral("16"));
    EXPECT_TRUE(listed(m_form->lineEdit) && listed(m_form->sizeBox) &&
                std::count(tree.begin(), tree.end(), rollR));
    QObjectList hidden = m_form->chartTabs->children(); // the scroll arrows among them
    for (const QObject* o : hidden) {
        EXPECT_FALSE(listed(o)) << o->objectName().toStdString();
    }

    // The tabs are there by name, and pressing one picks it as a click does.
    QAccessibleInterface* tabs = QAccessible::queryAccessibleInterface(m_form->chartTabs);
    ASSERT_EQ(tabs->childCount(), 4);
    EXPECT_EQ(tabs->child(0)->text(QAccessible::Name), QStringLiteral("Standard"));
    EXPECT_EQ(tabs->child(2)->text(QAccessible::Name), QStringLiteral("All"));
    EXPECT_EQ(tabs->child(3)->text(QAccessible::Name), QStringLiteral("Mine"));
    EXPECT_TRUE(tabs->child(0)->state().selected);
    tabs->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(m_form->additionalChart->isVisible());
    EXPECT_TRUE(tabs->child(1)->state().selected);
}

} // namespace
} // namespace korv

namespace korv {
namespace {

// The user's own symbols through the window's handlers: kept in order, without repeats, moved
// and removed, from the line and from a search result, each named in its tooltip.
TEST_F(MainWindowTest, MineKeepsTheUsersSymbolsInOrder) {
    createForm();
    m_form->palette().addToMine(u"ʃ");
    m_form->lineEdit->setText(QStringLiteral("atʃʰ"));
    m_form->lineEdit->setSelection(1, 3);
    QTest::keyClick(m_form->lineEdit, Qt::Key_D, Qt::ControlModifier);
    m_form->palette().addToMine(u"ʃ");
    m_form->chartTabs->setCurrentIndex(2);
    m_form->allPanel->searchField->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(m_form->allPanel->searchField, QStringLiteral("schwa"));
    QTest::keyClick(m_form->allPanel->searchField, Qt::Key_D, Qt::ControlModifier);
    m_form->chartTabs->setCurrentIndex(3);
    const auto glyphs = [this] {
        QStringList out;
        for (const SymbolGrid::Cell& cell : m_form->minePanel->grid->cells()) {
            out << cell.glyph;
        }
        return out;
    };
    EXPECT_EQ(glyphs(), (QStringList{u"ʃ"_qs, u"tʃʰ"_qs, u"ə"_qs}));
    EXPECT_EQ(m_form->minePanel->grid->toolTip(1),
              u"tʃʰ  voiceless alveolar plosive + voiceless postalveolar fricative + aspirated\n"
              u"X-SAMPA: tS_h\nU+0074 U+0283 U+02B0"_qs);

    m_form->palette().moveInMine(u"ə", -1);
    m_form->palette().removeFromMine(u"ʃ");
    EXPECT_EQ(glyphs(), (QStringList{u"ə"_qs, u"tʃʰ"_qs}));
    EXPECT_NE(readFile("KORVANI.INI").find("Mine=U+0259, U+0074 U+0283 U+02B0\r\n"),
              std::string::npos);
}

// Ctrl+T in the line: the words before the caret become IPA, one step for Undo; a word said two
// ways is offered under the line, and a click puts the other in its place.
TEST_F(MainWindowTest, CtrlTTranscribesAndOffersTheOtherPronunciation) {
    m_phonemes = test::fakeEngineFactory(std::make_shared<test::EngineLog>(), test::kFakeWords);
    createForm();
    m_form->lineEdit->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(m_form->lineEdit, QStringLiteral("read"));
    QTest::keyClick(m_form->lineEdit, Qt::Key_T, Qt::ControlModifier);
    const QString present = QString::fromUtf8("ri\u02D0d");
    EXPECT_EQ(line(), present);
    ASSERT_NE(m_form->alternativesBar, nullptr);
    auto* other = m_form->alternativesBar->findChild<QToolButton*>(QStringLiteral("Alternative"));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->text(), QStringLiteral("red"));
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(line(), QStringLiteral("red"));
    EXPECT_EQ(QApplication::focusWidget(), m_form->lineEdit);
    QTest::keyClick(m_form->lineEdit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(line(), present);
    QTest::keyClick(m_form->lineEdit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(line(), QStringLiteral("read"));
}

} // namespace
} // namespace korv
