#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the event loop, so the station
// ends through its normal clean-up (the --link symbolic link is removed).
class SignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

signals:
    void terminationRequested(int signalNumber);

private:
    static void handler(int signalNumber);
    static int s_pipe[2];
    QSocketNotifier* m_notifier = nullptr;
};
