#include "ui/profile_link_access.h"

#include <QLabel>

#include "link/station_link.h"
#include "records/record_profile.h"
#include "ui/live_panel.h"
#include "ui/record_windows.h"

ProfileLinkAccess::ProfileLinkAccess(StationLink& link, const LivePanel& panel, const RecordWindows& records,
                                     std::function<bool()> parameterListLocked)
    : m_link(link)
    , m_panel(panel)
    , m_records(records)
    , m_listLocked(std::move(parameterListLocked))
{
}

bool ProfileLinkAccess::communicationOn() const
{
    return m_link.communicationOn();
}

StationStatus& ProfileLinkAccess::statusImage()
{
    return m_link.statusImage();
}

void ProfileLinkAccess::SendCommand(StationStatus& image)
{
    m_link.SendCommand(image);
}

void ProfileLinkAccess::PauseSupervision()
{
    m_link.PauseSupervision();
}

void ProfileLinkAccess::ResumeSupervision()
{
    m_link.ResumeSupervision();
}

RecordingTarget* ProfileLinkAccess::recordingTarget()
{
    return m_link.recordingTarget();
}

void ProfileLinkAccess::setRecordingTargetRowFields(const RecordRowFields& fields)
{
    // Adding a profile row and uploading one write into the record window that records.
    if (TfrmChild* target = m_records.recordingTarget())
        RecordProfile::applyRowFields(target->record().header, fields);
}

void ProfileLinkAccess::refreshRecordingHeader()
{
    m_link.refreshRecordingHeader();
}

bool ProfileLinkAccess::parameterListLocked() const
{
    return m_listLocked && m_listLocked();
}

bool ProfileLinkAccess::processRunning() const
{
    return m_panel.startTag() == 0;
}

QString ProfileLinkAccess::flowText() const
{
    return m_panel.Label8->text();
}

ActiveRecordKind ProfileLinkAccess::activeRecordKind() const
{
    const TfrmChild* w = m_records.activeRecordWindow();
    if (!w)
        return ActiveRecordKind::None;
    return w->record().savedOrLoaded ? ActiveRecordKind::Stored : ActiveRecordKind::Unsaved;
}

ProfileParameters ProfileLinkAccess::activeRecordParameters() const
{
    const TfrmChild* w = m_records.activeRecordWindow();
    return w ? RecordProfile::parametersOf(w->record().header) : ProfileParameters{};
}
