#include "shell/ini_file.h"

#include <cmath>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>

#include <SimpleIni.h>

#include "shell/platform.h"
#include "shell/save_file.h"
#include "shell/text_codec.h"

// Writing edits the bytes of the file in place instead of letting SimpleIni save its own
// layout, so that every other line (comments, blank lines, lines it does not understand, the
// file's line breaks) stays byte for byte. The line scanner below is the one grammar of the
// file: reading hands SimpleIni only the section and key lines the scanner found, written out
// plainly, so reader and writer cannot disagree on which line holds a key (a "[" left open,
// a byte-order mark in front of the first section, a NUL byte).

struct IniFile::Parsed
{
    // Multi-key so that a key given twice reads its first occurrence, as Windows does.
    CSimpleIniA ini{false, true, false};
};

namespace {

bool isLineBreak(char c)
{
    return c == '\n' || c == '\r' || c == '\0';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isComment(char c)
{
    return c == ';' || c == '#';
}

// Names compare as SimpleIni compares them: ASCII letters without case, other bytes as they
// are (0xC0 and 0xE0 are different names).
bool sameName(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// The UTF-8 byte-order mark that Notepad puts in front of a file it saves as UTF-8. It
// belongs to no line.
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

qsizetype bomSize(const QByteArray& data)
{
    return data.startsWith(kUtf8Bom) ? 3 : 0;
}

QByteArray trimmedBlanks(const char* begin, const char* end)
{
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    return QByteArray(begin, end - begin);
}

QByteArray trimmedBlanks(const QByteArray& bytes)
{
    return trimmedBlanks(bytes.constData(), bytes.constData() + bytes.size());
}

struct Line
{
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    qsizetype start = 0;       // first byte of the line
    qsizetype contentEnd = 0;  // first line-break byte (or the end of the data)
    qsizetype end = 0;         // first byte of the next line
    QByteArray name;           // section or key name, trimmed
    qsizetype valueStart = 0;  // key lines: first byte of the value, after '=' and blanks
};

std::vector<Line> scanLines(const QByteArray& data)
{
    std::vector<Line> lines;
    const char* const base = data.constData();
    const qsizetype size = data.size();
    qsizetype pos = bomSize(data);
    while (pos < size) {
        Line line;
        line.start = pos;
        qsizetype e = pos;
        while (e < size && !isLineBreak(base[e]))
            ++e;
        line.contentEnd = e;
        if (e < size) {
            // One line break: CR LF, or a single CR, LF or NUL.
            if (base[e] == '\r' && e + 1 < size && base[e + 1] == '\n')
                e += 2;
            else
                e += 1;
        }
        line.end = e;
        pos = e;

        qsizetype p = line.start;
        while (p < line.contentEnd && isBlank(base[p]))
            ++p;
        if (p == line.contentEnd || isComment(base[p])) {
            lines.push_back(line);
            continue;
        }
        if (base[p] == '[') {
            qsizetype close = p + 1;
            while (close < line.contentEnd && base[close] != ']')
                ++close;
            if (close < line.contentEnd) {
                line.kind = Line::Section;
                line.name = trimmedBlanks(base + p + 1, base + close);
            }
            lines.push_back(line);
            continue;
        }
        qsizetype eq = p;
        while (eq < line.contentEnd && base[eq] != '=')
            ++eq;
        if (eq < line.contentEnd && eq > p) {
            line.kind = Line::Key;
            line.name = trimmedBlanks(base + p, base + eq);
            qsizetype v = eq + 1;
            while (v < line.contentEnd && isBlank(base[v]))
                ++v;
            line.valueStart = v;
        }
        lines.push_back(line);
    }
    return lines;
}

// The file with `key` of `section` set to `value`, everything else untouched.
QByteArray withValue(const QByteArray& data, const QByteArray& section, const QByteArray& key,
                     const QByteArray& value)
{
    QByteArray newline = Platform::newline();
    if (data.contains("\r\n"))
        newline = "\r\n";
    else if (data.contains('\n'))
        newline = "\n";

    const std::vector<Line> lines = scanLines(data);
    bool inSection = false;
    const Line* firstHeader = nullptr;
    const Line* insertAfter = nullptr;  // last key line of the first matching section
    bool inFirst = false;
    for (const Line& line : lines) {
        if (line.kind == Line::Section) {
            inSection = sameName(line.name, section);
            inFirst = inSection && !firstHeader;
            if (inFirst) {
                firstHeader = &line;
                insertAfter = &line;
            }
            continue;
        }
        if (!inSection || line.kind != Line::Key)
            continue;
        if (sameName(line.name, key)) {
            QByteArray out = data;
            out.replace(line.valueStart, line.contentEnd - line.valueStart, value);
            return out;
        }
        if (inFirst)
            insertAfter = &line;
    }

    const QByteArray entry = key + '=' + value;
    QByteArray out = data;
    if (insertAfter) {
        if (insertAfter->end == insertAfter->contentEnd)  // last line, without a line break
            out.insert(insertAfter->end, newline + entry);
        else
            out.insert(insertAfter->end, entry + newline);
        return out;
    }
    if (out.size() > bomSize(out) && !isLineBreak(out.back()))
        out += newline;
    out += '[' + section + ']' + newline + entry + newline;
    return out;
}

// Decimal with an optional sign, or 32-bit hexadecimal as "0x..." or "$...".
bool toInteger(const QByteArray& raw, int* result)
{
    const QByteArray text = raw.trimmed();
    bool ok = false;
    qint64 value = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        value = static_cast<qint64>(text.mid(2).toUInt(&ok, 16));
        ok = ok && text[2] != '+' && text[2] != '-';
        value = static_cast<qint32>(static_cast<quint32>(value));
    } else if (text.size() > 1 && text[0] == '$') {
        value = static_cast<qint64>(text.mid(1).toUInt(&ok, 16));
        ok = ok && text[1] != '+' && text[1] != '-';
        value = static_cast<qint32>(static_cast<quint32>(value));
    } else {
        value = text.toInt(&ok, 10);
    }
    // QByteArray's conversions accept surrounding blanks; the value was trimmed already, so
    // any blank left inside ("1 2") has to fail.
    for (char c : text)
        if (isBlank(c))
            ok = false;
    if (ok)
        *result = static_cast<int>(value);
    return ok;
}

bool toReal(const QByteArray& raw, double* result)
{
    const QString text = QString::fromLatin1(raw.trimmed());
    if (text.isEmpty())
        return false;
    // The file's own form is "0.5"; a hand-written "0,5" is taken where the system locale
    // writes it that way. Group separators are never taken ("1,5" is not 15).
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    double value = c.toDouble(text, &ok);
    if (!ok) {
        QLocale system = QLocale::system();
        system.setNumberOptions(QLocale::RejectGroupSeparator);
        value = system.toDouble(text, &ok);
    }
    if (!ok || !std::isfinite(value))
        return false;
    *result = value;
    return true;
}

// The section and key lines the scanner found, one per line, in the plain form SimpleIni
// cannot read differently: "[name]" and "key=value", nothing else.
QByteArray plainText(const QByteArray& data)
{
    QByteArray text;
    text.reserve(data.size() + 16);
    for (const Line& line : scanLines(data)) {
        if (line.kind == Line::Section) {
            text += '[' + line.name + "]\n";
        } else if (line.kind == Line::Key) {
            text += line.name + '=';
            text.append(data.constData() + line.valueStart, line.contentEnd - line.valueStart);
            text += '\n';
        }
    }
    return text;
}

bool hasLineBreak(const QByteArray& bytes)
{
    for (char c : bytes)
        if (isLineBreak(c))
            return true;
    return false;
}

// Names as the file stores them: 8-bit, without surrounding blanks.
QByteArray nameBytes(const QString& name)
{
    return TextCodec::toAnsi(name).trimmed();
}

QString tr(const char* text)
{
    return QCoreApplication::translate("IniFile", text);
}

} // namespace

IniFile::IniFile(const QString& path)
    : m_path(path)
    , m_parsed(std::make_unique<Parsed>())
{
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly))
        m_bytes = file.readAll();
    parse();
}

