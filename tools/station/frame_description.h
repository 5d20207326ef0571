#pragma once

#include <QString>

class StationStatus;

// The log line for a good frame received:
//   poll flow=F run=BB
//   write run=BB flow=F desoldering=0|1 ir=0|1 celsius=0|1 T0=n TB=n T1=n S1=n T2=n TL=n
//         S2=n T3=n S3=n K1=n K2=n K3=n K4=n baud=n
// BB are ControlFlags bits 1 and 0, F the frame's Flow, numbers in decimal.
QString describeFrame(const StationStatus& frame);
