// SPDX-License-Identifier: GPL-3.0-or-later
#include "wlrootspastetarget.h"

#include <QSocketNotifier>
#include <QTimer>

#include <wayland-client.h>

#include "virtualkeyboard.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace korv::platform {
namespace {

// Only the keys the paste presses, whatever the user's layout: Ctrl and V.
constexpr std::string_view kKeymap = R"(xkb_keymap {
    xkb_keycodes { include "evdev" };
    xkb_types { include "complete" };
    xkb_compat { include "complete" };
    xkb_symbols {
        key <LCTL> { [ Control_L ] };
        key <AB04> { [ v, V ] };
        modifier_map Control { <LCTL> };
    };
};
)";
// evdev key codes of the keymap's keys, and Control's modifier mask in it.
constexpr std::uint32_t kLeftCtrl = 29;
constexpr std::uint32_t kV = 47;
constexpr std::uint32_t kControlMask = 1U << 2;
constexpr std::uint32_t kActivatedState = 2; // the foreign toplevel's "activated"
constexpr std::chrono::milliseconds kPollInterval{10};

WlrootsPasteTarget* owner(void* data) {
    return static_cast<WlrootsPasteTarget*>(data);
}

void announced(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
               std::uint32_t version) {
    owner(data)->announced(registry, name, interface, version);
}

void removed(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener = {announced, removed};

void toplevelAdded(void* data, zwlr_foreign_toplevel_manager_v1*,
                   zwlr_foreign_toplevel_handle_v1* handle) {
    owner(data)->toplevelAdded(handle);
}

void finished(void*, zwlr_foreign_toplevel_manager_v1*) {}

const zwlr_foreign_toplevel_manager_v1_listener kManagerListener = {toplevelAdded, finished};

using Toplevel = WlrootsPasteTarget::Toplevel;

void title(void*, zwlr_foreign_toplevel_handle_v1*, const char*) {}
void appId(void*, zwlr_foreign_toplevel_handle_v1*, const char*) {}
void outputEnter(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void outputLeave(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}

void state(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
    auto& toplevel = *static_cast<Toplevel*>(data);
    const auto* begin = static_cast<const std::uint32_t*>(states->data);
    const auto* end = begin + states->size / sizeof(std::uint32_t);
    toplevel.pendingActivated = std::find(begin, end, kActivatedState) != end;
}

void done(void*, zwlr_foreign_toplevel_handle_v1*);
void closed(void*, zwlr_foreign_toplevel_handle_v1*);
void parent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}

void done(void* data, zwlr_foreign_toplevel_handle_v1*) {
    auto& toplevel = *static_cast<Toplevel*>(data);
    toplevel.owner->toplevelDone(toplevel);
}

void closed(void* data, zwlr_foreign_toplevel_handle_v1*) {
    auto& toplevel = *static_cast<Toplevel*>(data);
    toplevel.owner->toplevelClosed(toplevel);
}

const zwlr_foreign_toplevel_handle_v1_listener kHandleListener = {
    title, appId, outputEnter, outputLeave, state, done, closed, parent};

} // namespace

WlrootsPasteTarget::WlrootsPasteTarget(FocusProbe focus)
    : m_focus(std::move(focus)) {
    // The window used before ours is known only by following activations from the start; the
    // connection waits for the event loop, so that the window shows first.
    QTimer::singleShot(0, &m_timers, [this] { connect(); });
}

WlrootsPasteTarget::~WlrootsPasteTarget() {
    m_notifier.reset();
    disconnect();
}

void WlrootsPasteTarget::disconnect() {
    if (m_display == nullptr) {
        return;
    }
    // The connection's end frees no object made on it.
    for (const auto& toplevel : m_list) {
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    }
    m_list.clear();
    if (m_keyboard != nullptr) {
        zwp_virtual_keyboard_v1_destroy(m_keyboard);
    }
    if (m_keyboards != nullptr) {
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(m_keyboards));
    }
    if (m_toplevels != nullptr) {
        zwlr_foreign_toplevel_manager_v1_stop(m_toplevels);
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(m_toplevels));
    }
    if (m_seat != nullptr) {
        wl_seat_destroy(m_seat);
    }
    if (m_registry != nullptr) {
        wl_registry_destroy(m_registry);
    }
    wl_display_disconnect(m_display);
    m_display = nullptr;
    m_registry = nullptr;
    m_seat = nullptr;
    m_toplevels = nullptr;
    m_keyboards = nullptr;
    m_keyboard = nullptr;
}

void WlrootsPasteTarget::connect() {
    if (m_tried) {
        return;
    }
    m_tried = true;
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return;
    }
    m_display = wl_display_connect(nullptr);
    if (m_display == nullptr) {
        return;
    }
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &kRegistryListener, this);
    wl_display_roundtrip(m_display);
    if (m_toplevels == nullptr || m_keyboards == nullptr || m_seat == nullptr) {
        // Not a wlroots compositor: nothing to follow.
        disconnect();
        return;
    }
    zwlr_foreign_toplevel_manager_v1_add_listener(m_toplevels, &kManagerListener, this);
    // Made now, not at the first paste: a seat with no keyboard at all (a headless one) tells no
    // program where the keys would go.
    makeKeyboard();
    wl_display_roundtrip(m_display);
    m_notifier =
        std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, &m_timers, [this] { read(); });
}

