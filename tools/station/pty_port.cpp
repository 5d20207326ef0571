#include "pty_port.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

// No byte may be translated, echoed or held back in either direction.
bool makeRaw(int fd)
{
    termios t;
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

} // namespace

PtyPort::PtyPort(QObject* parent) : StationPort(parent) {}

PtyPort::~PtyPort()
{
    delete m_notifier;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyPort::open(QString* error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        *error = systemError("cannot open a pseudo-terminal");
        return false;
    }
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        *error = systemError("cannot unlock the pseudo-terminal");
        return false;
    }
    const char* name = ptsname(m_master);
    if (!name) {
        *error = systemError("cannot name the pseudo-terminal");
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        *error = systemError("cannot open the pseudo-terminal's slave");
        return false;
    }
    if (!makeRaw(m_slave) || !makeRaw(m_master)) {
        *error = systemError("cannot set the pseudo-terminal to raw mode");
        return false;
    }
    const int flags = fcntl(m_master, F_GETFL);
    fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);

    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyPort::readMaster);
    return true;
}

void PtyPort::readMaster()
{
    char buf[1024];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            emit bytesReceived(QByteArray(buf, static_cast<int>(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // EOF or EIO: cannot happen while our own slave descriptor is open.
        m_error = n == 0 ? QStringLiteral("pseudo-terminal closed") : systemError("reading the pseudo-terminal");
        m_notifier->setEnabled(false);
        emit failed(m_error);
        return;
    }
}

bool PtyPort::write(const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_master, p, static_cast<size_t>(left));
        if (n > 0) {
            p += n;
            left -= n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Nobody reads the slave and its queue is full; wait a little, then give up.
            pollfd pfd{m_master, POLLOUT, 0};
            if (::poll(&pfd, 1, 200) > 0)
                continue;
            m_error = QStringLiteral("pseudo-terminal full: nobody reads %1").arg(m_slavePath);
            return false;
        }
        m_error = systemError("writing the pseudo-terminal");
        return false;
    }
    return true;
}
