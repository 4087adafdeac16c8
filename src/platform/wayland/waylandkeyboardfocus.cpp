// SPDX-License-Identifier: GPL-3.0-or-later
#include "waylandkeyboardfocus.h"

#include <QGuiApplication>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <cstring>
#include <unistd.h>

namespace korv::platform {
namespace {

void announced(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
               std::uint32_t version) {
    if (std::strcmp(interface, wl_seat_interface.name) == 0) {
        static_cast<WaylandKeyboardFocus*>(data)->seatAnnounced(registry, name, version);
    }
}

void removed(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener = {announced, removed};

void capabilities(void* data, wl_seat*, std::uint32_t offered) {
    static_cast<WaylandKeyboardFocus*>(data)->seatHasKeyboard(
        (offered & WL_SEAT_CAPABILITY_KEYBOARD) != 0);
}

void seatName(void*, wl_seat*, const char*) {}

const wl_seat_listener kSeatListener = {capabilities, seatName};

void keymap(void*, wl_keyboard*, std::uint32_t, std::int32_t fd, std::uint32_t) {
    close(fd);
}

void enter(void* data, wl_keyboard*, std::uint32_t, wl_surface* surface, wl_array*) {
    static_cast<WaylandKeyboardFocus*>(data)->entered(surface);
}

void leave(void* data, wl_keyboard*, std::uint32_t, wl_surface*) {
    static_cast<WaylandKeyboardFocus*>(data)->left();
}

void key(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}

void modifiers(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
               std::uint32_t) {}

void repeat(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

const wl_keyboard_listener kKeyboardListener = {keymap, enter, leave, key, modifiers, repeat};

} // namespace

WaylandKeyboardFocus::~WaylandKeyboardFocus() {
    if (m_keyboard != nullptr) {
        wl_keyboard_destroy(m_keyboard);
    }
    if (m_seat != nullptr) {
        wl_seat_destroy(m_seat);
    }
    if (m_registry != nullptr) {
        wl_registry_destroy(m_registry);
    }
    if (m_wrapper != nullptr) {
        wl_proxy_wrapper_destroy(m_wrapper);
    }
    if (m_queue != nullptr) {
        wl_event_queue_destroy(m_queue);
    }
}

void WaylandKeyboardFocus::seatAnnounced(wl_registry* registry, std::uint32_t name,
                                         std::uint32_t version) {
    if (m_seat == nullptr) {
        // The first seat is the one Qt takes too.
        m_seat = static_cast<wl_seat*>(
            wl_registry_bind(registry, name, &wl_seat_interface, version < 5 ? version : 5));
        wl_seat_add_listener(m_seat, &kSeatListener, this);
    }
}

bool WaylandKeyboardFocus::start() {
    auto* native = qGuiApp != nullptr ? qGuiApp->platformNativeInterface() : nullptr;
    m_display = native != nullptr ? static_cast<wl_display*>(native->nativeResourceForIntegration(
                                        QByteArrayLiteral("wl_display")))
                                  : nullptr;
    if (m_display == nullptr) {
        return false;
    }
    // A queue of our own: Qt's never sees these objects, nor dispatches their events.
    m_queue = wl_display_create_queue(m_display);
    m_wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(m_display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(m_wrapper), m_queue);
    m_registry = wl_display_get_registry(m_wrapper);
    wl_registry_add_listener(m_registry, &kRegistryListener, this);
    // The seat's capabilities come in the round trip after the one that announced it.
    if (wl_display_roundtrip_queue(m_display, m_queue) < 0 || m_seat == nullptr ||
        wl_display_roundtrip_queue(m_display, m_queue) < 0 || !m_seatHasKeyboard) {
        return false;
    }
    m_keyboard = wl_seat_get_keyboard(m_seat);
    wl_keyboard_add_listener(m_keyboard, &kKeyboardListener, this);
    // A keyboard made while our window has the keys is told so at once.
    return wl_display_roundtrip_queue(m_display, m_queue) >= 0;
}

KeyboardFocus WaylandKeyboardFocus::operator()(std::uintptr_t) {
    if (!m_tried) {
        m_tried = true;
        m_working = start();
    }
    if (!m_working) {
        return KeyboardFocus::Unknown;
    }
    // A round trip, not only what Qt's thread has read: the requests before it, the copy's
    // selection among them, are then in the compositor's hands. Qt may hold them unsent until
    // the compositor next speaks, and the paste's keys, which go by another way, would overtake
    // them: the compositor then refuses the selection to a window that no longer has the keys,
    // and the previous copy is pasted.
    if (wl_display_roundtrip_queue(m_display, m_queue) < 0) {
        return KeyboardFocus::Unknown;
    }
    return m_focused != nullptr ? KeyboardFocus::Own : KeyboardFocus::Elsewhere;
}

} // namespace korv::platform
