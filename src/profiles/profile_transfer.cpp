#include "profiles/profile_transfer.h"

#include "profiles/profile_table.h"
#include "shell/text_codec.h"

namespace {

struct WordColumn
{
    StationStatus::Word word;
    int column;
};

// Station words in the order the download fills the columns.
const WordColumn kWords[] = {
    {StationStatus::Word::T0, ProfileColumn::T0}, {StationStatus::Word::TB, ProfileColumn::TB},
    {StationStatus::Word::T1, ProfileColumn::T1}, {StationStatus::Word::S1, ProfileColumn::S1},
    {StationStatus::Word::T2, ProfileColumn::T2}, {StationStatus::Word::TL, ProfileColumn::TL},
    {StationStatus::Word::S2, ProfileColumn::S2}, {StationStatus::Word::T3, ProfileColumn::T3},
    {StationStatus::Word::S3, ProfileColumn::S3},
};

} // namespace

void writeProfileRowIntoImage(const ProfileTable& table, int dataRow, StationStatus& image)
{
    image.setCommandBits(true, false, false);
    image.setDesoldering(table.isDesoldering(dataRow));
    for (const WordColumn& w : kWords)
        image.setWord(w.word, cellWord(table.Cell(w.column, dataRow)));
    for (int i = 1; i <= 4; ++i)
        image.setK(i, cellByte(table.Cell(ProfileColumn::K1 + i - 1, dataRow)));
    image.setCelsius(table.isCelsius(dataRow));
    image.setIrSensor(table.isIrSensor(dataRow));
}

void WriteProfileToStatusImage(const ProfileTable& table, int dataRow, ProfileStationAccess& access)
{
    StationStatus& image = access.statusImage();
    writeProfileRowIntoImage(table, dataRow, image);
    access.SendCommand(image);
    // The record window takes the profile even when the station refused the send.
    if (RecordingTarget* target = access.recordingTarget()) {
        target->RefreshHeaderFromStation(image);
        RecordRowFields fields;
        fields.boardName =
            TextCodec::fromAnsi(TextCodec::toAnsiCut(cellText(table.Cell(ProfileColumn::Board, dataRow)), 20));
        fields.componentName =
            TextCodec::fromAnsi(TextCodec::toAnsiCut(cellText(table.Cell(ProfileColumn::Component, dataRow)), 20));
        fields.orientation =
            static_cast<uint8_t>(OrientationCode(cellText(table.Cell(ProfileColumn::Orientation, dataRow))));
        fields.shutterX = static_cast<uint8_t>(ShutterCode(cellText(table.Cell(ProfileColumn::ShutterX, dataRow))));
        fields.shutterY = static_cast<uint8_t>(ShutterCode(cellText(table.Cell(ProfileColumn::ShutterY, dataRow))));
        access.setRecordingTargetRowFields(fields);
        if (target->isActiveWindow())
            target->ShowHeader();
    }
    access.refreshRecordingHeader();
}

void downloadProfileIntoRow(ProfileTable& table, int dataRow, const StationStatus& status)
{
    const Language lang = table.textLanguage();
    table.SetCell(ProfileColumn::Type, dataRow, typeText(status.isDesoldering(), lang));
    for (const WordColumn& w : kWords)
        table.SetCell(w.column, dataRow, QString::number(status.word(w.word)));
    for (int i = 1; i <= 4; ++i)
        table.SetCell(ProfileColumn::K1 + i - 1, dataRow, QString::number(status.k(i)));
    table.SetCell(ProfileColumn::Unit, dataRow, unitText(status.isCelsius(), lang, table.unitTexts()));
    table.SetCell(ProfileColumn::Sensor, dataRow, sensorText(status.isIrSensor(), lang));
}

void fillRowFromParameters(ProfileTable& table, int dataRow, const ProfileParameters& p)
{
    const Language lang = table.textLanguage();
    table.SetCell(ProfileColumn::Type, dataRow, typeText(p.desoldering, lang));
    table.SetCell(ProfileColumn::Sensor, dataRow, sensorText(p.sensorIR, lang));
    table.SetCell(ProfileColumn::Unit, dataRow, unitText(p.celsius, lang, table.unitTexts()));
    const float values[] = {p.T0, p.TB, p.T1, p.S1, p.T2, p.TL, p.S2, p.T3, p.S3};
    for (int i = 0; i < 9; ++i)
        table.SetCell(ProfileColumn::T0 + i, dataRow, static_cast<double>(values[i]));
    for (int i = 0; i < 4; ++i)
        table.SetCell(ProfileColumn::K1 + i, dataRow, static_cast<int>(p.K[i]));
}

ProfileParameters defaultProfile()
{
    ProfileParameters p;
    p.desoldering = true;
    p.sensorIR = true;
    p.celsius = true;
    p.T0 = 100;
    p.TB = 150;
    p.T1 = 120;
    p.S1 = 50;
    p.T2 = 140;
    p.TL = 183;
    p.S2 = 45;
    p.T3 = 195;
    p.S3 = 15;
    p.K = {{0, 0, 128, 63}};
    return p;
}

int AddProfileRow(ProfileTable& table, ProfileStationAccess& access)
{
    const int r = table.appendRow();
    table.MakeCurrent(r);
    switch (access.activeRecordKind()) {
    case ActiveRecordKind::None:
        break;
    case ActiveRecordKind::Stored:
        fillRowFromParameters(table, r, access.activeRecordParameters());
        break;
    case ActiveRecordKind::Unsaved:
        if (access.communicationOn())
            downloadProfileIntoRow(table, r, access.statusImage());
        else
            fillRowFromParameters(table, r, defaultProfile());
        break;
    }
    return r;
}

TransferRefusal transferRefusal(const ProfileTable& table, bool parameterListLocked)
{
    if (parameterListLocked)
        return TransferRefusal::Protected;
    // With rows but no current row there is nothing to transfer either; sending a row of
    // zeros to the station would replace its profile with nonsense.
    if (table.RowCount() == 0 || table.CurrentRow() == 0)
        return TransferRefusal::NoItem;
    return TransferRefusal::None;
}
