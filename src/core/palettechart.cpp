// SPDX-License-Identifier: GPL-3.0-or-later
// The IPA chart window: opened on demand, kept where the user left it, at the zoom they chose.
#include <limits>

#include "ipachart.h"
#include "palette.h"
#include "settings/settings.h"

namespace korv {

void Palette::openChart() {
    const IniAccess& ini = m_services.settings;
    ChartPlacement placement;
    placement.width = ini.readInteger(kChartSection, kWidthKey, defaultChartWindowWidth());
    placement.height = ini.readInteger(kChartSection, kHeightKey, kChartWindowHeight);
    // A window too small to show a cell is as good as lost: the first size again.
    if (placement.width < 120 || placement.height < 80) {
        placement.width = defaultChartWindowWidth();
        placement.height = kChartWindowHeight;
    }
    m_chartZoom = clampChartZoom(ini.readInteger(kChartSection, kZoomKey, kDefaultChartZoom));
    placement.zoom = m_chartZoom;
    constexpr std::int32_t kUnset = std::numeric_limits<std::int32_t>::min();
    const std::int32_t left = ini.readInteger(kChartSection, kLeftKey, kUnset);
    const std::int32_t top = ini.readInteger(kChartSection, kTopKey, kUnset);
    if (m_services.placesWindows && left != kUnset && top != kUnset) {
        placement.position = ScreenPosition{left, top};
    }
    m_chartOpen = true;
    m_view.showChart(placement);
}

void Palette::zoomChart(int step) {
    if (!m_chartOpen) {
        return;
    }
    const int zoom = stepChartZoom(m_chartZoom, step);
    if (zoom == m_chartZoom) {
        return;
    }
    m_chartZoom = zoom;
    m_view.showChartZoom(zoom);
    if (!m_services.settings.writeInteger(kChartSection, kZoomKey, zoom)) {
        showSettingsFailure();
    }
}

void Palette::chartClosed() {
    saveChartPlacement();
    m_chartOpen = false;
}

void Palette::saveChartPlacement() {
    if (!m_chartOpen) {
        return;
    }
    const std::optional<ChartPlacement> placement = m_view.chartPlacement();
    if (!placement) {
        return;
    }
    IniAccess& ini = m_services.settings;
    bool written = true;
    if (placement->position && m_services.placesWindows) {
        written = ini.writeInteger(kChartSection, kLeftKey, placement->position->left) && written;
        written = ini.writeInteger(kChartSection, kTopKey, placement->position->top) && written;
    }
    written = ini.writeInteger(kChartSection, kWidthKey, placement->width) && written;
    written = ini.writeInteger(kChartSection, kHeightKey, placement->height) && written;
    written = ini.writeInteger(kChartSection, kZoomKey, m_chartZoom) && written;
    if (!written) {
        showSettingsFailure();
    }
}

} // namespace korv
