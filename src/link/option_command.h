#pragma once

class StationLink;

// The options dialog was accepted: the chosen flow and sensor go to the station, then
// LastCommandTick := now.
// - Same flow as the station's (or none chosen): the sensor bit is written into the
//   StatusImage with the write-request command bits and sent with the login check;
//   HeaderRefreshCount := 1.
// - Another flow: the station first switches flow (write-request bit cleared, unguarded
//   send, blocking 200 ms wait); the decoder of the next status frame sends the sensor
//   (PendingAction 1, PendingSensorBit).
// flow: the flow list's index, -1 when nothing is selected.
void applyOptionsToStation(StationLink& link, int flow, bool irSensor);
