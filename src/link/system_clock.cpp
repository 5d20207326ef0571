#include "link/clock.h"

#include <QElapsedTimer>

uint32_t SystemClock::now() const
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<uint32_t>(timer.elapsed());
}

SystemClock& SystemClock::instance()
{
    static SystemClock clock;
    return clock;
}
