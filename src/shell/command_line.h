#pragma once

#include <QString>
#include <QStringList>

// What Tamsel is given when it starts: record files to open, or a question about itself.
//
//   Tamsel [FILE.sld ...]    open the record files, each in a record window of its own
//   Tamsel --version | -v    print the version and end
//   Tamsel --help | -h       print the usage and end
//
// "--" ends the options; everything after it is a file.
struct CommandLine
{
    bool version = false;
    bool help = false;
    QStringList files;
    QString error; // an unknown option; empty when the line is fine

    static CommandLine parse(const QStringList& arguments); // without the program's name
    static QString usage();
};
