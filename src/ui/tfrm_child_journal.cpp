// The record window's journal: what keeps an unsaved recording when the program dies.

#include <QFile>

#include "ui/record_windows.h"
#include "ui/tfrm_child.h"

void TfrmChild::startJournal()
{
    if (!m_windows || m_windows->journalFolder().isEmpty())
        return;
    QString error;
    if (!m_journal.start(m_windows->journalFolder(), m_record, &error))
        m_windows->journalFailed(this, error);
}

void TfrmChild::journalChanges()
{
    if (!m_journal.isOpen())
        return;
    QString error;
    if (!m_journal.update(m_record, &error) && m_windows)
        m_windows->journalFailed(this, error);
}

void TfrmChild::discardJournal()
{
    m_journal.discard();
    if (!m_adoptedJournal.isEmpty()) {
        QFile::remove(m_adoptedJournal);
        m_adoptedJournal.clear();
    }
}

QString TfrmChild::journalPath() const
{
    return m_journal.isOpen() ? m_journal.path() : m_adoptedJournal;
}
