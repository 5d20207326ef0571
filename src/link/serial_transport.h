#pragma once

#include <QObject>
#include <QSerialPort>

#include "link/port_transport.h"

// The port name "COMn" as a device: on Windows the name itself; elsewhere the [Ports]
// COMn= entry of the settings file when there is one (portsEntry, looked up by the
// caller), else /dev/ttyS<n-1>.
QString serialDeviceName(const QString& comName, const QString& portsEntry = QString());

// What to tell the operator when the port of `device` failed and closed: the platform's text
// for a device that is no longer there when its node has gone (the text the port reports
// after a read that found the end of the line is an older, unrelated one), else `reported`.
QString lostDeviceError(const QString& device, const QString& reported);

// The serial port of the program: 8N1, no flow control, DTR and RTS off, a 1024-byte read
// buffer. Received bytes go to the receive handler in events of at most 1024 bytes, never
// from inside a write. A device that goes away (or fails to be read) is reported once and
// the port is closed.
class SerialTransport : public QObject, public PortTransport
{
    Q_OBJECT
public:
    static constexpr int BufferSize = 1024;
    static constexpr int WriteTimeoutMs = 2000;

    explicit SerialTransport(QObject* parent = nullptr);
    ~SerialTransport() override;

    bool open(const QString& deviceName, int baudRate) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    bool write(const QByteArray& bytes) override;
    QString errorString() const override;

    const QSerialPort& port() const { return m_port; }

private:
    void onReadyRead();
    void drain();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_deviceName;
    QString m_lastError;
    bool m_writing = false;
    bool m_delivering = false;
    bool m_drainQueued = false;
    bool m_lostReported = false;
};
