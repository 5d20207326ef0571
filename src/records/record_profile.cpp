#include "records/record_profile.h"

namespace RecordProfile {

ProfileParameters parametersOf(const RecordHeader& h)
{
    ProfileParameters p;
    p.T0 = h.T0;
    p.TB = h.TB;
    p.T1 = h.T1;
    p.S1 = h.S1;
    p.T2 = h.T2;
    p.TL = h.TL;
    p.S2 = h.S2;
    p.T3 = h.T3;
    p.S3 = h.S3;
    for (int i = 0; i < 4; ++i)
        p.K[i] = h.reserved[i];
    p.desoldering = h.desoldering != 0;
    p.sensorIR = h.sensorIR != 0;
    p.celsius = h.celsius == 1;
    return p;
}

void applyParameters(RecordHeader& h, const ProfileParameters& p)
{
    h.T0 = p.T0;
    h.TB = p.TB;
    h.T1 = p.T1;
    h.S1 = p.S1;
    h.T2 = p.T2;
    h.TL = p.TL;
    h.S2 = p.S2;
    h.T3 = p.T3;
    h.S3 = p.S3;
    h.desoldering = p.desoldering ? 1 : 0;
    h.sensorIR = p.sensorIR ? 1 : 0;
    h.celsius = p.celsius ? 1 : 0;
}

void applyRowFields(RecordHeader& h, const RecordRowFields& f)
{
    h.boardName = RecordHeader::cut(f.boardName, RecordHeader::NameCapacity);
    h.componentName = RecordHeader::cut(f.componentName, RecordHeader::NameCapacity);
    h.Orientation = f.orientation;
    h.ShutterX = f.shutterX;
    h.ShutterY = f.shutterY;
}

} // namespace RecordProfile
