#include <QtTest>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTableView>

#include "link/link_waits.h"
#include "profiles/fake_station_access.h"
#include "profiles/profile_preview.h"
#include "profiles/profile_table.h"
#include "ui/profile_import.h"
#include "ui/profile_page.h"
#include "ui/profile_paint_box.h"

namespace {

// Answers the modal message boxes that come up, one answer each, in order.
class BoxAnswers : public QObject
{
public:
    explicit BoxAnswers(QList<QMessageBox::StandardButton> answers)
        : m_answers(std::move(answers))
    {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || m_answers.isEmpty())
                return;
            texts << box->text();
            box->button(m_answers.takeFirst())->click();
        });
        m_timer.start();
    }
    bool done() const { return m_answers.isEmpty(); }
    QStringList texts;

private:
    QList<QMessageBox::StandardButton> m_answers;
    QTimer m_timer;
};

class CountingWaits : public LinkWaits
{
public:
    QStringList* log = nullptr;
    void blockingWait(int) override {}
    void processPendingMessages() override {}
    void processMessagesThenWait(int ms) override { *log << QStringLiteral("wait%1").arg(ms); }
};

void fillDefault(ProfileTable& t, int r, const QString& board)
{
    using namespace ProfileColumn;
    t.SetCell(Board, r, board);
    t.SetCell(T1, r, 120.0);
    t.SetCell(S1, r, 50.0);
    t.SetCell(T2, r, 140.0);
    t.SetCell(S2, r, 45.0);
    t.SetCell(T3, r, 195.0);
    t.SetCell(S3, r, 15.0);
    t.SetCell(Unit, r, QStringLiteral("℃"));
}

void clickRowBar(QTableView* grid, int logicalRow)
{
    QHeaderView* h = grid->verticalHeader();
    const int y = h->sectionViewportPosition(logicalRow) + h->sectionSize(logicalRow) / 2;
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->width() / 2, y));
}

} // namespace

class TestProfilePage : public QObject
{
    Q_OBJECT

