// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyqueue.h"

#include <utility>

namespace korv::platform {

KeyQueue::KeyQueue(Sender sender)
    : m_sender(std::move(sender)) {}

void KeyQueue::send(std::initializer_list<Key> keys, std::function<void()> sent) {
    m_keys.insert(m_keys.end(), keys);
    if (sent) {
        m_keys.push_back({0, false});
        m_sent.push_back(std::move(sent));
    }
    if (!m_underWay) {
        sendNext();
    }
}

void KeyQueue::drop() {
    m_keys.clear();
    m_sent.clear();
}

void KeyQueue::sendNext() {
    while (!m_keys.empty() && m_keys.front().sym == 0) {
        m_keys.pop_front();
        auto sent = std::move(m_sent.front());
        m_sent.pop_front();
        sent();
        if (m_underWay) {
            // The caller sent keys of its own from there, which are on their way: the next
            // goes once they are taken, not a second time now.
            return;
        }
    }
    if (m_keys.empty()) {
        return;
    }
    const Key key = m_keys.front();
    m_keys.pop_front();
    m_underWay = true;
    m_sender(key, [this] {
        m_underWay = false;
        sendNext();
    });
}

} // namespace korv::platform
