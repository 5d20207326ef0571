#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include "link/station_link.h"
#include "records/record_file.h"
#include "records/record_journal.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fake_waits.h"
#include "ui/modal_watcher.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm_actions.h"

// The record windows on a frame of their own, with the main window's actions and a link
// on a fake port: the parts the main window hands over in RecordWindowsContext.
class TestRecordWindows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void recordSaveAndReopenGiveTheSameSamples();
    void damagedFileShowsFileErrorAndClosesItsWindow();
    void cutFileIsOfferedForSalvage();
    void aFullRecordingStopsWithAMessage();
    void recordingKeepsAJournalUntilSavedOrDeleted();
    void leftoverJournalsAreOfferedOneByOne();

private:
    StationStatus frame(uint16_t tc, uint8_t state)
    {
        StationStatus s;
        s.setWord(StationStatus::Word::Tc, tc);
        s.setWord(StationStatus::Word::Tb, uint16_t(tc - 5));
        s.setByte(StationStatus::StateFlagsOffset, state);
        s.setByte(StationStatus::OutputFlagsOffset, 0x3A);
        s.setCelsius(true);
        return s;
    }

    QString journalFolder() const { return m_dir.filePath(QStringLiteral("journal")); }
    QStringList journals() const { return RecordJournal::pending(journalFolder()); }

    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_frame;
    QMdiArea* m_area = nullptr;
    TfrmCommActions* m_actions = nullptr;
    FakePort m_port;
    FakeClock m_clock;
    FakeWaits m_waits;
    std::unique_ptr<StationLink> m_link;
    std::unique_ptr<RecordWindows> m_windows;
    RecordingTarget* m_target = nullptr;
    QString m_status;
};

void TestRecordWindows::init()
{
    m_frame = std::make_unique<QWidget>();
    m_frame->resize(1200, 900);
    m_area = new QMdiArea(m_frame.get());
    auto* layout = new QVBoxLayout(m_frame.get());
    layout->addWidget(m_area);
    m_actions = new TfrmCommActions(m_frame.get());
    m_link = std::make_unique<StationLink>(m_port, m_clock);
    m_link->setWaits(&m_waits);
    m_link->setRecordingTargetProvider([this] { return m_target; });
    connect(m_actions->actnRecord, &QAction::toggled, m_link.get(), [this](bool on) { m_link->setRecording(on); });

    RecordWindowsContext c;
    c.actions = m_actions;
    c.link = m_link.get();
    c.mdiArea = m_area;
    c.dialogParent = m_frame.get();
    c.setRecordingTarget = [this](RecordingTarget* t) { m_target = t; };
    c.setStatusText = [this](const QString& s) { m_status = s; };
    c.fileFolder = m_dir.path();
    c.journalFolder = journalFolder();
    m_windows = std::make_unique<RecordWindows>(c);
    layout->addWidget(m_windows->operatorInputPanel());
    layout->addWidget(m_windows->processValuesTable());
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

void TestRecordWindows::cleanup()
{
    m_frame.reset(); // the frame takes its record windows with it
    m_windows.reset();
    m_link.reset();
    m_target = nullptr;
}

void TestRecordWindows::recordSaveAndReopenGiveTheSameSamples()
{
    ModalWatcher watcher;
    TfrmChild* w = m_windows->newRecord();
    QVERIFY(w);
    QCOMPARE(m_target, static_cast<RecordingTarget*>(w));
    QCOMPARE(w->windowTitle(), QStringLiteral("New file"));
    QVERIFY(!m_actions->newfile->isEnabled());
    QVERIFY(m_actions->actnRecord->isEnabled());
    QCOMPARE(m_windows->activeRecordWindow(), w);
    QVERIFY(w->fileMenu() && w->recordMenu() && w->analysisMenu());

    // The operator's input goes straight into the active window's header.
    auto* operatorEdit = m_windows->operatorInputPanel()->findChild<QLineEdit*>("Edit3");
    QVERIFY(operatorEdit);
    operatorEdit->setText(QStringLiteral("Wang"));
    QCOMPARE(w->record().header.operatorName, QByteArray("Wang"));

    m_link->setSamplingInterval(0.5f);
    m_actions->actnRecord->trigger();
    QVERIFY(m_actions->actnRecord->isChecked());
    QVERIFY(m_link->recording());
    QCOMPARE(m_status, QStringLiteral("recording..."));
    QVERIFY(!m_actions->actn_Open->isEnabled());
    for (int i = 0; i < 5; ++i)
        w->TakeSample(frame(uint16_t(25 + 10 * i), i < 3 ? 0x05 : 0x2D));
    QCOMPARE(w->record().samples.size(), 5);
    QCOMPARE(w->record().samples[4].time, 2.0f);
    QCOMPARE(m_windows->processValuesTable()->model()->rowCount(), 5);
    QCOMPARE(int(w->record().header.overlayOn), 1);

    // While recording the window refuses to close.
    w->requestClose();
    QTRY_VERIFY(watcher.seen.contains(QStringLiteral("Can't close the child form,please stop recording first!")));
    QCOMPARE(m_windows->windows().size(), 1);

    const QString path = m_dir.filePath("run.sld");
    m_windows->setFileChooser([&](RecordWindows::FileDialog kind, const QString& folder) {
        return kind == RecordWindows::FileDialog::Save && folder == m_dir.path() ? path : QString();
    });
    m_actions->actnSave->trigger();
    QVERIFY(QFile::exists(path));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tamsel --") + path);
    QVERIFY(!m_actions->actnRecord->isChecked());
    QVERIFY(m_status.isEmpty());
    QVERIFY(m_target == nullptr);
    QVERIFY(m_actions->newfile->isEnabled());
    QVERIFY(w->record().savedOrLoaded);

    TfrmChild* again = m_windows->openRecord(path);
    QVERIFY(again);
    QCOMPARE(again->windowTitle(), path);
    QCOMPARE(again->record().samples, w->record().samples);
    QCOMPARE(again->record().header.operatorName, QByteArray("Wang"));
    QCOMPARE(again->record().header.sampleInterval, 0.5f);
    QVERIFY(again->record().savedOrLoaded);
    QVERIFY(!again->record().isNewRecord);
    QCOMPARE(m_windows->activeRecordWindow(), again);
    QCOMPARE(m_windows->processValuesTable()->model()->rowCount(), 5);
    QCOMPARE(operatorEdit->text(), QStringLiteral("Wang"));

    // No longer the recording target: it closes without a question.
    const int boxes = watcher.seen.size();
    w->requestClose();
    QTRY_COMPARE(m_windows->windows().size(), 1);
    QCOMPARE(watcher.seen.size(), boxes);
    QCOMPARE(m_windows->windows().first(), again);
}

void TestRecordWindows::damagedFileShowsFileErrorAndClosesItsWindow()
{
    ModalWatcher watcher;
    const QString path = m_dir.filePath("cut.sld");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(150, '\x03'));
    f.close();
    QVERIFY(!m_windows->openRecord(path));
    QVERIFY(watcher.seen.contains(QStringLiteral("file error!")));
    QTRY_COMPARE(m_windows->windows().size(), 0);
    QTRY_COMPARE(m_area->subWindowList().size(), 0);
}

