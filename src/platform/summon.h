// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace korv::platform {

/// What a later start of the program asks of the running copy.
enum class SummonRequest {
    Show,   // to the front, with the focus in the composition line
    Toggle, // the same, or to the notification area when it is in front with the focus already
};

/// How a summon went for the start that sent it.
enum class SummonResult {
    Delivered,   // the running copy has it
    NoneRunning, // no copy listens: this start becomes the running copy
    NoChannel,   // there is no way to reach another copy (no session bus)
    Failed,      // a copy listens but did not answer
};

/// The line between starts of the program: the running copy listens, a later start sends.
class SummonChannel {
public:
    using Handler = std::function<void(SummonRequest)>;
    virtual ~SummonChannel() = default;
    /// Hears the requests of later starts from now on; false when there is nothing to listen on.
    virtual bool listen(Handler handler) = 0;
    /// Hands request to the copy that listens.
    virtual SummonResult send(SummonRequest request) = 0;
};

} // namespace korv::platform
