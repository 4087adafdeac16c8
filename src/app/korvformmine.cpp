// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own symbols ("Mine") and the ones used last ("Recent"): kept in the settings file,
// read when first needed, shown on the "Mine" tab and in the first row of "All".
#include <QMenu>
#include <QTabBar>
#include <QToolTip>

#include "allsymbolspanel.h"
#include "compositionedit.h"
#include "korvform.h"
#include "minepanel.h"
#include "settings/inifile.h"
#include "symbolgrid.h"
#include "symboltag.h"

namespace korv {
SymbolList& TKorvForm::mineList() {
    if (!m_mine) {
        m_mine = readMine(IniFile(settingsPath()));
    }
    return *m_mine;
}

SymbolList& TKorvForm::recentList() {
    if (!m_recent) {
        m_recent = readRecent(IniFile(settingsPath()));
    }
    return *m_recent;
}

void TKorvForm::writeList(bool mine) {
    IniFile ini(settingsPath());
    const bool written = mine ? writeMine(ini, mineList()) : writeRecent(ini, recentList());
    if (!written && !m_listWriteFailed) {
        m_listWriteFailed = true;
        showSettingsMessage();
    }
}

void TKorvForm::noteInserted(std::u16string_view chars) {
    if (!recentList().record(chars)) {
        return;
    }
    writeList(false);
    if (AllPanel != nullptr) {
        AllPanel->setRecent(recentList().entries());
    }
}

void TKorvForm::showMinePanel() {
    if (MinePanel1 == nullptr) {
        MinePanel1 = new MinePanel(MainPanel, IPAPanel->geometry());
        MinePanel1->setShowHint(ShowHints);
        MinePanel1->setEntries(mineList().entries());
        MinePanel1->OnSymbolClick = [this](int entry) { guarded([&] { MineGrid1Click(entry); }); };
        MinePanel1->OnSymbolMenu = [this](int entry, QPoint globalPos) {
            const std::u16string symbol = mineList().entries().at(static_cast<std::size_t>(entry));
            guarded([&] { SymbolMenuPopup(symbol, globalPos); });
        };
    }
    MinePanel1->show();
}

void TKorvForm::MineGrid1Click(int entry) {
    // A copy: the click records the symbol, and the list may change under it.
    const std::u16string symbol = mineList().entries().at(static_cast<std::size_t>(entry));
    insertCharacters(symbol);
}

void TKorvForm::AddToMine(std::u16string_view symbol) {
    SymbolList& mine = mineList();
    if (mine.contains(symbol)) {
        return;
    }
    if (mine.full()) {
        tellNotAdded(QStringLiteral("Mine is full: it holds %1 symbols.").arg(mine.limit()));
        return;
    }
    if (!mine.add(symbol)) {
        tellNotAdded(QStringLiteral("Mine takes one to %1 characters without blanks.")
                         .arg(kMaxSymbolLength));
        return;
    }
    writeList(true);
    if (MinePanel1 != nullptr) {
        MinePanel1->setEntries(mine.entries());
    }
}

void TKorvForm::RemoveFromMine(std::u16string_view symbol) {
    if (mineList().remove(symbol)) {
        writeList(true);
        if (MinePanel1 != nullptr) {
            MinePanel1->setEntries(mineList().entries());
        }
    }
}

void TKorvForm::MoveInMine(std::u16string_view symbol, int step) {
    if (mineList().move(symbol, step)) {
        writeList(true);
        if (MinePanel1 != nullptr) {
            MinePanel1->setEntries(mineList().entries());
        }
    }
}

void TKorvForm::TntEdit1PinKey() {
    const QString selected = TntEdit1->selectedText();
    if (!selected.isEmpty()) {
        AddToMine(selected.toStdU16String());
    }
}

void TKorvForm::tellNotAdded(const QString& why) {
    QToolTip::showText(TntEdit1->mapToGlobal(QPoint(0, TntEdit1->height())), why, TntEdit1);
}

void TKorvForm::SymbolMenuPopup(std::u16string_view symbolView, QPoint globalPos) {
    const std::u16string symbol(symbolView);
    const auto& entries = mineList().entries();
    const auto at = std::find(entries.begin(), entries.end(), symbol);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("SymbolMenu1"));
    if (at == entries.end()) {
        QAction* add = menu.addAction(QStringLiteral("Add to Mine"),
                                      [&] { guarded([&] { AddToMine(symbol); }); });
        add->setEnabled(isValidSymbol(symbol) && !mineList().full());
    } else {
        menu.addAction(QStringLiteral("Remove from Mine"),
                       [&] { guarded([&] { RemoveFromMine(symbol); }); });
        QAction* left = menu.addAction(QStringLiteral("Move Left"),
                                       [&] { guarded([&] { MoveInMine(symbol, -1); }); });
        left->setEnabled(at != entries.begin());
        QAction* right = menu.addAction(QStringLiteral("Move Right"),
                                        [&] { guarded([&] { MoveInMine(symbol, 1); }); });
        right->setEnabled(at + 1 != entries.end());
    }
    menu.exec(globalPos);
}

} // namespace korv
