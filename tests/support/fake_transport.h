#pragma once

#include <QByteArray>
#include <QList>

#include "link/transport.h"

// Records every write; can be closed or made to fail.
class FakeTransport : public Transport
{
public:
    bool isOpen() const override { return open; }
    bool write(const QByteArray& bytes) override
    {
        if (failWrites)
            return false;
        writes.append(bytes);
        return true;
    }
    QString errorString() const override { return QStringLiteral("Write failed"); }

    QList<QByteArray> writes;
    bool open = true;
    bool failWrites = false;
};
