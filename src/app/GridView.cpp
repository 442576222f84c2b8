#include "app/GridView.h"

#include "app/NonPrefStrip.h"

#include "roster/CellExplanation.h"
#include "roster/GridGeometry.h"
#include "util/Locale.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QLocale>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace tavrola {

namespace {
// Column positions and widths in pixels; the line pitch and heights are the grid's own
// (GridGeometry.h).
constexpr int kNameX = 8, kNameW = 88, kGradeX = 105, kGradeW = 25;
constexpr int kSetX = 136, kSetW = 57, kWorkX = 200, kWorkW = 41;
constexpr int kDayX = 248, kDayStep = 88, kDayW = 81, kNotesX = 864, kNotesW = 137;
constexpr int kRequiredY = 128, kRequiredW = 19;
constexpr int kNavy = 0x000080;

const char* const kDayCaptions[kDays + 1] = {"", "MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY",
                                             "FRIDAY", "SATURDAY", "SUNDAY"};

int lineY(int line) { return GridLineTop(line); }
int dayX(int day) { return kDayX + kDayStep * (day - 1); }
}  // namespace

GridView::GridView(WardModel& document, QWidget* parent)
    : QWidget(parent), document_(document), week_(document.Week)
{
    RosterWeek& week = week_;
    setFixedSize(kNotesX + kNotesW + 12, lineY(kLines) + kGridLineStep + 40);
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
    ToolbarPanel->setStyleSheet(QStringLiteral(
        "QToolButton { background: #14147a; border: 1px solid #3c3cb4; border-radius: 4px; }"
        "QToolButton:hover { border: 1px solid #ffffff; }"
        "QToolButton:checked { background: #dfe7ff; border: 2px solid #ffffff; }"));

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
                              .arg(QString(DayName(day)), QString::fromLatin1(shiftNames[shift])));
            e->setProperty("plainToolTip", e->toolTip());
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

    PaintBox1 = new NonPrefStrip(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(kNonPrefBoxLeft, kNonPrefBoxTop, kNonPrefBoxWidth, kNonPrefBoxHeight);

    for (int line = 1; line <= kLines; ++line) {
        const int y = lineY(line);
        table_[line][0] = addEdit(week.NameEdits[line], kNameX, y, kNameW);
        table_[line][1] = addEdit(week.GradeEdits[line], kGradeX, y, kGradeW);
        table_[line][2] = addEdit(week.HoursSetEdits[line], kSetX, y, kSetW);
        QLineEdit* worked = addEdit(week.HoursWorkingEdits[line], kWorkX, y, kWorkW);
        worked->setReadOnly(true);
        worked->setFocusPolicy(Qt::NoFocus);
        table_[line][3] = worked;
        for (int day = 1; day <= kDays; ++day) {
            QLineEdit* cell = addEdit(week.DayCells[day][line], dayX(day), y, kDayW);
            cell->setContextMenuPolicy(Qt::NoContextMenu);  // a right click marks the day instead
            table_[line][3 + day] = cell;
        }
        table_[line][11] = addEdit(week.LecturesEdits[line], kNotesX, y, kNotesW);
        for (QLineEdit* e : table_[line])
            e->installEventFilter(this);
    }
    SisterSignatureLabel = addLabel(QStringLiteral("Sister / Charge Nurse: ..............................."),
                                    kDayX, lineY(kLines) + kGridLineStep + 8, 400, 18);
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
    edit->setGeometry(x, y, width, kGridEditHeight);
    edit->setAutoFillBackground(true);
    edits_.insert(&field, edit);
    fields_.insert(edit, &field);
    // textEdited fires for the user's own typing only, so the echo of a field change
    // back into the edit never loops. Each keystroke is an edit of the document;
    // keystrokes in one visit to the cell make one undo step.
    connect(edit, &QLineEdit::textEdited, this, [this, edit, &field](const QString& text) {
        edit->setProperty("edited", true);
        document_.typeText(field, text);
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, &field] {
        document_.endTyping();
        const bool edited = edit->property("edited").toBool();
        edit->setProperty("edited", false);
        if (edited && !field.error().isEmpty())
            emit badNumberEntered(&field);
    });
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
        if (field.role() == FieldRole::HoursSet)
            edit->setProperty("plainToolTip", field.text());  // "37.5 -17.5" is wider than its box
        if (field.role() == FieldRole::Day) {
            // Text that counts for nothing and holds no known code (a typo, most
            // likely) is shown grey.
            bool nothing = false;
            ExplainDutyText(document_.Settings, field.text(), &nothing);
            QPalette p = edit->palette();
            p.setColor(QPalette::Text, nothing ? QColor(0x80, 0x80, 0x80) : QColor(Qt::black));
            edit->setPalette(p);
        }
        break;
    case FieldChange::Hint:
        if (field.role() != FieldRole::Required)
            edit->setProperty("plainToolTip", field.hint());
        break;
    case FieldChange::Colour:
    case FieldChange::Error: break;
    }
    showLook(field, edit);
}

