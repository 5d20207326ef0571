// Recordings that would otherwise be lost: journals left over when the program ended,
// offered at start one by one, and record files cut short.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "records/record_file.h"
#include "records/record_journal.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/translated_message_box.h"
#include "ui/ui_language.h"

namespace {

RecordWindows::JournalAnswer askOperator(QWidget* parent, const QString& question)
{
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("TranslatedMessageBox", "Confirm"), question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Discard, parent);
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("TranslatedMessageBox", "&Yes"));
    box.button(QMessageBox::No)->setText(QCoreApplication::translate("TranslatedMessageBox", "&No"));
    box.button(QMessageBox::Discard)->setText(RecordWindows::tr("&Discard"));
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes: return RecordWindows::JournalAnswer::Open;
    case QMessageBox::Discard: return RecordWindows::JournalAnswer::Discard;
    default: return RecordWindows::JournalAnswer::Keep;
    }
}

QString dateText(double recordDate)
{
    return OleDate::toDateTime(recordDate).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

} // namespace

QList<TfrmChild*> RecordWindows::offerJournals()
{
    QList<TfrmChild*> opened;
    if (m_context.journalFolder.isEmpty())
        return opened;
    for (const QString& path : RecordJournal::pending(m_context.journalFolder)) {
        // The window that records now has its own journal open.
        if (m_target && m_target->journalPath() == path)
            continue;
        RecordJournal::Contents contents;
        QString reason;
        if (!RecordJournal::readFile(path, contents, &reason)) {
            TranslatedMessageBox::warning(m_context.dialogParent,
                tr("The unsaved recording %1 cannot be read (%2). It is left where it is.")
                    .arg(QDir::toNativeSeparators(path), reason));
            continue;
        }
        const QString question = tr("A recording of %1, %2 samples, was not saved when Tamsel ended. Open it?")
                                     .arg(dateText(contents.record.header.recordDate))
                                     .arg(contents.record.samples.size());
        const JournalAnswer answer = m_askJournal ? m_askJournal(question) : askOperator(m_context.dialogParent, question);
        if (answer == JournalAnswer::Discard) {
            QFile::remove(path);
            continue;
        }
        if (answer == JournalAnswer::Keep)
            continue;

        TfrmChild* w = makeRecordWindow();
        w->record() = std::move(contents.record);
        w->adoptJournal(path);
        if (activeRecordWindow() == w) {
            m_model.fill(w->record().samples);
            showHeaderOf(w);
            m_panel->drawMiniProfile(w->record().header, chartStyle().unitText(w->record().isCelsius()));
        }
        w->DrawChart();
        w->setWindowTitle(tr("Recovered recording of %1").arg(dateText(w->record().header.recordDate)));
        opened << w;
    }
    updateActionStates();
    return opened;
}

void RecordWindows::journalFailed(TfrmChild* /*window*/, const QString& reason)
{
    if (m_journalFailureShown)
        return;
    m_journalFailureShown = true;
    // Told after the sampling tick has finished.
    QTimer::singleShot(0, this, [this, reason] {
        TranslatedMessageBox::warning(m_context.dialogParent,
            tr("The recording cannot be kept safe against a crash (%1). It stays in the window; save it as usual.")
                .arg(reason));
    });
}

bool RecordWindows::offerSalvage(TfrmChild* w, const QString& path)
{
    Recording salvaged;
    RecordFile::Salvage got;
    if (!SalvageRecord(salvaged, path, &got))
        return false;
    const QString question = tr("The file %1 ends too early. Open the %2 samples and %3 dots that could be read "
                                "as an unsaved record? The file itself stays as it is.")
                                 .arg(QDir::toNativeSeparators(path))
                                 .arg(got.samplesRead)
                                 .arg(got.dotsRead);
    if (!TranslatedMessageBox::confirm(m_context.dialogParent, question))
        return false;
    // Unsaved and without a file name: a save asks for a new name, the damaged file stays.
    w->record() = std::move(salvaged);
    if (activeRecordWindow() == w) {
        m_model.fill(w->record().samples);
        showHeaderOf(w);
        m_panel->drawMiniProfile(w->record().header, chartStyle().unitText(w->record().isCelsius()));
    }
    w->DrawChart();
    w->setWindowTitle(tr("Salvaged from %1").arg(QDir::toNativeSeparators(path)));
    updateActionStates();
    return true;
}
