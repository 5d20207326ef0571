#pragma once

#include <QList>

#include "link/recording_target.h"

// A record window as the link sees it, counting what it is asked to do.
class FakeRecordingTarget : public RecordingTarget
{
public:
    void setCelsius(bool c) override
    {
        celsius = c;
        ++celsiusCalls;
    }
    bool isActiveWindow() const override { return active; }
    void RefreshHeaderFromStation(const StationStatus& status) override
    {
        ++headerRefreshes;
        lastHeaderStatus = status;
    }
    void ShowHeader() override { ++headerShows; }
    void TakeSample(const StationStatus& status) override { samples.append(status); }

    bool active = true;
    bool celsius = false;
    int celsiusCalls = 0;
    int headerRefreshes = 0;
    int headerShows = 0;
    StationStatus lastHeaderStatus;
    QList<StationStatus> samples;
};
