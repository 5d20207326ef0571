#pragma once

#include <functional>

#include "profiles/profile_station_access.h"

class StationLink;

// ProfileStationAccess over the program's StationLink. The record-window and protection
// parts are not the link's: the main window fills in the functions (any left empty act as
// "nothing there": no fields written, no active record window, not protected; the process
// state and the flow text then come from the link's last panel state).
class ProfileLinkAccess : public ProfileStationAccess
{
public:
    explicit ProfileLinkAccess(StationLink& link) : m_link(link) {}

    std::function<void(const RecordRowFields&)> rowFieldsToRecordingTarget;
    std::function<ActiveRecordKind()> activeKind;
    std::function<ProfileParameters()> activeParameters;
    std::function<bool()> listLocked;   // ParameterListLocked
    std::function<bool()> running;      // btnStart shows "Exit"
    std::function<QString()> flowLabel; // Label8's text

    bool communicationOn() const override;
    StationStatus& statusImage() override;
    void SendCommand(StationStatus& image) override;
    void PauseSupervision() override;
    void ResumeSupervision() override;
    RecordingTarget* recordingTarget() override;
    void setRecordingTargetRowFields(const RecordRowFields& fields) override;
    void setHeaderRefreshCount(uint8_t count) override;
    bool parameterListLocked() const override;
    bool processRunning() const override;
    QString flowText() const override;
    ActiveRecordKind activeRecordKind() const override;
    ProfileParameters activeRecordParameters() const override;

private:
    StationLink& m_link;
};
