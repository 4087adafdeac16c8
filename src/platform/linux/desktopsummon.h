// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "summon.h"

namespace korv::platform {

/// Summons over the session bus: the running copy owns the application id as its bus name and
/// answers org.freedesktop.Application's Activate (show) and ActivateAction "toggle" or "show";
/// copies started later queue for the name and take it over when that copy ends.
class DesktopSummonChannel final : public SummonChannel {
public:
    DesktopSummonChannel();
    ~DesktopSummonChannel() override;
    bool listen(Handler handler) override;
    SummonResult send(SummonRequest request) override;

private:
    class Listener;
    std::unique_ptr<Listener> m_listener;
};

} // namespace korv::platform
