// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "keyinjector.h"

namespace korv::platform {

/// Records the events it is asked to send; the layout types V unless a test says otherwise.
class FakeKeyInjector final : public KeyInjector {
public:
    std::int16_t vkKeyScanA(char ch) override {
        ++m_scanCalls;
        return ch == 'V' && m_layoutHasV ? std::int16_t{0x0156} : std::int16_t{-1};
    }
    bool sendAutoPaste(const std::array<KeyEvent, 8>& events, WindowHandle own) override {
        m_sent.insert(m_sent.end(), events.begin(), events.end());
        m_ownWindows.push_back(own);
        return m_pastes;
    }

    bool m_layoutHasV = true;
    bool m_pastes = true; // what sendAutoPaste reports
    int m_scanCalls = 0;
    std::vector<KeyEvent> m_sent;
    std::vector<WindowHandle> m_ownWindows;
};

} // namespace korv::platform
