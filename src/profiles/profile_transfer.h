#pragma once

#include "link/station_status.h"
#include "profiles/profile_parameters.h"
#include "profiles/profile_station_access.h"

class ProfileTable;

// Writes row `dataRow` into `image` as an upload sends it: ControlFlags bits 2..0 := 1, 0, 0
// and bit 3 from the type, the nine words and four K bytes, SettingFlags bit 0 from the
// unit and bit 1 from the sensor. Every other byte stays as the station sent it.
void writeProfileRowIntoImage(const ProfileTable& table, int dataRow, StationStatus& image);

// The central step of an upload and of Begin's quick upload: the row into StatusImage,
// SendCommand, then the recordingTarget takes the profile and the row's board, component,
// orientation and shutters; HeaderRefreshCount := 1.
void WriteProfileToStatusImage(const ProfileTable& table, int dataRow, ProfileStationAccess& access);

// The station's parameters into row `dataRow`: type, sensor and unit texts in the table's
// language, the numbers as decimal texts. Board, component, orientation and shutters stay.
void downloadProfileIntoRow(ProfileTable& table, int dataRow, const StationStatus& status);

// Row values from a record header: texts in the table's language, numbers as numbers.
void fillRowFromParameters(ProfileTable& table, int dataRow, const ProfileParameters& p);

// The profile a new row gets when neither a stored recording nor the station gives one.
ProfileParameters defaultProfile();

// Appends a row, makes it current and fills it from the active record window's stored
// recording, else from the station while communication is on, else with the default
// profile; with no record window active the row stays empty. Returns the new DataRow.
int AddProfileRow(ProfileTable& table, ProfileStationAccess& access);

// Why an upload or a download is refused before its question.
enum class TransferRefusal {
    None,
    Protected, // the parameter list is protected
    NoItem,    // the table is empty, or no row is current
};
TransferRefusal transferRefusal(const ProfileTable& table, bool parameterListLocked);
