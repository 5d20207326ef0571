#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

#include "link/transport.h"

// A transport that can be opened and closed and that delivers what it receives: the serial
// adapter in the program, a fake in tests.
class PortTransport : public Transport
{
public:
    // One receive event; never more than 1024 bytes.
    using ReceiveHandler = std::function<void(const QByteArray& bytes)>;
    // The device went away; the port has been closed already.
    using LostHandler = std::function<void(const QString& error)>;

    // 8 data bits, no parity, 1 stop bit, no flow control. False when the port cannot be
    // opened; errorString() says why.
    virtual bool open(const QString& deviceName, int baudRate) = 0;
    virtual void close() = 0;

    void setReceiveHandler(ReceiveHandler h) { m_onReceive = std::move(h); }
    void setLostHandler(LostHandler h) { m_onLost = std::move(h); }

protected:
    void deliver(const QByteArray& bytes)
    {
        if (m_onReceive)
            m_onReceive(bytes);
    }
    void reportLost(const QString& error)
    {
        if (m_onLost)
            m_onLost(error);
    }

private:
    ReceiveHandler m_onReceive;
    LostHandler m_onLost;
};
