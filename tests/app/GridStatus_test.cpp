#include "ScriptedUi.h"
#include "app/GridView.h"
#include "app/LegendWindow.h"
#include "app/MainWindow.h"
#include "roster/StatusLegend.h"
#include "util/Locale.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;
using tavrola::test::ScriptedUi;

// What the grid shows without colour, on a copy of the demo ward showing the week of
// 30 November 2026: the staff count under each required box, a mark for every coloured
// status, and the names a screen reader gives the boxes.
class GridStatusTest : public QObject {
    Q_OBJECT

    static std::unique_ptr<MainWindow> open(QTemporaryDir& dir, ScriptedUi& ui)
    {
        const QString demo = QStringLiteral(TAVROLA_SOURCE_DIR "/data/demo/");
        for (const QString& name : QDir(demo).entryList(QDir::Files))
            QFile::copy(demo + name, dir.filePath(name));
        auto w = std::make_unique<MainWindow>(dir.path() + u'/', &ui);
        w->FormCreate({dir.filePath(QStringLiteral("Monday, 30 November 2026 (Cedar Ward 7).rwk"))});
        w->NonPrefTimerTimer();  // the deferred start loads the week
        return w;
    }

    // Types into a box as the user does: one edit, then leaving the box.
    static void type(MainWindow& w, BoxRef field, const QString& text)
    {
        QLineEdit* edit = w.grid()->editFor(field);
        edit->setText(text);
        emit edit->textEdited(text);
        emit edit->editingFinished();
    }

    // With TAVROLA_SHOTS naming a folder, a picture of the window at 1366 x 768 with the
    // legend open over its lower right, in colour and in grey, for a person to look at.
    static void shot(MainWindow& w)
    {
        const QString folder = qEnvironmentVariable("TAVROLA_SHOTS");
        if (folder.isEmpty())
            return;
        w.resize(1366, 768 - 40);
        QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
        LegendWindow legend(&w);
        const QImage key = legend.grab().toImage();
        QPainter p(&image);
        p.drawImage(image.width() - key.width() - 8, image.height() - key.height() - 8, key);
        p.setPen(QPen(Qt::black, 2));
        p.drawRect(image.width() - key.width() - 8, image.height() - key.height() - 8, key.width(), key.height());
        p.end();
        image.save(folder + QStringLiteral("/main-window-legend.png"));
        image.convertToFormat(QImage::Format_Grayscale8).save(folder + QStringLiteral("/main-window-legend-grey.png"));
    }

private slots:
    void initTestCase() { UseDefaultLocale(); }

    // Every count shows the staff on its shift after the status's glyph; a short shift is
    // dark on its light background at 3:1 or more, a surplus has its own mark, and the
    // required box keeps the number typed.
    void countsShowShortAndSurplusShifts()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        auto w = open(dir, ui);
        RosterWeek& week = w->model().Week;
        for (int day = 1; day <= kDays; ++day)
            for (int shift = 1; shift <= kShifts; ++shift)
                QCOMPARE(w->grid()->countLabel(day, shift)->text(),
                         CoverText(week.status().ShiftCovers[day][shift], week.status().ShiftCounts[day][shift]));

        shot(*w);

        QLabel* count = w->grid()->countLabel(1, 1);  // Monday's early shift
        const int onDuty = week.status().ShiftCounts[1][1];
        QVERIFY(onDuty > 0);
        const struct {
            QString required;
            Status status;
        } cases[] = {
            {QString::number(onDuty + 2), Status::ShortShift},
            {QString::number(onDuty), Status::ShiftStaffed},
            {QString::number(onDuty - 1), Status::ShiftSurplus},
            {QStringLiteral("x"), Status::BadNumber},
        };
        for (const auto& c : cases) {
            type(*w, BoxRef::required(1, 1), c.required);
            QCOMPARE(w->grid()->editFor(BoxRef::required(1, 1))->text(), c.required);
            QCOMPARE(count->text(), MarkOf(c.status).glyph + QString::number(onDuty));
        }
        type(*w, BoxRef::required(1, 1), QString::number(onDuty + 2));
        const QColor background = count->palette().color(QPalette::Window);
        QCOMPARE(background, toQColor(ShortShiftColour));
        QVERIFY(ContrastRatio(fromQColor(background), fromQColor(count->palette().color(QPalette::WindowText))) >= 4.5);
        QVERIFY(ContrastRatio(ShortShiftColour, fromQColor(w->grid()->palette().color(QPalette::Window))) >= 3.0);
        QVERIFY(ContrastRatio(ShortShiftColour, White) >= 3.0);
        QCOMPARE(count->toolTip(), QStringLiteral("%1 on the early shift, %2 needed: 2 short").arg(onDuty).arg(onDuty + 2));

