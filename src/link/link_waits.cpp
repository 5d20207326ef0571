#include "link/link_waits.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

void EventLoopWaits::blockingWait(int ms)
{
    QThread::msleep(static_cast<unsigned long>(ms));
}

void EventLoopWaits::processPendingMessages()
{
    QCoreApplication::processEvents();
}

void EventLoopWaits::processMessagesThenWait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

EventLoopWaits& EventLoopWaits::instance()
{
    static EventLoopWaits waits;
    return waits;
}
