// SPDX-License-Identifier: GPL-3.0-or-later
// The palette's line, tabs and search.
#include "palette.h"

#include "compositionline.h"
#include "symboltag.h"
#include "xsampa.h"

namespace korv {

void Palette::applyEdit(std::u16string text, std::size_t caret, bool focus) {
    m_view.showLine(text, caret, focus);
}

void Palette::insert(std::u16string_view symbol) {
    const LineSnapshot line = m_view.line();
    const LineEdit edit =
        insertSymbol({line.text, line.selStart, line.selLength, line.isActiveControl}, symbol);
    applyEdit(edit.text, edit.caret, edit.focusLine);
    noteUsed(symbol);
}

void Palette::insertChartSymbol(int tag) {
    insert(symbolOfTag(tag));
}

void Palette::back() {
    const LineSnapshot line = m_view.line();
    const LineEdit edit =
        deleteBack({line.text, line.selStart, line.selLength, line.isActiveControl});
    applyEdit(edit.text, edit.caret, edit.focusLine);
}

void Palette::clear() {
    const LineEdit edit = clearAll();
    applyEdit(edit.text, edit.caret, edit.focusLine);
}

void Palette::convertXsampa() {
    const LineSnapshot line = m_view.line();
    const bool selection = line.selLength > 0 && line.selStart + line.selLength <= line.text.size();
    const std::size_t start = selection ? line.selStart : 0;
    const std::size_t length = selection ? line.selLength : line.text.size();
    const std::u16string_view source = std::u16string_view(line.text).substr(start, length);
    const std::u16string ipa = xsampaToIpa(source);
    if (ipa != source) {
        m_view.replaceText(start, length, ipa);
    }
}

void Palette::showTab(ChartTab tab) {
    m_tab = tab;
    m_view.showTab(tab);
}

void Palette::stepTab(int step) {
    const int next =
        (static_cast<int>(m_tab) + step % kChartTabCount + kChartTabCount) % kChartTabCount;
    showTab(static_cast<ChartTab>(next));
}

void Palette::findSymbol() {
    showTab(ChartTab::All);
    m_view.focusSearch();
}

void Palette::insertChosen() {
    // A copy: inserting records the symbol, which regroups the search.
    const std::u16string chars(m_search.charsOf(m_search.chosen()));
    if (!chars.empty()) {
        insert(chars);
    }
}

} // namespace korv
