// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <initializer_list>

namespace korv::platform {

/// Sends keys one at a time, each once the one before was taken: sent at once, they can reach
/// the compositor out of order (a release before its press), and keys stick. Whoever queued a
/// burst hears when its last key was taken, and may queue more or drop the rest from there.
class KeyQueue final {
public:
    struct Key {
        int sym; // a key symbol, as X11 names them
        bool press;
    };
    /// Sends one key on its way; calls taken once the receiver has it, at once or later.
    using Sender = std::function<void(Key key, std::function<void()> taken)>;

    explicit KeyQueue(Sender sender);

    /// Queues keys after those under way; sent hears when the last of them was taken.
    void send(std::initializer_list<Key> keys, std::function<void()> sent = {});

    /// Sends nothing more that was queued, and tells nobody.
    void drop();

private:
    void sendNext();

    Sender m_sender;
    std::deque<Key> m_keys; // to send; a symbol of 0 marks the end of a burst
    std::deque<std::function<void()>> m_sent;
    bool m_underWay = false; // a key was sent and not yet taken
};

} // namespace korv::platform