IniFile::~IniFile() = default;

void IniFile::parse()
{
    m_parsed = std::make_unique<Parsed>();
    m_parsed->ini.SetUnicode(false);
    m_parsed->ini.SetSpaces(false);
    const QByteArray text = plainText(m_bytes);
    m_parsed->ini.LoadData(text.constData(), static_cast<size_t>(text.size()));
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    return m_parsed->ini.GetValue(nameBytes(section).constData(), nameBytes(key).constData(), nullptr) != nullptr;
}

QByteArray IniFile::readBytes(const QString& section, const QString& key, const QByteArray& defaultValue) const
{
    const char* value = m_parsed->ini.GetValue(nameBytes(section).constData(), nameBytes(key).constData(), nullptr);
    return value ? QByteArray(value) : defaultValue;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    if (!contains(section, key))
        return defaultValue;
    return TextCodec::fromAnsi(readBytes(section, key));
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    int value = defaultValue;
    if (contains(section, key) && toInteger(readBytes(section, key), &value))
        return value;
    return defaultValue;
}

double IniFile::readFloat(const QString& section, const QString& key, double defaultValue) const
{
    double value = defaultValue;
    if (contains(section, key) && toReal(readBytes(section, key), &value))
        return value;
    return defaultValue;
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::fail(const QString& reason)
{
    m_errorReason = reason;
    m_error = tr("Cannot save %1: %2").arg(QDir::toNativeSeparators(m_path), reason);
    return false;
}

bool IniFile::writeBytes(const QString& section, const QString& key, const QByteArray& value)
{
    m_error.clear();
    m_errorReason.clear();
    const QByteArray sectionBytes = nameBytes(section);
    const QByteArray keyBytes = nameBytes(key);
    // A line break in a value would start new lines of its own in the file.
    if (sectionBytes.isEmpty() || sectionBytes.contains(']') || hasLineBreak(sectionBytes))
        return fail(tr("invalid section name \"%1\"").arg(section));
    if (keyBytes.isEmpty() || keyBytes.contains('=') || keyBytes[0] == '[' || isComment(keyBytes[0])
        || hasLineBreak(keyBytes))
        return fail(tr("invalid key name \"%1\"").arg(key));
    if (hasLineBreak(value))
        return fail(tr("the value of %1 contains a line break").arg(key));
    // Blanks around a value are not part of it when the file is read.
    if (!value.isEmpty() && (isBlank(value.front()) || isBlank(value.back())))
        return fail(tr("the value of %1 begins or ends with a blank").arg(key));

    // Start from the file as it is now, so that a write made meanwhile by another user of
    // the file is kept.
    QByteArray current;
    QFile existing(m_path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return fail(existing.errorString());
        current = existing.readAll();
        existing.close();
    }
    const QByteArray edited = withValue(current, sectionBytes, keyBytes, value);

    QString reason;
    if (!SaveFile::writeWhole(m_path, edited, &reason))
        return fail(reason);

    m_bytes = edited;
    parse();
    return true;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    // A text loses its surrounding blanks, as every INI file reads it back; only the raw
    // writeBytes refuses them.
    return writeBytes(section, key, trimmedBlanks(TextCodec::toAnsi(value)));
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    return writeBytes(section, key, QByteArray::number(value));
}

bool IniFile::writeFloat(const QString& section, const QString& key, double value)
{
    return writeBytes(section, key, QByteArray::number(value, 'g', QLocale::FloatingPointShortest));
}

bool IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    return writeBytes(section, key, value ? "1" : "0");
}
