#include "app/GridView.h"

#include "util/Locale.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace tavrola {

namespace {
// Grid geometry in pixels: staff lines 24 apart from the top line, each edit 21 high.
constexpr int kTopLine = 152, kLineStep = 24, kEditHeight = 21;
constexpr int kNameX = 8, kNameW = 88, kStripX = 96, kStripW = 9, kGradeX = 105, kGradeW = 25;
constexpr int kSetX = 136, kSetW = 57, kWorkX = 200, kWorkW = 41;
constexpr int kDayX = 248, kDayStep = 88, kDayW = 81, kNotesX = 864, kNotesW = 137;
constexpr int kRequiredY = 128, kRequiredW = 19;
constexpr int kNavy = 0x000080;

const char* const kDayCaptions[kDays + 1] = {"", "MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY",
                                             "FRIDAY", "SATURDAY", "SUNDAY"};
const char* const kDayNames[kDays + 1] = {"", "Monday", "Tuesday", "Wednesday", "Thursday",
                                          "Friday", "Saturday", "Sunday"};

int lineY(int line) { return kTopLine + kLineStep * (line - 1); }
int dayX(int day) { return kDayX + kDayStep * (day - 1); }
}  // namespace

GridView::GridView(RosterWeek& week, QWidget* parent) : QWidget(parent), week_(week)
{
    setFixedSize(kNotesX + kNotesW + 12, lineY(kLines) + kLineStep + 40);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    ToolbarPanel = new QWidget(this);
    ToolbarPanel->setObjectName(QStringLiteral("ToolbarPanel"));
    ToolbarPanel->setGeometry(0, 0, 361, 49);
    ToolbarPanel->setAutoFillBackground(true);
    QPalette navy = ToolbarPanel->palette();
    navy.setColor(QPalette::Window, QColor::fromRgb(kNavy));
    ToolbarPanel->setPalette(navy);

    TavrolaLabel = addLabel(QStringLiteral("NURSING STAFF TAVROLA"), 376, 4, 250, 22);
    QFont title = font();
    title.setPointSize(13);
    title.setBold(true);
    TavrolaLabel->setFont(title);
    HospitalNameLabel = addLabel(QString(), 376, 30, 250, 18);
    WardNameLabel = addLabel(QString(), 376, 50, 250, 18);
    QFont names = font();
    names.setPointSize(10);
    names.setBold(true);
    HospitalNameLabel->setFont(names);
    WardNameLabel->setFont(names);
    LabelWeekCommencing = addLabel(QStringLiteral("Week Commencing Monday"), 648, 8, 150);
    DateTimePicker = new QDateEdit(this);
    DateTimePicker->setObjectName(QStringLiteral("DateTimePicker"));
    DateTimePicker->setCalendarPopup(true);
    DateTimePicker->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    DateTimePicker->setGeometry(800, 4, 201, 24);
    WkLabel = addLabel(QString(), 800, 32, 201, 18);
    FooterLabel = addLabel(QStringLiteral("Tavrola duty roster"), 8, 56, 200, 14);
    QFont tiny = font();
    tiny.setPointSize(7);
    FooterLabel->setFont(tiny);

    for (int day = 1; day <= kDays; ++day) {
        HolidayLabels[day] = addLabel(QString(), dayX(day), 84, kDayW, 14);
        HolidayLabels[day]->setAlignment(Qt::AlignCenter);
        QPalette p = HolidayLabels[day]->palette();
        p.setColor(QPalette::WindowText, QColor::fromRgb(kNavy));
        HolidayLabels[day]->setPalette(p);
        DayLabels[day] = addLabel(QString::fromLatin1(kDayCaptions[day]), dayX(day), 102, kDayW, 18);
        DayLabels[day]->setAlignment(Qt::AlignCenter);
        QFont bold = font();
        bold.setBold(true);
        DayLabels[day]->setFont(bold);
        static const char* const shiftNames[kShifts + 1] = {"", "Early/AM ", "Late/PM", "Night/N "};
        for (int shift = 1; shift <= kShifts; ++shift) {
            QLineEdit* e = addEdit(week.ShiftRequiredEdits[day][shift],
                                   dayX(day) + (shift - 1) * (kDayW - kRequiredW) / 2, kRequiredY, kRequiredW);
            e->setAlignment(Qt::AlignCenter);
            e->setToolTip(QStringLiteral("Nurses Needed %1 %2")
                              .arg(QString::fromLatin1(kDayNames[day]), QString::fromLatin1(shiftNames[shift])));
        }
    }
    addLabel(QStringLiteral("NAME"), kNameX, 132, kNameW);
    addLabel(QStringLiteral("GRD"), kGradeX, 132, kGradeW);
    addLabel(QStringLiteral("HRS"), kSetX + 44, 104, 40);
    addLabel(QStringLiteral("set"), kSetX, 132, kSetW);
    QLabel* worked = addLabel(QStringLiteral("wrk'd +Hol"), kWorkX, 116, kWorkW + 4, 32);
    worked->setWordWrap(true);
    QLabel* notes = addLabel(QStringLiteral("TRAINING, LECTURES and/or NOTES"), kNotesX, 100, kNotesW, 44);
    notes->setWordWrap(true);
    notes->setAlignment(Qt::AlignCenter);

    PaintBox1 = new QWidget(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(kStripX, kTopLine, kStripW, kLineStep * kLines);

    for (int line = 1; line <= kLines; ++line) {
        const int y = lineY(line);
        addEdit(week.NameEdits[line], kNameX, y, kNameW);
        addEdit(week.GradeEdits[line], kGradeX, y, kGradeW);
        addEdit(week.HoursSetEdits[line], kSetX, y, kSetW);
        QLineEdit* worked = addEdit(week.HoursWorkingEdits[line], kWorkX, y, kWorkW);
        worked->setReadOnly(true);
        worked->setFocusPolicy(Qt::NoFocus);
        for (int day = 1; day <= kDays; ++day) {
            QLineEdit* cell = addEdit(week.DayCells[day][line], dayX(day), y, kDayW);
            cell->setContextMenuPolicy(Qt::NoContextMenu);
        }
        addEdit(week.LecturesEdits[line], kNotesX, y, kNotesW);
    }
    SisterSignatureLabel = addLabel(QStringLiteral("Sister / Charge Nurse: ..............................."),
                                    kDayX, lineY(kLines) + kLineStep + 8, 400, 18);
    week_.addObserver(this);
    refreshAll();
}

GridView::~GridView()
{
    week_.removeObserver(this);
}

QLabel* GridView::addLabel(const QString& text, int x, int y, int width, int height)
{
    auto* label = new QLabel(text, this);
    label->setGeometry(x, y, width, height);
    return label;
}

QLineEdit* GridView::addEdit(Field& field, int x, int y, int width)
{
    auto* edit = new QLineEdit(this);
    edit->setGeometry(x, y, width, kEditHeight);
    edit->setAutoFillBackground(true);
    edits_.insert(&field, edit);
    fields_.insert(edit, &field);
    // textEdited fires for the user's own typing only, so the echo of a field change
    // back into the edit never loops.
    connect(edit, &QLineEdit::textEdited, this, [&field](const QString& text) { field.setText(text); });
    return edit;
}

void GridView::show(const Field& field, QLineEdit* edit, FieldChange what)
{
    switch (what) {
    case FieldChange::Text:
        if (edit->text() != field.text()) {
            edit->setText(field.text());
            if (!edit->hasFocus())
                edit->setCursorPosition(0);  // show the start of a long name, not its end
        }
        break;
    case FieldChange::Colour: {
        QPalette p = edit->palette();
        p.setColor(QPalette::Base, toQColor(field.colour()));
        edit->setPalette(p);
        break;
    }
    case FieldChange::Hint:
        if (field.role() != FieldRole::Required)
            edit->setToolTip(field.hint());
        break;
    }
}

void GridView::fieldChanged(const Field& field, FieldChange what)
{
    if (QLineEdit* edit = edits_.value(&field))
        show(field, edit, what);
}

void GridView::refreshAll()
{
    for (auto it = edits_.cbegin(); it != edits_.cend(); ++it) {
        show(*it.key(), it.value(), FieldChange::Text);
        show(*it.key(), it.value(), FieldChange::Colour);
        show(*it.key(), it.value(), FieldChange::Hint);
    }
}

}  // namespace tavrola
