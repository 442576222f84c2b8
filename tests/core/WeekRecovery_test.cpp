#include "ScriptedUi.h"
#include "TestWard.h"
#include "document/WeekChain.h"
#include "document/WeekFileCommands.h"
#include "document/WeekRecovery.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace tavrola;
using tavrola::test::ScriptedUi;

namespace {

QString ReadText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void WriteText(const QString& path, const QString& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

// A window's document on a ward folder, keeping recovery files in `recovery`.
struct Desk {
    WardModel model;
    ScriptedUi ui;
    Desk(const QString& folder, const QString& recovery)
    {
        test::SetUpTestWardIn(model, 3, folder, QDate(2026, 11, 23));
        model.Week.PickerDate = QDate(2026, 11, 30);
        model.Recovery.enable(recovery);
    }
    QStringList files() const { return QDir(recoveryFolder).entryList({"*.twr"}, QDir::Files); }
    QString recoveryFolder;
};

}  // namespace

// Texts that could break a line-based file come back as they went in; damaged files are
// refused with the line named.
TEST(WeekRecovery, RecordsRoundTripAndDamagedOnesAreRefused)
{
    RecoveryRecord r;
    r.wardFolder = QStringLiteral("/wards/Cedar 7/");
    r.weekFile = QStringLiteral("/wards/Cedar 7/Monday, 30 November 2026 (Cedar Ward 7).rwk");
    r.monday = QDate(2026, 11, 30);
    r.written = QDateTime(QDate(2026, 12, 1), QTime(9, 41, 5, 250), Qt::UTC);
    r.week.Cells[3][2] = QStringLiteral("7-3 \\n AL\r\nline two \u00e9\u4e2d");
    r.week.CellColours[7][25] = RequestColour;
    r.week.Names[1] = QStringLiteral("Ann \\ O'Neil");
    r.week.HoursSet[1] = QStringLiteral("37.5 +2.5");
    r.week.Notes[25] = QStringLiteral(" trailing ");
    r.week.Required[7][3] = QStringLiteral("");
    r.week.NonPrefCount[4] = -2;
    const QString text = RecoveryText(r);
    QString error;
    const auto back = ParseRecoveryText(text, &error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_EQ(back->wardFolder, r.wardFolder);
    EXPECT_EQ(back->weekFile, r.weekFile);
    EXPECT_EQ(back->monday, r.monday);
    EXPECT_EQ(back->written, r.written);
    EXPECT_TRUE(back->week == r.week);

    const struct {
        QString from, to;
    } damages[] = {
        {"end\n", ""},                                    // cut short
        {"Tavrola recovery 1", "Tavrola recovery 9"},     // another format
        {"week 2026-11-30", "week 2026-13-30"},           // no date
        {"colour 7 25 ", "colour 7 25 x"},                // colour that does not read
        {"name 0 1 ", "name 0 26 "},                      // line out of range
        {"cell 3 2 ", "cell 3 2 \\q"},                    // unknown escape
    };
    for (const auto& d : damages) {
        QString bad = text;
        ASSERT_TRUE(bad.contains(d.from)) << d.from.toStdString();
        bad.replace(bad.indexOf(d.from), d.from.size(), d.to);
        error.clear();
        EXPECT_FALSE(ParseRecoveryText(bad, &error)) << d.to.toStdString();
        EXPECT_TRUE(error.startsWith("line ")) << error.toStdString();
    }
}

// Changes write the file, a save or undoing back to the saved state removes it, and a
// normal end leaves nothing behind.
TEST(WeekRecovery, TheFileFollowsTheUnsavedChanges)
{
    QTemporaryDir ward, recovery;
    auto desk = std::make_unique<Desk>(ward.path(), recovery.path());
    desk->recoveryFolder = recovery.path();
    WardModel& m = desk->model;
    m.Recovery.flush();
    EXPECT_TRUE(desk->files().isEmpty());

    m.typeText(BoxRef::cell(2, 1), QStringLiteral("EARLY"));
    m.endTyping();
    m.Recovery.flush();
    ASSERT_EQ(desk->files().size(), 1);
    const auto record = ParseRecoveryText(ReadText(m.Recovery.file()));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->monday, QDate(2026, 11, 30));
    EXPECT_EQ(record->week.Cells[2][1], "EARLY");

    desk->ui.fileChoices.push_front(ward.filePath("week.rwk"));
    ASSERT_TRUE(SaveClick(m, desk->ui)) << (desk->ui.shown.empty() ? "" : desk->ui.shown.back().text.toStdString());
    m.Recovery.flush();
    EXPECT_TRUE(desk->files().isEmpty());

    m.typeText(BoxRef::cell(2, 1), QStringLiteral("LATE"));
    m.Recovery.flush();
    EXPECT_EQ(desk->files().size(), 1);
    m.Undo.undo();
    m.Recovery.flush();
    EXPECT_TRUE(desk->files().isEmpty());

    m.typeText(BoxRef::cell(2, 1), QStringLiteral("NIGHT"));
    m.Recovery.flush();
    EXPECT_EQ(desk->files().size(), 1);
    desk.reset();
    EXPECT_TRUE(QDir(recovery.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

// What a program that did not end normally left is offered once; a file a running
// program holds, one older than its saved week, and a damaged one are not.
TEST(WeekRecovery, LeftFilesAreOfferedAndRestoredAsOneStep)
{
    QTemporaryDir ward, recovery;
    const QString wardFolder = ward.path() + u'/';
    RecoveryRecord left;
    left.wardFolder = wardFolder;
    left.monday = QDate(2026, 11, 30);
    left.written = QDateTime::currentDateTimeUtc();
    left.week.Names[1] = QStringLiteral("Restored Name");
    left.week.Cells[4][1] = QStringLiteral("NIGHT");
    const QString leftPath = RecoveryFileName(recovery.path(), wardFolder, left.monday, 999999901);
    WriteText(leftPath, RecoveryText(left));

    RecoveryRecord old = left;  // its week file was saved after it
    old.weekFile = ward.filePath("saved.rwk");
    old.written = QDateTime::currentDateTimeUtc().addSecs(-3600);
    WriteText(old.weekFile, "x");
    const QString oldPath = RecoveryFileName(recovery.path(), wardFolder, QDate(2026, 12, 7), 999999902);
    WriteText(oldPath, RecoveryText(old));
    const QString damagedPath = RecoveryFileName(recovery.path(), wardFolder, QDate(2026, 12, 14), 999999903);
    WriteText(damagedPath, "Tavrola recovery 1\nward");

    // A running window with changes of its own holds its file.
    Desk running(ward.path(), recovery.path());
    running.model.typeText(BoxRef::cell(1, 1), QStringLiteral("HELD"));
    running.model.Recovery.flush();
    const QString heldPath = running.model.Recovery.file();
    ASSERT_TRUE(QFile::exists(heldPath));

    const auto offers = FindRecoveryOffers(recovery.path(), wardFolder);
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0].path, leftPath);
    EXPECT_FALSE(QFile::exists(oldPath));
    EXPECT_FALSE(QFile::exists(damagedPath));
    EXPECT_TRUE(QFile::exists(heldPath));
}

TEST(WeekRecovery, YesRestoresOnTopOfTheWeekAndNoRemovesTheFile)
{
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        QTemporaryDir ward, recovery;
        const QString wardFolder = ward.path() + u'/';
        RecoveryRecord left;
        left.wardFolder = wardFolder;
        left.monday = QDate(2026, 11, 30);
        left.written = QDateTime::currentDateTimeUtc();
        Desk desk(ward.path(), recovery.path());
        left.week = desk.model.Week.data();
        left.week.Cells[4][1] = QStringLiteral("NIGHT");
        left.week.Notes[2] = QStringLiteral("phone Ann");
        const QString leftPath = RecoveryFileName(recovery.path(), wardFolder, left.monday, 999999904);
        WriteText(leftPath, RecoveryText(left));

        desk.ui.answers = {answer};
        const int steps = desk.model.Undo.count();
        EXPECT_EQ(OfferRecoveries(desk.model, desk.ui, recovery.path()), answer == Answer::Yes);
        ASSERT_EQ(desk.ui.count("yesno"), 1);
        EXPECT_TRUE(desk.ui.shown[0].text.startsWith("Restore the unsaved changes to the week of 30 Nov 2026 from "));
        EXPECT_FALSE(QFile::exists(leftPath));
        if (answer == Answer::No) {
            EXPECT_EQ(desk.model.Week.data().Cells[4][1], "");
            continue;
        }
        EXPECT_EQ(desk.model.Week.data().Cells[4][1], "NIGHT");
        EXPECT_EQ(desk.model.Week.data().Notes[2], "phone Ann");
        EXPECT_TRUE(desk.model.Week.RosterChanged);
        EXPECT_EQ(desk.model.Undo.count(), steps + 1);
        desk.model.Undo.undo();
        EXPECT_EQ(desk.model.Week.data().Cells[4][1], "");
    }
}
