#pragma once

#include "station_port.h"

class QSocketNotifier;

// A pseudo-terminal pair. The station reads and writes the master; the program opens the
// slave. The station holds a descriptor of the slave too, so the pair survives the program
// closing and reopening its port (without it the master would see a hang-up).
class PtyPort : public StationPort
{
    Q_OBJECT
public:
    explicit PtyPort(QObject* parent = nullptr);
    ~PtyPort() override;

    bool open(QString* error);

    QString path() const override { return m_slavePath; }
    bool write(const QByteArray& bytes) override;
    // A pseudo-terminal has no line rate; the program's setting is accepted as it is.
    bool setBaudRate(int) override { return true; }
    QString errorString() const override { return m_error; }

private:
    void readMaster();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_error;
    QSocketNotifier* m_notifier = nullptr;
};
