#pragma once

#include <QString>

#include "records/operator_inputs.h"
#include "records/recording.h"
#include "shell/language.h"

// What ShowHeader puts on the "Operator defined input" tab for one record, in one language.
struct HeaderDisplay
{
    QString dateText;
    OperatorInputs inputs;
    QString flow;
    QString sensor;
    QString T1, T2, T3, TL, S1, S2, S3, T0, TB;
    // The group title and the labels are red until the record is saved or loaded, then
    // in the active-caption colour.
    bool savedOrLoaded = false;

    static HeaderDisplay of(const Recording& record, Language language);
    // The date in the system's short date and long time format; the time is left out at
    // midnight exactly.
    static QString formatDate(double recordDate);
};
