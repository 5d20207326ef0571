#include "station_state_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "station_model.h"
#include "shell/save_file.h"

namespace {

struct WordField
{
    const char* name;
    uint16_t FlowProfile::*member;
};

const WordField WordFields[] = {
    {"T0", &FlowProfile::T0}, {"TB", &FlowProfile::TB}, {"T1", &FlowProfile::T1},
    {"S1", &FlowProfile::S1}, {"T2", &FlowProfile::T2}, {"TL", &FlowProfile::TL},
    {"S2", &FlowProfile::S2}, {"T3", &FlowProfile::T3}, {"S3", &FlowProfile::S3},
};

struct FlagField
{
    const char* name;
    bool FlowProfile::*member;
};

const FlagField FlagFields[] = {
    {"desoldering", &FlowProfile::desoldering},
    {"irSensor", &FlowProfile::irSensor},
    {"celsius", &FlowProfile::celsius},
};

// A whole number in [0, max], or an error naming where it was.
bool readNumber(const QJsonValue& v, int max, const QString& where, int* out, QString* error)
{
    const double d = v.toDouble(-1.0);
    if (!v.isDouble() || d < 0 || d > max || d != static_cast<double>(static_cast<int>(d))) {
        *error = QStringLiteral("%1 must be a whole number from 0 to %2").arg(where).arg(max);
        return false;
    }
    *out = static_cast<int>(d);
    return true;
}

bool readFlow(const QJsonValue& value, int index, FlowProfile* profile, QString* error)
{
    const QString where = QStringLiteral("flow %1").arg(index);
    if (!value.isObject()) {
        *error = where + QStringLiteral(" is not an object");
        return false;
    }
    const QJsonObject o = value.toObject();
    for (const FlagField& f : FlagFields) {
        const QJsonValue v = o.value(QLatin1String(f.name));
        if (v.isUndefined())
            continue;
        if (!v.isBool()) {
            *error = QStringLiteral("%1: %2 must be true or false").arg(where, QLatin1String(f.name));
            return false;
        }
        profile->*f.member = v.toBool();
    }
    for (const WordField& f : WordFields) {
        const QJsonValue v = o.value(QLatin1String(f.name));
        if (v.isUndefined())
            continue;
        int n = 0;
        if (!readNumber(v, 65535, where + QStringLiteral(": ") + QLatin1String(f.name), &n, error))
            return false;
        profile->*f.member = static_cast<uint16_t>(n);
    }
    for (int k = 0; k < 4; ++k) {
        const QString name = QStringLiteral("K%1").arg(k + 1);
        const QJsonValue v = o.value(name);
        if (v.isUndefined())
            continue;
        int n = 0;
        if (!readNumber(v, 255, where + QStringLiteral(": ") + name, &n, error))
            return false;
        profile->K[k] = static_cast<uint8_t>(n);
    }
    return true;
}

} // namespace

StationStateFile::LoadResult StationStateFile::load(const QString& path, StationModel& model, QString* error)
{
    QFile file(path);
    if (!file.exists())
        return LoadResult::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return LoadResult::Failed;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("%1: not a station state file (%2 at offset %3)")
                     .arg(path, parseError.errorString())
                     .arg(parseError.offset);
        return LoadResult::Failed;
    }
    if (!doc.isObject()) {
        *error = QStringLiteral("%1: not a station state file (no object)").arg(path);
        return LoadResult::Failed;
    }
    const QJsonObject root = doc.object();

    // Read everything first; the model changes only when the whole file is good.
    std::array<FlowProfile, StationModel::FlowCount> flows;
    int current = 0;
    QString why;
    const QJsonValue cur = root.value(QStringLiteral("currentFlow"));
    if (!cur.isUndefined() && !readNumber(cur, StationModel::FlowCount - 1, QStringLiteral("currentFlow"), &current, &why)) {
        *error = QStringLiteral("%1: %2").arg(path, why);
        return LoadResult::Failed;
    }
    const QJsonValue list = root.value(QStringLiteral("flows"));
    if (!list.isUndefined()) {
        const QJsonArray a = list.toArray();
        if (!list.isArray() || a.size() > StationModel::FlowCount) {
            *error = QStringLiteral("%1: flows must be a list of at most %2 flows").arg(path).arg(StationModel::FlowCount);
            return LoadResult::Failed;
        }
        for (int i = 0; i < a.size(); ++i) {
            if (!readFlow(a.at(i), i, &flows[i], &why)) {
                *error = QStringLiteral("%1: %2").arg(path, why);
                return LoadResult::Failed;
            }
        }
    }
    for (int i = 0; i < StationModel::FlowCount; ++i)
        model.setFlow(i, flows[i]);
    model.setCurrentFlow(current);
    return LoadResult::Loaded;
}

bool StationStateFile::save(const QString& path, const StationModel& model, QString* error)
{
    QJsonArray flows;
    for (int i = 0; i < StationModel::FlowCount; ++i) {
        const FlowProfile& p = model.flow(i);
        QJsonObject o;
        for (const FlagField& f : FlagFields)
            o.insert(QLatin1String(f.name), p.*f.member);
        for (const WordField& f : WordFields)
            o.insert(QLatin1String(f.name), static_cast<int>(p.*f.member));
        for (int k = 0; k < 4; ++k)
            o.insert(QStringLiteral("K%1").arg(k + 1), static_cast<int>(p.K[k]));
        flows.append(o);
    }
    QJsonObject root;
    root.insert(QStringLiteral("currentFlow"), model.currentFlow());
    root.insert(QStringLiteral("flows"), flows);

    QString why;
    if (!SaveFile::writeWhole(path, QJsonDocument(root).toJson(QJsonDocument::Indented), &why)) {
        *error = QStringLiteral("%1: %2").arg(path, why);
        return false;
    }
    return true;
}
