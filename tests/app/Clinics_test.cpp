#include "ScriptedUi.h"
#include "app/ClinicForm.h"
#include "app/ClinicScheduleForm.h"
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "clinics/RtfReader.h"
#include "util/Locale.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QScopeGuard>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ScriptedUi;

// The clinic editor and the day pop-up over a copy of the demo ward. With
// TAVROLA_SCREENSHOTS set to a folder, the editor and the pop-up over the grid are saved
// there as PNG files to look at.
class ClinicsTest : public QObject {
    Q_OBJECT

private:
    static QString demo(const char* name) { return QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/") + name; }

    static QString ward(QTemporaryDir& dir, bool withClinics = true)
    {
        const QString folder = dir.path() + u'/';
        QFile::copy(demo("Staff.txt"), folder + QStringLiteral("Staff.txt"));
        if (withClinics)
            QFile::copy(demo("Clinic.rtf"), folder + QStringLiteral("Clinic.rtf"));
        return folder;
    }

    static void shoot(QWidget* w, const QString& name, QWidget* over = nullptr)
    {
        const QString folder = qEnvironmentVariable("TAVROLA_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QImage image = w->grab().toImage();
        if (over) {
            // The pop-up where it stands over the window, with its caption above it.
            QPainter p(&image);
            const QPoint at = over->pos() - w->pos() + QPoint(0, 22);
            const QPixmap popUp = over->grab();
            p.fillRect(QRect(at.x(), at.y() - 22, popUp.width(), 22), QColor(0x30, 0x50, 0x90));
            p.setPen(Qt::white);
            p.drawText(QRect(at.x() + 6, at.y() - 22, popUp.width() - 6, 22), Qt::AlignVCenter, over->windowTitle());
            p.drawPixmap(at, popUp);
            p.setPen(QColor(0x30, 0x50, 0x90));
            p.drawRect(QRect(at, popUp.size()).adjusted(0, 0, -1, -1));
        }
        QDir().mkpath(folder);
        image.save(QDir(folder).filePath(name));
    }

    // Picks the week of `monday` as the user does with the picker.
    static void pickWeek(MainWindow& w, const QDate& monday)
    {
        w.grid()->DateTimePicker->setDate(monday);
        w.DateTimePickerCloseUp();
    }

private slots:
    void initTestCase() { UseDefaultLocale(); }

    void theEditorLoadsFormatsAndSaves()
    {
        QTemporaryDir dir;
        const QString folder = ward(dir);
        ScriptedUi ui;
        MainWindow w(folder, &ui);
        QVERIFY(w.FormCreate());
        pickWeek(w, QDate(2026, 6, 1));
        QLineEdit* sundayAM = w.grid()->editFor(BoxRef::required(7, 1));
        const int before = sundayAM->text().toInt();

        // OK on the modal editor after adding a clinic in bold: the file is saved and the
        // week's requirements take the new clinic in.
        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* form = qobject_cast<TClinicForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            // Whatever fails below, the modal editor closes so that the test goes on.
            const auto closing = qScopeGuard([form] {
                if (form->isVisible())
                    form->done(QDialog::Rejected);
            });
            QCOMPARE(form->windowTitle(), QStringLiteral("Setup Clinic Information"));
            QCOMPARE(form->Instructions[0]->text(),
                     QStringLiteral("List the Consultants or Registrars for each day, am/pm on a separate line."));
            QCOMPARE(form->OKBtn->toolTip(), QStringLiteral("Exit & Update Staff File"));
            QCOMPARE(form->CancelBtn->toolTip(), QStringLiteral("Exit - Retain Existing Settings"));
            QVERIFY(form->ClinicRichEdit->toPlainText().contains(QStringLiteral("Dr S Ch\u00e9rif")));
            QVERIFY(!form->ClinicRichEdit->document()->isUndoAvailable());
            form->resize(700, 500);
            QCOMPARE(form->ClinicRichEdit->size(), QSize(665, 385));
            QCOMPARE(form->OKBtn->x(), 455);
            QCOMPARE(form->CancelBtn->x(), 570);
            shoot(form, QStringLiteral("clinic-editor.png"));

            QTextEdit* edit = form->ClinicRichEdit;
            edit->moveCursor(QTextCursor::End);
            QTest::keyClick(edit, Qt::Key_Return);
            QAction* bold = form->FormatBar->actions().at(0);
            QCOMPARE(bold->shortcut(), QKeySequence(QKeySequence::Bold));
            bold->trigger();
            QVERIFY(bold->isChecked());
            QTest::keyClicks(edit, QStringLiteral("Sunday AM, Dr New wk1,2,3,4,5 [New]"));
            form->OKBtnClick();
            checked = true;
        });
        w.Clinics1Click();
        QVERIFY(checked);
        QVERIFY(ui.shown.empty());
        const RtfText saved = ReadRtfFile(folder + QStringLiteral("Clinic.rtf"));
        QCOMPARE(saved.lines.last(), QStringLiteral("Sunday AM, Dr New wk1,2,3,4,5 [New]"));
        QVERIFY(sundayAM->text().toInt() > before);
        QTextDocument doc;
        QFile file(folder + QStringLiteral("Clinic.rtf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        RtfToDocument(file.readAll(), &doc);
        QCOMPARE(doc.lastBlock().begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
    }

    void cancelAsksOnlyAfterAChange()
    {
        QTemporaryDir dir;
        const QString folder = ward(dir);
        const QByteArray original = [&] { QFile f(folder + "Clinic.rtf"); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        ScriptedUi ui;
        TClinicForm form(folder, ui);
        QVERIFY(form.FormActivate());
        form.show();
        form.CancelBtnClick();
        QVERIFY(form.isHidden());
        QVERIFY(ui.shown.empty());

        QVERIFY(form.FormActivate());
        form.show();
        QTest::keyClicks(form.ClinicRichEdit, QStringLiteral("x"));
        ui.answers = {Answer::No, Answer::Yes};
        form.CancelBtnClick();
        QVERIFY(form.isVisible());  // No: keep editing
        form.close();
        QVERIFY(form.isHidden());   // Yes: closed without saving
        QCOMPARE(ui.count(QStringLiteral("yesno")), 2);
        QFile f(folder + QStringLiteral("Clinic.rtf"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), original);
    }

    void aMissingListStartsEmptyAndAnUnreadableOneIsNotOverwritten()
    {
        QTemporaryDir dir;
        const QString folder = ward(dir, false);
        ScriptedUi ui;
        TClinicForm form(folder, ui);
        QVERIFY(form.FormActivate());
        QVERIFY(form.ClinicRichEdit->toPlainText().isEmpty());
        form.ClinicRichEdit->setPlainText(QStringLiteral("Monday AM, Dr A wk1 [A]"));
        form.OKBtnClick();
        QCOMPARE(ReadRtfFile(folder + QStringLiteral("Clinic.rtf")).lines, QStringList{"Monday AM, Dr A wk1 [A]"});

        QFile::remove(folder + QStringLiteral("Clinic.rtf"));
        QDir().mkdir(folder + QStringLiteral("Clinic.rtf"));
        TClinicForm refused(folder, ui);
        QVERIFY(!refused.FormActivate());
        QCOMPARE(ui.count(QStringLiteral("error")), 1);
        QVERIFY(ui.shown.back().text.contains(QStringLiteral("Clinic.rtf")));
    }

    void theDayPopUpWritesItsNotesAsOneStep()
    {
        QTemporaryDir dir;
        const QString folder = ward(dir);
        ScriptedUi ui;
        MainWindow w(folder, &ui);
        QVERIFY(w.FormCreate());
        w.show();
        GridView* g = w.grid();
        const QAction* menu = w.findChild<QAction*>(QStringLiteral("Clinics1"));
        QVERIFY(menu && menu->text() == QStringLiteral("Setup Clinics "));
        QLabel* monday = g->DayLabels[1];
        QCOMPARE(monday->toolTip(), QStringLiteral("Clinics on Monday"));
        QCOMPARE(monday->cursor().shape(), Qt::PointingHandCursor);

        // No week chosen yet.
        QTest::mouseClick(monday, Qt::LeftButton);
        QCOMPARE(ui.count(QStringLiteral("error")), 1);
        QCOMPARE(ui.shown[0].text, QStringLiteral("Please set the tavrola \"Week Commencing Date\""));
        QVERIFY(!w.clinicPopUp() || w.clinicPopUp()->isHidden());

        // Monday 12 October 2026 is in week 2: the Monday PM fracture clinic.
        pickWeek(w, QDate(2026, 10, 12));
        ui.shown.clear();
        QTest::mouseClick(monday, Qt::LeftButton);
        TClinicScheduleForm* popUp = w.clinicPopUp();
        QVERIFY(popUp && popUp->isVisible());
        QVERIFY(ui.shown.empty());
        QVERIFY(popUp->windowTitle().startsWith(QStringLiteral("Clinics-Monday ")));
        QVERIFY(popUp->windowTitle().endsWith(QStringLiteral(" WK 2")));
        QCOMPARE(popUp->lines().size(), 1);
        QVERIFY(popUp->lines()[0].contains(QStringLiteral("[Fracture]")));
        QVERIFY(popUp->windowFlags() & Qt::WindowStaysOnTopHint);
        // Under its heading (moved left where it would leave the screen).
        const QPoint under = monday->mapToGlobal(QPoint(0, monday->height()));
        QCOMPARE(popUp->y(), under.y());
        QVERIFY(popUp->x() <= under.x());

        RosterWeek& week = w.model().Week;
        const int spare = week.LinesWithNames();
        QTest::mouseClick(popUp->ClinicsRE->viewport(), Qt::LeftButton);
        QCOMPARE(week.data().Cells[1][spare], QStringLiteral("**********"));
        QCOMPARE(week.data().Cells[1][spare + 1], QStringLiteral("Fracture"));
        QCOMPARE(g->editFor(BoxRef::cell(1, spare + 1))->text(), QStringLiteral("Fracture"));
        QVERIFY(w.isWindowModified());
        QCOMPARE(w.model().Undo.undoText(), QStringLiteral("Clinic notes on Monday"));
        const int steps = w.model().Undo.count();
        QTest::mouseClick(popUp->ClinicsRE->viewport(), Qt::RightButton);  // any button; nothing new
        QCOMPARE(w.model().Undo.count(), steps);
        shoot(&w, QStringLiteral("clinic-popup-over-grid.png"), popUp);
        w.model().Undo.undo();
        QCOMPARE(week.data().Cells[1][spare + 1], QString());

        // Wednesday of the same week: its own list, under its own heading; a second click
        // on the heading closes it, and so does Esc.
        QTest::mouseClick(g->DayLabels[3], Qt::LeftButton);
        QVERIFY(popUp->windowTitle().startsWith(QStringLiteral("Clinics-Wednesday ")));
        QVERIFY(popUp->lines()[0].contains(QStringLiteral("[Heart failure]")));
        QCOMPARE(popUp->y(), g->DayLabels[3]->mapToGlobal(QPoint(0, g->DayLabels[3]->height())).y());
        QVERIFY(popUp->placed());
        QTest::mouseClick(g->DayLabels[3], Qt::LeftButton);
        QVERIFY(popUp->isHidden());
        QVERIFY(!popUp->placed());
        QTest::mouseClick(g->DayLabels[3], Qt::LeftButton);
        QVERIFY(popUp->isVisible());
        QTest::keyClick(popUp->ClinicsRE, Qt::Key_Escape);
        QVERIFY(popUp->isHidden());

        // With the list gone, the pop-up says so instead of listing anything.
        QFile::remove(folder + QStringLiteral("Clinic.rtf"));
        QTest::mouseClick(monday, Qt::LeftButton);
        QVERIFY(popUp->lines().isEmpty());
        QVERIFY(popUp->Problem->isVisible());
        QVERIFY(popUp->Problem->text().contains(QStringLiteral("Clinic.rtf")));
        QVERIFY(ui.shown.empty());
    }
};

QTEST_MAIN(ClinicsTest)
#include "Clinics_test.moc"
