#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// One running Tamsel per operator account and program directory. A later start hands the
// files it was given to the running one and ends, instead of opening a second link to the
// same station. A local socket (a named pipe on Windows) carries the hand-over: it needs
// nothing beyond Qt, is reachable only by the same account and reports through the event
// loop like every other input of the program.
//
// The message is "TAMSEL 1", then one absolute path per line, then an empty line, UTF-8;
// the running program answers "OK" once it has taken the files.
class InstanceChannel : public QObject
{
    Q_OBJECT
public:
    enum class Handed { Taken, NoneRunning, NoAnswer };

    explicit InstanceChannel(const QString& programDir, QObject* parent = nullptr);
    ~InstanceChannel() override;

    QString serverName() const { return m_name; }

    // The later start: gives `files` (absolute paths) to a running program.
    Handed handToRunning(const QStringList& files, int timeoutMs = 3000) const;
    // The running program: takes hand-overs from now on. False with errorString() when the
    // channel cannot be opened; the program then runs on without it.
    bool listen();
    QString errorString() const { return m_error; }

signals:
    // Files handed over by a later start (possibly none: the program was started again).
    void filesHandedOver(const QStringList& files);

private:
    void onNewConnection();
    void onReadyRead(QLocalSocket* socket);

    QString m_name;
    QString m_error;
    QLocalServer* m_server = nullptr;
    QHash<QLocalSocket*, QByteArray> m_pending;
};
