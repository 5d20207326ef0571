#pragma once

#include <QString>

#include "shell/ini_file.h"

class ProgramPaths;

// The shortest sampling interval the program works with, in seconds. A shorter `intrals`
// (0 typed into the file by hand) would poll without pause and stamp every sample with
// time 0, so it is taken as this wherever it is read.
constexpr double MinSamplingInterval = 0.5;
double usableSamplingInterval(double seconds);

// Typed access to data/CommConfig.ini, one getter (and setter where the program writes the
// key) per key. Construct it where the file is used and let it go afterwards; every read has
// the default of the table, every write goes to disk at once and returns false on failure,
// with errorString() naming the file and the reason.
//
// | Section        | Key           | Type    | Default | Getter / setter                      |
// |----------------|---------------|---------|---------|--------------------------------------|
// | Comm           | CommPort      | integer | 0       | commPort / setCommPort: 0 = "COM1"   |
// | Comm           | BAUTRATE      | integer | 3       | bautrate / setBautrate: 0 = 9600,    |
// |                |               |         |         |   anything else 19200 (baudRateFor)  |
// | Option         | language      | integer | 1       | language / setLanguage: 0 English,   |
// |                |               |         |         |   1 Chinese (see shell/language.h)   |
// | Option         | LineWidth     | integer | 1       | lineWidth / setLineWidth: 1 Small,   |
// |                |               |         |         |   2 Medium, 3 Large                  |
// | Option         | QuickUpdate   | boolean | false   | quickUpdate / setQuickUpdate         |
// | Option         | CurrentLc     | integer | -1      | currentLc / setCurrentLc             |
// | Option         | User_Code     | string  | ""      | userCode / setUserCode               |
// | Option         | savePath      | string  | ""      | savePath / setSavePath               |
// | Option         | intrals       | real    | 1.0     | intrals / setIntrals (the item text) |
// | Option         | ChangePCBMode | boolean | false   | changePcbMode / setChangePcbMode     |
// | Option         | CurrUser      | string  | ""      | currUser / setCurrUser               |
// | <language id>  | sheshi        | string  | "°C"    | celsiusText (never written)          |
// | <language id>  | huashi        | string  | "°F"    | fahrenheitText (never written)       |
// | Ports          | COM<n>        | string  | none    | portDevice: device for "COM<n>"      |
//
// <language id> is the system's default language identifier in decimal ("2052", "1033").
// The unit defaults are what the bytes B0 43 / B0 46 mean in the Western-European code page.
// [Ports] is read only off Windows: the device behind "COM<n>" (a USB adapter, a
// pseudo-terminal); without an entry it is /dev/ttyS<n-1>. On Windows it is "COM<n>".
class Settings
{
public:
    explicit Settings(const ProgramPaths& paths);
    explicit Settings(const QString& iniPath);

    IniFile& file() { return m_file; }
    const IniFile& file() const { return m_file; }
    QString errorString() const { return m_file.errorString(); }

    int commPort() const;
    [[nodiscard]] bool setCommPort(int index);
    int bautrate() const;
    [[nodiscard]] bool setBautrate(int index);
    static int baudRateFor(int bautrate);               // 0 -> 9600, anything else -> 19200
    static QString portName(int commPort);              // "COM" + (commPort + 1)
    QString portDevice(int commPort) const;             // what QSerialPort opens for that port

    int language() const;
    [[nodiscard]] bool setLanguage(int value);
    int lineWidth() const;
    [[nodiscard]] bool setLineWidth(int value);
    bool quickUpdate() const;
    [[nodiscard]] bool setQuickUpdate(bool on);
    int currentLc() const;
    [[nodiscard]] bool setCurrentLc(int index);
    QString userCode() const;
    [[nodiscard]] bool setUserCode(const QString& employeeNumber);
    QString savePath() const;
    [[nodiscard]] bool setSavePath(const QString& path);
    // Never below MinSamplingInterval.
    double intrals() const;
    // Stored as the text the operator chose ("0.5"); an empty text reads back as 1.0.
    [[nodiscard]] bool setIntrals(const QString& text);
    bool changePcbMode() const;
    [[nodiscard]] bool setChangePcbMode(bool on);
    QString currUser() const;
    [[nodiscard]] bool setCurrUser(const QString& employeeNumber);

    QString celsiusText(int languageId) const;
    QString fahrenheitText(int languageId) const;

private:
    IniFile m_file;
};
