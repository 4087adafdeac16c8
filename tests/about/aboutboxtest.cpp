// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

#include "aboutbox.h"
#include "formfixture.h"

namespace korv {
namespace {

class AboutBoxTest : public FormFixture {
protected:
    // Opens About (by the main window's button unless told otherwise) and runs body on it while
    // the modal loop holds it; closes it with "Close" unless body did. Returns when the opener
    // has returned, so the window's life is over.
    void withAbout(const std::function<void(TAboutBox&)>& body,
                   const std::function<void()>& open = {}) {
        bool ran = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = dynamic_cast<TAboutBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                return;
            }
            poll.stop();
            ran = true;
            m_box = box;
            body(*box);
            if (m_box && m_box->isVisible()) {
                m_box->OKButton->click();
            }
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "the About window was still open";
                modal->close();
            }
        });
        poll.start();
        watchdog.start(10000);
        if (open) {
            open();
        } else {
            clickWidget(m_form->BtnAbout);
        }
        EXPECT_TRUE(ran) << "no About window opened";
        EXPECT_TRUE(m_box.isNull()) << "the About window outlived its closing";
    }

    QStringList tooltips() const {
        QStringList all;
        for (const Symbol& button : allButtons()) {
            all << button.toolTip();
        }
        return all;
    }
    static bool allEmpty(const QStringList& texts) {
        return std::all_of(texts.begin(), texts.end(),
                           [](const QString& t) { return t.isEmpty(); });
    }

    QPointer<TAboutBox> m_box;
};

constexpr const char* kSettings = "; kept by hand\r\n[Korvani]\r\nAutoPaste=1\r\nShowHints=1\r\n"
                                  "UseUnicodeFont=0\r\nHomepage=https://korvani.example.org/ipa\r\n"
                                  "[Position]\r\nLeft=70\r\nTop=60\r\n";

TEST_F(AboutBoxTest, WindowAndControlsAreLaidOutAsDesigned) {
    writeFile("KORVANI.INI", kSettings);
    createForm();
    withAbout([&](TAboutBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("About Korvani"));
        EXPECT_EQ(box.size(), QSize(313, 338));
        EXPECT_EQ(box.minimumSize(), box.maximumSize());
        EXPECT_EQ(box.parentWidget(), nullptr);
        EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
        EXPECT_TRUE(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        // Centred as far as the window can tell before the frame is on: within the frame's width.
        const QPoint offCentre =
            box.geometry().center() - box.screen()->availableGeometry().center();
        EXPECT_LE(offCentre.manhattanLength(), 8);

        ASSERT_EQ(box.PageControl1->count(), 2);
        EXPECT_EQ(box.PageControl1->tabText(0), QStringLiteral("About"));
        EXPECT_EQ(box.PageControl1->widget(0), box.TabSheet2);
        EXPECT_EQ(box.PageControl1->tabText(1), QStringLiteral("Options"));
        EXPECT_EQ(box.PageControl1->currentIndex(), 0);
        EXPECT_EQ(box.Panel2->geometry(), box.TabSheet2->rect());
        EXPECT_TRUE(box.OKButton->isDefault());

        // name, parent, position, size (empty: sized to its text), text
        const struct {
            const char* name;
            const char* parent;
            QPoint at;
            QSize size;
            const char* text;
        } controls[] = {
            {"PageControl1", "AboutBox", {8, 8}, {297, 281}, nullptr},
            {"OKButton", "AboutBox", {121, 300}, {75, 25}, "Close"},
            {"Image1", "Panel2", {16, 8}, {64, 64}, nullptr},
            {"Label5", "Panel2", {88, 16}, {}, "Korvani"},
            {"Label8", "Panel2", {157, 18}, {}, "version 6.05"},
            {"Label1", "Panel2", {88, 48}, {}, "Build: 20211230"},
            {"Label9", "Panel2", {16, 80}, {}, "Internet:"},
            {"lbURL2", "Panel2", {56, 80}, {}, "https://korvani.example.org/ipa"},
            {"pnlMain", "TabSheet1", {8, 8}, {273, 145}, nullptr},
            {"chAutopaste", "pnlMain", {12, 23}, {16, 17}, ""},
            {"Label2", "pnlMain", {32, 24}, {}, "Automatically paste script into target document"},
            {"chUseUnicodeFont", "pnlMain", {12, 48}, {17, 17}, ""},
            {"Label12", "pnlMain", {32, 50}, {}, "Use Unicode Fonts (recommended)"},
            {"chShowHints", "pnlMain", {12, 72}, {17, 17}, ""},
            {"Label4", "pnlMain", {32, 74}, {}, "Show button hints"},
            {"sbSaveOptions", "pnlMain", {56, 107}, {153, 22}, "Save"},
            {"pnlInstallFonts", "TabSheet1", {8, 160}, {273, 81}, nullptr},
            {"sbInstallFonts", "pnlInstallFonts", {56, 32}, {153, 22}, "Install Legacy Fonts"},
        };
        for (const auto& c : controls) {
            SCOPED_TRACE(c.name);
            const auto* widget = box.findChild<QWidget*>(QLatin1String(c.name));
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->parentWidget()->objectName(), QLatin1String(c.parent));
            EXPECT_EQ(widget->pos(), c.at);
            if (!c.size.isEmpty()) {
                EXPECT_EQ(widget->size(), c.size);
            }
            if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                EXPECT_EQ(label->text(), QLatin1String(c.text));
                EXPECT_EQ(label->size(), label->sizeHint());
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
                EXPECT_EQ(button->text(), QLatin1String(c.text));
            }
        }
        for (const QToolButton* speed : {box.sbSaveOptions, box.sbInstallFonts}) {
            EXPECT_EQ(speed->focusPolicy(), Qt::NoFocus);
        }
        EXPECT_EQ(box.lbURL2->palette().color(QPalette::WindowText), QColor(Qt::blue));
        EXPECT_TRUE(box.lbURL2->font().underline());
        EXPECT_TRUE(box.Label5->font().bold());
    });
}

