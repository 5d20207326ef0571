#pragma once

#include "station_port.h"

class QSerialPort;

// A real serial port, 8 data bits, no parity, 1 stop bit, no flow control.
class SerialDevicePort : public StationPort
{
    Q_OBJECT
public:
    explicit SerialDevicePort(const QString& device, QObject* parent = nullptr);

    bool open(int baud, QString* error);

    QString path() const override { return m_device; }
    bool write(const QByteArray& bytes) override;
    bool setBaudRate(int baud) override;
    QString errorString() const override;

private:
    QString m_device;
    QSerialPort* m_port;
};
