#include "link/serial_transport.h"

SerialTransport::SerialTransport(QObject* parent) : QObject(parent)
{
    m_port.setReadBufferSize(BufferSize);
    connect(&m_port, &QSerialPort::readyRead, this, &SerialTransport::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialTransport::onError);
}

SerialTransport::~SerialTransport()
{
    if (m_port.isOpen())
        m_port.close();
}

bool SerialTransport::open(const QString& deviceName, int baudRate)
{
    if (m_port.isOpen())
        m_port.close();
    m_lastError.clear();
    m_lostReported = false;
    m_deviceName = deviceName;
    m_port.setPortName(deviceName);
    m_port.setBaudRate(baudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_lastError = m_port.errorString();
        return false;
    }
    // Lines a pseudo-terminal or some adapters cannot drive are not worth failing for.
    m_port.setDataTerminalReady(false);
    m_port.setRequestToSend(false);
    m_port.clearError();
    return true;
}

void SerialTransport::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool SerialTransport::write(const QByteArray& bytes)
{
    if (!m_port.isOpen()) {
        m_lastError = m_port.errorString();
        return false;
    }
    // Waiting for the write lets the port read as well; what it reads is delivered after
    // the write, not in the middle of the sender's handler.
    m_writing = true;
    bool ok = m_port.write(bytes) == bytes.size();
    while (ok && m_port.isOpen() && m_port.bytesToWrite() > 0) {
        if (!m_port.waitForBytesWritten(WriteTimeoutMs))
            ok = false;
    }
    m_writing = false;
    if (!ok)
        m_lastError = m_port.errorString();
    if (m_port.isOpen() && m_port.bytesAvailable() > 0 && !m_drainQueued) {
        m_drainQueued = true;
        QMetaObject::invokeMethod(this, &SerialTransport::drain, Qt::QueuedConnection);
    }
    return ok;
}

QString SerialTransport::errorString() const
{
    return m_lastError.isEmpty() ? m_port.errorString() : m_lastError;
}

void SerialTransport::onReadyRead()
{
    if (m_writing || m_delivering)
        return; // picked up by the drain queued after the write or the delivery
    drain();
}

void SerialTransport::drain()
{
    m_drainQueued = false;
    if (m_delivering)
        return;
    m_delivering = true;
    while (m_port.isOpen() && m_port.bytesAvailable() > 0) {
        const QByteArray chunk = m_port.read(BufferSize);
        if (chunk.isEmpty())
            break;
        deliver(chunk);
    }
    m_delivering = false;
}

void SerialTransport::onError(QSerialPort::SerialPortError error)
{
    // A vanished device shows as a resource error, or (a pseudo-terminal whose other end
    // closed) as read errors that repeat for as long as the port stays open; a write may
    // be the first to meet it.
    const QString text = lostDeviceError(m_deviceName, m_port.errorString());
    const bool gone = text != m_port.errorString();
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError
        && !(error == QSerialPort::WriteError && gone))
        return;
    m_lastError = text;
    if (m_port.isOpen())
        m_port.close();
    if (m_lostReported)
        return;
    m_lostReported = true;
    reportLost(text);
}
