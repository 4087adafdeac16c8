// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopnotifyshell.h"

#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QSocketNotifier>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "desktopbus.h"

namespace korv::platform {
namespace {

// Registered messages live above the fixed ones, as the shell numbers them.
constexpr std::uint32_t kFirstRegisteredMessage = 0xC000;

// Long enough to read a short line, short enough not to linger over the user's work.
constexpr int kNoticeMs = 4000;

// A name kept as readable as the file system allows, with a hash so that names differing only in
// replaced characters stay apart.
std::string guardFileStem(const std::string& name) {
    std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
    std::string readable;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (readable.size() < 24) {
            readable += plain ? c : '_';
        }
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return "korvani-guard-" + readable + "-" + hex;
}

// The per-user folder the guard files live in; empty when the session has none.
std::string runtimeFolder() {
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (folder == nullptr || folder[0] != '/' || ::stat(folder, &info) != 0 ||
        !S_ISDIR(info.st_mode)) {
        return {};
    }
    return folder;
}

bool socketAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

std::string socketPath(const std::string& name) {
    const std::string folder = runtimeFolder();
    return folder.empty() ? std::string() : folder + "/" + guardFileStem(name) + ".sock";
}

} // namespace

struct DesktopNotifyShell::Guard {
    std::string name;
    int lockFd = -1;
    int socketFd = -1; // only the holder listens
    std::string socketPath;
    std::unique_ptr<QSocketNotifier> notifier;

    Guard() = default;
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
    ~Guard() {
        notifier.reset();
        if (socketFd >= 0) {
            ::close(socketFd);
            ::unlink(socketPath.c_str());
        }
        if (lockFd >= 0) {
            ::close(lockFd); // releases the lock
        }
    }
};

// Follows the left button through the whole application: the tray icon's widget is Qt's own.
class DesktopNotifyShell::ReleaseWatch final : public QObject {
public:
    explicit ReleaseWatch(DesktopNotifyShell& shell)
        : m_shell(shell) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease) {
            return false;
        }
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            return false;
        }
        if (type == QEvent::MouseButtonRelease) {
            const auto* widget = qobject_cast<const QWidget*>(watched);
            m_shell.released(watched, widget == nullptr ||
                                          widget->rect().contains(mouse->position().toPoint()));
        } else {
            m_shell.pressed(watched);
        }
        return false;
    }

private:
    DesktopNotifyShell& m_shell;
};

DesktopNotifyShell::DesktopNotifyShell(ExitFunction exitProcess)
    : m_exit(std::move(exitProcess)) {}

DesktopNotifyShell::~DesktopNotifyShell() = default;

void DesktopNotifyShell::pressed(QObject* target) {
    m_pressTarget = target;
    m_awaitRelease = nullptr;
}

void DesktopNotifyShell::released(QObject* target, bool inside) {
    if (m_awaitRelease == nullptr || target != m_awaitRelease) {
        return;
    }
    m_awaitRelease = nullptr;
    // A button let go away from the icon is a click taken back.
    const auto it = m_icons.find(m_pressedIcon);
    if (inside && it != m_icons.end() && it->second.hasCallback) {
        send(m_pressedIcon.first, it->second.callbackMessage, m_pressedIcon.second,
             static_cast<std::intptr_t>(WM_LBUTTONUP));
    }
}

bool DesktopNotifyShell::notifyIcon(NotifyMessage message, const NotifyIconData& data) {
    const IconKey key{data.hWnd, data.uID};
    auto it = m_icons.find(key);
    switch (message) {
    case NotifyMessage::Add: {
        if (it != m_icons.end()) {
            return false;
        }
        Icon& icon = m_icons[key];
        // Registered with every watcher that comes, so a panel that starts later shows it too.
        icon.item = std::make_unique<StatusNotifierItem>(
            [this, key](StatusNotifierItem::Request request, int, int) { requested(key, request); },
            [this] { hostsChanged(); });
        m_statusNotifierHost = statusNotifierHostPresent();
        apply(key, icon, data);
        // Accepted even without a notification area: the icon goes to the first that comes.
        return true;
    }
    case NotifyMessage::Modify:
        if (it == m_icons.end()) {
            return false;
        }
        apply(key, it->second, data);
        return true;
    case NotifyMessage::Delete: {
        if (it == m_icons.end()) {
            return false;
        }
        QSystemTrayIcon* tray = it->second.tray.release();
        m_icons.erase(it);
        if (tray == nullptr) {
            return true;
        }
        tray->hide();
        // The icon may be removed by a handler of its own click.
        if (m_delivering > 0) {
            tray->deleteLater();
        } else {
            delete tray;
        }
        return true;
    }
    }
    return false;
}

