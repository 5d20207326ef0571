// The settings file: every setting read from arbitrary bytes, and a write that must stick
// without changing any other key.

#include <QCoreApplication>

#include "fuzz_common.h"
#include "link/serial_settings.h"
#include "shell/ini_file.h"
#include "shell/settings.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzFile(fuzzBytes(data, size), QStringLiteral("CommConfig.ini"));
    {
        const Settings s(path);
        SerialSettings serial;
        serial.CommPort = s.commPort();
        serial.BAUTRATE = s.bautrate();
        serial.portName();
        serial.baudRate();
        Settings::portName(s.commPort());
        s.language();
        s.lineWidth();
        s.quickUpdate();
        s.currentLc();
        s.userCode();
        s.savePath();
        s.intrals();
        s.changePcbMode();
        s.currUser();
        s.celsiusText(2052);
        s.fahrenheitText(1033);
    }
    // The write-then-read agreement, on a key chosen by the input.
    static const char* const sections[] = {"Option", "Comm", "option", "2052"};
    static const char* const keys[] = {"language", "CommPort", "LineWidth", "sheshi"};
    const QString section = QLatin1String(sections[size % 4]);
    const QString key = QLatin1String(keys[(size / 4) % 4]);
    const QString other = QLatin1String(keys[(size / 4 + 1) % 4]);
    IniFile ini(path);
    const QByteArray otherBefore = ini.readBytes(section, other, "<none>");
    const int value = int(size) - 7;
    if (ini.writeInteger(section, key, value)) {
        const IniFile again(path);
        FUZZ_CHECK(again.readInteger(section, key, value + 1) == value);
        FUZZ_CHECK(again.readBytes(section, other, "<none>") == otherBefore);
    }
    return 0;
}
