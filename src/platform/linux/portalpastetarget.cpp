// SPDX-License-Identifier: GPL-3.0-or-later
#include "portalpastetarget.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QString>
#include <QTimer>
#include <QVariantMap>

#include <initializer_list>
#include <utility>

#include "desktopbus.h"
#include "keyqueue.h"

namespace korv::platform {
namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRemoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");

// Key symbols, as X11 names them.
constexpr int kControlL = 0xffe3;
constexpr int kAltL = 0xffe9;
constexpr int kTab = 0xff09;
constexpr int kLatinV = 0x0076;

constexpr unsigned kKeyboard = 1; // the portal's device type
constexpr unsigned kPersistUntilRevoked = 2;

// How often a wait looks at the keyboard again.
constexpr std::chrono::milliseconds kPollInterval{10};

using Key = KeyQueue::Key;

// The first event after the session starts, or after another device's, may be lost: a tap of Ctrl
// goes first, which does nothing alone. Not Shift: a lost release would turn Alt+Tab around,
// towards another window, where a Ctrl held would only keep the switch from happening.
constexpr Key kWarmUpPress{kControlL, true};
constexpr Key kWarmUpRelease{kControlL, false};

} // namespace

/// One remote desktop session with the keyboard: requested step by step, each step answered by
/// the portal through a Request object's Response signal.
class PortalSession final : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Started, Refused, Unavailable, Closed };

    PortalSession(std::string kept, std::function<void(Outcome)> ended)
        : m_kept(std::move(kept))
        , m_ended(std::move(ended)) {}

    ~PortalSession() override {
        dropRequest();
        if (!m_handle.isEmpty()) {
            m_bus.disconnect(kPortal, m_handle, kSession, QStringLiteral("Closed"), this,
                             SLOT(closed()));
            m_bus.send(QDBusMessage::createMethodCall(kPortal, m_handle, kSession,
                                                      QStringLiteral("Close")));
        }
    }
    PortalSession(const PortalSession&) = delete;
    PortalSession& operator=(const PortalSession&) = delete;

    /// Asks the portal, without waiting for any answer here.
    void start() {
        if (!sessionBusExists() || !m_bus.isConnected()) {
            end(Outcome::Unavailable);
            return;
        }
        // Only a portal that has the remote desktop answers with its version.
        QDBusMessage get = QDBusMessage::createMethodCall(
            kPortal, kPortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        get << kRemoteDesktop << QStringLiteral("version");
        watch(m_bus.asyncCall(get), [this](const QDBusMessage& reply) {
            m_version = qvariant_cast<QDBusVariant>(reply.arguments().value(0)).variant().toUInt();
            m_step = Step::CreateSession;
            request(QStringLiteral("CreateSession"), {},
                    {{QStringLiteral("session_handle_token"), QStringLiteral("korvani")}});
        });
    }

    /// Sends keys through the compositor, one at a time; sent hears when the last was taken.
    void send(std::initializer_list<Key> keys, std::function<void()> sent = {}) {
        m_keys.send(keys, std::move(sent));
    }

    /// Sends nothing more, and tells nobody.
    void drop() { m_keys.drop(); }

    /// The permission the portal let keep, once started.
    const std::string& token() const { return m_token; }

public Q_SLOTS:
    void response(uint code, const QVariantMap& results) {
        dropRequest();
        if (code == 1) {
            end(Outcome::Refused);
            return;
        }
        if (code != 0) {
            end(Outcome::Unavailable);
            return;
        }
        switch (m_step) {
        case Step::CreateSession: {
            const QVariant handle = results.value(QStringLiteral("session_handle"));
            m_handle = handle.canConvert<QDBusObjectPath>()
                           ? qvariant_cast<QDBusObjectPath>(handle).path()
                           : handle.toString();
            if (m_handle.isEmpty()) {
                end(Outcome::Unavailable);
                return;
            }
            m_bus.connect(kPortal, m_handle, kSession, QStringLiteral("Closed"), this,
                          SLOT(closed()));
            QVariantMap options{{QStringLiteral("types"), kKeyboard}};
            if (m_version >= 2) {
                options.insert(QStringLiteral("persist_mode"), kPersistUntilRevoked);
                if (!m_kept.empty()) {
                    options.insert(QStringLiteral("restore_token"), QString::fromStdString(m_kept));
                }
            }
            m_step = Step::SelectDevices;
            request(QStringLiteral("SelectDevices"),
                    {QVariant::fromValue(QDBusObjectPath(m_handle))}, options);
            return;
        }
        case Step::SelectDevices:
            m_step = Step::Start;
            // No parent window: the program's may be an X11 one, which the portal cannot name.
            request(QStringLiteral("Start"),
                    {QVariant::fromValue(QDBusObjectPath(m_handle)), QString()}, {});
            return;
        case Step::Start:
            m_token = results.value(QStringLiteral("restore_token")).toString().toStdString();
            end((results.value(QStringLiteral("devices")).toUInt() & kKeyboard) != 0
                    ? Outcome::Started
                    : Outcome::Unavailable);
            return;
        case Step::Version:
            return;
        }
    }

    void closed() { end(Outcome::Closed); }

private:
    void sendKey(Key key, std::function<void()> taken) {
        QDBusMessage notify = QDBusMessage::createMethodCall(
            kPortal, kPortalPath, kRemoteDesktop, QStringLiteral("NotifyKeyboardKeysym"));
        notify << QVariant::fromValue(QDBusObjectPath(m_handle)) << QVariantMap() << key.sym
               << static_cast<unsigned>(key.press ? 1 : 0);
        auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(notify), this);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, this,
                         [taken = std::move(taken)](QDBusPendingCallWatcher* finished) {
                             finished->deleteLater();
                             // A key the portal refused is gone either way: the next goes on.
                             taken();
                         });
    }

    enum class Step { Version, CreateSession, SelectDevices, Start };

    template <typename OnReply> void watch(const QDBusPendingCall& call, OnReply onReply) {
        auto* watcher = new QDBusPendingCallWatcher(call, this);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, this,
                         [this, onReply](QDBusPendingCallWatcher* finished) {
                             finished->deleteLater();
                             const QDBusMessage reply = finished->reply();
                             if (reply.type() != QDBusMessage::ReplyMessage) {
                                 end(Outcome::Unavailable);
                                 return;
                             }
                             onReply(reply);
                         });
    }

    // Calls method with args and the options, and hears its answer on the request object that
    // the handle token names, listened to before the call so that no answer can slip past.
    void request(const QString& method, QVariantList args, QVariantMap options) {
        const QString token = QStringLiteral("korvani%1").arg(++m_requests);
        QString sender = m_bus.baseService().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        m_requestPath =
            kPortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
        m_bus.connect(kPortal, m_requestPath, kRequest, QStringLiteral("Response"), this,
                      SLOT(response(uint, QVariantMap)));
        options.insert(QStringLiteral("handle_token"), token);
        QDBusMessage call =
            QDBusMessage::createMethodCall(kPortal, kPortalPath, kRemoteDesktop, method);
        args.append(options);
        call.setArguments(args);
        // The user may take their time over the dialog; the call itself answers at once.
        watch(m_bus.asyncCall(call), [](const QDBusMessage&) {});
    }

    void dropRequest() {
        if (!m_requestPath.isEmpty()) {
            m_bus.disconnect(kPortal, m_requestPath, kRequest, QStringLiteral("Response"), this,
                             SLOT(response(uint, QVariantMap)));
            m_requestPath.clear();
        }
    }

    // Told once that the session started, and once that it is over; the owner may drop the
    // session from within.
    void end(Outcome outcome) {
        dropRequest();
        if (m_over || (outcome == Outcome::Started && m_started)) {
            return;
        }
        m_started = true;
        m_over = outcome != Outcome::Started;
        m_ended(outcome);
    }

    QDBusConnection m_bus = QDBusConnection::sessionBus();
    std::string m_kept;
    std::function<void(Outcome)> m_ended;
    bool m_started = false;
    bool m_over = false;
    Step m_step = Step::Version;
    unsigned m_version = 0;
    int m_requests = 0;
    QString m_requestPath;
    QString m_handle;
    std::string m_token;
    KeyQueue m_keys{
        [this](Key key, std::function<void()> taken) { sendKey(key, std::move(taken)); }};
};

