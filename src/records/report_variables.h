#pragma once

#include <optional>

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "records/analysis_dot.h"
#include "records/chart_style.h"
#include "records/recording.h"

// What a report template can ask about one record. A template names a variable as
// [name]; ReportVariable answers with a text (QString), a number (double), an integer
// (qint64) or a date and time (QDateTime), or not at all, and then the template keeps its
// own text. Names are compared exactly, case included.
struct ReportSource
{
    const Recording& record;
    // The record window's language and the English unit texts (ChartStyle::unitText).
    ChartStyle style;
};

std::optional<QVariant> ReportVariable(const QString& name, const ReportSource& source);

// Every name ReportVariable knows, in the order of its table (for the template notes and
// for tests).
QStringList reportVariableNames();

// The text a value stands for in the printed report: numbers in their shortest form
// (230, 12.5), dates as 2024-05-17 14:03:09, anything that is no number as an empty text.
QString reportText(const QVariant& value);

// The dots of a record by ascending time; the earliest is dot 1 of the report.
QList<AnalysisDot> reportDots(const Recording& record);