        // One more on the shift counts at once: an empty Monday cell of a named line.
        int line = 1;
        while (!week.data().Cells[1][line].isEmpty())
            ++line;
        type(*w, BoxRef::cell(1, line), w->model().Settings.NameAMShift);
        QCOMPARE(count->text(), MarkOf(Status::ShortShift).glyph + QString::number(onDuty + 1));
    }

    // Each coloured status of a box also shows its glyph from the legend's table.
    void everyColouredStatusHasItsGlyph()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        auto w = open(dir, ui);
        RosterWeek& week = w->model().Week;
        GridView& grid = *w->grid();
        const QString& tick = MarkOf(Status::PreferredDay).glyph;
        for (int day = 1; day <= kDays; ++day)
            for (int line = 1; line <= kLines; ++line) {
                const BoxRef cell = BoxRef::cell(day, line);
                const bool preferred = week.colour(cell) == RequestColour;
                QVERIFY2(grid.marksOn(grid.editFor(cell)).startsWith(tick) == preferred,
                         qPrintable(QStringLiteral("day %1 line %2").arg(day).arg(line)));
            }
        week.setColour(BoxRef::cell(5, 4), AlertColour);  // as the week selection marks a bank holiday
        QCOMPARE(grid.marksOn(grid.editFor(BoxRef::cell(5, 4))), MarkOf(Status::BankHoliday).glyph);
        type(*w, BoxRef::cell(5, 4), QStringLiteral("HOL 7..5"));
        QCOMPARE(grid.marksOn(grid.editFor(BoxRef::cell(5, 4))),
                 MarkOf(Status::BankHoliday).glyph + MarkOf(Status::BadNumber).glyph);

        // The contract: met, over and under, line 1 working the 42.5 hours it shows.
        QCOMPARE(week.data().HoursWorked[1], QStringLiteral("42.5"));
        const struct {
            QString set;
            Colour colour;
            QString mark;
        } contracts[] = {
            {QStringLiteral("42.5"), RequestColour, MarkOf(Status::ContractMet).glyph},
            {QStringLiteral("37.5+2.5"), AlertColour, MarkOf(Status::OverContract).glyph + QStringLiteral("2.5")},
            {QStringLiteral("37.5+7.5"), White, MarkOf(Status::UnderContract).glyph + QStringLiteral("2.5")},
            {QString(), White, QString()},  // no contract, no mark
        };
        for (const auto& c : contracts) {
            type(*w, BoxRef::hoursSet(1), c.set);
            QCOMPARE(week.status().HoursSetColours[1], c.colour);
            QCOMPARE(grid.marksOn(grid.editFor(BoxRef::hoursSet(1))), c.mark);
        }
    }

    // Each box tells a screen reader where it is and what it shows.
    void boxesHaveAccessibleNamesAndDescriptions()
    {
        QTemporaryDir dir;
        ScriptedUi ui;
        auto w = open(dir, ui);
        RosterWeek& week = w->model().Week;
        GridView& grid = *w->grid();
        // Required numbers of their own, whatever the demo ward asks.
        week.setText(BoxRef::required(1, 1), QStringLiteral("9"));
        week.setText(BoxRef::required(6, 1), QStringLiteral("4"));
        week.setText(BoxRef::required(7, 3), QStringLiteral("2"));
        const struct {
            QWidget* box;
            QString name, description;
        } cases[] = {
            {grid.editFor(BoxRef::cell(1, 1)), QStringLiteral("Monday, Margaret Okafor"),
             QStringLiteral("NIGHT, 10 hours, night shift, preferred day")},
            {grid.editFor(BoxRef::cell(3, 1)), QStringLiteral("Wednesday, Margaret Okafor"),
             QStringLiteral("empty, preferred day")},
            {grid.editFor(BoxRef::hoursSet(1)), QStringLiteral("Margaret Okafor, contracted hours"),
             QStringLiteral("contract 37.5 h; +2.5 h carried over from the weeks since %1, 2.5 hours over contract")
                 .arg(w->model().Settings.AnalysisStartDate)},
            {grid.editFor(BoxRef::hoursWorking(1)), QStringLiteral("Margaret Okafor, hours worked"),
             QStringLiteral("42.5 hours")},
            {grid.editFor(BoxRef::name(2)), QStringLiteral("Line 2, name"), QString()},
            {grid.editFor(BoxRef::cell(2, 25)), QStringLiteral("Tuesday, line 25"), QStringLiteral("empty")},
            {grid.editFor(BoxRef::required(1, 1)), QStringLiteral("Monday, early shift, staff required"),
             QStringLiteral("%1 on the early shift, 9 needed: %2 short")
                 .arg(week.status().ShiftCounts[1][1])
                 .arg(9 - week.status().ShiftCounts[1][1])},
            {grid.countLabel(6, 1), QStringLiteral("Saturday, early shift, staff on duty"),
             QStringLiteral("4 on the early shift, 4 needed: staffed")},
            {grid.countLabel(7, 3), QStringLiteral("Sunday, night shift, staff on duty"),
             QStringLiteral("1 on the night shift, 2 needed: 1 short")},
        };
        for (const auto& c : cases) {
            QVERIFY(c.box);
            QCOMPARE(c.box->accessibleName(), c.name);
            QCOMPARE(c.box->accessibleDescription(), c.description);
        }
        // A new name renames its line's boxes.
        type(*w, BoxRef::name(1), QStringLiteral("Maggie Okafor"));
        QCOMPARE(grid.editFor(BoxRef::cell(1, 1))->accessibleName(), QStringLiteral("Monday, Maggie Okafor"));
    }
};

QTEST_MAIN(GridStatusTest)
#include "GridStatus_test.moc"