PortalPasteTarget::PortalPasteTarget(FocusProbe focus)
    : m_focus(std::move(focus)) {}

PortalPasteTarget::~PortalPasteTarget() = default;

void PortalPasteTarget::pasteIntoPreviousWindow(std::uintptr_t own, Done done) {
    switch (m_state) {
    case State::Refused:
        done(PasteResult::Refused);
        return;
    case State::Unavailable:
        done(PasteResult::Unavailable);
        return;
    case State::Asking:
        // One paste waits for the answer, of what is on the clipboard by then; every click
        // meanwhile hears what became of it.
        if (!m_queue.empty()) {
            Done earlier = std::move(m_queue.back().done);
            m_queue.back() = {own, [earlier, done](PasteResult result) {
                                  earlier(result);
                                  done(result);
                              }};
            return;
        }
        m_queue.push_back({own, std::move(done)});
        return;
    case State::Unasked:
        m_queue.push_back({own, std::move(done)});
        m_state = State::Asking;
        m_session = std::make_unique<PortalSession>(m_kept, [this](PortalSession::Outcome outcome) {
            switch (outcome) {
            case PortalSession::Outcome::Started:
                ended(State::Ready);
                return;
            case PortalSession::Outcome::Refused:
            case PortalSession::Outcome::Closed: // the user stopped it: as good as a refusal
                ended(State::Refused);
                return;
            case PortalSession::Outcome::Unavailable:
                ended(State::Unavailable);
                return;
            }
        });
        m_session->start();
        return;
    case State::Ready:
        m_queue.push_back({own, std::move(done)});
        runNext();
        return;
    }
}