void TestRecordWindows::cutFileIsOfferedForSalvage()
{
    ModalWatcher watcher;
    Recording r;
    for (int i = 0; i < 4; ++i)
        r.TakeSample(frame(uint16_t(40 + i), 0), 1.0f);
    const QByteArray whole = RecordFile::encode(r);
    const QString path = m_dir.filePath("pulled-stick.sld");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(whole.left(215 + 3 * 24 + 11));
    f.close();
    TfrmChild* w = m_windows->openRecord(path);
    QVERIFY(w);
    QCOMPARE(watcher.seen.size(), 2);
    QCOMPARE(watcher.seen[0], QStringLiteral("file error!"));
    QVERIFY(watcher.seen[1].contains(QStringLiteral("Open the 3 samples and 0 dots")));
    QCOMPARE(w->record().samples, r.samples.mid(0, 3));
    QVERIFY(w->record().fileName.isEmpty());
    QCOMPARE(w->windowTitle(), QStringLiteral("Salvaged from ") + QDir::toNativeSeparators(path));
    QCOMPARE(m_windows->processValuesTable()->model()->rowCount(), 3);

    // Declined: the window goes as before. The file is never touched.
    watcher.boxAnswer = QMessageBox::No;
    QVERIFY(!m_windows->openRecord(path));
    QTRY_COMPARE(m_windows->windows().size(), 1);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), whole.left(215 + 3 * 24 + 11));
}

void TestRecordWindows::aFullRecordingStopsWithAMessage()
{
    ModalWatcher watcher;
    TfrmChild* w = m_windows->newRecord();
    m_actions->actnRecord->trigger();
    w->record().samples.resize(Recording::MaxSamples - 1);
    w->TakeSample(frame(99, 0));
    QVERIFY(!m_actions->actnRecord->isChecked());
    QVERIFY(!m_link->recording());
    QVERIFY(m_status.isEmpty());
    QCOMPARE(w->record().samples.size(), 65535);
    QCOMPARE(w->record().samples.last().tc, 99.0f);
    QTRY_VERIFY(watcher.seen.size() == 1 && watcher.seen.first().contains(QStringLiteral("65535")));
    // Still the recording target: it can be saved like any other recording.
    QCOMPARE(m_windows->recordingTarget(), w);
}

