#include "ScriptedUi.h"
#include "TestWard.h"
#include "document/WeekChain.h"
#include "document/EditorFileGuard.h"
#include "document/WeekFileGuard.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavrola;
using tavrola::test::ScriptedUi;

namespace {

// One person's window on a shared ward folder.
struct Desk {
    WardModel model;
    ScriptedUi ui;
    explicit Desk(const QString& folder)
    {
        test::SetUpTestWardIn(model, 2, folder, QDate(2026, 11, 23));
        model.Week.PickerDate = QDate(2026, 11, 30);
    }
    bool save(const QString& path)
    {
        ui.fileChoices.push_front(path);
        return SaveClick(model, ui);
    }
    bool load(const QString& path) { return AutoLoadRWKfile(model, model.Labels, ui, path); }
};

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

// Two windows on one week: the second is told who holds it and opens it read-only, and
// its save does not go over the first one's file unasked; taking it over works.
TEST(WeekFileGuard, ASecondWindowOnAHeldWeekAsksAndDoesNotOverwriteUnasked)
{
    QTemporaryDir dir;
    const QString week = dir.filePath("week.rwk");
    Desk a(dir.path()), b(dir.path());
    a.model.Week.setText(BoxRef::cell(1, 1), QStringLiteral("EDIT-A"));
    ASSERT_TRUE(a.save(week));
    ASSERT_TRUE(QFile::exists(week + ".lock"));

    struct Case {
        int choice;  // to "open read-only, or take it over?": 0, 1, -1 (Cancel)
        bool loads, readOnly;
    };
    for (const Case c : {Case{-1, false, false}, Case{0, true, true}}) {
        b.ui.shown.clear();
        b.ui.choices = {c.choice};
        EXPECT_EQ(b.load(week), c.loads);
        ASSERT_EQ(b.ui.count("choice"), 1);
        EXPECT_TRUE(b.ui.shown[0].text.contains(QStringLiteral("is open on "))) << b.ui.shown[0].text.toStdString();
        EXPECT_EQ(b.model.File.readOnly(), c.readOnly);
    }
    // Read-only: saving over the held file asks; Cancel writes nothing.
    b.model.typeText(BoxRef::cell(1, 1), QStringLiteral("EDIT-B"));
    b.ui.shown.clear();
    b.ui.choices = {-1};
    EXPECT_FALSE(b.save(week));
    EXPECT_EQ(b.ui.count("choice"), 1);
    EXPECT_TRUE(Bytes(week).contains("EDIT-A"));

    // The first window's own save goes through without a question: its file is as it
    // wrote it.
    a.ui.shown.clear();
    EXPECT_TRUE(a.save(week));
    EXPECT_TRUE(a.ui.shown.empty());
}

// The file changed on disk since it was read (another program wrote it): the save asks;
// Cancel keeps the other's content, another name writes there, Overwrite writes over it.
TEST(WeekFileGuard, AFileChangedOnDiskIsNotOverwrittenUnasked)
{
    QTemporaryDir dir;
    const QString week = dir.filePath("week.rwk"), other = dir.filePath("mine.rwk");
    Desk a(dir.path());
    ASSERT_TRUE(a.save(week));
    QByteArray theirs = Bytes(week);
    theirs.replace("Ann", "Zed");
    {
        QFile f(week);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(theirs);
    }
    a.model.typeText(BoxRef::cell(2, 1), QStringLiteral("LATE"));

    a.ui.choices = {-1};
    EXPECT_FALSE(a.save(week));
    EXPECT_TRUE(a.ui.shown.back().text.contains(QStringLiteral("changed on disk")));
    EXPECT_EQ(Bytes(week), theirs);
    EXPECT_TRUE(a.model.Week.RosterChanged);

    a.ui.choices = {1};
    a.ui.fileChoices = {week, other};
    EXPECT_TRUE(SaveClick(a.model, a.ui));
    EXPECT_EQ(Bytes(week), theirs);
    EXPECT_TRUE(Bytes(other).contains("LATE"));

    // The week now in force is mine.rwk; week.rwk is not ours, and nobody holds it.
    a.model.typeText(BoxRef::cell(3, 1), QStringLiteral("EARLY"));
    a.ui.shown.clear();
    EXPECT_TRUE(a.save(other));
    EXPECT_EQ(a.ui.count("choice"), 0);
}

// The staff and clinic editors: the second editor on a ward's file is told and opens it
// read-only; neither editor's OK goes over the other's or a changed file unasked.
TEST(WeekFileGuard, EditorsOfTheWardsFilesLockAndCheckBeforeWriting)
{
    QTemporaryDir dir;
    const QString staff = dir.filePath("Staff.txt");
    {
        QFile f(staff);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("as read\n");
    }
    const QString what = QStringLiteral("The ward settings file \"Staff.txt\"");
    EditorFileGuard first(staff, what), second(staff, what);
    ScriptedUi ui;
    bool readOnly = true;
    ASSERT_TRUE(first.open(ui, &readOnly));
    EXPECT_FALSE(readOnly);
    EXPECT_TRUE(ui.shown.empty());

    ui.choices = {-1, 0};  // Cancel, then read-only
    EXPECT_FALSE(second.open(ui, &readOnly));
    ASSERT_TRUE(second.open(ui, &readOnly));
    EXPECT_TRUE(readOnly);
    ASSERT_EQ(ui.count("choice"), 2);
    EXPECT_TRUE(ui.shown[0].text.startsWith(what + " is open on ")) << ui.shown[0].text.toStdString();

    struct Case {
        EditorFileGuard* guard;
        bool changeOnDisk;
        std::deque<int> choices;
        bool mayWrite;
        int questions;
    };
    const Case cases[] = {
        {&first, false, {}, true, 0},    // ours, unchanged
        {&second, false, {-1}, false, 1}, // held by the first
        {&second, false, {0}, true, 1},   // ... overwritten on purpose
        {&first, true, {-1}, false, 1},   // changed behind its back
        {&first, false, {0}, true, 1},    // ... still changed: asks until written
    };
    for (const Case& c : cases) {
        if (c.changeOnDisk) {
            QFile f(staff);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("a colleague's edit, longer\n");
        }
        ui.shown.clear();
        ui.choices = c.choices;
        EXPECT_EQ(c.guard->mayWrite(ui), c.mayWrite);
        EXPECT_EQ(int(ui.shown.size()), c.questions);
    }
    first.written();
    ui.shown.clear();
    EXPECT_TRUE(first.mayWrite(ui));
    EXPECT_TRUE(ui.shown.empty());
}