void DesktopNotifyShell::apply(IconKey key, Icon& icon, const NotifyIconData& data) {
    if ((data.uFlags & NIF_MESSAGE) != 0) {
        icon.hasCallback = true;
        icon.callbackMessage = data.uCallbackMessage;
    }
    if ((data.uFlags & NIF_ICON) != 0) {
        icon.picture = data.hIcon != 0 ? *reinterpret_cast<const QIcon*>(data.hIcon) : QIcon();
        icon.item->setIcon(icon.picture);
    }
    if ((data.uFlags & NIF_TIP) != 0) {
        const std::string_view tip = data.tip();
        icon.toolTip = QString::fromUtf8(tip.data(), static_cast<qsizetype>(tip.size()));
        icon.item->setToolTip(icon.toolTip);
    }
    showEmbedded(key, icon);
}

void DesktopNotifyShell::showEmbedded(IconKey key, Icon& icon) {
    // Where a StatusNotifier host shows the item, an embedded icon would show it twice; without
    // a picture there is nothing to draw, and Qt warns when asked to show one.
    const bool wanted = hasEmbeddedTrays() && !m_statusNotifierHost && !icon.picture.isNull();
    if (!icon.tray) {
        // Qt settles at its first tray icon, once per process, whether its icons go to a
        // StatusNotifier host or into XEmbed trays: made while no such host is there, they go
        // into trays, which the item leaves to Qt.
        if (!wanted) {
            return;
        }
        if (!m_releaseWatch && QCoreApplication::instance() != nullptr) {
            m_releaseWatch = std::make_unique<ReleaseWatch>(*this);
            QCoreApplication::instance()->installEventFilter(m_releaseWatch.get());
        }
        icon.tray = std::make_unique<QSystemTrayIcon>();
        QObject::connect(
            icon.tray.get(), &QSystemTrayIcon::activated, icon.tray.get(),
            [this, key](QSystemTrayIcon::ActivationReason reason) { activated(key, reason); });
    }
    icon.tray->setIcon(icon.picture);
    icon.tray->setToolTip(icon.toolTip);
    icon.tray->setVisible(wanted);
}

void DesktopNotifyShell::hostsChanged() {
    m_statusNotifierHost = statusNotifierHostPresent();
    for (auto& [key, icon] : m_icons) {
        showEmbedded(key, icon);
    }
}

void DesktopNotifyShell::requested(IconKey key, StatusNotifierItem::Request request) {
    // A host reports a whole click, the button already up: the shell's release.
    std::uint32_t mouse = 0;
    switch (request) {
    case StatusNotifierItem::Request::Activate:
        mouse = WM_LBUTTONUP;
        break;
    case StatusNotifierItem::Request::ContextMenu:
        mouse = WM_RBUTTONUP;
        break;
    case StatusNotifierItem::Request::SecondaryActivate:
        return;
    }
    const auto it = m_icons.find(key);
    if (it != m_icons.end() && it->second.hasCallback) {
        send(key.first, it->second.callbackMessage, key.second, static_cast<std::intptr_t>(mouse));
    }
}

void DesktopNotifyShell::activated(IconKey key, QSystemTrayIcon::ActivationReason reason) {
    // Qt reports a press; the shell reports releases. A double click arrives as Trigger for the
    // first press and DoubleClick for the second, which the shell reports as double click and
    // release. The middle button raises nothing. While the left button is down over the icon's
    // own widget, its release is awaited; an activation that comes without one (a notifier host
    // over D-Bus) is a whole click already.
    const bool buttonDown =
        (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0 && m_pressTarget != nullptr &&
        (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick);
    if (buttonDown) {
        m_awaitRelease = m_pressTarget;
        m_pressedIcon = key;
    }
    std::vector<std::uint32_t> mouse;
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        if (!buttonDown) {
            mouse = {WM_LBUTTONUP};
        }
        break;
    case QSystemTrayIcon::DoubleClick:
        mouse = {WM_LBUTTONDBLCLK};
        if (!buttonDown) {
            mouse.push_back(WM_LBUTTONUP);
        }
        break;
    case QSystemTrayIcon::Context:
        mouse = {WM_RBUTTONUP};
        break;
    default:
        break;
    }
    for (const std::uint32_t message : mouse) {
        // Looked up each time: a handler may have removed the icon.
        const auto it = m_icons.find(key);
        if (it == m_icons.end() || !it->second.hasCallback) {
            return;
        }
        send(key.first, it->second.callbackMessage, key.second,
             static_cast<std::intptr_t>(message));
    }
}

void DesktopNotifyShell::send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) {
    const auto it = m_windows.find(window);
    if (it == m_windows.end()) {
        return;
    }
    // Copied: the procedure may unregister its own window.
    const WindowProc proc = it->second;
    struct Depth {
        int& depth;
        explicit Depth(int& d)
            : depth(++d) {}
        ~Depth() { --depth; }
    } depth(m_delivering);
    proc(message, wParam, lParam);
}

void DesktopNotifyShell::registerWindow(WindowHandle window, WindowProc proc) {
    m_windows[window] = std::move(proc);
}

