// SPDX-License-Identifier: GPL-3.0-or-later
// Spelling to IPA in the window: the line's commands for it, and the other pronunciations of the
// words just transcribed, offered under the line.
#include <QActionGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "compositionedit.h"
#include "coretext.h"
#include "mainwindow.h"

namespace korv {
namespace {} // namespace

void MainWindow::addLineCommands(QMenu& menu) {
    menu.addSeparator();
    QAction* transcribe = menu.addAction(QStringLiteral("Spelling to IPA"),
                                         [this] { guarded([&] { m_palette->transcribe(); }); });
    transcribe->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    transcribe->setObjectName(QStringLiteral("TranscribeCommand"));
    QMenu* how = menu.addMenu(QStringLiteral("Spelling to IPA Options"));
    const TranscribeOptions current = m_palette->options().transcribe;
    auto* accents = new QActionGroup(how);
    const auto choice = [&](const QString& text, bool checked, auto change) {
        QAction* action = how->addAction(text, [this, change] {
            TranscribeOptions options = m_palette->options().transcribe;
            change(options);
            guarded([&] { m_palette->setTranscribeOptions(options); });
        });
        action->setCheckable(true);
        action->setChecked(checked);
        return action;
    };
    accents->addAction(choice(QStringLiteral("British (RP)"), current.accent == Accent::Rp,
                              [](TranscribeOptions& o) { o.accent = Accent::Rp; }));
    accents->addAction(choice(QStringLiteral("American (GA)"), current.accent == Accent::Ga,
                              [](TranscribeOptions& o) { o.accent = Accent::Ga; }));
    how->addSeparator();
    choice(QString::fromUtf8("\u0279 for r"), current.turnedR,
           [](TranscribeOptions& o) { o.turnedR = !o.turnedR; });
    choice(QString::fromUtf8("Tie bars: t\u0361\u0283 d\u0361\u0292"), current.tieBars,
           [](TranscribeOptions& o) { o.tieBars = !o.tieBars; });
}

void MainWindow::showAlternatives(const std::vector<TranscribedWord>& words) {
    delete alternativesBar;
    alternativesBar = nullptr;
    if (words.empty()) {
        return;
    }
    // Over the top of the chart, just under the line: the choice belongs to what was typed.
    alternativesBar = new QFrame(clientArea);
    alternativesBar->setObjectName(QStringLiteral("AlternativesBar"));
    alternativesBar->setFrameShape(QFrame::Box);
    alternativesBar->setAutoFillBackground(true);
    alternativesBar->setBackgroundRole(QPalette::ToolTipBase);
    auto* row = new QHBoxLayout(alternativesBar);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(2);
    const QString line = lineEdit->text();
    for (std::size_t w = 0; w < words.size(); ++w) {
        const TranscribedWord& word = words[w];
        for (std::size_t a = 1; a < word.alternatives.size(); ++a) {
            const WordAlternative& other = word.alternatives[a];
            auto* button = new QToolButton(alternativesBar);
            button->setObjectName(QStringLiteral("Alternative"));
            button->setFocusPolicy(Qt::NoFocus);
            button->setAutoRaise(true);
            button->setFont(lineEdit->font());
            button->setText(QString::fromStdU16String(other.ipa));
            const QString now =
                line.mid(static_cast<qsizetype>(word.start), static_cast<qsizetype>(word.length));
            button->setToolTip(QStringLiteral("Instead of %1: %2 (%3)")
                                   .arg(now, button->text(), fromUtf8(other.label)));
            button->setAccessibleName(button->toolTip());
            connect(button, &QToolButton::clicked, this,
                    [this, w, a] { guarded([&] { m_palette->chooseAlternative(w, a); }); });
            row->addWidget(button);
        }
    }
    row->addStretch();
    alternativesBar->setGeometry(kLineRect.left, kLineRect.top + kLineRect.height, kLineRect.width,
                                 26);
    alternativesBar->show();
    alternativesBar->raise();
}

} // namespace korv