TEST_F(AboutBoxTest, OpeningAndClosingWithoutAChangeLeavesEverythingAlone) {
    writeFile("KORVANI.INI", kSettings);
    createForm();
    const QStringList hints = tooltips();
    ASSERT_FALSE(allEmpty(hints));
    ASSERT_EQ(m_form->BtnCopy->text(), QStringLiteral("Paste"));

    const struct {
        const char* way;
        std::function<void(TAboutBox&)> close;
    } ways[] = {
        {"Close button", [](TAboutBox& box) { QTest::mouseClick(box.OKButton, Qt::LeftButton); }},
        {"Enter", [](TAboutBox& box) { QTest::keyClick(&box, Qt::Key_Return); }},
        {"title bar", [](TAboutBox& box) { box.close(); }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        withAbout([&](TAboutBox& box) {
            EXPECT_FALSE(box.sbSaveOptions->isEnabled());
            EXPECT_TRUE(box.chAutopaste->isChecked());
            EXPECT_FALSE(box.chUseUnicodeFont->isChecked());
            EXPECT_TRUE(box.chShowHints->isChecked());
            box.PageControl1->setCurrentWidget(box.TabSheet1);
            // Escape is not one of the ways out.
            QTest::keyClick(&box, Qt::Key_Escape);
            EXPECT_TRUE(box.isVisible());
            EXPECT_FALSE(box.sbSaveOptions->isEnabled());
            w.close(box);
            EXPECT_FALSE(box.isVisible());
        });
        EXPECT_EQ(readFile("KORVANI.INI"), kSettings);
        EXPECT_EQ(m_form->BtnCopy->text(), QStringLiteral("Paste"));
        EXPECT_EQ(tooltips(), hints);
    }
    EXPECT_TRUE(m_boxes.m_errors.isEmpty());
    EXPECT_TRUE(m_fake.m_launcher.m_opened.empty());
}

TEST_F(AboutBoxTest, BoxesStartFromTheOptionsInMemoryAndOnlyTheBoxToggles) {
    writeFile("KORVANI.INI", "[Korvani]\r\nAutoPaste=0\r\nUseUnicodeFont=0\r\nShowHints=1\r\n");
    createForm();
    // Changed behind the program's back: the running program keeps what it read at start.
    writeFile("KORVANI.INI", "[Korvani]\r\nAutoPaste=1\r\nUseUnicodeFont=1\r\nShowHints=0\r\n");
    withAbout([&](TAboutBox& box) {
        box.PageControl1->setCurrentWidget(box.TabSheet1);
        EXPECT_FALSE(box.chAutopaste->isChecked());
        EXPECT_FALSE(box.chUseUnicodeFont->isChecked());
        EXPECT_TRUE(box.chShowHints->isChecked());

        for (QLabel* text : {box.Label2, box.Label12, box.Label4}) {
            QTest::mouseClick(text, Qt::LeftButton);
        }
        EXPECT_FALSE(box.chAutopaste->isChecked());
        EXPECT_FALSE(box.chUseUnicodeFont->isChecked());
        EXPECT_TRUE(box.chShowHints->isChecked());
        EXPECT_FALSE(box.sbSaveOptions->isEnabled());

        QTest::mouseClick(box.chUseUnicodeFont, Qt::LeftButton);
        EXPECT_TRUE(box.chUseUnicodeFont->isChecked());
        EXPECT_TRUE(box.sbSaveOptions->isEnabled());
    });
    // Closed unsaved: dropped without a word.
    EXPECT_FALSE(m_form->UseUnicodeFont);
}

TEST_F(AboutBoxTest, ToggledTwiceStillEnablesSaveWhichWritesAllThreeInOrder) {
    writeFile("KORVANI.INI", "[Position]\r\nLeft=70\r\nTop=60\r\n");
    createForm();
    withAbout([&](TAboutBox& box) {
        box.PageControl1->setCurrentWidget(box.TabSheet1);
        QTest::mouseClick(box.chShowHints, Qt::LeftButton);
        QTest::mouseClick(box.chShowHints, Qt::LeftButton);
        EXPECT_TRUE(box.chShowHints->isChecked());
        ASSERT_TRUE(box.sbSaveOptions->isEnabled());
        QTest::mouseClick(box.sbSaveOptions, Qt::LeftButton);
        EXPECT_FALSE(box.sbSaveOptions->isEnabled());
        EXPECT_TRUE(box.isVisible());
    });
    EXPECT_EQ(readFile("KORVANI.INI"), "[Position]\r\nLeft=70\r\nTop=60\r\n[Korvani]\r\n"
                                       "AutoPaste=0\r\nUseUnicodeFont=1\r\nShowHints=1\r\n");
    EXPECT_TRUE(m_boxes.m_errors.isEmpty());
}

TEST_F(AboutBoxTest, SaveCaptionsTheCopyButtonAtOnce) {
    const struct {
        const char* stored;
        const char* before;
        bool autoPasteAfter;
        const char* after;
    } cases[] = {
        {"[Korvani]\r\nAutoPaste=0\r\n", "Copy", true, "Paste"},
        {"[Korvani]\r\nAutoPaste=1\r\n", "Paste", false, "Copy"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        writeFile("KORVANI.INI", c.stored);
        createForm();
        EXPECT_EQ(m_form->BtnCopy->text(), QLatin1String(c.before));
        withAbout([&](TAboutBox& box) {
            box.PageControl1->setCurrentWidget(box.TabSheet1);
            QTest::mouseClick(box.chAutopaste, Qt::LeftButton);
            QTest::mouseClick(box.sbSaveOptions, Qt::LeftButton);
            EXPECT_EQ(m_form->BtnCopy->text(), QLatin1String(c.after));
        });
        EXPECT_EQ(m_form->AutoPaste, c.autoPasteAfter);
        EXPECT_EQ(m_form->BtnCopy->text(), QLatin1String(c.after));
        m_form.reset();
    }
}

TEST_F(AboutBoxTest, HintsSavedOffStayOffAcrossARestart) {
    createForm();
    ASSERT_FALSE(allEmpty(tooltips()));
    withAbout([&](TAboutBox& box) {
        box.PageControl1->setCurrentWidget(box.TabSheet1);
        QTest::mouseClick(box.chShowHints, Qt::LeftButton);
        EXPECT_FALSE(allEmpty(tooltips())) << "hints changed before Save";
        QTest::mouseClick(box.sbSaveOptions, Qt::LeftButton);
        EXPECT_TRUE(allEmpty(tooltips()));
    });
    EXPECT_FALSE(m_form->ShowHints);

    m_form.reset();
    createForm();
    EXPECT_TRUE(allEmpty(tooltips()));
    withAbout([&](TAboutBox& box) {
        EXPECT_FALSE(box.chShowHints->isChecked());
        QTest::mouseClick(box.chShowHints, Qt::LeftButton);
        QTest::mouseClick(box.sbSaveOptions, Qt::LeftButton);
    });
    EXPECT_FALSE(allEmpty(tooltips()));
}

TEST_F(AboutBoxTest, AFailedWriteReachesTheErrorBoxAndSkipsTheRest) {
    // A folder where the file should be: no write can succeed, not even as root.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("KORVANI.INI")));
    createForm();
    const QStringList hints = tooltips();
    withAbout([&](TAboutBox& box) {
        box.PageControl1->setCurrentWidget(box.TabSheet1);
        QTest::mouseClick(box.chAutopaste, Qt::LeftButton);
        QTest::mouseClick(box.chShowHints, Qt::LeftButton);
        QTest::mouseClick(box.sbSaveOptions, Qt::LeftButton);
        EXPECT_EQ(m_boxes.m_errors, QStringList{QString::fromStdString("Unable to write to " +
                                                                       folder() + "KORVANI.INI.")});
        EXPECT_TRUE(box.sbSaveOptions->isEnabled());
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(m_form->BtnCopy->text(), QStringLiteral("Copy"));
        EXPECT_EQ(tooltips(), hints);
    });
    // The choices are in force in memory even though the file did not take them.
    EXPECT_TRUE(m_form->AutoPaste);
    EXPECT_FALSE(m_form->ShowHints);
    EXPECT_TRUE(m_boxes.m_messages.isEmpty());
}

TEST_F(AboutBoxTest, TheLinkOpensTheHomepageAndAlwaysClosesTheWindow) {
    // Whatever the address, and whether or not anything can open it, the window goes.
    for (const char* homepage : {"https://korvani.example.org/ipa", "", "no address at all"}) {
        SCOPED_TRACE(homepage);
        m_fake.m_launcher.m_opened.clear();
        writeFile("KORVANI.INI", std::string("[Korvani]\r\nHomepage=") + homepage + "\r\n");
        createForm();
        withAbout([&](TAboutBox& box) {
            EXPECT_EQ(box.lbURL2->text(), QString::fromUtf8(homepage));
            EXPECT_EQ(box.lbURL2->cursor().shape(), Qt::BitmapCursor);
            EXPECT_EQ(box.lbURL2->cursor().hotSpot(), QPoint(11, 8));
            QTest::mouseClick(box.lbURL2, Qt::LeftButton, {}, QPoint(2, 2));
            EXPECT_FALSE(box.isVisible());
        });
        EXPECT_EQ(m_fake.m_launcher.m_opened, std::vector<std::string>{homepage});
        m_form.reset();
    }
}

TEST_F(AboutBoxTest, LinkTextIsNeverReadAsMarkup) {
    writeFile("KORVANI.INI", "[Korvani]\r\nHomepage=<b>bold</b>\r\n");
    createForm();
    withAbout([&](TAboutBox& box) {
        EXPECT_EQ(box.lbURL2->textFormat(), Qt::PlainText);
        EXPECT_EQ(box.lbURL2->text(), QStringLiteral("<b>bold</b>"));
    });
}

TEST_F(AboutBoxTest, InstallerIsOfferedExactlyToAdministrators) {
    createForm();
    for (const bool admin : {true, false}) {
        SCOPED_TRACE(admin);
        m_fake.m_admin.m_admin = admin;
        m_fake.m_launcher.m_started.clear();
        const int asked = m_fake.m_admin.m_calls;
        withAbout([&](TAboutBox& box) {
            box.PageControl1->setCurrentWidget(box.TabSheet1);
            EXPECT_EQ(box.sbInstallFonts->isEnabled(), admin);
            QTest::mouseClick(box.sbInstallFonts, Qt::LeftButton);
            EXPECT_TRUE(box.isVisible());
        });
        EXPECT_EQ(m_fake.m_admin.m_calls, asked + 1);
        const std::vector<std::string> expected =
            admin ? std::vector<std::string>{folder() + "korvanifi"} : std::vector<std::string>{};
        EXPECT_EQ(m_fake.m_launcher.m_started, expected);
    }
}

TEST_F(AboutBoxTest, AnotherProgramsRequestOpensTheSameWindow) {
    writeFile("KORVANI.INI", kSettings);
    createForm();
    withAbout(
        [&](TAboutBox& box) {
            EXPECT_TRUE(box.chAutopaste->isChecked());
            EXPECT_EQ(box.Label8->text(), QStringLiteral("version 6.05"));
        },
        [&] { EXPECT_TRUE(m_fake.m_aboutRequests.ask()); });
}

TEST(AboutBoxAlone, VersionAndBuildAreFilledInWhenShown) {
    bool autoPaste = false;
    bool useUnicodeFont = true;
    bool showHints = true;
    const std::string homepage = "https://korvani.example.org/";
    platform::FakeLauncher launcher;
    platform::FakeAdminCheck admin;
    QPointer<TAboutBox> box = new TAboutBox({autoPaste,
                                             useUnicodeFont,
                                             showHints,
                                             homepage,
                                             "/nowhere/KORVANI.INI",
                                             "/nowhere/",
                                             launcher,
                                             admin,
                                             QCursor(),
                                             {},
                                             {}});
    EXPECT_EQ(box->Label8->text(), QStringLiteral("version 6"));
    EXPECT_EQ(box->Label1->text(), QStringLiteral("BUILD:"));
    EXPECT_EQ(admin.m_calls, 0);
    box->show();
    EXPECT_EQ(box->Label8->text(), QStringLiteral("version 6.05"));
    EXPECT_EQ(box->Label1->text(), QStringLiteral("Build: 20211230"));
    EXPECT_EQ(admin.m_calls, 1);

    // Closed outside a modal loop, it still goes away by itself.
    box->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.isNull(); }));
    delete box.data();
}

} // namespace
} // namespace korv
