#pragma once

#include <QStringList>

#include "profiles/profile_station_access.h"
#include "support/fake_recording_target.h"

// Records what profile transfer asks of the station side, in order.
class FakeStationAccess : public ProfileStationAccess
{
public:
    QStringList log;
    bool communication = false;
    bool locked = false;    // ParameterListLocked
    bool unlocked = true;   // StationUnlocked
    StationStatus image;
    QList<StationStatus> sent;
    FakeRecordingTarget* target = nullptr;
    RecordRowFields fields;
    int headerRefreshCount = 0;
    ActiveRecordKind activeKind = ActiveRecordKind::None;
    ProfileParameters activeParameters;

    bool communicationOn() const override { return communication; }
    StationStatus& statusImage() override { return image; }
    void SendCommand(StationStatus& frame) override
    {
        log << QStringLiteral("send");
        if (!unlocked)
            return;
        frame.setWriteRequest(true);
        frame.sealChecksum();
        sent << frame;
    }
    void PauseSupervision() override { log << QStringLiteral("pause"); }
    void ResumeSupervision() override { log << QStringLiteral("resume"); }
    RecordingTarget* recordingTarget() override { return target; }
    void setRecordingTargetRowFields(const RecordRowFields& f) override
    {
        fields = f;
        log << QStringLiteral("fields");
    }
    void refreshRecordingHeader() override
    {
        headerRefreshCount = 1;
        log << QStringLiteral("headerRefresh");
    }
    bool parameterListLocked() const override { return locked; }
    bool running = false;
    bool processRunning() const override { return running; }
    QString flow = QStringLiteral("3"); // empty: no status frame has arrived yet
    QString flowText() const override { return flow; }
    ActiveRecordKind activeRecordKind() const override { return activeKind; }
    ProfileParameters activeRecordParameters() const override { return activeParameters; }
};
