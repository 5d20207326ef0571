#pragma once

#include <QObject>
#include <QStringList>

class TfrmComm;

// Record files named on the command line or handed over by a later start: each opens in a
// record window of its own, as "Open" does. They wait while "Open" is not available: until
// the first show has opened its new record window, and while a recording runs.
class RecordFileHandOver : public QObject
{
    Q_OBJECT
public:
    // Before the main window is first shown.
    explicit RecordFileHandOver(TfrmComm& comm);

    void open(const QStringList& files);
    // A later start's files: opened as above, and the main window comes to the front.
    void handOver(const QStringList& files);
    QStringList pending() const { return m_pending; }

private:
    void openPending();

    TfrmComm& m_comm;
    QStringList m_pending;
    bool m_firstShowDone = false;
};
