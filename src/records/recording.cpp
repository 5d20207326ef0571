#include "records/recording.h"

Recording::Recording(double recordDate)
{
    header.recordDate = recordDate;
    header.celsius = 1;
    header.overlayOn = 0;
}

void Recording::startRecording(const StationStatus& status, float samplingInterval)
{
    samples.clear();
    inStep = isSoakStep(status);
    header.sampleInterval = samplingInterval;
}

bool Recording::TakeSample(const StationStatus& status, float samplingInterval)
{
    if (isFull())
        return false;
    const int n = samples.size();
    RecordSample s;
    s.time = static_cast<float>(n * static_cast<double>(samplingInterval));

    // The overlay is anchored only where the step code changes, never at the start.
    const bool step = isSoakStep(status);
    if (step != inStep) {
        header.overlayOn = 1;
        header.overlayFromEntry = inStep ? 0 : 1;
        header.overlayTime = s.time;
        inStep = step;
    }

    s.tc = status.tc();
    s.tb = status.tb();
    s.dT = n == 0 ? 0.0f : s.tc - samples.last().tc;
    s.fan = status.fanOn();
    s.pump = status.vacuumPumpOn();
    s.bottomHeater = status.bottomHeaterOn();
    s.topHeater = status.topHeaterOn();
    s.fanInside = status.fanInside();
    s.fanOutside = status.fanOutside();
    s.topHeaterUp = status.topHeaterUp();
    s.topHeaterDown = status.topHeaterDown();
    samples.append(s);
    return true;
}

void Recording::deleteRecording()
{
    samples.clear();
    dots.clear();
}

void Recording::RefreshHeaderFromStation(const StationStatus& status)
{
    using W = StationStatus::Word;
    header.desoldering = status.isDesoldering();
    header.Flow = status.flow();
    header.T1 = status.word(W::T1);
    header.T2 = status.word(W::T2);
    header.T3 = status.word(W::T3);
    header.TL = status.word(W::TL);
    header.S1 = status.word(W::S1);
    header.S2 = status.word(W::S2);
    header.S3 = status.word(W::S3);
    header.T0 = status.word(W::T0);
    header.TB = status.word(W::TB);
    header.sensorIR = status.isIrSensor();
    header.celsius = status.isCelsius();
}

void Recording::CollectHeader(const OperatorInputs& inputs, double now)
{
    header.version = "2.1";
    header.recordDate = now;
    header.setOperatorInputs(inputs);
}
