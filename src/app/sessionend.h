// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace korv {

/// Turns the requests to end the program that come from outside its window (SIGTERM, SIGINT,
/// SIGHUP, the session manager's quit) into one call on the user-interface thread. While it
/// lives, a write past the file-size limit fails like any other write instead of killing the
/// program with SIGXFSZ.
class SessionEnd final : public QObject {
public:
    SessionEnd();
    ~SessionEnd() override;
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

    // Called once per request, on the user-interface thread; set once the window exists. A
    // request that came before (while a start-up message was up) reaches it from the main loop.
    void setHandler(std::function<void()> handler);

private:
    void requested();

    std::function<void()> m_handler;
    bool m_pending = false;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace korv
