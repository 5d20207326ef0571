#include <QStringList>
#include <QTextStream>

int exportRecord(const QStringList&)
{
    QTextStream(stderr) << "tamsel-export: not built yet\n";
    return 1;
}
