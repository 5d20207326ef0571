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
    void aFullRecordingStopsWithAMessage();

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

QTEST_MAIN(TestRecordWindows)
#include "test_record_windows.moc"
