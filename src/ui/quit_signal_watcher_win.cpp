#include "ui/quit_signal_watcher.h"

// A windowed program on Windows is ended through its window, which already closes as
// "Exit" does; there is nothing to watch.
QuitSignalWatcher::QuitSignalWatcher(QObject* parent) : QObject(parent) {}

QuitSignalWatcher::~QuitSignalWatcher() = default;
