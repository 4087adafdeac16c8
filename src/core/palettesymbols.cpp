// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own symbols ("Mine") and the ones used last ("Recent"): read from the settings when
// first needed and written back at every change.
#include "palette.h"

#include <algorithm>

namespace korv {

SymbolList& Palette::mineList() {
    if (!m_mine) {
        m_mine = readMine(m_services.settings);
    }
    return *m_mine;
}

SymbolList& Palette::recentList() {
    if (!m_recent) {
        m_recent = readRecent(m_services.settings);
        m_search.setRecent(m_recent->entries());
    }
    return *m_recent;
}

const std::vector<std::u16string>& Palette::mine() {
    return mineList().entries();
}

const std::vector<std::u16string>& Palette::recent() {
    return recentList().entries();
}

void Palette::writeList(bool mine) {
    const bool written = mine ? writeMine(m_services.settings, mineList())
                              : writeRecent(m_services.settings, recentList());
    // Once a run, not at every click.
    if (!written && !m_listWriteFailed) {
        m_listWriteFailed = true;
        showSettingsFailure();
    }
    if (mine) {
        m_view.showMine(mineList().entries());
    } else {
        m_search.setRecent(recentList().entries());
        m_view.showRecent(recentList().entries());
    }
}

void Palette::noteUsed(std::u16string_view symbol) {
    if (recentList().record(symbol)) {
        writeList(false);
    }
}

SymbolMenu Palette::menuFor(std::u16string_view symbol) {
    const auto& entries = mineList().entries();
    const auto at = std::find(entries.begin(), entries.end(), symbol);
    SymbolMenu menu;
    menu.inMine = at != entries.end();
    menu.canAdd = !menu.inMine && isValidSymbol(symbol) && !mineList().full();
    menu.canMoveLeft = menu.inMine && at != entries.begin();
    menu.canMoveRight = menu.inMine && at + 1 != entries.end();
    return menu;
}

void Palette::addToMine(std::u16string_view symbol) {
    SymbolList& mine = mineList();
    if (mine.contains(symbol)) {
        return;
    }
    if (mine.full()) {
        m_view.showNotAdded("Mine is full: it holds " + std::to_string(mine.limit()) + " symbols.");
        return;
    }
    if (!mine.add(symbol)) {
        m_view.showNotAdded("Mine takes one to " + std::to_string(kMaxSymbolLength) +
                            " characters without blanks.");
        return;
    }
    writeList(true);
}

void Palette::removeFromMine(std::u16string_view symbol) {
    if (mineList().remove(symbol)) {
        writeList(true);
    }
}

void Palette::moveInMine(std::u16string_view symbol, int step) {
    if (mineList().move(symbol, step)) {
        writeList(true);
    }
}

void Palette::pinSelection() {
    const LineSnapshot line = m_view.line();
    if (line.selLength > 0 && line.selStart + line.selLength <= line.text.size()) {
        addToMine(std::u16string_view(line.text).substr(line.selStart, line.selLength));
    }
}

void Palette::pinChosen() {
    const std::u16string chars(m_search.charsOf(m_search.chosen()));
    if (!chars.empty()) {
        addToMine(chars);
    }
}

} // namespace korv
