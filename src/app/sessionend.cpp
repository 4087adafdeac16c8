// SPDX-License-Identifier: GPL-3.0-or-later
#include "sessionend.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace korv {
namespace {

constexpr std::array kEndSignals = {SIGTERM, SIGINT, SIGHUP};

// The handler may only do what is safe in a signal handler: one write to a pipe that the event
// loop watches. Both ends stay open for the life of the process.
int g_wakeFds[2] = {-1, -1};

extern "C" void onEndSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_wakeFds[1], &byte, 1);
    errno = saved;
}

} // namespace

SessionEnd::SessionEnd() {
    // A write that would pass the limit now fails with EFBIG, and the settings code checks it.
    ::signal(SIGXFSZ, SIG_IGN);
    if (g_wakeFds[0] < 0 && ::pipe2(g_wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(g_wakeFds[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
        char buffer[64];
        while (::read(g_wakeFds[0], buffer, sizeof buffer) > 0) {
        }
        requested();
    });
    for (const int signal : kEndSignals) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        // Whoever started us ignoring one (nohup) meant it.
        if (current.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = onEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signal, &action, nullptr);
    }
    // The session manager's end arrives as a quit; so may others that never close the window.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            [this] { requested(); });
}

SessionEnd::~SessionEnd() {
    for (const int signal : kEndSignals) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        if (current.sa_handler == onEndSignal) {
            ::signal(signal, SIG_DFL);
        }
    }
}

void SessionEnd::setHandler(std::function<void()> handler) {
    m_handler = std::move(handler);
    if (m_pending) {
        m_pending = false;
        // Only the main loop can be ended for good: one ended before it starts would run on.
        QTimer::singleShot(0, this, [this] { requested(); });
    }
}

void SessionEnd::requested() {
    if (m_handler) {
        m_handler();
    } else {
        m_pending = true;
    }
    // Every event loop ends, the modal ones of an open message box or the About window with the
    // main one, and no new one starts: no box waits for a user who may be gone.
    QCoreApplication::exit(0);
}

} // namespace korv
