#include "console_reader.h"

#include <QSocketNotifier>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

ConsoleReader::ConsoleReader(QObject* parent) : QObject(parent)
{
    struct stat st;
    // Nothing to listen to on a closed descriptor or a plain file; /dev/null ends at once.
    if (fstat(STDIN_FILENO, &st) != 0 || S_ISREG(st.st_mode))
        return;
    m_notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ConsoleReader::readInput);
}

void ConsoleReader::readInput()
{
    // One read per wake-up: the descriptor stays blocking, because a terminal's flags are
    // shared with the shell that started us.
    char buf[512];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n > 0) {
        m_pending.append(buf, static_cast<int>(n));
    } else if (n == 0 || errno != EINTR) {
        m_notifier->setEnabled(false);
        if (!m_pending.isEmpty())
            m_pending.append('\n'); // a last line without its newline still counts
    }
    int nl;
    while ((nl = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(nl);
        m_pending.remove(0, nl + 1);
        emit lineReceived(QString::fromUtf8(line).trimmed());
    }
}
