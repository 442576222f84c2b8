#include "ScriptedUi.h"
#include "TestFiles.h"
#include "app/GridView.h"
#include "app/MainWindow.h"
#include "app/StaffForm.h"
#include "util/Locale.h"
#include "document/WeekFileCommands.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ReadBytes;
using tavrola::test::ScriptedUi;

// The ward and staff editor, alone and from the main window's menu.
class StaffFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder() const { return dir_.path() + u'/'; }
    QString staffPath() const { return folder() + kStaffFileName; }
    QByteArray demo_;

    template <typename T = QLineEdit>
    static T* control(const QWidget& form, const char* name)
    {
        T* c = form.findChild<T*>(QString::fromLatin1(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }

    static QColor background(const QLineEdit* edit) { return edit->palette().color(QPalette::Base); }

    static void leave(QLineEdit* edit)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(edit, &out);
    }

    static QWidget* nextFocusable(QWidget* w)
    {
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty());
        return w;
    }

    // A model that has read nothing: the editor shows the file, not the settings in force.
    struct Opened {
        WardModel model;
        ScriptedUi ui;
        std::unique_ptr<StaffForm> form;
        Opened(const QString& folder)
        {
            model.Week.DataFolder = folder;
            model.Settings.HOSPITAL = QStringLiteral("In force but not in the file");
            form = std::make_unique<StaffForm>(model, ui);
            form->show();
        }
    };

    // Pictures of the top and the bottom of the window, when TAVROLA_SHOTS names a folder.
    static void shoot(StaffForm& form, const QString& name)
    {
        const QString shots = qEnvironmentVariable("TAVROLA_SHOTS");
        if (!shots.isEmpty())
            QVERIFY(form.grab().save(shots + u'/' + name));
    }

