#pragma once

#include <array>
#include <cstdint>

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "records/operator_inputs.h"

// The head of a record: date, the operator's inputs and the profile parameters in force on
// the station. Stored verbatim as the first 213 bytes of the record file. Texts are kept as
// the 8-bit bytes of the file, already cut to their capacity.
struct RecordHeader
{
    static constexpr int Size = 213;
    // The body shared with the two older header variants: recordDate through sampleInterval.
    static constexpr int BodyOffset = 10;
    static constexpr int BodySize = 199;

    static constexpr int VersionCapacity = 3;
    static constexpr int NameCapacity = 20;
    static constexpr int ReservedTextCapacity = 9;
    static constexpr int HeadlineCapacity = 70;

    QByteArray version = "2.1";
    uint8_t overlayOn = 0;
    uint8_t overlayFromEntry = 0;
    float overlayTime = 0;
    double recordDate = 0; // days since 1899-12-30, time of day as fraction
    QByteArray operatorName;
    QByteArray boardName;
    QByteArray componentName;
    uint8_t desoldering = 0;
    QByteArray reservedText;
    uint8_t Orientation = 0;
    uint8_t ShutterX = 0;
    uint8_t ShutterY = 0;
    uint8_t Flow = 0;
    float T2 = 0;
    uint8_t sensorIR = 0;
    float T1 = 0;
    float T3 = 0;
    float TL = 0;
    float S1 = 0;
    float S2 = 0;
    float S3 = 0;
    uint8_t celsius = 1;
    QByteArray headline;
    float T0 = 0;
    float TB = 0;
    float sampleInterval = 0;
    std::array<uint8_t, 4> reserved{};

    // 213 bytes, current layout.
    void write(uint8_t* out) const;
    static RecordHeader read(const uint8_t* in);
    // The 199-byte body of the "2.0" and unversioned variants; overlayOn becomes 0.
    static RecordHeader readBody(const uint8_t* body);

    // The operator's inputs, each text cut to its capacity.
    void setOperatorInputs(const OperatorInputs& inputs);
    void applyOperatorField(OperatorField field, const OperatorInputs& inputs);
    OperatorInputs operatorInputs() const;

    static QString text(const QByteArray& field);
    static QByteArray cut(const QString& text, int capacity);

    bool operator==(const RecordHeader& o) const;
    bool operator!=(const RecordHeader& o) const { return !(*this == o); }
};

// Dates as stored in files: days since 30 December 1899, the time of day as the fraction.
namespace OleDate {
double fromDateTime(const QDateTime& dt);
QDateTime toDateTime(double days);
} // namespace OleDate
