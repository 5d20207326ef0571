#include "export_args.h"

#include <QTextStream>

namespace {

const ExportOption* find(const QList<ExportOption>& list, const QString& name)
{
    for (const ExportOption& o : list)
        if (o.name == name)
            return &o;
    return nullptr;
}

// "--json, --csv and --pdf"
QString listed(QStringList names)
{
    if (names.size() < 2)
        return names.join(QString());
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

// "choose one of --json, --csv and --pdf", or "--csv is required" where there is one.
QString formatWanted(const ExportCommand& command)
{
    QStringList names;
    for (const ExportOption& f : command.formats)
        names << f.name;
    if (names.size() == 1)
        return names.first() + QStringLiteral(" is required");
    return QStringLiteral("choose one of ") + listed(names);
}

bool isOption(const QString& a)
{
    return a.startsWith(QLatin1String("--")) || (a.size() > 1 && a.startsWith(QLatin1Char('-')));
}

} // namespace

bool parseExportArgs(const ExportCommand& command, const QStringList& args, ExportArgs* out, QString* error)
{
    ExportArgs parsed;
    bool onlyPositional = false;
    const auto fail = [error](const QString& reason) {
        *error = reason;
        return false;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (onlyPositional || !isOption(a)) {
            if (parsed.positional.size() >= command.positional.size() && !command.lastRepeats)
                return fail(QStringLiteral("unexpected argument '%1'").arg(a));
            parsed.positional << a;
            continue;
        }
        if (a == QLatin1String("--")) {
            onlyPositional = true;
            continue;
        }
        const ExportOption* format = find(command.formats, a);
        const ExportOption* option = format ? format : find(command.options, a);
        if (!option)
            return fail(QStringLiteral("unknown option '%1'").arg(a));
        if (format && !parsed.format.isEmpty())
            return fail(parsed.format == a ? QStringLiteral("%1 given twice").arg(a) : formatWanted(command));
        if (!format && parsed.values.contains(a))
            return fail(QStringLiteral("%1 given twice").arg(a));
        QString value;
        if (!option->valueName.isEmpty()) {
            // A value that looks like an option is an option the value was forgotten before.
            if (i + 1 >= args.size() || isOption(args[i + 1]))
                return fail(QStringLiteral("%1 needs a value (%2)").arg(a, option->valueName));
            value = args[++i];
            if (!option->choices.isEmpty() && !option->choices.contains(value))
                return fail(
                    QStringLiteral("%1 is %2, not '%3'").arg(a, option->choices.join(QStringLiteral(" or ")), value));
        }
        if (format) {
            parsed.format = a;
            parsed.formatValue = value;
        } else {
            parsed.values.insert(a, value);
        }
    }
    if (parsed.format.isEmpty() && !command.formats.isEmpty())
        return fail(formatWanted(command));
    for (auto it = parsed.values.cbegin(); it != parsed.values.cend(); ++it) {
        const ExportOption* option = find(command.options, it.key());
        if (!option->formats.isEmpty() && !option->formats.contains(parsed.format))
            return fail(QStringLiteral("%1 goes only with %2").arg(it.key(), listed(option->formats)));
    }
    if (parsed.positional.size() < command.positional.size())
        return fail(QStringLiteral("%1 is missing").arg(command.positional[parsed.positional.size()]));
    *out = parsed;
    return true;
}

QString exportUsage(const QList<ExportCommand>& commands)
{
    QString text;
    for (const ExportCommand& c : commands)
        for (const QString& line : c.usage)
            text += (text.isEmpty() ? QStringLiteral("usage: ") : QStringLiteral("       "))
                    + QStringLiteral("tamsel-export ") + line + QLatin1Char('\n');
    return text;
}

int runExportCommand(const ExportCommand& command, const QStringList& args)
{
    for (const QString& a : args) {
        if (a == QLatin1String("--"))
            break;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            QTextStream(stdout) << exportUsage({command});
            return ExportOk;
        }
    }
    ExportArgs parsed;
    QString error;
    if (!parseExportArgs(command, args, &parsed, &error)) {
        QTextStream(stderr) << "tamsel-export " << command.name << ": " << error << "\n" << exportUsage({command});
        return ExportUsageError;
    }
    return command.run(parsed);
}
