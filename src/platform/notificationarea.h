// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

class QIcon;

namespace korv::platform {

/// A screen position in pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

/// How the user clicked the program's icon. A double click arrives as Click, DoubleClick, Click.
enum class IconClick { Click, DoubleClick, ContextClick };

/// The desktop's notification area (system tray) and the program's one icon in it.
class NotificationArea {
public:
    using ClickHandler = std::function<void(IconClick click)>;
    virtual ~NotificationArea() = default;

    /// Shows the icon with its tooltip and picture, or brings the shown icon up to date; a
    /// notification area that comes later gets it too.
    virtual void showIcon(const std::string& toolTip, const QIcon& picture) = 0;
    /// Takes the icon away; nothing when it is not shown. May run from the click handler.
    virtual void hideIcon() = 0;
    /// Calls handler for each click on the icon, from the event loop.
    virtual void onIconClick(ClickHandler handler) = 0;
    /// True while a notification area is present to show the icon.
    virtual bool isAvailable() const = 0;
    /// Shows a short notice beside the icon, or as a desktop notification, without taking the
    /// keyboard focus; false when it could not be shown.
    virtual bool showNotice(const std::string& title, const std::string& text) = 0;
    /// Where the pointer is now, for a menu opened from the icon.
    virtual ScreenPoint pointerPosition() const = 0;
};

} // namespace korv::platform
