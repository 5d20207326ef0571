#pragma once

#include <memory>

#include <QByteArray>
#include <QString>

// One settings file in the Windows INI form ([Section] lines, key=value lines), used key by
// key: construct it to open the file, read or write the keys you need, let it go.
//
// - Section and key names are case-insensitive, as Windows treats them; keys may hold blanks
//   ("prameter protection list").
// - Values are raw 8-bit bytes; readString/writeString convert them through TextCodec
//   (writeString drops the blanks around a text, which no read would give back).
// - Every read takes a default that is returned when the file, the section or the key is
//   missing or the value does not convert. Nothing is reported for reads.
// - Every write replaces one value on disk at once (creating the file, the section or the key
//   as needed) and leaves every other byte of the file as it was. The file is replaced
//   through a temporary, so a failed write leaves the previous file intact; it returns false
//   and errorString() names the file and the platform's reason. The directory is never
//   created: a missing directory is a failed write, as on Windows.
class IniFile
{
public:
    // Reads the file now. A missing or unreadable file reads as empty.
    explicit IniFile(const QString& path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    QString path() const { return m_path; }

    bool contains(const QString& section, const QString& key) const;

    QByteArray readBytes(const QString& section, const QString& key, const QByteArray& defaultValue = {}) const;
    QString readString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    // Decimal with an optional sign, or hexadecimal written "0x1F" or "$1F" (32 bits, so
    // "0xFFFFFFFF" is -1). Surrounding blanks are ignored; anything else in the value
    // ("12abc", "1 2", "", a number beyond 32 bits) gives the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    // "0.5" is read everywhere; the system locale's decimal separator ("0,5") as well. A
    // value that is not a finite number gives the default.
    double readFloat(const QString& section, const QString& key, double defaultValue) const;
    // Stored as 1 and 0; true for any integer other than 0; a non-integer gives the default.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    [[nodiscard]] bool writeBytes(const QString& section, const QString& key, const QByteArray& value);
    [[nodiscard]] bool writeString(const QString& section, const QString& key, const QString& value);
    [[nodiscard]] bool writeInteger(const QString& section, const QString& key, int value);
    // Shortest text that reads back as the same number: 0.5 -> "0.5", 1.0 -> "1".
    [[nodiscard]] bool writeFloat(const QString& section, const QString& key, double value);
    [[nodiscard]] bool writeBool(const QString& section, const QString& key, bool value);

    // After a failed write: the whole message ("Cannot save <file>: <reason>"), and the
    // platform's reason alone for callers that word the message themselves.
    QString errorString() const { return m_error; }
    QString errorReason() const { return m_errorReason; }

private:
    struct Parsed;

    bool fail(const QString& reason);
    void parse();

    QString m_path;
    QByteArray m_bytes;
    std::unique_ptr<Parsed> m_parsed;
    QString m_error;
    QString m_errorReason;
};
