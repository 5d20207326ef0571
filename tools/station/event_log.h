#pragma once

#include <cstdio>

#include <QString>

// The station's log on standard output, one line per event, flushed at once so a test
// reading the pipe sees each line as it happens.
class EventLog
{
public:
    explicit EventLog(std::FILE* out = stdout) : m_out(out) {}
    void line(const QString& text);

private:
    std::FILE* m_out;
};
