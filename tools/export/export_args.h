#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The exit statuses every tamsel-export command shares.
enum ExportStatus { ExportOk = 0, ExportFileProblem = 1, ExportUsageError = 2 };

// An option on a command line: a format (--json), a flag (--salvage) or an option with a
// value (--lang zh).
struct ExportOption
{
    ExportOption(const QString& optionName, const QString& nameOfValue = QString(), const QStringList& allowed = {},
                 const QStringList& withFormats = {})
        : name(optionName)
        , valueName(nameOfValue)
        , choices(allowed)
        , formats(withFormats)
    {}

    QString name;        // "--lang"
    QString valueName;   // what its value is called ("OUT.pdf"); empty for a flag
    QStringList choices; // the values it may take; empty for any
    QStringList formats; // the formats it goes with; empty for every format
};

struct ExportArgs;

// One command: its formats (exactly one must be given), its other options and its
// positional arguments.
struct ExportCommand
{
    QString name;                // "record"
    QList<ExportOption> formats; // exactly one is given
    QList<ExportOption> options; // each at most once
    QStringList positional;      // named as in the usage, in order
    bool lastRepeats = false;    // the last positional argument may be given many times
    QStringList usage;           // the usage lines, after "tamsel-export "
    int (*run)(const ExportArgs&) = nullptr;
};

// What a command line said, once it has passed its command's checks.
struct ExportArgs
{
    QString format;                // the format given ("--csv")
    QString formatValue;           // its value, for a format that takes one (--pdf OUT.pdf)
    QMap<QString, QString> values; // every other option given, with its value (empty for a flag)
    QStringList positional;

    bool has(const QString& option) const { return values.contains(option); }
    QString value(const QString& option, const QString& fallback = QString()) const
    {
        return values.value(option, fallback);
    }
};

// Reads `args` (what follows the command's name) against `command`. False with the reason
// for a usage error: an unknown option, an option given twice, a second format or none, a
// missing value or one not among the choices, an option that does not go with the chosen
// format, too many or too few positional arguments. Everything after "--" is positional.
bool parseExportArgs(const ExportCommand& command, const QStringList& args, ExportArgs* out, QString* error);

// The command line's whole handling: "--help" prints the command's usage (status 0); a usage
// error prints "tamsel-export NAME: reason" and the usage on stderr (status 2); otherwise
// the command runs and its status is returned.
int runExportCommand(const ExportCommand& command, const QStringList& args);

// The usage lines of every command, each after "usage: " or its indent.
QString exportUsage(const QList<ExportCommand>& commands);

// The commands, declared beside the code that runs them.
ExportCommand recordCommand();   // record_export.cpp
ExportCommand profilesCommand(); // profile_export.cpp
ExportCommand oplogCommand();    // oplog_export.cpp
ExportCommand figuresCommand();  // figures_export.cpp
ExportCommand recoverCommand();  // journal_recover.cpp
