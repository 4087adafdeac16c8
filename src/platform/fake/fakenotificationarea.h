// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

#include <string>
#include <vector>

#include "notificationarea.h"

namespace korv::platform {

/// Records what the program shows in the notification area and lets a test click the icon.
class FakeNotificationArea final : public NotificationArea {
public:
    /// One showIcon call, or a hideIcon call (hide set).
    struct Call {
        bool hide = false;
        std::string toolTip;
        QIcon picture;
    };
    struct Notice {
        std::string title;
        std::string text;
    };

    void showIcon(const std::string& toolTip, const QIcon& picture) override;
    void hideIcon() override;
    void onIconClick(ClickHandler handler) override { m_onClick = std::move(handler); }
    bool isAvailable() const override { return m_available; }
    bool showNotice(const std::string& title, const std::string& text) override;
    ScreenPoint pointerPosition() const override;

    /// Clicks the icon as the user would; false while it is not shown or nobody listens.
    bool click(IconClick click);

    std::vector<Call> m_calls;
    bool m_shown = false;
    ClickHandler m_onClick;
    bool m_available = true;
    ScreenPoint m_pointer;
    mutable int m_pointerReads = 0;
    std::vector<Notice> m_notices;
    bool m_showsNotices = true; // what showNotice reports
};

} // namespace korv::platform
