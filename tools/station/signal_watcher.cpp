#include "signal_watcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

int SignalWatcher::s_pipe[2] = {-1, -1};

SignalWatcher::SignalWatcher(QObject* parent) : QObject(parent)
{
    if (::pipe(s_pipe) != 0)
        return;
    for (int fd : s_pipe) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char sig = 0;
        while (::read(s_pipe[0], &sig, 1) == 1)
            emit terminationRequested(sig);
    });
    struct sigaction sa = {};
    sa.sa_handler = &SignalWatcher::handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaction(s, &sa, nullptr);
}

SignalWatcher::~SignalWatcher()
{
    struct sigaction sa = {};
    sa.sa_handler = SIG_DFL;
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaction(s, &sa, nullptr);
    for (int& fd : s_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void SignalWatcher::handler(int signalNumber)
{
    const unsigned char sig = static_cast<unsigned char>(signalNumber);
    // Only async-signal-safe calls here.
    [[maybe_unused]] const ssize_t n = ::write(s_pipe[1], &sig, 1);
}
