#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "link/port_transport.h"

// A port that records what is written and receives what the test injects.
class FakePort : public PortTransport
{
public:
    bool open(const QString& deviceName, int baudRate) override
    {
        ++openCount;
        lastDevice = deviceName;
        lastBaud = baudRate;
        isOpenNow = !failOpen;
        return isOpenNow;
    }
    void close() override
    {
        ++closeCount;
        isOpenNow = false;
    }
    bool isOpen() const override { return isOpenNow; }
    bool write(const QByteArray& bytes) override
    {
        if (failWrites)
            return false;
        writes.append(bytes);
        return true;
    }
    QString errorString() const override { return QStringLiteral("Write failed"); }

    // One receive event.
    void inject(const QByteArray& bytes) { deliver(bytes); }
    // The device goes away.
    void lose(const QString& error)
    {
        isOpenNow = false;
        reportLost(error);
    }

    QList<QByteArray> writes;
    bool isOpenNow = true;
    bool failOpen = false;
    bool failWrites = false;
    int openCount = 0;
    int closeCount = 0;
    QString lastDevice;
    int lastBaud = 0;
};
