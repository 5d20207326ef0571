#include "ui/tfrm_comm_begin_hooks.h"

#include <QAction>

#include "ui/tfrm_comm_actions.h"

bool TfrmCommBeginHooks::quickUploadWanted()
{
    return m_actions.menuQuickUp->isChecked() && m_rows && m_rows() > 0;
}

bool TfrmCommBeginHooks::quickUpload()
{
    return m_upload ? m_upload() : true;
}

void TfrmCommBeginHooks::recordingStep(bool recordingOn)
{
    // The record actions' own handlers do the work, exactly as the toolbar buttons would.
    if (recordingOn)
        m_actions.actnDeleRec->trigger();
    else
        m_actions.actnRecord->trigger();
}