void DesktopNotifyShell::unregisterWindow(WindowHandle window) {
    m_windows.erase(window);
}

void DesktopNotifyShell::showApplicationWindow(bool) {
    // There is no separate application window here: the window manager lists a window in its
    // task bar exactly while that window is mapped.
}

bool DesktopNotifyShell::isAvailable() const {
    // Asked anew each time: Qt's own answer stays true after an XEmbed tray has gone.
    return statusNotifierHostPresent() || embeddedTrayPresent();
}

bool DesktopNotifyShell::showNotice(WindowHandle window, std::uint32_t id, const std::string& title,
                                    const std::string& text) {
    // A StatusNotifier icon's balloon is itself a desktop notification; an XEmbed tray's is a
    // tooltip-like window beside the icon, which takes no focus.
    QSystemTrayIcon* tray = trayIcon(window, id);
    if (tray != nullptr && tray->isVisible() && embeddedTrayPresent()) {
        tray->showMessage(QString::fromStdString(title), QString::fromStdString(text),
                          QSystemTrayIcon::Information, kNoticeMs);
        return true;
    }
    return sendDesktopNotification(title, text, kNoticeMs);
}

ScreenPoint DesktopNotifyShell::cursorPos() const {
    const QPoint pos = QCursor::pos();
    return {pos.x(), pos.y()};
}

std::uint32_t DesktopNotifyShell::registerWindowMessage(const std::string& name) {
    const auto [it, added] = m_messages.emplace(
        name, kFirstRegisteredMessage + static_cast<std::uint32_t>(m_messages.size()));
    return it->second;
}

InstanceClaim DesktopNotifyShell::createInstanceGuard(const std::string& name) {
    const std::string folder = runtimeFolder();
    if (folder.empty()) {
        return {};
    }
    auto guard = std::make_unique<Guard>();
    guard->name = name;
    const std::string lockPath = folder + "/" + guardFileStem(name) + ".lock";
    guard->lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (guard->lockFd < 0) {
        return {};
    }
    // The lock dies with the process, so a crashed instance never blocks the next one.
    bool alreadyExists = false;
    if (::flock(guard->lockFd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            return {};
        }
        alreadyExists = true;
    } else {
        hearAnnouncements(*guard);
    }
    const GuardHandle handle = m_nextGuard++;
    m_guards.emplace(handle, std::move(guard));
    return {handle, alreadyExists};
}

void DesktopNotifyShell::hearAnnouncements(Guard& guard) {
    sockaddr_un address;
    guard.socketPath = socketPath(guard.name);
    if (guard.socketPath.empty() || !socketAddress(guard.socketPath, address)) {
        return;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return;
    }
    // Holding the lock makes any socket left here a dead instance's.
    ::unlink(guard.socketPath.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return;
    }
    guard.socketFd = fd;
    guard.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(guard.notifier.get(), &QSocketNotifier::activated, guard.notifier.get(),
                     [this, fd] {
                         char buffer[512];
                         ssize_t size = 0;
                         std::vector<std::string> names;
                         while ((size = ::recv(fd, buffer, sizeof buffer, 0)) >= 0) {
                             names.emplace_back(buffer, static_cast<std::size_t>(size));
                         }
                         // Every window of the program hears the message, as a broadcast;
                         // names this program never registered mean nothing to it.
                         for (const std::string& name : names) {
                             const auto registered = m_messages.find(name);
                             if (registered == m_messages.end()) {
                                 continue;
                             }
                             const std::uint32_t message = registered->second;
                             const auto windows = m_windows;
                             for (const auto& [window, proc] : windows) {
                                 proc(message, 0, 0);
                             }
                         }
                     });
}

void DesktopNotifyShell::closeInstanceGuard(GuardHandle guard) {
    m_guards.erase(guard);
}

void DesktopNotifyShell::broadcastMessage(std::uint32_t message) {
    const auto it = std::find_if(m_messages.begin(), m_messages.end(),
                                 [&](const auto& entry) { return entry.second == message; });
    sockaddr_un address;
    if (it == m_messages.end() || !socketAddress(socketPath(it->first), address)) {
        return;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return;
    }
    // Nobody listening is no failure: the holder may have just ended.
    ::sendto(fd, it->first.data(), it->first.size(), MSG_NOSIGNAL,
             reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);
}

void DesktopNotifyShell::exitProcess() {
    if (m_exit) {
        m_exit();
        return;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

QSystemTrayIcon* DesktopNotifyShell::trayIcon(WindowHandle window, std::uint32_t id) const {
    const auto it = m_icons.find({window, id});
    return it != m_icons.end() ? it->second.tray.get() : nullptr;
}

StatusNotifierItem* DesktopNotifyShell::statusNotifierItem(WindowHandle window,
                                                           std::uint32_t id) const {
    const auto it = m_icons.find({window, id});
    return it != m_icons.end() ? it->second.item.get() : nullptr;
}

} // namespace korv::platform
