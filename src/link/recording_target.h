#pragma once

#include "link/station_status.h"

// The record window that receives samples, as the link sees it. The record windows
// implement it; the link reaches the current one through StationLink's provider.
class RecordingTarget
{
public:
    virtual ~RecordingTarget() = default;
    // The unit of the temperatures the station reports (SettingFlags bit 0).
    virtual void setCelsius(bool celsius) = 0;
    // Whether this record window is the active window of the multiple-document frame.
    virtual bool isActiveWindow() const = 0;
    // Takes the profile parameters of the status frame into the record header.
    virtual void RefreshHeaderFromStation(const StationStatus& status) = 0;
    // Shows the record header on the main window's operator-input tab.
    virtual void ShowHeader() = 0;
    // One sample from the status frame, then the chart redrawn.
    virtual void TakeSample(const StationStatus& status) = 0;
};
