#pragma once

#include <QString>

class Recording;

struct PdfReportOptions
{
    QString output;       // the PDF file
    bool chinese = false; // printcn.frf and the Chinese texts
    QString templateFile; // instead of the program's data/print.frf or data/printcn.frf
};

// The record's report as a PDF, made as a record window makes it: the chart drawn with the
// program's settings, the template, the variables. False with the reason.
bool writePdfReport(const Recording& record, const PdfReportOptions& options, QString* error);