void TestRecordWindows::recordingKeepsAJournalUntilSavedOrDeleted()
{
    ModalWatcher watcher;
    QDir(journalFolder()).removeRecursively();
    TfrmChild* w = m_windows->newRecord();
    QVERIFY(journals().isEmpty()); // nothing recorded yet
    m_actions->actnRecord->trigger();
    for (int i = 0; i < 3; ++i)
        w->TakeSample(frame(uint16_t(30 + i), 0));
    m_windows->operatorInputPanel()->findChild<QLineEdit*>("Edit3")->setText(QStringLiteral("Zhao"));
    QCOMPARE(journals().size(), 1);
    RecordJournal::Contents c;
    QVERIFY(RecordJournal::readFile(journals().first(), c));
    QCOMPARE(c.record.samples, w->record().samples);
    QCOMPARE(c.record.header.operatorName, QByteArray("Zhao"));

    // Delete discards what was recorded; the recording goes on in a fresh journal.
    m_actions->actnDeleRec->trigger();
    w->TakeSample(frame(50, 0));
    QCOMPARE(journals().size(), 1);
    QVERIFY(RecordJournal::readFile(journals().first(), c));
    QCOMPARE(c.record.samples.size(), 1);
    QCOMPARE(c.record.samples.first().tc, 50.0f);

    // Switching Record off keeps it; saving ends it.
    m_actions->actnRecord->trigger();
    QCOMPARE(journals().size(), 1);
    const QString path = m_dir.filePath("journalled.sld");
    m_windows->setFileChooser([&](RecordWindows::FileDialog, const QString&) { return path; });
    QVERIFY(m_windows->save());
    QVERIFY(journals().isEmpty());
    QVERIFY(watcher.seen.isEmpty());
}

void TestRecordWindows::leftoverJournalsAreOfferedOneByOne()
{
    ModalWatcher watcher;
    QDir(journalFolder()).removeRecursively();
    // Three recordings left behind by a program that died, and one damaged journal.
    Recording r;
    r.header.recordDate = OleDate::fromDateTime(QDateTime(QDate(2026, 3, 4), QTime(10, 20, 30)));
    r.header.sampleInterval = 0.5f;
    QStringList left;
    for (int k = 0; k < 3; ++k) {
        r.TakeSample(frame(uint16_t(100 + k), 0), 0.5f);
        RecordJournal j;
        QVERIFY(j.start(journalFolder(), r));
        left << j.path();
    } // destroyed without discard: the files stay, as after a crash
    const QString damaged = QDir(journalFolder()).filePath(QStringLiteral("record-99999999.tjn"));
    QFile f(damaged);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("TJNL");
    f.close();

    QStringList questions;
    QList<RecordWindows::JournalAnswer> answers = {RecordWindows::JournalAnswer::Open,
                                                   RecordWindows::JournalAnswer::Keep,
                                                   RecordWindows::JournalAnswer::Discard};
    m_windows->setJournalAsker([&](const QString& q) {
        questions << q;
        return answers.takeFirst();
    });
    const QList<TfrmChild*> opened = m_windows->offerJournals();
    QCOMPARE(questions.size(), 3);
    QCOMPARE(questions.first(),
             QStringLiteral("A recording of 2026-03-04 10:20:30, 1 samples, was not saved when Tamsel ended. Open it?"));
    QVERIFY(questions[1].contains(QStringLiteral(", 2 samples,")));
    QVERIFY(watcher.seen.size() == 1 && watcher.seen.first().contains(QStringLiteral("cannot be read")));
    QCOMPARE(QDir(journalFolder()).entryList(QDir::Files).size(), 3); // Open, Keep and the damaged one
    QVERIFY(!QFile::exists(left[2]));
    QVERIFY(QFile::exists(damaged));

    QCOMPARE(opened.size(), 1);
    TfrmChild* w = opened.first();
    QCOMPARE(w->record().samples.size(), 1);
    QCOMPARE(w->record().samples.first().tc, 100.0f);
    QVERIFY(!w->record().isNewRecord && !w->record().savedOrLoaded);
    QCOMPARE(m_windows->recordingTarget(), nullptr);
    QCOMPARE(w->windowTitle(), QStringLiteral("Recovered recording of 2026-03-04 10:20:30"));
    QCOMPARE(m_windows->processValuesTable()->model()->rowCount(), 1);

    // Closing it unsaved keeps the journal for the next start; saving removes it.
    const QString path = m_dir.filePath("recovered.sld");
    m_windows->setFileChooser([&](RecordWindows::FileDialog, const QString&) { return path; });
    QVERIFY(m_windows->saveAs());
    QVERIFY(QFile::exists(path));
    QVERIFY(!QFile::exists(left[0]));
    QVERIFY(QFile::exists(left[1]));

    // The operator's own box: Discard removes the journal that was kept.
    m_windows->setJournalAsker(nullptr);
    watcher.boxAnswer = QMessageBox::Discard;
    watcher.seen.clear();
    QVERIFY(QFile::remove(damaged));
    QVERIFY(m_windows->offerJournals().isEmpty());
    QCOMPARE(watcher.seen, QStringList{questions[1]});
    QVERIFY(journals().isEmpty());
}

QTEST_MAIN(TestRecordWindows)
#include "test_record_windows.moc"