void WlrootsPasteTarget::announced(wl_registry* registry, std::uint32_t name, const char* interface,
                                   std::uint32_t version) {
    if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0) {
        m_toplevels = static_cast<zwlr_foreign_toplevel_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface,
                             std::min<std::uint32_t>(version, 3)));
    } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
        m_keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && m_seat == nullptr) {
        m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    }
}

void WlrootsPasteTarget::toplevelAdded(zwlr_foreign_toplevel_handle_v1* handle) {
    auto toplevel = std::make_unique<Toplevel>();
    toplevel->owner = this;
    toplevel->handle = handle;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kHandleListener, toplevel.get());
    m_list.push_back(std::move(toplevel));
}

void WlrootsPasteTarget::toplevelDone(Toplevel& toplevel) {
    if (toplevel.pendingActivated && !toplevel.activated) {
        toplevel.activatedAt = ++m_activations;
    }
    toplevel.activated = toplevel.pendingActivated;
}

void WlrootsPasteTarget::toplevelClosed(Toplevel& toplevel) {
    toplevel.closed = true;
    toplevel.activated = false;
    zwlr_foreign_toplevel_handle_v1_destroy(toplevel.handle);
    toplevel.handle = nullptr;
    std::erase_if(m_list, [&](const auto& t) { return t.get() == &toplevel; });
}

void WlrootsPasteTarget::read() {
    if (m_display != nullptr && wl_display_dispatch(m_display) < 0) {
        m_notifier->setEnabled(false);
    }
}

void WlrootsPasteTarget::flush() {
    wl_display_flush(m_display);
}

bool WlrootsPasteTarget::offered() {
    connect();
    return m_display != nullptr;
}

bool WlrootsPasteTarget::makeKeyboard() {
    if (m_keyboard == nullptr) {
        m_keyboard = makeVirtualKeyboard(m_keyboards, m_seat, kKeymap);
        if (m_keyboard == nullptr) {
            return false;
        }
        flush();
    }
    return true;
}

bool WlrootsPasteTarget::sendPasteKeys() {
    if (!makeKeyboard()) {
        return false;
    }
    const auto time =
        static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now().time_since_epoch())
                                       .count());
    zwp_virtual_keyboard_v1_key(m_keyboard, time, kLeftCtrl, WL_KEYBOARD_KEY_STATE_PRESSED);
    zwp_virtual_keyboard_v1_modifiers(m_keyboard, kControlMask, 0, 0, 0);
    zwp_virtual_keyboard_v1_key(m_keyboard, time, kV, WL_KEYBOARD_KEY_STATE_PRESSED);
    zwp_virtual_keyboard_v1_key(m_keyboard, time, kV, WL_KEYBOARD_KEY_STATE_RELEASED);
    zwp_virtual_keyboard_v1_key(m_keyboard, time, kLeftCtrl, WL_KEYBOARD_KEY_STATE_RELEASED);
    zwp_virtual_keyboard_v1_modifiers(m_keyboard, 0, 0, 0, 0);
    flush();
    return true;
}

void WlrootsPasteTarget::pasteIntoPreviousWindow(std::uintptr_t own, Done done) {
    if (!offered()) {
        done(PasteResult::Unavailable);
        return;
    }
    wl_display_dispatch_pending(m_display);
    // Ours is the window active now, and the keyboard must be in it: the one active before it
    // is the one the user left for ours.
    const auto active =
        std::max_element(m_list.begin(), m_list.end(), [](const auto& a, const auto& b) {
            return a->activated < b->activated ||
                   (a->activated == b->activated && a->activatedAt < b->activatedAt);
        });
    if (m_focus(own) != KeyboardFocus::Own || active == m_list.end() || !(*active)->activated) {
        done(PasteResult::NotSwitched);
        return;
    }
    Toplevel* before = nullptr;
    for (const auto& toplevel : m_list) {
        if (toplevel.get() != active->get() && toplevel->activatedAt > 0 &&
            (before == nullptr || toplevel->activatedAt > before->activatedAt)) {
            before = toplevel.get();
        }
    }
    if (before == nullptr) {
        done(PasteResult::NotSwitched);
        return;
    }
    zwlr_foreign_toplevel_handle_v1_activate(before->handle, m_seat);
    flush();
    const auto deadline = std::chrono::steady_clock::now() + kSwitchTimeout;
    auto* timer = new QTimer(&m_timers);
    // The handle may close meanwhile: it is looked for again each time.
    zwlr_foreign_toplevel_handle_v1* handle = before->handle;
    QObject::connect(timer, &QTimer::timeout, timer, [=, this] {
        wl_display_dispatch_pending(m_display);
        const auto found = std::find_if(m_list.begin(), m_list.end(),
                                        [&](const auto& t) { return t->handle == handle; });
        const bool switched = found != m_list.end() && (*found)->activated &&
                              m_focus(own) == KeyboardFocus::Elsewhere;
        if (!switched && std::chrono::steady_clock::now() < deadline) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        done(switched && sendPasteKeys() ? PasteResult::Pasted : PasteResult::NotSwitched);
    });
    timer->start(kPollInterval);
}

} // namespace korv::platform
