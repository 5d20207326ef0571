#include "ui/quit_signal_watcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The self-pipe: the handler only writes a byte, the event loop does the rest.
int s_pipe[2] = {-1, -1};

void onSignal(int signalNumber)
{
    const unsigned char sig = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t n = ::write(s_pipe[1], &sig, 1);
}

const int QuitSignals[] = {SIGINT, SIGTERM};

} // namespace

QuitSignalWatcher::QuitSignalWatcher(QObject* parent) : QObject(parent)
{
    if (s_pipe[0] >= 0 || ::pipe(s_pipe) != 0)
        return;
    for (int fd : s_pipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    auto* notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char sig = 0;
        while (::read(s_pipe[0], &sig, 1) == 1)
            emit quitRequested(sig);
    });
    struct sigaction sa = {};
    sa.sa_handler = &onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : QuitSignals)
        ::sigaction(s, &sa, nullptr);
}

QuitSignalWatcher::~QuitSignalWatcher()
{
    struct sigaction sa = {};
    sa.sa_handler = SIG_DFL;
    for (int s : QuitSignals)
        ::sigaction(s, &sa, nullptr);
    for (int& fd : s_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}
