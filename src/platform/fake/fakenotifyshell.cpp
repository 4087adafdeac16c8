// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakenotifyshell.h"

#include <algorithm>
#include <iterator>

namespace korv::platform {

bool FakeNotifyShell::notifyIcon(NotifyMessage message, const NotifyIconData& data) {
    m_calls.push_back({message, data});
    if (m_refuse) {
        return false;
    }
    const auto key = std::make_pair(data.hWnd, data.uID);
    const auto it = m_icons.find(key);
    switch (message) {
    case NotifyMessage::Add:
        return m_icons.emplace(key, data).second;
    case NotifyMessage::Modify:
        if (it == m_icons.end()) {
            return false;
        }
        it->second = data;
        return true;
    case NotifyMessage::Delete:
        if (it == m_icons.end()) {
            return false;
        }
        m_icons.erase(it);
        return true;
    }
    return false;
}

void FakeNotifyShell::registerWindow(WindowHandle window, WindowProc proc) {
    m_windows[window] = std::move(proc);
}

void FakeNotifyShell::unregisterWindow(WindowHandle window) {
    m_windows.erase(window);
}

ScreenPoint FakeNotifyShell::cursorPos() const {
    ++m_cursorReads;
    return m_cursor;
}

std::uint32_t FakeNotifyShell::registerWindowMessage(const std::string& name) {
    // Registered messages live above the fixed ones, from 0xC000 on.
    const auto [it, added] =
        m_messages.emplace(name, 0xC000 + static_cast<std::uint32_t>(m_messages.size()));
    return it->second;
}

InstanceClaim FakeNotifyShell::createInstanceGuard(const std::string& name) {
    const bool exists = std::any_of(m_guards.begin(), m_guards.end(),
                                    [&](const auto& guard) { return guard.second == name; });
    const GuardHandle handle = m_nextGuard++;
    m_guards.emplace(handle, name);
    return {handle, exists};
}

void FakeNotifyShell::closeInstanceGuard(GuardHandle guard) {
    m_guards.erase(guard);
}

void FakeNotifyShell::broadcastMessage(std::uint32_t message) {
    m_broadcasts.push_back(message);
    // Copied: a window procedure may register or unregister windows.
    const auto windows = m_windows;
    for (const auto& [window, proc] : windows) {
        proc(message, 0, 0);
    }
}

bool FakeNotifyShell::mouse(WindowHandle window, std::uint32_t id, std::uint32_t mouseMessage) {
    const auto icon = m_icons.find({window, id});
    if (icon == m_icons.end() || (icon->second.uFlags & NIF_MESSAGE) == 0) {
        return false;
    }
    const auto proc = m_windows.find(window);
    if (proc == m_windows.end()) {
        return false;
    }
    const WindowProc target = proc->second;
    target(icon->second.uCallbackMessage, id, static_cast<std::intptr_t>(mouseMessage));
    return true;
}

bool FakeNotifyShell::mouse(std::uint32_t mouseMessage) {
    if (m_icons.size() != 1) {
        return false;
    }
    const auto& [key, data] = *m_icons.begin();
    return mouse(key.first, key.second, mouseMessage);
}

std::vector<FakeNotifyShell::Call> FakeNotifyShell::calls(NotifyMessage message) const {
    std::vector<Call> found;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(found),
                 [&](const Call& call) { return call.message == message; });
    return found;
}

} // namespace korv::platform