void PortalPasteTarget::ended(State state) {
    m_state = state;
    if (state == State::Ready) {
        const std::string& token = m_session->token();
        if (!token.empty()) {
            m_kept = token;
        }
        m_session->send({kWarmUpPress, kWarmUpRelease});
        after(kWarmUp, [this] { runNext(); });
        return;
    }
    // Dropped once its signal has been handled, with the waits and keys of a paste under way.
    m_session->drop();
    // Owned by the target until then, should the program end first.
    m_session->setParent(&m_timers);
    m_session.release()->deleteLater();
    qDeleteAll(m_timers.findChildren<QTimer*>(Qt::FindDirectChildrenOnly));
    m_pasting = false;
    const PasteResult result =
        state == State::Refused ? PasteResult::Refused : PasteResult::Unavailable;
    auto queue = std::move(m_queue);
    m_queue.clear();
    for (const Paste& paste : queue) {
        paste.done(result);
    }
}

void PortalPasteTarget::askAgain() {
    if (m_state == State::Refused || m_state == State::Unavailable) {
        m_state = State::Unasked;
    }
}

void PortalPasteTarget::restorePermission(const std::string& kept) {
    m_kept = kept;
}

std::string PortalPasteTarget::permissionToKeep() const {
    return m_kept;
}

void PortalPasteTarget::waitFor(std::chrono::milliseconds timeout, std::function<bool()> met,
                                std::function<void(bool)> then) {
    if (met()) {
        then(true);
        return;
    }
    auto* timer = new QTimer(&m_timers);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, met, then] {
        const bool now = met();
        if (now || std::chrono::steady_clock::now() >= deadline) {
            timer->deleteLater();
            timer->stop();
            then(now);
        }
    });
    timer->start(kPollInterval);
}

void PortalPasteTarget::after(std::chrono::milliseconds delay, std::function<void()> then) {
    auto* timer = new QTimer(&m_timers);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, then] {
        timer->deleteLater();
        then();
    });
    timer->start(delay);
}

void PortalPasteTarget::runNext() {
    if (m_pasting || m_queue.empty() || m_state != State::Ready) {
        return;
    }
    m_pasting = true;
    const std::uintptr_t own = m_queue.front().own;
    // Alt+Tab goes to the window used before only from our own window: after the permission
    // dialog the keyboard must have come back to it.
    waitFor(
        kFocusBackTimeout, [this, own] { return m_focus(own) == KeyboardFocus::Own; },
        [this, own](bool back) {
            if (!back) {
                finish(PasteResult::NotSwitched);
                return;
            }
            switchAndPaste(own, kSwitchTries);
        });
}

void PortalPasteTarget::switchAndPaste(std::uintptr_t own, int tries) {
    // mutter may drop the first event of a device after another device's: the user's own
    // keyboard has typed since the last paste.
    m_session->send({kWarmUpPress, kWarmUpRelease});
    after(kDeviceSwitch, [this, own, tries] { switchFrom(own, tries); });
}

void PortalPasteTarget::switchFrom(std::uintptr_t own, int tries) {
    const auto away = [this, own] { return m_focus(own) == KeyboardFocus::Elsewhere; };
    m_session->send({{kAltL, true}, {kTab, true}, {kTab, false}, {kAltL, false}}, [=, this] {
        waitFor(kSwitchTimeout, away, [=, this](bool left) {
            if (!left) {
                // Lost on its way (KWin, at times, right after another device's keys): from our
                // own window still, once more.
                if (tries > 1 && m_focus(own) == KeyboardFocus::Own) {
                    switchAndPaste(own, tries - 1);
                } else {
                    finish(PasteResult::NotSwitched);
                }
                return;
            }
            // A switcher with nowhere else to go may take the keyboard and give it back only
            // with the next key (KWin's): Ctrl alone, harmless, must not bring it back either.
            m_session->send({{kControlL, true}}, [this, away] {
                waitFor(
                    kSettle, [away] { return !away(); },
                    [this](bool cameBack) {
                        if (cameBack) {
                            m_session->send({{kControlL, false}},
                                            [this] { finish(PasteResult::NotSwitched); });
                            return;
                        }
                        m_session->send({{kLatinV, true}, {kLatinV, false}, {kControlL, false}},
                                        [this] { finish(PasteResult::Pasted); });
                    });
            });
        });
    });
}

void PortalPasteTarget::finish(PasteResult result) {
    Paste paste = std::move(m_queue.front());
    m_queue.pop_front();
    m_pasting = false;
    paste.done(result);
    runNext();
}

} // namespace korv::platform

#include "portalpastetarget.moc"
