#pragma once

#include <QList>
#include <QStringList>

#include "link/recording_target.h"

// A record window as the link sees it, counting what it is asked to do; with a log, it also
// notes "refresh" and "show" there, so a test sees them in order with other calls.
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
        if (log)
            *log << QStringLiteral("refresh");
    }
    void ShowHeader() override
    {
        ++headerShows;
        if (log)
            *log << QStringLiteral("show");
    }
    void TakeSample(const StationStatus& status) override { samples.append(status); }

    bool active = true;
    bool celsius = false;
    int celsiusCalls = 0;
    int headerRefreshes = 0;
    int headerShows = 0;
    StationStatus lastHeaderStatus;
    QList<StationStatus> samples;
    QStringList* log = nullptr;
};
