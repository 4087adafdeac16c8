// SPDX-License-Identifier: GPL-3.0-or-later
#include "trayicon.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QPoint>

#include <algorithm>
#include <cstring>

namespace korv {
namespace {

// The tip travels as UTF-8 in a 64-byte field; a character that does not fit whole is left out.
std::array<char, 64> tipField(const QString& text) {
    std::array<char, 64> field{};
    const QByteArray bytes = text.toUtf8();
    qsizetype size = std::min<qsizetype>(bytes.size(), field.size() - 1);
    while (size > 0 && size < bytes.size() &&
           (static_cast<unsigned char>(bytes[size]) & 0xC0) == 0x80) {
        --size;
    }
    std::memcpy(field.data(), bytes.constData(), static_cast<std::size_t>(size));
    return field;
}

QString cutToolTip(const QString& text) {
    if (text.size() <= TTrayIcon::kMaxToolTip) {
        return text;
    }
    qsizetype size = TTrayIcon::kMaxToolTip;
    // Half a surrogate pair is no character.
    if (text.at(size - 1).isHighSurrogate()) {
        --size;
    }
    return text.left(size);
}

} // namespace

// The component's hidden window: it hears the shell's callbacks, and the messages posted to it
// arrive through the application's event queue, after whatever is running now.
class TTrayIcon::IconWindow final : public QObject {
public:
    struct Message final : QEvent {
        Message(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
            : QEvent(messageType())
            , m_message(message)
            , m_wParam(wParam)
            , m_lParam(lParam) {}
        std::uint32_t m_message;
        std::uintptr_t m_wParam;
        std::intptr_t m_lParam;
    };

    explicit IconWindow(TTrayIcon& owner)
        : m_owner(owner) {}

    static QEvent::Type messageType() {
        static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
        return registered;
    }

    void post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        QCoreApplication::postEvent(this, new Message(message, wParam, lParam));
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() != messageType()) {
            return QObject::event(event);
        }
        const auto* message = static_cast<const Message*>(event);
        m_owner.IconWindowProc(message->m_message, message->m_wParam, message->m_lParam);
        return true;
    }

private:
    TTrayIcon& m_owner;
};

TTrayIcon::TTrayIcon(QObject* owner, platform::NotifyShell& shell)
    : QObject(owner)
    , m_shell(shell)
    , m_window(std::make_unique<IconWindow>(*this)) {
    m_shell.registerWindow(
        windowHandle(), [this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
            return IconWindowProc(message, wParam, lParam);
        });
    setShowApp(false);
}

TTrayIcon::~TTrayIcon() {
    if (m_guard != 0) {
        m_shell.closeInstanceGuard(m_guard);
        m_guard = 0;
    }
    if (m_active) {
        RemoveIcon();
    }
    m_icon = QIcon();
    m_shell.unregisterWindow(windowHandle());
    m_window.reset(); // drops a refresh still waiting in the queue
}

platform::WindowHandle TTrayIcon::windowHandle() const {
    return reinterpret_cast<platform::WindowHandle>(m_window.get());
}

void TTrayIcon::Loaded() {
    if (!m_idMessage.isEmpty()) {
        const std::string name = m_idMessage.toStdString();
        m_registeredMessage = m_shell.registerWindowMessage(name);
        const platform::InstanceClaim claim = m_shell.createInstanceGuard(name);
        m_guard = claim.handle;
        if (claim.alreadyExists) {
            AnnounceInstance();
            m_shell.exitProcess();
        }
    }
    setShowApp(m_showApp);
}

void TTrayIcon::setActive(bool value) {
    if (value == m_active) {
        return;
    }
    m_active = value;
    if (value) {
        AddIcon();
    } else {
        RemoveIcon();
    }
}

void TTrayIcon::setShowApp(bool value) {
    m_showApp = value;
    m_shell.showApplicationWindow(value);
}

void TTrayIcon::setShowDesigning(bool) {}

void TTrayIcon::setIcon(const QIcon& icon) {
    if (&icon == &m_icon) {
        return;
    }
    m_icon = icon;
    UpdateIcon();
}

void TTrayIcon::readIcon(const QIcon& icon) {
    m_icon = icon;
}

void TTrayIcon::setToolTip(const QString& text) {
    m_toolTip = cutToolTip(text);
    UpdateIcon();
}

void TTrayIcon::FillIconData() {
    m_data.cbSize = platform::kNotifyIconDataSize;
    m_data.hWnd = windowHandle();
    m_data.uID = 0;
    m_data.uFlags = platform::NIF_MESSAGE | platform::NIF_ICON | platform::NIF_TIP;
    m_data.uCallbackMessage = kCallbackMessage;
    m_data.hIcon = m_icon.isNull() ? 0 : reinterpret_cast<platform::IconHandle>(&m_icon);
    m_data.szTip = tipField(m_toolTip);
}

bool TTrayIcon::AddIcon() {
    FillIconData();
    const bool added = m_shell.notifyIcon(platform::NotifyMessage::Add, m_data);
    // Added with nothing to say yet: once loading is over, picture and tip go out again.
    if (m_toolTip.isEmpty()) {
        postRefresh();
    }
    return added;
}

bool TTrayIcon::UpdateIcon() {
    FillIconData();
    if (!m_active) {
        return true;
    }
    return m_shell.notifyIcon(platform::NotifyMessage::Modify, m_data);
}

bool TTrayIcon::RemoveIcon() {
    return m_shell.notifyIcon(platform::NotifyMessage::Delete, m_data);
}

void TTrayIcon::postRefresh() {
    m_window->post(kRefreshMessage, 0, 0);
}

std::intptr_t TTrayIcon::IconWindowProc(std::uint32_t message, std::uintptr_t,
                                        std::intptr_t lParam) {
    if (message == kRefreshMessage) {
        setToolTip(m_toolTip);
        return 0;
    }
    if (message == kCallbackMessage) {
        switch (lParam) {
        case platform::WM_LBUTTONUP:
            if (OnClick) {
                OnClick(this);
            }
            break;
        case platform::WM_LBUTTONDBLCLK:
            if (OnDblClick) {
                OnDblClick(this);
            }
            break;
        case platform::WM_RBUTTONUP:
            HandleRightClick();
            break;
        default:
            break;
        }
        return 0;
    }
    // Nothing else is this window's business, the announcement of a second instance included.
    return 0;
}

void TTrayIcon::HandleRightClick() {
    const platform::ScreenPoint pos = m_shell.cursorPos();
    const QPointer<TTrayIcon> self(this);
    if (m_popupMenu) {
        // What is already waiting goes first; the menu grabs the pointer itself, so it closes
        // on a click anywhere else.
        QCoreApplication::processEvents();
        if (self && m_popupMenu) {
            m_popupMenu->exec(QPoint(pos.x, pos.y));
        }
    }
    if (self && OnRightClick) {
        OnRightClick(this, Qt::RightButton, Qt::NoModifier, pos.x, pos.y);
    }
}

void TTrayIcon::AnnounceInstance() {
    m_shell.broadcastMessage(m_registeredMessage);
}

} // namespace korv
