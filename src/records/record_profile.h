#pragma once

#include "profiles/profile_parameters.h"
#include "profiles/profile_station_access.h"
#include "records/record_header.h"

// Between a record header and the profile values of the profile table.
namespace RecordProfile {

// K1..K4 come from the header's reserved bytes (zero in records this program writes).
ProfileParameters parametersOf(const RecordHeader& header);
// The nine values, type, sensor and unit; the reserved bytes are left as they are, since a
// record header never stores the K values itself.
void applyParameters(RecordHeader& header, const ProfileParameters& p);
// Board, component, orientation and shutters of an uploaded row; texts cut to 20 bytes.
void applyRowFields(RecordHeader& header, const RecordRowFields& fields);

} // namespace RecordProfile
