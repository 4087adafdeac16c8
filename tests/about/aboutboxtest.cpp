// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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
    void withAbout(const std::function<void(AboutBox&)>& body,
                   const std::function<void()>& open = {}) {
        bool ran = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = dynamic_cast<AboutBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                return;
            }
            poll.stop();
            ran = true;
            m_box = box;
            body(*box);
            if (m_box && m_box->isVisible()) {
                m_box->closeButton->click();
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
            clickWidget(m_form->aboutButton);
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

    QPointer<AboutBox> m_box;
};

constexpr const char* kSettings = "; kept by hand\r\n[Korvani]\r\nAutoPaste=1\r\nShowHints=1\r\n"
                                  "UseUnicodeFont=0\r\nHomepage=https://korvani.example.org/ipa\r\n"
                                  "[Position]\r\nLeft=70\r\nTop=60\r\n";

TEST_F(AboutBoxTest, WindowAndControlsAreLaidOutAsDesigned) {
    writeFile("KORVANI.INI", kSettings);
    createForm();
    withAbout([&](AboutBox& box) {
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

        ASSERT_EQ(box.pages->count(), 2);
        EXPECT_EQ(box.pages->tabText(0), QStringLiteral("About"));
        EXPECT_EQ(box.pages->widget(0), box.aboutPage);
        EXPECT_EQ(box.pages->tabText(1), QStringLiteral("Options"));
        EXPECT_EQ(box.pages->currentIndex(), 0);
        EXPECT_EQ(box.aboutSheet->geometry(), box.aboutPage->rect());
        EXPECT_TRUE(box.closeButton->isDefault());

        // name, parent, position, size (empty: sized to its text), text
        const struct {
            const char* name;
            const char* parent;
            QPoint at;
            QSize size;
            const char* text;
        } controls[] = {
            {"pages", "AboutBox", {8, 8}, {297, 281}, nullptr},
            {"closeButton", "AboutBox", {121, 300}, {75, 25}, "Close"},
            {"logo", "aboutSheet", {16, 8}, {64, 64}, nullptr},
            {"nameLabel", "aboutSheet", {88, 16}, {}, "Korvani"},
            {"versionLabel", "aboutSheet", {157, 18}, {}, "version 6.05"},
            {"buildLabel", "aboutSheet", {88, 48}, {}, "Build: 20211230"},
            {"internetLabel", "aboutSheet", {16, 80}, {}, "Internet:"},
            {"optionsPanel", "optionsPage", {8, 8}, {273, 145}, nullptr},
            {"autoPasteBox", "optionsPanel", {12, 23}, {16, 17}, ""},
            {"autoPasteLabel",
             "optionsPanel",
             {32, 24},
             {},
             "Automatically paste script into target document"},
            {"unicodeFontBox", "optionsPanel", {12, 48}, {17, 17}, ""},
            {"unicodeFontLabel", "optionsPanel", {32, 50}, {}, "Use Unicode Fonts (recommended)"},
            {"hintsBox", "optionsPanel", {12, 72}, {17, 17}, ""},
            {"hintsLabel", "optionsPanel", {32, 74}, {}, "Show button hints"},
            {"saveButton", "optionsPanel", {56, 107}, {153, 22}, "Save"},
            {"fontsPanel", "optionsPage", {8, 160}, {273, 81}, nullptr},
            {"installFontsButton", "fontsPanel", {56, 32}, {153, 22}, "Install Legacy Fonts"},
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
        // The link a space after "Internet:", at 56 unless the face makes that wider.
        EXPECT_EQ(box.homepageLink->y(), 80);
        EXPECT_GE(box.homepageLink->x(), 56);
        EXPECT_GE(box.homepageLink->x(),
                  box.internetLabel->x() + box.internetLabel->fontMetrics().horizontalAdvance(
                                               QStringLiteral("Internet: ")));
        EXPECT_EQ(box.homepageLink->text(), QStringLiteral("https://korvani.example.org/ipa"));
        for (const QToolButton* speed : {box.saveButton, box.installFontsButton}) {
            EXPECT_EQ(speed->focusPolicy(), Qt::NoFocus);
        }
        EXPECT_EQ(box.homepageLink->palette().color(QPalette::WindowText), QColor(Qt::blue));
        EXPECT_TRUE(box.homepageLink->font().underline());
        EXPECT_TRUE(box.nameLabel->font().bold());
    });
}

TEST_F(AboutBoxTest, OpeningAndClosingWithoutAChangeLeavesEverythingAlone) {
    writeFile("KORVANI.INI", kSettings);
    createForm();
    const QStringList hints = tooltips();
    ASSERT_FALSE(allEmpty(hints));
    ASSERT_EQ(m_form->copyButton->text(), QStringLiteral("Paste"));

    const struct {
        const char* way;
        std::function<void(AboutBox&)> close;
    } ways[] = {
        {"Close button", [](AboutBox& box) { QTest::mouseClick(box.closeButton, Qt::LeftButton); }},
        {"Enter", [](AboutBox& box) { QTest::keyClick(&box, Qt::Key_Return); }},
        {"title bar", [](AboutBox& box) { box.close(); }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        withAbout([&](AboutBox& box) {
            EXPECT_FALSE(box.saveButton->isEnabled());
            EXPECT_TRUE(box.autoPasteBox->isChecked());
            EXPECT_FALSE(box.unicodeFontBox->isChecked());
            EXPECT_TRUE(box.hintsBox->isChecked());
            box.pages->setCurrentWidget(box.optionsPage);
            // Escape is not one of the ways out.
            QTest::keyClick(&box, Qt::Key_Escape);
            EXPECT_TRUE(box.isVisible());
            EXPECT_FALSE(box.saveButton->isEnabled());
            w.close(box);
            EXPECT_FALSE(box.isVisible());
        });
        EXPECT_EQ(readFile("KORVANI.INI"), kSettings);
        EXPECT_EQ(m_form->copyButton->text(), QStringLiteral("Paste"));
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
    withAbout([&](AboutBox& box) {
        box.pages->setCurrentWidget(box.optionsPage);
        EXPECT_FALSE(box.autoPasteBox->isChecked());
        EXPECT_FALSE(box.unicodeFontBox->isChecked());
        EXPECT_TRUE(box.hintsBox->isChecked());

        for (QLabel* text : {box.autoPasteLabel, box.unicodeFontLabel, box.hintsLabel}) {
            QTest::mouseClick(text, Qt::LeftButton);
        }
        EXPECT_FALSE(box.autoPasteBox->isChecked());
        EXPECT_FALSE(box.unicodeFontBox->isChecked());
        EXPECT_TRUE(box.hintsBox->isChecked());
        EXPECT_FALSE(box.saveButton->isEnabled());

        QTest::mouseClick(box.unicodeFontBox, Qt::LeftButton);
        EXPECT_TRUE(box.unicodeFontBox->isChecked());
        EXPECT_TRUE(box.saveButton->isEnabled());
    });
    // Closed unsaved: dropped without a word.
    EXPECT_FALSE(m_form->palette().options().useUnicodeFont);
}

TEST_F(AboutBoxTest, ToggledTwiceStillEnablesSaveWhichWritesAllThreeInOrder) {
    writeFile("KORVANI.INI", "[Position]\r\nLeft=70\r\nTop=60\r\n");
    createForm();
    withAbout([&](AboutBox& box) {
        box.pages->setCurrentWidget(box.optionsPage);
        QTest::mouseClick(box.hintsBox, Qt::LeftButton);
        QTest::mouseClick(box.hintsBox, Qt::LeftButton);
        EXPECT_TRUE(box.hintsBox->isChecked());
        ASSERT_TRUE(box.saveButton->isEnabled());
        QTest::mouseClick(box.saveButton, Qt::LeftButton);
        EXPECT_FALSE(box.saveButton->isEnabled());
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
        EXPECT_EQ(m_form->copyButton->text(), QLatin1String(c.before));
        withAbout([&](AboutBox& box) {
            box.pages->setCurrentWidget(box.optionsPage);
            QTest::mouseClick(box.autoPasteBox, Qt::LeftButton);
            QTest::mouseClick(box.saveButton, Qt::LeftButton);
            EXPECT_EQ(m_form->copyButton->text(), QLatin1String(c.after));
        });
        EXPECT_EQ(m_form->palette().options().autoPaste, c.autoPasteAfter);
        EXPECT_EQ(m_form->copyButton->text(), QLatin1String(c.after));
        m_form.reset();
    }
}

TEST_F(AboutBoxTest, HintsSavedOffStayOffAcrossARestart) {
    createForm();
    ASSERT_FALSE(allEmpty(tooltips()));
    withAbout([&](AboutBox& box) {
        box.pages->setCurrentWidget(box.optionsPage);
        QTest::mouseClick(box.hintsBox, Qt::LeftButton);
        EXPECT_FALSE(allEmpty(tooltips())) << "hints changed before Save";
        QTest::mouseClick(box.saveButton, Qt::LeftButton);
        EXPECT_TRUE(allEmpty(tooltips()));
    });
    EXPECT_FALSE(m_form->palette().options().showHints);

    m_form.reset();
    createForm();
    EXPECT_TRUE(allEmpty(tooltips()));
    withAbout([&](AboutBox& box) {
        EXPECT_FALSE(box.hintsBox->isChecked());
        QTest::mouseClick(box.hintsBox, Qt::LeftButton);
        QTest::mouseClick(box.saveButton, Qt::LeftButton);
    });
    EXPECT_FALSE(allEmpty(tooltips()));
}

TEST_F(AboutBoxTest, AFailedWriteReachesTheErrorBoxAndSkipsTheRest) {
    // A folder where the file should be: no write can succeed, not even as root.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("KORVANI.INI")));
    createForm();
    const QStringList hints = tooltips();
    withAbout([&](AboutBox& box) {
        box.pages->setCurrentWidget(box.optionsPage);
        QTest::mouseClick(box.autoPasteBox, Qt::LeftButton);
        QTest::mouseClick(box.hintsBox, Qt::LeftButton);
        QTest::mouseClick(box.saveButton, Qt::LeftButton);
        EXPECT_EQ(m_boxes.m_errors, QStringList{QString::fromStdString("Unable to write to " +
                                                                       folder() + "KORVANI.INI.")});
        EXPECT_TRUE(box.saveButton->isEnabled());
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(m_form->copyButton->text(), QStringLiteral("Copy"));
        EXPECT_EQ(tooltips(), hints);
    });
    // The choices are in force in memory even though the file did not take them.
    EXPECT_TRUE(m_form->palette().options().autoPaste);
    EXPECT_FALSE(m_form->palette().options().showHints);
    EXPECT_TRUE(m_boxes.m_messages.isEmpty());
}

TEST_F(AboutBoxTest, TheLinkOpensTheHomepageAndAlwaysClosesTheWindow) {
    // Whatever the address, and whether or not anything can open it, the window goes.
    for (const char* homepage : {"https://korvani.example.org/ipa", "", "no address at all"}) {
        SCOPED_TRACE(homepage);
        m_fake.m_launcher.m_opened.clear();
        writeFile("KORVANI.INI", std::string("[Korvani]\r\nHomepage=") + homepage + "\r\n");
        createForm();
        withAbout([&](AboutBox& box) {
            EXPECT_EQ(box.homepageLink->text(), QString::fromUtf8(homepage));
            EXPECT_EQ(box.homepageLink->cursor().shape(), Qt::BitmapCursor);
            EXPECT_EQ(box.homepageLink->cursor().hotSpot(), QPoint(11, 8));
            QTest::mouseClick(box.homepageLink, Qt::LeftButton, {}, QPoint(2, 2));
            EXPECT_FALSE(box.isVisible());
        });
        EXPECT_EQ(m_fake.m_launcher.m_opened, std::vector<std::string>{homepage});
        m_form.reset();
    }
}

TEST_F(AboutBoxTest, LinkTextIsNeverReadAsMarkup) {
    writeFile("KORVANI.INI", "[Korvani]\r\nHomepage=<b>bold</b>\r\n");
    createForm();
    withAbout([&](AboutBox& box) {
        EXPECT_EQ(box.homepageLink->textFormat(), Qt::PlainText);
        EXPECT_EQ(box.homepageLink->text(), QStringLiteral("<b>bold</b>"));
    });
}

TEST_F(AboutBoxTest, InstallerIsOfferedExactlyToAdministrators) {
    createForm();
    for (const bool admin : {true, false}) {
        SCOPED_TRACE(admin);
        m_fake.m_admin.m_admin = admin;
        m_fake.m_launcher.m_started.clear();
        const int asked = m_fake.m_admin.m_calls;
        withAbout([&](AboutBox& box) {
            box.pages->setCurrentWidget(box.optionsPage);
            EXPECT_EQ(box.installFontsButton->isEnabled(), admin);
            QTest::mouseClick(box.installFontsButton, Qt::LeftButton);
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
        [&](AboutBox& box) {
            EXPECT_TRUE(box.autoPasteBox->isChecked());
            EXPECT_EQ(box.versionLabel->text(), QStringLiteral("version 6.05"));
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
    QPointer<AboutBox> box = new AboutBox({{autoPaste, showHints, useUnicodeFont, {}},
                                           homepage,
                                           "/nowhere/",
                                           launcher,
                                           admin,
                                           QCursor(),
                                           {},
                                           {}});
    EXPECT_EQ(box->versionLabel->text(), QStringLiteral("version 6"));
    EXPECT_EQ(box->buildLabel->text(), QStringLiteral("BUILD:"));
    EXPECT_EQ(admin.m_calls, 0);
    box->show();
    EXPECT_EQ(box->versionLabel->text(), QStringLiteral("version 6.05"));
    EXPECT_EQ(box->buildLabel->text(), QStringLiteral("Build: 20211230"));
    EXPECT_EQ(admin.m_calls, 1);

    // Closed outside a modal loop, it still goes away by itself.
    box->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.isNull(); }));
    delete box.data();
}

// The face for copies: the choices offered, the one in memory selected, a pick saved with the
// rest, and no choice while the legacy font names its own face.
TEST(AboutBoxAlone, TheFaceForCopiesIsOfferedChosenAndSaved) {
    const std::string homepage = "https://korvani.example.org/";
    platform::FakeLauncher launcher;
    platform::FakeAdminCheck admin;
    std::vector<PaletteOptions> saved;
    PaletteOptions options;
    options.copyFace = "DejaVu Sans";
    AboutBox box({options,
                  homepage,
                  "/nowhere/",
                  launcher,
                  admin,
                  QCursor(),
                  [&](const PaletteOptions& chosen) -> std::optional<std::string> {
                      saved.push_back(chosen);
                      return std::nullopt;
                  },
                  {},
                  {"Lucida Sans Unicode", "Charis SIL", "DejaVu Sans"}});
    box.show();
    ASSERT_EQ(box.copyFaceBox->count(), 3);
    EXPECT_EQ(box.copyFaceBox->itemText(0), QStringLiteral("Lucida Sans Unicode (default)"));
    EXPECT_EQ(box.copyFaceBox->currentText(), QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(box.copyFaceBox->isEnabled());
    EXPECT_EQ(box.copyFaceBox->focusPolicy() & Qt::TabFocus, Qt::TabFocus);

    box.copyFaceBox->setCurrentIndex(1);
    emit box.copyFaceBox->activated(1);
    ASSERT_TRUE(box.saveButton->isEnabled());
    QTest::mouseClick(box.saveButton, Qt::LeftButton);
    box.copyFaceBox->setCurrentIndex(0);
    emit box.copyFaceBox->activated(0);
    QTest::mouseClick(box.saveButton, Qt::LeftButton);
    ASSERT_EQ(saved.size(), 2U);
    EXPECT_EQ(saved[0].copyFace, "Charis SIL");
    EXPECT_EQ(saved[1].copyFace, ""); // the default is no choice at all

    box.unicodeFontBox->click();
    EXPECT_FALSE(box.copyFaceBox->isEnabled());
}

} // namespace
} // namespace korv
