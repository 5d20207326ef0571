#pragma once

#include <QString>

class StationModel;

// The --state file: the ten flow memories and the selected flow, as a small JSON document
//
//   { "currentFlow": 3,
//     "flows": [ { "desoldering": true, "irSensor": true, "celsius": true,
//                  "T0": 100, "TB": 150, "T1": 120, "S1": 50, "T2": 140, "TL": 183,
//                  "S2": 45, "T3": 195, "S3": 15, "K1": 0, "K2": 0, "K3": 128, "K4": 63 },
//                ... ten of them ... ] }
//
// Flows or fields left out take the default profile. A file that does not parse, or holds
// a value of the wrong kind or out of range, is refused as a whole so that nothing in it
// is overwritten by the next save.
class StationStateFile
{
public:
    enum class LoadResult { Loaded, Missing, Failed };

    static LoadResult load(const QString& path, StationModel& model, QString* error);
    // Written through a temporary file, so a failed save leaves the previous file whole.
    static bool save(const QString& path, const StationModel& model, QString* error);
};
