#include "event_log.h"

void EventLog::line(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), m_out);
    std::fputc('\n', m_out);
    std::fflush(m_out);
}
