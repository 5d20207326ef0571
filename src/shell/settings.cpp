#include "shell/settings.h"

#include "shell/platform.h"
#include "shell/program_paths.h"

namespace {
const QString kComm = QStringLiteral("Comm");
const QString kOption = QStringLiteral("Option");
const QString kPorts = QStringLiteral("Ports");
} // namespace

double usableSamplingInterval(double seconds)
{
    return seconds >= MinSamplingInterval ? seconds : MinSamplingInterval;
}

Settings::Settings(const ProgramPaths& paths)
    : m_file(paths.settingsFile())
{
}

Settings::Settings(const QString& iniPath)
    : m_file(iniPath)
{
}

int Settings::commPort() const
{
    return m_file.readInteger(kComm, QStringLiteral("CommPort"), 0);
}

bool Settings::setCommPort(int index)
{
    return m_file.writeInteger(kComm, QStringLiteral("CommPort"), index);
}

int Settings::bautrate() const
{
    return m_file.readInteger(kComm, QStringLiteral("BAUTRATE"), 3);
}

bool Settings::setBautrate(int index)
{
    return m_file.writeInteger(kComm, QStringLiteral("BAUTRATE"), index);
}

int Settings::baudRateFor(int bautrate)
{
    return bautrate == 0 ? 9600 : 19200;
}

QString Settings::portName(int commPort)
{
    // 64 bits, so that a stored 2147483647 names a port instead of overflowing.
    return QStringLiteral("COM%1").arg(static_cast<qint64>(commPort) + 1);
}

QString Settings::portDevice(int commPort) const
{
    const QString name = portName(commPort);
    return Platform::serialDevice(static_cast<qint64>(commPort) + 1, m_file.readString(kPorts, name).trimmed());
}

int Settings::language() const
{
    return m_file.readInteger(kOption, QStringLiteral("language"), 1);
}

bool Settings::setLanguage(int value)
{
    return m_file.writeInteger(kOption, QStringLiteral("language"), value);
}

int Settings::lineWidth() const
{
    return m_file.readInteger(kOption, QStringLiteral("LineWidth"), 1);
}

bool Settings::setLineWidth(int value)
{
    return m_file.writeInteger(kOption, QStringLiteral("LineWidth"), value);
}

bool Settings::quickUpdate() const
{
    return m_file.readBool(kOption, QStringLiteral("QuickUpdate"), false);
}

bool Settings::setQuickUpdate(bool on)
{
    return m_file.writeBool(kOption, QStringLiteral("QuickUpdate"), on);
}

int Settings::currentLc() const
{
    return m_file.readInteger(kOption, QStringLiteral("CurrentLc"), -1);
}

bool Settings::setCurrentLc(int index)
{
    return m_file.writeInteger(kOption, QStringLiteral("CurrentLc"), index);
}

QString Settings::userCode() const
{
    return m_file.readString(kOption, QStringLiteral("User_Code"));
}

bool Settings::setUserCode(const QString& employeeNumber)
{
    return m_file.writeString(kOption, QStringLiteral("User_Code"), employeeNumber);
}

QString Settings::savePath() const
{
    return m_file.readString(kOption, QStringLiteral("savePath"));
}

bool Settings::setSavePath(const QString& path)
{
    return m_file.writeString(kOption, QStringLiteral("savePath"), path);
}

double Settings::intrals() const
{
    return usableSamplingInterval(m_file.readFloat(kOption, QStringLiteral("intrals"), 1.0));
}

bool Settings::setIntrals(const QString& text)
{
    return m_file.writeString(kOption, QStringLiteral("intrals"), text);
}

bool Settings::changePcbMode() const
{
    return m_file.readBool(kOption, QStringLiteral("ChangePCBMode"), false);
}

bool Settings::setChangePcbMode(bool on)
{
    return m_file.writeBool(kOption, QStringLiteral("ChangePCBMode"), on);
}

QString Settings::currUser() const
{
    return m_file.readString(kOption, QStringLiteral("CurrUser"));
}

bool Settings::setCurrUser(const QString& employeeNumber)
{
    // Blanks around a value are not part of it when the file is read, and the file refuses
    // them: the number is stored as it reads back.
    return m_file.writeString(kOption, QStringLiteral("CurrUser"), employeeNumber.trimmed());
}

QString Settings::celsiusText(int languageId) const
{
    return m_file.readString(QString::number(languageId), QStringLiteral("sheshi"), QStringLiteral("\u00B0C"));
}

QString Settings::fahrenheitText(int languageId) const
{
    return m_file.readString(QString::number(languageId), QStringLiteral("huashi"), QStringLiteral("\u00B0F"));
}
