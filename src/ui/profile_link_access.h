#pragma once

#include <functional>

#include "profiles/profile_station_access.h"

class LivePanel;
class RecordWindows;
class StationLink;

// ProfileStationAccess over the main window's parts: the station link, the live panel (the
// process state and the flow text as shown), the record windows and the parameter-list
// lock. The main window hands them all over here, once.
class ProfileLinkAccess : public ProfileStationAccess
{
public:
    ProfileLinkAccess(StationLink& link, const LivePanel& panel, const RecordWindows& records,
                      std::function<bool()> parameterListLocked);

    bool communicationOn() const override;
    StationStatus& statusImage() override;
    void SendCommand(StationStatus& image) override;
    void PauseSupervision() override;
    void ResumeSupervision() override;
    RecordingTarget* recordingTarget() override;
    void setRecordingTargetRowFields(const RecordRowFields& fields) override;
    void refreshRecordingHeader() override;
    bool parameterListLocked() const override;
    bool processRunning() const override;
    QString flowText() const override;
    ActiveRecordKind activeRecordKind() const override;
    ProfileParameters activeRecordParameters() const override;

private:
    StationLink& m_link;
    const LivePanel& m_panel;
    const RecordWindows& m_records;
    std::function<bool()> m_listLocked;
};
