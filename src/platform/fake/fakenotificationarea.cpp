// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakenotificationarea.h"

namespace korv::platform {

void FakeNotificationArea::showIcon(const std::string& toolTip, const QIcon& picture) {
    m_calls.push_back({false, toolTip, picture});
    m_shown = true;
}

void FakeNotificationArea::hideIcon() {
    m_calls.push_back({true, {}, {}});
    m_shown = false;
}

bool FakeNotificationArea::showNotice(const std::string& title, const std::string& text) {
    m_notices.push_back({title, text});
    return m_showsNotices;
}

ScreenPoint FakeNotificationArea::pointerPosition() const {
    ++m_pointerReads;
    return m_pointer;
}

bool FakeNotificationArea::click(IconClick click) {
    if (!m_shown || !m_onClick) {
        return false;
    }
    // Copied: the handler may replace itself.
    const ClickHandler handler = m_onClick;
    handler(click);
    return true;
}

} // namespace korv::platform
