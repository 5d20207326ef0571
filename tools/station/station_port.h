#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The station's end of the line: a pseudo-terminal or a real serial port.
class StationPort : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The path the program opens: the pty's slave or the serial device.
    virtual QString path() const = 0;
    // Writes every byte and waits until they have left, so a rate switch after it cannot
    // garble them. False on a write error (errorString() says why).
    virtual bool write(const QByteArray& bytes) = 0;
    virtual bool setBaudRate(int baud) = 0;
    virtual QString errorString() const = 0;

signals:
    void bytesReceived(const QByteArray& bytes);
    // The port cannot go on (device gone); the station ends.
    void failed(const QString& error);
};
