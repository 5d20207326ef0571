#include "serial_device_port.h"

#include <QSerialPort>

#include <termios.h>

SerialDevicePort::SerialDevicePort(const QString& device, QObject* parent)
    : StationPort(parent), m_device(device), m_port(new QSerialPort(this))
{
    m_port->setPortName(device);
    connect(m_port, &QSerialPort::readyRead, this, [this] { emit bytesReceived(m_port->readAll()); });
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError)
            emit failed(m_port->errorString());
    });
}

bool SerialDevicePort::open(int baud, QString* error)
{
    m_port->setBaudRate(baud);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("%1: %2").arg(m_device, m_port->errorString());
        return false;
    }
    m_port->setDataTerminalReady(false);
    m_port->setRequestToSend(false);
    return true;
}

bool SerialDevicePort::write(const QByteArray& bytes)
{
    if (m_port->write(bytes) != bytes.size())
        return false;
    if (!m_port->waitForBytesWritten(1000))
        return false;
    // Until the last bit is on the line: a rate switch right after must not cut it short.
    tcdrain(static_cast<int>(m_port->handle()));
    return true;
}

bool SerialDevicePort::setBaudRate(int baud)
{
    return m_port->setBaudRate(baud);
}

QString SerialDevicePort::errorString() const
{
    return m_port->errorString();
}
