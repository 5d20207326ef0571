#pragma once

#include <QObject>

// Turns SIGINT and SIGTERM into a Qt signal on the event loop, so an interrupted program
// closes its main window as "Exit" does and the normal shutdown follows.
// One implementation per platform (quit_signal_watcher_*.cpp).
class QuitSignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit QuitSignalWatcher(QObject* parent = nullptr);
    ~QuitSignalWatcher() override;

signals:
    void quitRequested(int signalNumber);
};