private slots:
    void initTestCase()
    {
        UseDefaultLocale();
        demo_ = ReadBytes(QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/Staff.txt"));
        QVERIFY(!demo_.isEmpty());
    }
    void init() { QVERIFY(test::WriteBytes(staffPath(), demo_)); }

    void showsTheFileWithHintsAndFitsTheScreen()
    {
        Opened o(folder());
        StaffForm& f = *o.form;
        QCOMPARE(f.windowTitle(), QStringLiteral("Ward & Staff Setup Form"));
        QVERIFY(f.width() <= 1366 && f.height() <= 700);
        QCOMPARE(control(f, "HospitalEdit")->text(), QStringLiteral("Northfield General Hospital"));
        QCOMPARE(control(f, "StaffEdit4")->text(), QStringLiteral("Zoë Lambert"));
        QCOMPARE(control(f, "HoursWorkedEdit6")->text(), QStringLiteral("30"));
        QVERIFY(control<QCheckBox>(f, "CheckBox1Fri")->isChecked());
        QVERIFY(!control<QCheckBox>(f, "CheckBox1Sat")->isChecked());
        QCOMPARE(control(f, "StaffEdit19")->text(), QString());
        QCOMPARE(control(f, "StaffEdit19")->maxLength(), 30);  // what the file's column holds
        QCOMPARE(control(f, "HoursWorkedEdit19")->maxLength(), 5);
        QCOMPARE(control(f, "thursdayPMshiftEdit")->text(), QStringLiteral("3"));
        QCOMPARE(control(f, "ShortestShiftHoursEdit")->text(), QStringLiteral("4"));
        QVERIFY(control<QCheckBox>(f, "CheckBoxAM7")->isChecked());
        QVERIFY(!control<QLabel>(f, "Label97")->isVisibleTo(&f));
        QCOMPARE(control(f, "NameAMShiftEdit")->toolTip(), QStringLiteral("NAME/CODE USED FOR AM    SHIFT - E, EARLY, AM"));
        QCOMPARE(control(f, "MidShiftBreakEdit")->toolTip(),
                 QStringLiteral("Number of Hours for Mid-Shift Break - i.e. lunch"));
        QVERIFY(control(f, "MondayAMshiftEdit")->toolTip().isEmpty());
        auto* ok = control<QPushButton>(f, "OKBtn");
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->toolTip(), QStringLiteral("Exit & Update Staff File"));
        QCOMPARE(control<QPushButton>(f, "CancelBtn")->toolTip(), QStringLiteral("Exit - Retain Existing Settings"));
        QVERIFY(o.ui.shown.empty());
        QVERIFY(!f.changed());

        QScrollBar* bar = f.scrollArea()->verticalScrollBar();
        shoot(f, QStringLiteral("staff-form-top.png"));
        bar->setValue(bar->maximum() / 2);
        shoot(f, QStringLiteral("staff-form-middle.png"));
        bar->setValue(bar->maximum());
        shoot(f, QStringLiteral("staff-form-bottom.png"));
    }

    void tabRunsRowByRow()
    {
        Opened o(folder());
        QWidget* w = control(*o.form, "StaffEdit1");
        const char* expected[] = {"SkillsEdit1",  "BandEdit1",    "HoursWorkedEdit1", "StdShiftEdit1",
                                  "CheckBox1Mon", "CheckBox1Tue", "CheckBox1Wen",     "CheckBox1Thu",
                                  "CheckBox1Fri", "CheckBox1Sat", "CheckBox1Sun",     "StaffEdit2"};
        for (const char* name : expected) {
            w = nextFocusable(w);
            QCOMPARE(w->objectName(), QString::fromLatin1(name));
        }
        QCOMPARE(nextFocusable(control<QCheckBox>(*o.form, "CheckBox25Sun"))->objectName(), QStringLiteral("MondayAMshiftEdit"));
    }

    void filtersAndDateCheckAsTheUserTypes()
    {
        Opened o(folder());
        StaffForm& f = *o.form;
        const std::pair<const char*, const char*> typed[] = {
            {"HoursWorkedOnAMEdit", "7,5"}, {"HoursWorkedEdit1", "7,5"}, {"MondayAMshiftEdit", "-2"},
            {"StaffEdit2", "Smith, Ann"},   {"NameIllnessEdit", "S=ICK;"}};
        for (const auto& [name, text] : typed) {
            control(f, name)->clear();
            QTest::keyClicks(control(f, name), QString::fromLatin1(text));
        }
        QCOMPARE(control(f, "HoursWorkedOnAMEdit")->text(), QStringLiteral("75"));
        QCOMPARE(control(f, "HoursWorkedEdit1")->text(), QStringLiteral("75"));
        QCOMPARE(control(f, "MondayAMshiftEdit")->text(), QStringLiteral("2"));
        QCOMPARE(control(f, "StaffEdit2")->text(), QStringLiteral("Smith Ann"));  // no separators
        QCOMPARE(control(f, "NameIllnessEdit")->text(), QStringLiteral("SICK"));

        QLineEdit* date = control(f, "AnalysisStartDateEdit");
        auto* off = control<QLabel>(f, "Label97");
        date->clear();
        QVERIFY(off->isVisibleTo(&f));
        QCOMPARE(off->text(), QStringLiteral("OFF"));
        QTest::keyClicks(date, QStringLiteral("05/10/2026"));
        QVERIFY(!off->isVisibleTo(&f));
    }

    void leavingADutyNameBoxRunsTheNamesCheck()
    {
        Opened o(folder());
        StaffForm& f = *o.form;
        control(f, "NamePMShiftEdit")->setText(QStringLiteral("Q"));
        control(f, "NameAdminEdit")->setText(QStringLiteral("QUIET"));
        leave(control(f, "NameAdminEdit"));
        QCOMPARE(control(f, "NamePMShiftEdit")->text(), QStringLiteral("Q_"));
        QCOMPARE(control(f, "NameAdminEdit")->text(), QStringLiteral("QUIET"));
        const QColor lime(0, 255, 0);
        QCOMPARE(background(control(f, "NamePMShiftEdit")), lime);
        QCOMPARE(background(control(f, "NameAdminEdit")), lime);
        QCOMPARE(background(control(f, "NameAMShiftEdit")), QColor(Qt::white));
        control(f, "AnalysisStartDateEdit")->setText(QStringLiteral("next month"));
        f.scrollArea()->ensureWidgetVisible(control(f, "NamePMShiftEdit"));
        shoot(f, QStringLiteral("staff-form-clash.png"));

        // Mended codes lose the mark at the next check.
        control(f, "NameAdminEdit")->setText(QStringLiteral("ADMIN"));
        leave(control(f, "NameAdminEdit"));
        QCOMPARE(background(control(f, "NamePMShiftEdit")), QColor(Qt::white));
    }

    // OK writes the whole file anew even when nothing changed: a hand-made comment goes,
    // the demo ward's own layout comes back byte for byte.
    void okAlwaysRewritesTheFile()
    {
        QVERIFY(test::WriteBytes(staffPath(), "; kept by hand\r\n" + demo_));
        Opened o(folder());
        o.form->OKBtnClick();
        QCOMPARE(o.form->result(), int(QDialog::Accepted));
        QCOMPARE(ReadBytes(staffPath()), demo_);
    }

    void cancelAsksOnlyWhenSomethingChanged()
    {
        {
            Opened o(folder());
            o.form->CancelBtnClick();
            QVERIFY(o.ui.shown.empty());
            QVERIFY(!o.form->isVisible());
        }
        Opened o(folder());
        control<QCheckBox>(*o.form, "CheckBox3Sun")->setChecked(true);
        o.ui.answers = {Answer::No, Answer::Yes};
        o.form->CancelBtnClick();
        QCOMPARE(o.ui.shown.back().text, kDiscardStaffChangesQuestion);
        QVERIFY(o.form->isVisible());
        o.form->CancelBtnClick();
        QVERIFY(!o.form->isVisible());
        QCOMPARE(o.ui.shown.size(), size_t(2));
        QCOMPARE(ReadBytes(staffPath()), demo_);
    }

    // A missing file is named, the window opens on the settings in force, and OK makes it.
    void missingFileIsNamedAndOkCreatesIt()
    {
        QVERIFY(QFile::remove(staffPath()));
        Opened o(folder());
        QCOMPARE(o.ui.count(QStringLiteral("error")), 1);
        QVERIFY(o.ui.shown[0].text.contains(staffPath()));
        QCOMPARE(control(*o.form, "HospitalEdit")->text(), QStringLiteral("In force but not in the file"));
        o.form->OKBtnClick();
        QVERIFY(ReadBytes(staffPath()).startsWith("HOSPITAL                = In force but not in the file"));
    }

    // From the menu: the save question comes first for a changed week, then OK puts the
    // new staff on the grid.
    void menuCommandReloadsTheGrid()
    {
        ScriptedUi ui;
        MainWindow w(folder(), &ui);
        QVERIFY(w.FormCreate());
        QTest::qWait(150);  // the deferred start has run
        RosterWeek& week = w.model().Week;
        w.model().typeText(BoxRef::cell(1, 1), QStringLiteral("EARLY"));
        ui.shown.clear();
        ui.answers = {Answer::No};
        QTimer::singleShot(0, [] {
            auto* f = qobject_cast<StaffForm*>(QApplication::activeModalWidget());
            QVERIFY(f);
            control(*f, "StaffEdit1")->setText(QStringLiteral("Margaret Okafor-Reid"));
            control(*f, "StaffEdit2")->clear();
            f->OKBtnClick();
        });
        w.EditStaffFile1Click();
        QCOMPARE(ui.shown.size(), size_t(1));
        QCOMPARE(ui.shown[0].kind, QStringLiteral("savediscardcancel"));
        QCOMPARE(w.grid()->editFor(BoxRef::name(1))->text(), QStringLiteral("Margaret Okafor-Reid"));
        QCOMPARE(week.data().Names[2], QStringLiteral("Priya Raman"));  // the rows closed up
        QCOMPARE(week.data().Names[18], QString());
        QCOMPARE(week.data().Cells[1][1], QStringLiteral("EARLY"));
        QVERIFY(ReadBytes(staffPath()).contains("Margaret Okafor-Reid"));

        // Cancel changes nothing, on the grid or in the file.
        const QByteArray before = ReadBytes(staffPath());
        QTimer::singleShot(0, [] { qobject_cast<StaffForm*>(QApplication::activeModalWidget())->CancelBtnClick(); });
        w.EditStaffFile1Click();
        QCOMPARE(ReadBytes(staffPath()), before);
        QCOMPARE(week.data().Names[1], QStringLiteral("Margaret Okafor-Reid"));
    }
};

QTEST_MAIN(StaffFormTest)
#include "StaffForm_test.moc"
