#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// Lines typed (or piped) on standard input, one signal per line. At the end of input it
// simply stops listening: a station started in the background keeps running.
class ConsoleReader : public QObject
{
    Q_OBJECT
public:
    explicit ConsoleReader(QObject* parent = nullptr);

signals:
    void lineReceived(const QString& line);

private:
    void readInput();

    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_pending;
};
