// SPDX-License-Identifier: GPL-3.0-or-later
// The palette's life: start, the options, the size, hiding, summons and closing.
#include "palette.h"
#include "screenplace.h"

#include "settings/settings.h"

namespace korv {

Palette::Palette(PaletteView& view, PaletteServices services)
    : m_view(view)
    , m_services(std::move(services)) {}

void Palette::showSettingsFailure() {
    if (m_quiet) {
        return;
    }
    // The folder both files are in, as the user would look for it.
    const std::string& path = m_services.settingsPath;
    const std::size_t slash = path.find_last_of("/\\");
    m_view.showMessage(settingsFailureMessage(
        slash == std::string::npos || slash == 0 ? path : std::string_view(path).substr(0, slash)));
}

bool Palette::start() {
    // Auto-paste is off for a new user: every system this runs on keeps the user in the palette.
    const Settings settings = loadSettings(m_services.settings, false);
    m_options = {settings.autoPaste, settings.showHints, settings.useUnicodeFont,
                 loadTranscribeOptions(m_services.settings),
                 m_services.settings.readString(kOptionsSection, kCopyFaceKey, "")};
    m_homepage = settings.homepage;
    // Only kept: the desktop is asked nothing until the first paste.
    m_keptPermission = m_services.settings.readString(kOptionsSection, kPastePermissionKey, "");
    m_services.pasteTarget.restorePermission(m_keptPermission);
    const bool knownSize =
        settings.fontSize >= 0 && settings.fontSize < static_cast<int>(kPointSizes.size());
    m_sizeIndex = knownSize ? settings.fontSize : -1;
    m_view.showSizeIndex(m_sizeIndex);
    // Where the compositor alone places windows, the stored position waits for a desktop that
    // can use it, and closing leaves it as it was. A position off every screen (a screen since
    // unplugged, a hand-edited file) is corrected here, and so saved corrected at closing.
    if (m_services.placesWindows) {
        const ScreenSize size = m_view.frameSize();
        const std::vector<Rect> areas = m_view.workAreas();
        m_view.placeWindow(
            placeOnScreens({settings.left, settings.top, size.width, size.height}, areas));
    }
    if (!writeStartupLog(m_services.log)) {
        showSettingsFailure();
        // Nothing is saved by a program that could not start.
        m_closed = true;
        return false;
    }
    // The tab the user left open; one this program does not know shows the first.
    const int tab = m_services.settings.readInteger(kOptionsSection, kLastTabKey, 0);
    m_tab = tab >= 0 && tab < kChartTabCount ? static_cast<ChartTab>(tab) : ChartTab::Standard;
    m_view.showTab(m_tab);
    return true;
}

void Palette::applyOptions() {
    m_view.showCopyCaption(copyCaption());
    m_view.showHints(m_options.showHints);
}

void Palette::shown() {
    applyOptions();
    if (!m_shownOnce) {
        m_shownOnce = true;
        // The user opened the palette to write: keys typed at once go into the line, not into
        // the size box, where a digit would change the size unseen.
        const LineSnapshot line = m_view.line();
        m_view.showLine(line.text, line.text.size(), true);
    }
}

std::string_view Palette::copyCaption() const {
    return m_options.autoPaste ? kPasteCaption : kCopyCaption;
}

std::optional<std::string> Palette::saveOptions(const PaletteOptions& options) {
    const bool faceChanged = options.copyFace != m_options.copyFace;
    // Spelling to IPA's keys are written only when changed: a file that never had them keeps
    // saving as before.
    const bool transcribeChanged = options.transcribe != m_options.transcribe;
    // Turning auto-paste on again is the user's answer to a refusal earlier in this run.
    if (options.autoPaste && !m_options.autoPaste) {
        m_services.pasteTarget.askAgain();
    }
    m_options = options;
    // One access per value, in this order; the first that fails ends the save.
    const std::pair<std::string_view, bool> values[] = {
        {kAutoPasteKey, options.autoPaste},
        {kUseUnicodeFontKey, options.useUnicodeFont},
        {kShowHintsKey, options.showHints},
    };
    for (const auto& [key, value] : values) {
        if (!m_services.settings.writeBool(kOptionsSection, key, value)) {
            return "Unable to write to " + m_services.settingsPath;
        }
    }
    if (transcribeChanged && !saveTranscribeOptions(m_services.settings, options.transcribe)) {
        return "Unable to write to " + m_services.settingsPath;
    }
    // Written once chosen, likewise.
    if (faceChanged &&
        !m_services.settings.writeString(kOptionsSection, kCopyFaceKey, options.copyFace)) {
        return "Unable to write to " + m_services.settingsPath;
    }
    applyOptions();
    return std::nullopt;
}

void Palette::pickSize(int index) {
    m_sizeIndex = index;
    if (!m_services.settings.writeInteger(kOptionsSection, kFontSizeKey, index)) {
        showSettingsFailure();
    }
}

void Palette::hide(bool notificationAreaShown) {
    // Hidden without a notification area there would be no way back.
    if (notificationAreaShown) {
        m_view.hideWindow();
    } else {
        m_view.minimizeWindow();
    }
}

void Palette::summoned(platform::SummonRequest request, bool notificationAreaShown) {
    if (request == platform::SummonRequest::Toggle && m_view.isInFront()) {
        hide(notificationAreaShown);
        return;
    }
    m_view.bringToFront();
}

void Palette::close(bool unattended) {
    if (m_closed) {
        return;
    }
    m_closed = true;
    m_quiet = unattended;
    saveChartPlacement();
    if (!m_services.placesWindows) {
        return;
    }
    const std::optional<ScreenPosition> position = m_view.windowPosition();
    if (!position) {
        return;
    }
    // Both values are tried; one message says that either failed.
    const bool left = m_services.settings.writeInteger(kPositionSection, kLeftKey, position->left);
    const bool top = m_services.settings.writeInteger(kPositionSection, kTopKey, position->top);
    if (!left || !top) {
        showSettingsFailure();
    }
}

} // namespace korv
