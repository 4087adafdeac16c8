// SPDX-License-Identifier: GPL-3.0-or-later
// The palette's line, tabs and search.
#include "palette.h"

#include "compositionline.h"
#include "settings/settings.h"
#include "symboltag.h"
#include "xsampa.h"

namespace korv {

void Palette::applyEdit(std::u16string text, std::size_t caret, bool focus) {
    dropChoices();
    m_view.showLine(text, caret, focus);
}

void Palette::dropChoices() {
    // Their places in the line no longer hold once the line changes otherwise.
    if (!m_choices.empty()) {
        m_choices.clear();
        m_view.showAlternatives(m_choices);
    }
}

void Palette::insert(std::u16string_view symbol) {
    insertAt(symbol, false);
}

void Palette::insertAt(std::u16string_view symbol, bool searchDone) {
    const LineSnapshot line = m_view.line();
    const LineEdit edit =
        insertSymbol({line.text, line.selStart, line.selLength, line.isActiveControl}, symbol);
    // A user who was searching goes on typing in the search field.
    applyEdit(edit.text, edit.caret, edit.focusLine && (searchDone || !line.inSearch));
    noteUsed(symbol);
}

void Palette::insertChartSymbol(int tag) {
    insert(symbolOfTag(tag));
}

void Palette::back() {
    const LineSnapshot line = m_view.line();
    const LineEdit edit =
        deleteBack({line.text, line.selStart, line.selLength, line.isActiveControl});
    applyEdit(edit.text, edit.caret, edit.focusLine && !line.inSearch);
}

void Palette::clear() {
    const LineSnapshot line = m_view.line();
    // One step for Undo, as any other edit of the line; then the user writes anew, in the line
    // whatever had the keys before.
    if (!line.text.empty()) {
        m_view.replaceText(0, line.text.size(), u"");
    }
    m_view.focusLine();
}

void Palette::convertXsampa() {
    const LineSnapshot line = m_view.line();
    const bool selection = line.selLength > 0 && line.selStart + line.selLength <= line.text.size();
    const std::size_t start = selection ? line.selStart : 0;
    const std::size_t length = selection ? line.selLength : line.text.size();
    const std::u16string_view source = std::u16string_view(line.text).substr(start, length);
    const std::u16string ipa = xsampaToIpa(source);
    if (ipa != source) {
        dropChoices();
        m_view.replaceText(start, length, ipa);
    }
}

void Palette::showTab(ChartTab tab) {
    const LineSnapshot line = m_view.line();
    const bool changed = tab != m_tab;
    m_tab = tab;
    m_view.showTab(tab);
    // The keys go on where they went: into the search field while it stays in view, else into
    // the line, never into a control the hidden tab's focus happened to pass to.
    if (!(tab == ChartTab::All && line.inSearch)) {
        m_view.focusLine();
    }
    if (changed &&
        !m_services.settings.writeInteger(kOptionsSection, kLastTabKey, static_cast<int>(tab))) {
        showSettingsFailure();
    }
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
    // The result the user searched for is found: writing goes on in the line.
    if (!chars.empty()) {
        insertAt(chars, true);
    }
}

} // namespace korv
