#pragma once

#include <QList>
#include <QString>

#include "link/station_status.h"
#include "records/analysis_dot.h"
#include "records/operator_inputs.h"
#include "records/record_header.h"
#include "records/record_sample.h"

// The data of one record window: header, samples, analysis dots and the marks that decide
// how the window behaves. Plain data and rules, no window.
class Recording
{
public:
    // The record file counts samples in 16 bits; a recording stops when it is full rather
    // than write a file whose count is wrong.
    static constexpr int MaxSamples = 65535;

    explicit Recording(double recordDate = 0);

    RecordHeader header;
    QList<RecordSample> samples;
    QList<AnalysisDot> dots;
    QString fileName;
    bool isNewRecord = false;  // made by New; only such a record can receive samples
    bool savedOrLoaded = false;
    bool inStep = false;       // the last status frame used was in step code 0x2D

    // Record switched on: earlier samples go, the dots stay.
    void startRecording(const StationStatus& status, float samplingInterval);
    // Appends one sample from the status frame. False, and nothing appended, when full.
    bool TakeSample(const StationStatus& status, float samplingInterval);
    bool isFull() const { return samples.size() >= MaxSamples; }
    // Delete: samples and dots; the next sample starts again at time 0.
    void deleteRecording();

    void RefreshHeaderFromStation(const StationStatus& status);
    void setCelsius(bool celsius) { header.celsius = celsius ? 1 : 0; }
    bool isCelsius() const { return header.celsius == 1; }

    // Before a save: version, date and the operator's inputs.
    void CollectHeader(const OperatorInputs& inputs, double now);

    // The interval the chart is drawn with: the current setting while recording is possible,
    // else the one the record was taken with.
    float drawingInterval(float currentInterval) const { return isNewRecord ? currentInterval : header.sampleInterval; }
    float lastTime() const { return samples.isEmpty() ? 0.0f : samples.last().time; }

    static bool isSoakStep(const StationStatus& status)
    {
        return status.processCode() == StationStatus::SoakProcessCode;
    }
};
