#include "ui/profile_link_access.h"

#include "link/station_link.h"

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
    if (rowFieldsToRecordingTarget)
        rowFieldsToRecordingTarget(fields);
}

void ProfileLinkAccess::setHeaderRefreshCount(uint8_t count)
{
    m_link.setHeaderRefreshCount(count);
}

bool ProfileLinkAccess::parameterListLocked() const
{
    return listLocked && listLocked();
}

bool ProfileLinkAccess::processRunning() const
{
    if (running)
        return running();
    return m_link.panelState().btnStartTag == 0;
}

QString ProfileLinkAccess::flowText() const
{
    return flowLabel ? flowLabel() : m_link.panelState().Label8;
}

ActiveRecordKind ProfileLinkAccess::activeRecordKind() const
{
    return activeKind ? activeKind() : ActiveRecordKind::None;
}

ProfileParameters ProfileLinkAccess::activeRecordParameters() const
{
    return activeParameters ? activeParameters() : ProfileParameters();
}
