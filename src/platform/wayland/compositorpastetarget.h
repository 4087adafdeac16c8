// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "compositorclient.h"
#include "portalpastetarget.h"

namespace korv::platform {

/// Pastes through what the compositor offers: its own window list and virtual keyboard where it
/// has them (wlroots), else the desktop portal's remote desktop (GNOME, KDE Plasma).
class CompositorPasteTarget final : public PasteTarget {
public:
    CompositorPasteTarget(const CompositorModule& module, const FocusProbe& focus)
        : m_wlroots(module.keys(focus))
        , m_portal(focus) {}

    void pasteIntoPreviousWindow(std::uintptr_t own, Done done) override {
        if (m_wlroots->offered()) {
            m_wlroots->pasteIntoPreviousWindow(own, std::move(done));
        } else {
            m_portal.pasteIntoPreviousWindow(own, std::move(done));
        }
    }
    void askAgain() override { m_portal.askAgain(); }
    void restorePermission(const std::string& kept) override { m_portal.restorePermission(kept); }
    std::string permissionToKeep() const override { return m_portal.permissionToKeep(); }

private:
    std::unique_ptr<CompositorKeys> m_wlroots;
    PortalPasteTarget m_portal;
};

} // namespace korv::platform
