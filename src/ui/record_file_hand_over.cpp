#include "ui/record_file_hand_over.h"

#include <QAction>

#include "ui/record_windows.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"

RecordFileHandOver::RecordFileHandOver(TfrmComm& comm)
    : QObject(&comm)
    , m_comm(comm)
{
    connect(&comm, &TfrmComm::firstShowDone, this, [this] {
        m_firstShowDone = true;
        openPending();
    });
    // Open comes back when a recording ends.
    connect(comm.actions().actn_Open, &QAction::changed, this, &RecordFileHandOver::openPending);
}

void RecordFileHandOver::open(const QStringList& files)
{
    m_pending += files;
    openPending();
}

void RecordFileHandOver::handOver(const QStringList& files)
{
    if (m_comm.isMinimized())
        m_comm.showMaximized();
    m_comm.raise();
    m_comm.activateWindow();
    open(files);
}

void RecordFileHandOver::openPending()
{
    RecordWindows* windows = m_comm.recordWindows();
    // openRecord may show a message box, whose event loop can bring the next hand-over:
    // each file leaves the queue before it is opened.
    while (m_firstShowDone && windows && m_comm.actions().actn_Open->isEnabled() && !m_pending.isEmpty())
        windows->openRecord(m_pending.takeFirst());
}
