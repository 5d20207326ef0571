#include "shell/instance_channel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

const QByteArray Greeting = QByteArrayLiteral("TAMSEL 1\n");
const QByteArray Answer = QByteArrayLiteral("OK\n");
// A hand-over is a few paths; anything longer is not one of ours.
constexpr int MaxMessage = 1 << 20;

} // namespace

InstanceChannel::InstanceChannel(const QString& programDir, QObject* parent)
    : QObject(parent)
{
    // The account (its home) and the program directory make the name: another operator's
    // Tamsel, or a second program folder, is not this one.
    const QByteArray key = QDir::homePath().toUtf8() + '\n' + QDir::cleanPath(programDir).toUtf8();
    m_name = QStringLiteral("tamsel-")
        + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
    // The account's own runtime folder where there is one: nobody else can put a socket
    // of that name there first.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        m_name = QDir(runtime).filePath(m_name);
}

InstanceChannel::~InstanceChannel() = default;

InstanceChannel::Handed InstanceChannel::handToRunning(const QStringList& files, int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return Handed::NoneRunning;
    QByteArray message = Greeting;
    for (const QString& f : files)
        message += f.toUtf8() + '\n';
    message += '\n';
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs))
        return Handed::NoAnswer;
    QByteArray reply;
    while (!reply.contains('\n') && socket.waitForReadyRead(timeoutMs))
        reply += socket.readAll();
    return reply.startsWith(Answer) ? Handed::Taken : Handed::NoAnswer;
}

bool InstanceChannel::listen()
{
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::onNewConnection);
    }
    if (m_server->listen(m_name))
        return true;
    // What a program that ended without closing it left behind; nobody answers there (the
    // caller asked handToRunning first).
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(m_name);
        if (m_server->listen(m_name))
            return true;
    }
    m_error = m_server->errorString();
    return false;
}

void InstanceChannel::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        m_pending.insert(socket, QByteArray());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
    }
}

void InstanceChannel::onReadyRead(QLocalSocket* socket)
{
    auto it = m_pending.find(socket);
    if (it == m_pending.end())
        return;
    QByteArray& buffer = *it;
    buffer += socket->readAll();
    const bool wrongStart = !Greeting.startsWith(buffer.left(Greeting.size()));
    if (wrongStart || buffer.size() > MaxMessage) {
        m_pending.erase(it);
        socket->abort();
        return;
    }
    if (buffer.size() < Greeting.size() + 1 || !buffer.endsWith('\n'))
        return;
    const QByteArray body = buffer.mid(Greeting.size());
    // Complete once the empty line has come: the body is empty or ends with "\n\n".
    if (body != "\n" && !body.endsWith("\n\n"))
        return;
    QStringList files;
    for (const QByteArray& line : body.split('\n'))
        if (!line.isEmpty())
            files.append(QString::fromUtf8(line));
    m_pending.erase(it);
    socket->write(Answer);
    socket->flush();
    socket->disconnectFromServer();
    emit filesHandedOver(files);
}
