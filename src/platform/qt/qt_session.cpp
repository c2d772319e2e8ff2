// Signals reach the event loop through a pipe: the handler only writes one
// byte (all that is safe there), a socket notifier on the other end runs the
// shutdown as an ordinary event. A second signal of the same kind gets the
// default action, so a user who insists still ends the program at once.
//
// A lost X connection makes Qt call exit(); the program's windows are gone
// then, but its entries are not: a handler of that exit saves them.
#include "platform/qt/qt_session.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <iterator>

#include "forms/form.h"
#include "forms/runtime.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_platform.h"

namespace platform::qt {

namespace {

// A signal handler and an exit handler get no context: the one watch that
// runs, and the pipe's write end, are the only state they may reach.
SessionWatch* activeWatch = nullptr;
volatile std::sig_atomic_t signalPipe = -1;

constexpr int kSessionSignals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void onSessionSignal(int signalNumber) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    if (signalPipe >= 0) (void)!::write(signalPipe, &byte, 1);
    errno = savedErrno;
}

// A signal that was ignored when the program started (nohup ignores SIGHUP)
// stays ignored.
void catchSessionSignals(struct sigaction (&previous)[3]) {
    struct sigaction action {};
    action.sa_handler = onSessionSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < std::size(kSessionSignals); ++i) {
        ::sigaction(kSessionSignals[i], nullptr, &previous[i]);
        if (previous[i].sa_handler != SIG_IGN) ::sigaction(kSessionSignals[i], &action, nullptr);
    }
}

void restoreSessionSignals(const struct sigaction (&previous)[3]) {
    for (std::size_t i = 0; i < std::size(kSessionSignals); ++i) {
        ::sigaction(kSessionSignals[i], &previous[i], nullptr);
    }
}

}  // namespace

SessionWatch::SessionWatch(std::function<void(bool displayGone)> endSession)
    : endSession_(std::move(endSession)) {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) pipe_[0] = pipe_[1] = -1;
    if (pipe_[0] >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, this,
                         [this] { signalArrived(); });
        signalPipe = pipe_[1];
        catchSessionSignals(previousActions_);
    }
    // The session manager's "die" arrives as a request to quit.
    QCoreApplication::instance()->installEventFilter(this);
    static const bool exitHandlerRegistered = std::atexit(processExiting) == 0;
    (void)exitHandlerRegistered;
    activeWatch = this;
}

SessionWatch::~SessionWatch() {
    activeWatch = nullptr;
    if (pipe_[0] < 0) return;
    restoreSessionSignals(previousActions_);
    signalPipe = -1;
    notifier_.reset();
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void SessionWatch::signalArrived() {
    char bytes[16];
    while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    // Queued, so the shutdown runs as an event of its own and not inside
    // the notifier's delivery.
    QMetaObject::invokeMethod(
        this, [this] { end(false); }, Qt::QueuedConnection);
}

bool SessionWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit) return false;
    end(false);
    return true;
}

void SessionWatch::end(bool displayGone) {
    if (ended_) return;
    ended_ = true;
    endSession_(displayGone);
}

// Runs inside exit(): only the exit Qt takes on a lost display reaches it
// while a watch is active (the program's own end never calls exit).
void SessionWatch::processExiting() {
    if (activeWatch) activeWatch->end(true);
}

// The session ends as a close of the start-up form does, as the window
// system's end of a session does on Windows: its unload is the shutdown.
// With the display gone the shutdown still saves first; its first look at
// the screen then ends the process.
void QtPlatform::endSession(bool displayGone) {
    displayGone_ = displayGone_ || displayGone;
    for (QtFormPeer* peer : peers_) {
        const auto& loaded = peer->form().runtime().loadedForms();
        if (loaded.empty()) continue;
        if (loaded.front()->onCloseRequest) loaded.front()->onCloseRequest();
        return;
    }
}

}  // namespace platform::qt
