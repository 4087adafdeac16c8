// SPDX-License-Identifier: GPL-3.0-or-later
#include "symbolsearch.h"

#include <algorithm>

#include "ipasearch.h"
#include "ipasymbols.h"

namespace korv {
namespace {

bool isBlank(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; });
}

} // namespace

SymbolSearch::SymbolSearch() {
    regroup();
}

void SymbolSearch::setQuery(std::u16string_view query) {
    m_query = query;
    regroup();
    m_chosen = !isBlank(m_query) && m_cellCount > 0 ? 0 : -1;
}

void SymbolSearch::setRecent(std::vector<std::u16string> recent) {
    m_recent = std::move(recent);
    if (isBlank(m_query)) {
        regroup();
        m_chosen = -1;
    }
}

void SymbolSearch::regroup() {
    m_groups.clear();
    if (isBlank(m_query)) {
        if (!m_recent.empty()) {
            SymbolGroup recent{"Recent", {}, true};
            for (std::size_t i = 0; i < m_recent.size(); ++i) {
                recent.symbols.push_back(i);
            }
            m_groups.push_back(std::move(recent));
        }
        const auto symbols = ipaSymbols();
        for (std::size_t i = 0; i < symbols.size(); ++i) {
            if (i == 0 || symbols[i].section != symbols[i - 1].section) {
                m_groups.push_back({std::string(sectionTitle(symbols[i].section)), {}, false});
            }
            m_groups.back().symbols.push_back(i);
        }
    } else {
        std::vector<std::size_t> found = searchSymbols(m_query);
        m_groups.push_back({found.empty() ? "Nothing found" : "Found", std::move(found), false});
    }
    m_cellCount = 0;
    for (const SymbolGroup& group : m_groups) {
        m_cellCount += group.symbols.size();
    }
}

int SymbolSearch::rowOf(int cell) const {
    if (cell < 0) {
        return -1;
    }
    auto left = static_cast<std::size_t>(cell);
    for (const SymbolGroup& group : m_groups) {
        if (left < group.symbols.size()) {
            return group.recent ? -1 : static_cast<int>(group.symbols[left]);
        }
        left -= group.symbols.size();
    }
    return -1;
}

std::u16string_view SymbolSearch::charsOf(int cell) const {
    if (cell < 0) {
        return {};
    }
    auto left = static_cast<std::size_t>(cell);
    for (const SymbolGroup& group : m_groups) {
        if (left < group.symbols.size()) {
            const std::size_t index = group.symbols[left];
            return group.recent ? std::u16string_view(m_recent[index]) : ipaSymbols()[index].chars;
        }
        left -= group.symbols.size();
    }
    return {};
}

void SymbolSearch::step(int delta) {
    if (m_cellCount == 0) {
        return;
    }
    const int last = static_cast<int>(m_cellCount) - 1;
    m_chosen = m_chosen < 0 && delta > 0 ? 0 : std::clamp(m_chosen + delta, 0, last);
}

void SymbolSearch::choose(int cell) {
    m_chosen = cell >= 0 && cell < static_cast<int>(m_cellCount) ? cell : -1;
}

} // namespace korv
