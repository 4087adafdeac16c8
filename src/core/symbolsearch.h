// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

/// One titled group of the All tab's grid.
struct SymbolGroup {
    std::string title;
    // Rows of the IPA table; for the Recent group, indexes into SymbolSearch::recent().
    std::vector<std::size_t> symbols;
    bool recent = false;
};

/// The All tab: a query, what it finds grouped for the grid, and the result Return inserts.
/// Cells are numbered across the groups in their order.
class SymbolSearch final {
public:
    SymbolSearch();

    /// Every section in chart order (after Recent) for a blank query, else what the query finds,
    /// best first; a non-blank query chooses its first result.
    void setQuery(std::u16string_view query);
    const std::u16string& query() const { return m_query; }
    /// The symbols used last, newest first: the first group while the query is blank.
    void setRecent(std::vector<std::u16string> recent);
    const std::vector<std::u16string>& recent() const { return m_recent; }

    const std::vector<SymbolGroup>& groups() const { return m_groups; }
    std::size_t cellCount() const { return m_cellCount; }
    /// A cell's characters; empty out of range.
    std::u16string_view charsOf(int cell) const;
    /// The IPA table row a cell shows; -1 for a recent entry or out of range.
    int rowOf(int cell) const;

    /// The cell Return inserts; -1 for none.
    int chosen() const { return m_chosen; }
    /// Down (+1) and Up (-1): another result, stopping at either end.
    void step(int delta);
    /// Chooses a cell; out of range chooses none.
    void choose(int cell);

private:
    void regroup();

    std::u16string m_query;
    std::vector<std::u16string> m_recent;
    std::vector<SymbolGroup> m_groups;
    std::size_t m_cellCount = 0;
    int m_chosen = -1;
};

} // namespace korv
