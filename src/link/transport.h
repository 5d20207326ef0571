#pragma once

#include <QByteArray>
#include <QString>

// Carries bytes to the station. The serial adapter implements it in the program, a fake in
// unit tests. Received bytes come back through whoever owns the transport (StationLink).
class Transport
{
public:
    virtual ~Transport() = default;
    virtual bool isOpen() const = 0;
    // Writes all bytes and waits until they are out. False when the port reports a failure;
    // errorString() then says why in the platform's words.
    virtual bool write(const QByteArray& bytes) = 0;
    virtual QString errorString() const = 0;
};
