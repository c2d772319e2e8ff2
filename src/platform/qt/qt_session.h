// The end of the session under the program: SIGTERM, SIGHUP and SIGINT,
// the session manager's "die" and a lost X connection each end the program
// through its own shutdown, whose first act is the save.
#pragma once

#include <QObject>
#include <csignal>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform::qt {

class SessionWatch : public QObject {
  public:
    // endSession runs at most once. displayGone: the X connection is lost,
    // nothing can be shown any more and the process is already exiting.
    explicit SessionWatch(std::function<void(bool displayGone)> endSession);
    ~SessionWatch() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void signalArrived();
    void end(bool displayGone);
    static void processExiting();

    std::function<void(bool)> endSession_;
    int pipe_[2] = {-1, -1};
    struct sigaction previousActions_[3] = {};  // SIGTERM, SIGHUP, SIGINT
    std::unique_ptr<QSocketNotifier> notifier_;
    bool ended_ = false;
};

}  // namespace platform::qt
