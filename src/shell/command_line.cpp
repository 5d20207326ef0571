#include "shell/command_line.h"

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine line;
    bool options = true;
    for (const QString& a : arguments) {
        if (options && a == QLatin1String("--")) {
            options = false;
        } else if (options && (a == QLatin1String("--version") || a == QLatin1String("-v"))) {
            line.version = true;
        } else if (options && (a == QLatin1String("--help") || a == QLatin1String("-h"))) {
            line.help = true;
        } else if (options && a.size() > 1 && a.startsWith(QLatin1Char('-'))) {
            if (line.error.isEmpty())
                line.error = QStringLiteral("unknown option %1").arg(a);
        } else if (!a.isEmpty()) {
            line.files.append(a);
        }
    }
    return line;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "Usage: Tamsel [FILE.sld ...]\n"
        "Operates an infrared rework station over a serial line and opens the record files\n"
        "given, each in a record window. When Tamsel already runs for this account, the files\n"
        "are handed to it.\n"
        "\n"
        "  -h, --help     show this help and end\n"
        "  -v, --version  show the version and end\n");
}