void GridView::showLook(const Field& field, QLineEdit* edit)
{
    const QColor background = toQColor(field.colour());
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, background);
    edit->setPalette(p);
    const QString sheet = field.error().isEmpty()
                              ? QString()
                              : QStringLiteral("QLineEdit { border: 2px solid #d00000; background: %1; }")
                                    .arg(background.name());
    if (edit->styleSheet() != sheet)
        edit->setStyleSheet(sheet);
    const QString tip = field.error().isEmpty() ? edit->property("plainToolTip").toString() : field.error();
    if (edit->toolTip() != tip)
        edit->setToolTip(tip);
}

void GridView::fieldChanged(const Field& field, FieldChange what)
{
    if (QLineEdit* edit = edits_.value(&field))
        show(field, edit, what);
}

QString GridView::toolTipFor(const Field& field) const
{
    if (!field.error().isEmpty())
        return field.error();
    const WardSettings& s = document_.Settings;
    switch (field.role()) {
    case FieldRole::Day:
        return field.text().trimmed().isEmpty() ? field.hint() : ExplainDutyText(s, field.text());
    case FieldRole::HoursSet:
        return field.text().isEmpty() ? QString() : ExplainHoursSet(field.text(), s.AnalysisStartDate);
    case FieldRole::Required:
        return ExplainRequired(field.shift(), week_.ShiftCounts[field.day()][field.shift()], field.text());
    default: return QString();
    }
}

QLineEdit* GridView::editAt(int line, int column) const
{
    if (line < 1 || line > kLines || column < 0 || column >= kColumns)
        return nullptr;
    return table_[line][column];
}

bool GridView::moveFocus(QLineEdit* from, int dLine, int dColumn)
{
    for (int line = 1; line <= kLines; ++line) {
        for (int column = 0; column < kColumns; ++column) {
            if (table_[line][column] != from)
                continue;
            int l = line + dLine, c = column + dColumn;
            // Step sideways over boxes that take no focus (hours worked).
            while (dColumn != 0 && editAt(l, c) && editAt(l, c)->focusPolicy() == Qt::NoFocus)
                c += dColumn;
            if (QLineEdit* to = editAt(l, c)) {
                to->setFocus(Qt::OtherFocusReason);
                to->selectAll();
                return true;
            }
            return false;
        }
    }
    return false;
}

bool GridView::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    Field* field = edit ? fields_.value(edit) : nullptr;
    if (!field)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (field->role() == FieldRole::Day && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            emit dayCellRightClicked(field);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (field->role() == FieldRole::Day && me->button() == Qt::LeftButton && edit->rect().contains(me->pos()))
            emit dayCellClicked(field, edit->y());
        break;
    }
    case QEvent::ToolTip: {
        const QString tip = toolTipFor(*field);
        if (tip.isEmpty())
            break;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, edit);
        return true;
    }
    case QEvent::ShortcutOverride: {
        // Undo and redo are the document's, not the line edit's own.
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->matches(QKeySequence::Undo) || ke->matches(QKeySequence::Redo)) {
            event->ignore();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            break;
        switch (ke->key()) {
        case Qt::Key_Up: return moveFocus(edit, -1, 0);
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter: return moveFocus(edit, 1, 0);
        case Qt::Key_Left:
            if (edit->cursorPosition() == 0 && !edit->hasSelectedText())
                return moveFocus(edit, 0, -1);
            break;
        case Qt::Key_Right:
            if (edit->cursorPosition() == edit->text().size() && !edit->hasSelectedText())
                return moveFocus(edit, 0, 1);
            break;
        default: break;
        }
        break;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void GridView::refreshAll()
{
    for (auto it = edits_.cbegin(); it != edits_.cend(); ++it) {
        show(*it.key(), it.value(), FieldChange::Text);
        show(*it.key(), it.value(), FieldChange::Hint);
    }
}

}  // namespace tavrola