    ProfilePage* m_page = nullptr;
    FakeStationAccess* m_access = nullptr;
    CountingWaits* m_waits = nullptr;

private slots:
    void init()
    {
        m_page = new ProfilePage;
        m_access = new FakeStationAccess;
        m_waits = new CountingWaits;
        m_waits->log = &m_access->log;
        m_page->setStationAccess(m_access);
        m_page->setWaits(m_waits);
        m_page->resize(900, 200);
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page));
    }
    void cleanup()
    {
        delete m_page;
        delete m_access;
        delete m_waits;
        setSaveTableOnExit(true);
    }

    void namesAndContextMenu()
    {
        QTableView* grid = m_page->findChild<QTableView*>(QStringLiteral("tsGrid2"));
        QVERIFY(grid);
        QVERIFY(m_page->findChild<ProfilePaintBox*>(QStringLiteral("DBufPaintBox2")));
        QVERIFY(grid->verticalHeader()->sectionsMovable());
        for (int c = ProfileColumn::K1; c <= ProfileColumn::K4; ++c)
            QVERIFY(grid->isColumnHidden(c - 1));
        QStringList items;
        for (QAction* a : m_page->contextMenu()->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + QLatin1Char('=') + a->text());
        QCOMPARE(items, QStringList({ "actn_download=profile download", "actn_Upload=upload profile", "-",
                                      "actn_DandAdd=Add a row", "actn_Delarow=Del the row", "-",
                                      "EditCopy1=&Copy", "EditPaste1=&Paste" }));
        // Upload and download follow communication and the process state.
        QVERIFY(!m_page->actn_Upload->isEnabled());
        m_access->communication = true;
        m_page->updateActionStates();
        QVERIFY(m_page->actn_Upload->isEnabled() && m_page->actn_download->isEnabled());
        m_access->running = true;
        m_page->updateActionStates();
        QVERIFY(!m_page->actn_Upload->isEnabled() && m_page->actn_download->isEnabled());
    }

    void rowBarSelectionRedrawsThePreview()
    {
        ProfileTable& t = m_page->table();
        fillDefault(t, 3, QStringLiteral("third"));
        ProfilePaintBox* box = m_page->previewBox();
        const QImage startup = box->image();

        // Moving the current cell alone does not redraw.
        m_page->grid()->setCurrentIndex(t.index(2, 4));
        QCOMPARE(t.CurrentRow(), 3);
        QCOMPARE(box->image(), startup);

        clickRowBar(m_page->grid(), 2);
        QCOMPARE(t.CurrentRow(), 3);
        QImage expected(box->image().size(), QImage::Format_RGB32);
        PreviewProfile(expected, t, 3);
        QCOMPARE(box->image(), expected);
        QVERIFY(box->image() != startup);
    }

    // The preview keeps to its row-bar rule, but says which row it shows: a click into
    // another row's cell changes what Upload sends, not the curve.
    void previewCaptionNamesItsRow()
    {
        ProfileTable& t = m_page->table();
        fillDefault(t, 2, QStringLiteral("second"));
        fillDefault(t, 3, QStringLiteral("third"));
        QLabel* caption = m_page->findChild<QLabel*>(QStringLiteral("previewCaption"));
        QVERIFY(caption);
        QVERIFY(caption->text().isEmpty());

        clickRowBar(m_page->grid(), 2);
        QCOMPARE(caption->text(), QStringLiteral("Row 3: third"));
        m_page->grid()->setCurrentIndex(t.index(1, 4));
        QCOMPARE(t.CurrentRow(), 2);
        QCOMPARE(m_page->previewedRow(), 3);
        QCOMPARE(caption->text(), QStringLiteral("Row 3: third"));

        // It follows its row: renamed, moved up by a deletion, gone with it.
        t.SetCell(ProfileColumn::Board, 3, QStringLiteral("renamed"));
        QCOMPARE(caption->text(), QStringLiteral("Row 3: renamed"));
        t.DeleteRows(1, 1);
        QCOMPARE(caption->text(), QStringLiteral("Row 2: renamed"));
        t.DeleteRows(2, 2);
        QCOMPARE(m_page->previewedRow(), 0);
        QVERIFY(caption->text().isEmpty());
    }

    void copyPasteDeleteThroughTheMenu()
    {
        ProfileTable& t = m_page->table();
        t.SetCell(ProfileColumn::Board, 1, QStringLiteral("one"));
        t.SetCell(ProfileColumn::Board, 2, QStringLiteral("two"));
        t.SetCell(ProfileColumn::T1, 2, QStringLiteral("70000"));
        t.SetCell(ProfileColumn::Board, 3, QStringLiteral("three"));
        clickRowBar(m_page->grid(), 1);

        m_page->EditCopy1->trigger();
        m_page->EditPaste1->trigger();
        QCOMPARE(t.RowCount(), 5);
        QCOMPARE(t.CurrentRow(), 2);
        QCOMPARE(cellText(t.Cell(ProfileColumn::Board, 5)), QStringLiteral("two"));
        QCOMPARE(cellText(t.Cell(ProfileColumn::T1, 5)), QStringLiteral("4464"));

        // Ctrl+C and Ctrl+V on the grid are the same commands, not the system clipboard.
        m_page->grid()->setFocus();
        clickRowBar(m_page->grid(), 0);
        QTest::keyClick(m_page->grid(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(m_page->grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(t.RowCount(), 6);
        QCOMPARE(cellText(t.Cell(ProfileColumn::Board, 6)), QStringLiteral("one"));

        clickRowBar(m_page->grid(), 1);
        {
            BoxAnswers no({ QMessageBox::No });
            m_page->actn_Delarow->trigger();
            QVERIFY(no.done());
            QCOMPARE(no.texts, QStringList({ "Are you sure delete the row\"two\"?" }));
        }
        QCOMPARE(t.RowCount(), 6);
        {
            BoxAnswers yes({ QMessageBox::Yes });
            m_page->actn_Delarow->trigger();
            QVERIFY(yes.done());
        }
        QCOMPARE(t.RowCount(), 5);
        QCOMPARE(cellText(t.Cell(ProfileColumn::Board, 2)), QStringLiteral("three"));
    }

    void rowBarOrderFollowsTheHeader()
    {
        ProfileTable& t = m_page->table();
        QHeaderView* h = m_page->grid()->verticalHeader();
        h->moveSection(2, 0); // row 3 dragged to the top
        h->moveSection(3, 1);
        m_page->actn_DandAdd->trigger();
        m_page->grid()->setCurrentIndex(t.index(1, 0));
        {
            BoxAnswers yes({ QMessageBox::Yes });
            m_page->actn_Delarow->trigger();
        }
        QCOMPARE(t.RowCount(), h->count());
        for (int logical = 0; logical < h->count(); ++logical)
            QCOMPARE(t.DisplayPosition(logical + 1), h->visualIndex(logical) + 1);
    }

    void typingIntoCells()
    {
        ProfileTable& t = m_page->table();
        QTableView* grid = m_page->grid();
        t.SetCell(ProfileColumn::T1, 1, 120.0);
        const QModelIndex t1 = t.index(0, ProfileColumn::T1 - 1);
        grid->setFocus();
        grid->setCurrentIndex(t1);
        grid->edit(t1);
        auto* edit = grid->viewport()->findChild<QLineEdit*>();
        QVERIFY(edit);
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("x9"));
        QCOMPARE(edit->text(), QStringLiteral("1209")); // the mask keeps digits only
        edit->clear();
        QTest::keyClick(edit, Qt::Key_Return);
        // The view commits after the key press has been handled.
        QTRY_COMPARE(t.Cell(ProfileColumn::T1, 1), QVariant(0));

        // A list column offers the language's items and stores the chosen text.
        m_page->applyLanguage(Language::Chinese);
        const QModelIndex sensor = t.index(0, ProfileColumn::Sensor - 1);
        grid->setCurrentIndex(sensor);
        grid->edit(sensor);
        auto* list = grid->viewport()->findChild<QComboBox*>();
        QVERIFY(list);
        QCOMPARE(list->itemText(0), QStringLiteral("IR-传感器"));
        QVERIFY(!list->isEditable());
        list->setCurrentIndex(0);
        emit list->activated(0);
        QCOMPARE(cellText(t.Cell(ProfileColumn::Sensor, 1)), QStringLiteral("IR-传感器"));
        QVERIFY(t.isIrSensor(1));
        QCOMPARE(t.headerData(ProfileColumn::Sensor - 1, Qt::Horizontal).toString(), QStringLiteral("传感器"));
    }

    void lockedTableOpensNoEditor()
    {
        m_page->setParameterListLocked(true);
        QTableView* grid = m_page->grid();
        const QModelIndex i = m_page->table().index(0, 0);
        grid->setCurrentIndex(i);
        grid->edit(i);
        QVERIFY(!grid->viewport()->findChild<QLineEdit*>());
        // The commands stay.
        m_page->actn_DandAdd->trigger();
        QCOMPARE(m_page->table().RowCount(), 5);
    }

    void uploadPausesWaitsAndSends()
    {
        ProfileTable& t = m_page->table();
        fillDefault(t, 1, QStringLiteral("b"));
        m_access->communication = true;
        m_page->updateActionStates();
        clickRowBar(m_page->grid(), 0);
        {
            BoxAnswers yes({ QMessageBox::Yes });
            m_page->actn_Upload->trigger();
            QVERIFY(yes.done());
            QCOMPARE(yes.texts, QStringList({ "Are you sure upload to flow 3?" }));
        }
        QStringList expected{ "pause" };
        for (int i = 0; i < 5; ++i)
            expected << "wait50";
        expected << "send" << "headerRefresh";
        for (int i = 0; i < 10; ++i)
            expected << "wait50";
        expected << "resume";
        QCOMPARE(m_access->log, expected);
        QCOMPARE(m_access->sent.size(), 1);
        QCOMPARE(m_access->sent.first().word(StationStatus::Word::T3), uint16_t(195));

        // Protected: the warning, nothing sent.
        m_access->log.clear();
        m_access->locked = true;
        {
            BoxAnswers ok({ QMessageBox::Ok });
            m_page->actn_Upload->trigger();
            QVERIFY(ok.done());
            QVERIFY(ok.texts.first().startsWith(QStringLiteral("The parameter list is protected.\n")));
        }
        QVERIFY(m_access->log.isEmpty());

        // Before the station's first status frame: a warning, nothing sent either way.
        m_access->locked = false;
        m_access->flow.clear();
        for (QAction* action : { m_page->actn_Upload, m_page->actn_download }) {
            BoxAnswers ok({ QMessageBox::Ok });
            action->trigger();
            QVERIFY(ok.done());
            QVERIFY(ok.texts.first().startsWith(QStringLiteral("The MCU has not answered yet.")));
        }
        QVERIFY(m_access->log.isEmpty());
        QCOMPARE(m_access->sent.size(), 1);
    }

    void importParameters()
    {
        QTemporaryDir dir;
        ProfileFilePaths paths{ dir.path(), QString() };
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("data"))));
        const QString source = dir.filePath(QStringLiteral("other.irl"));
        {
            QFile f(source);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("imported");
        }
        {
            BoxAnswers no({ QMessageBox::No });
            QVERIFY(!importParameterFile(m_page, source, paths));
        }
        QVERIFY(!QFile::exists(paths.modelFile()));
        QVERIFY(SaveTableOnExit());
        BoxAnswers answers({ QMessageBox::Yes, QMessageBox::Ok });
        QVERIFY(importParameterFile(m_page, source, paths));
        QCOMPARE(answers.texts.size(), 2);
        QVERIFY(answers.texts.at(0).contains(QDir::toNativeSeparators(source)));
        QCOMPARE(answers.texts.at(1), QStringLiteral("Successful  import  parameters , the  program  will  be  "
                                                     "terminate , restart  please!"));
        QVERIFY(!SaveTableOnExit());
        QFile f(paths.modelFile());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("imported"));
    }

    void loadingKeepsTheGridOnTheCurrentRow()
    {
        QTemporaryDir dir;
        ProfileFilePaths paths{ dir.path(), QString() };
        ProfileTable source;
        source.SetRowCount(2);
        fillDefault(source, 1, QStringLiteral("first"));
        int32_t lc = -1;
        QVERIFY(SaveProfileTable(source, paths, lc));

        QVERIFY(m_page->loadTable(paths));
        ProfileTable& t = m_page->table();
        QCOMPARE(t.RowCount(), 2);
        QCOMPARE(t.CurrentRow(), 1);
        QCOMPARE(m_page->grid()->currentIndex().row(), 0);
        // The first show previews the current row.
        QImage expected(m_page->previewBox()->image().size(), QImage::Format_RGB32);
        PreviewProfile(expected, t, 1);
        QCOMPARE(m_page->previewBox()->image(), expected);
    }

    void damagedFileShowsAnErrorAndKeepsTheRows()
    {
        QTemporaryDir dir;
        ProfileFilePaths paths{ dir.path(), QString() };
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("data"))));
        {
            QFile f(paths.modelFile());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("\x05\x00", 2));
        }
        m_page->table().SetCell(ProfileColumn::Board, 1, QStringLiteral("kept"));
        BoxAnswers ok({ QMessageBox::Ok });
        QVERIFY(!m_page->loadTable(paths));
        QVERIFY(ok.done());
        QVERIFY(ok.texts.first().contains(QDir::toNativeSeparators(paths.modelFile())));
        QCOMPARE(m_page->table().RowCount(), 4);
        QCOMPARE(cellText(m_page->table().Cell(ProfileColumn::Board, 1)), QStringLiteral("kept"));
    }
};

QTEST_MAIN(TestProfilePage)
#include "test_profile_page.moc"
