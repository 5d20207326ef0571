#pragma once

// The parts of Begin that belong to the main window. StationLink::Begin calls them in order.
class BeginHooks
{
public:
    virtual ~BeginHooks() = default;
    // Quick upload is checked and the profile table has at least one row.
    virtual bool quickUploadWanted() = 0;
    // Asks about a change of board when the selected row differs from CurrentLc (login or
    // yes/no), writes the operation log, uploads the selected row and updates CurrentLc.
    // Returns false when the operator declined: Begin then stops without sending.
    virtual bool quickUpload() = 0;
    // Called only while a recording target exists: with recording on, empty the recording
    // (actnDeleRec); otherwise switch recording on (actnRecord).
    virtual void recordingStep(bool recordingOn) = 0;
};
