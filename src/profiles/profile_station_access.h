#pragma once

#include <cstdint>

#include <QString>

#include "link/recording_target.h"
#include "link/station_status.h"
#include "profiles/profile_parameters.h"

// What a profile row gives the record window that records: the columns that never go to the
// station.
struct RecordRowFields
{
    QString boardName;       // column 1, at most 20 bytes once stored
    QString componentName;   // column 2
    uint8_t orientation = 0; // OrientationCode of column 15
    uint8_t shutterX = 0;    // ShutterCode of column 16
    uint8_t shutterY = 0;    // ShutterCode of column 17
};

// The active record window as adding a row sees it.
enum class ActiveRecordKind {
    None,    // no record window is active
    Unsaved, // one is active, its recording was neither saved nor loaded
    Stored,  // one is active and holds a saved or loaded recording
};

// The station and record-window side of profile transfer, implemented by the main window.
class ProfileStationAccess
{
public:
    virtual ~ProfileStationAccess() = default;

    // Whether communication is switched on (actnComunica checked).
    virtual bool communicationOn() const = 0;
    // The last checksum-correct status frame; commands are built in it and it keeps them.
    virtual StationStatus& statusImage() = 0;
    // The guarded send: refuses (with its own message) while the station is locked,
    // otherwise sets the write-request bit in `image` and sends it.
    virtual void SendCommand(StationStatus& image) = 0;
    virtual void PauseSupervision() = 0;
    virtual void ResumeSupervision() = 0;
    // The record window that records, or null.
    virtual RecordingTarget* recordingTarget() = 0;
    // Writes board, component, orientation and shutters into the recordingTarget's header.
    virtual void setRecordingTargetRowFields(const RecordRowFields& fields) = 0;
    // The next three status frames refresh the recording target's header (HeaderRefreshCount := 1).
    virtual void refreshRecordingHeader() = 0;

    virtual bool parameterListLocked() const = 0;
    // A process is running on the station (btnStart shows "Exit"); uploads wait for its end.
    virtual bool processRunning() const = 0;
    // The live panel's flow label (Label8).
    virtual QString flowText() const = 0;
    virtual ActiveRecordKind activeRecordKind() const = 0;
    // The profile values of the active record window's header (meaningful when one is active).
    virtual ProfileParameters activeRecordParameters() const = 0;
};
