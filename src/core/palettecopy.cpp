// SPDX-License-Identifier: GPL-3.0-or-later
// Copy: the line leaves the program as plain and rich text and, with auto-paste on, lands in the
// window the user worked in before.
#include "palette.h"

#include "copypayload.h"
#include "settings/settings.h"

#include <algorithm>

namespace korv {
namespace {

// What the user is told when a copy was not pasted for them, by why; nothing when it was.
std::string_view pasteNotice(platform::PasteResult result) {
    switch (result) {
    case platform::PasteResult::Pasted:
        return {};
    case platform::PasteResult::NotSwitched:
        return kPasteByHandNotice;
    case platform::PasteResult::Refused:
        return kPasteRefusedNotice;
    case platform::PasteResult::Unavailable:
        return kPasteUnavailableNotice;
    }
    return kPasteByHandNotice;
}

} // namespace

void Palette::copy(bool plainOnly) {
    const LineSnapshot line = m_view.line();
    bool onClipboard = false;
    if (plainOnly) {
        // Text for a document's own face: the legacy font's codes would mean nothing there.
        CopyPayload plain;
        plain.plain = makeCopyPayload(line.text, true, 1).plain;
        if (!plain.plain.empty()) {
            onClipboard = m_services.clipboard.put(plain);
        }
    } else if (m_sizeIndex < 0 || m_sizeIndex >= static_cast<int>(kPointSizes.size())) {
        // No size chosen (a stored size the list does not have): the plain copy still goes out,
        // as it stands on its own, and the user is told why the rich one did not.
        CopyPayload plain;
        plain.plain = makeCopyPayload(line.text, m_options.useUnicodeFont, 1).plain;
        if (!plain.plain.empty()) {
            m_services.clipboard.put(plain);
        }
        m_view.showError("'' is not a valid integer value.");
        return;
    } else {
        const CopyPayload payload =
            makeCopyPayload(line.text, m_options.useUnicodeFont,
                            kPointSizes[static_cast<std::size_t>(m_sizeIndex)], m_options.copyFace);
        if (!payload.plain.empty()) {
            onClipboard = m_services.clipboard.put(payload);
        }
    }
    m_view.showLine(line.text, line.text.size(), true);

    // With nothing copied there is nothing to paste: switching away would only lose the user's
    // place.
    if (m_options.autoPaste && onClipboard) {
        // The answer may come later (a desktop asking the user first), from a palette gone by then.
        m_services.pasteTarget.pasteIntoPreviousWindow(
            m_view.nativeHandle(),
            [this, alive = std::weak_ptr<const bool>(m_alive)](platform::PasteResult result) {
                if (!alive.expired()) {
                    pasteDone(result);
                }
            });
    }
}

void Palette::pasteDone(platform::PasteResult result) {
    // A permission the desktop lets keep spares the user its question at the next start.
    const std::string permission = m_services.pasteTarget.permissionToKeep();
    if (!permission.empty() && permission != m_keptPermission &&
        m_services.settings.writeString(kOptionsSection, kPastePermissionKey, permission)) {
        m_keptPermission = permission;
    }
    const std::string_view notice = pasteNotice(result);
    // Each once per run: the first time teaches it, every time would nag.
    if (!notice.empty() && std::find(m_pasteNoticesGiven.begin(), m_pasteNoticesGiven.end(),
                                     notice) == m_pasteNoticesGiven.end()) {
        m_pasteNoticesGiven.push_back(notice);
        m_view.showNotice(notice);
    }
}

} // namespace korv
