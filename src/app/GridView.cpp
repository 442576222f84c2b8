#include "app/GridView.h"

#include "app/CellMarks.h"
#include "app/NonPrefStrip.h"
#include "document/AccessibleText.h"
#include "document/WorkingTime.h"
#include "render/NonPrefChart.h"

#include "roster/CellExplanation.h"
#include "roster/GridGeometry.h"
#include "roster/StatusLegend.h"
#include "util/Locale.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QLocale>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollArea>

#include <algorithm>
#include <QToolTip>

namespace tavrola {

namespace {
// Fixed columns in pixels; the day and notes columns share whatever width the window
// gives beyond them. The line pitch and heights are the grid's own (GridGeometry.h).
constexpr int kNameX = 8, kNameW = 124, kGradeW = 27, kSetW = 104, kWorkW = 44, kGap = 5;
constexpr int kDayMinW = 81, kDayGap = 7, kNotesMinW = 137, kRightMargin = 12;
constexpr int kRequiredY = 128, kRequiredW = 19;
// The staff count under each required box.
constexpr int kCountY = kRequiredY + kGridEditHeight + 1, kCountW = 27, kCountH = 14;
constexpr int kNavy = 0x000080;

const char* const kDayCaptions[kDays + 1] = {"", "MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY",
                                             "FRIDAY", "SATURDAY", "SUNDAY"};

// Lines stand in the scrolled body, whose top is the grid's first line.
int lineY(int line) { return GridLineTop(line) - kGridTopLine; }

constexpr int kStripX = kNameX + kNameW;
constexpr int kGradeX = kStripX + kNonPrefBoxWidth + 2;
constexpr int kSetX = kGradeX + kGradeW + kGap;
constexpr int kWorkX = kSetX + kSetW + kGap;
constexpr int kDayX = kWorkX + kWorkW + 2 * kGap;
constexpr int kMinWidth = kDayX + kDays * (kDayMinW + kDayGap) + kNotesMinW + kRightMargin;
constexpr int kBodyHeight = kGridLineStep * kLines + 40;
}  // namespace

GridView::GridView(WardModel& document, QWidget* parent)
    : QWidget(parent), document_(document), week_(document.Week)
{
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    // The headings stay in view; the 25 lines scroll beneath them.
    header_ = new QWidget(this);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    body_ = new QWidget;
    body_->setFont(small);
    body_->setFixedHeight(kBodyHeight);
    scroll_->setWidget(body_);
    setMinimumSize(kMinWidth, kGridTopLine + 5 * kGridLineStep);

    ToolbarPanel = new QWidget(header_);
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

    TavrolaLabel = addLabel(header_, QStringLiteral("NURSING STAFF TAVROLA"), 376, 4, 260, 22);
    QFont title = font();
    title.setPointSize(13);
    title.setBold(true);
    TavrolaLabel->setFont(title);
    HospitalNameLabel = addLabel(header_, QString(), 376, 30, 300, 18);
    WardNameLabel = addLabel(header_, QString(), 376, 50, 300, 18);
    QFont names = font();
    names.setPointSize(10);
    names.setBold(true);
    HospitalNameLabel->setFont(names);
    WardNameLabel->setFont(names);
    LabelWeekCommencing = addLabel(header_, QStringLiteral("Week Commencing Monday"), 0, 8, 150);
    LabelWeekCommencing->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DateTimePicker = new QDateEdit(header_);
    DateTimePicker->setObjectName(QStringLiteral("DateTimePicker"));
    DateTimePicker->setCalendarPopup(true);
    DateTimePicker->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    WkLabel = addLabel(header_, QString(), 0, 32, 201, 18);
    FooterLabel = addLabel(header_, QStringLiteral("Tavrola duty roster"), 8, 56, 200, 14);
    QFont tiny = font();
    tiny.setPointSize(7);
    FooterLabel->setFont(tiny);

    QFont countFont = font();
    countFont.setPointSize(7);
    countFont.setBold(true);
    for (int day = 1; day <= kDays; ++day) {
        HolidayLabels[day] = addLabel(header_, QString(), 0, 84, kDayMinW, 14);
        HolidayLabels[day]->setAlignment(Qt::AlignCenter);
        QPalette p = HolidayLabels[day]->palette();
        p.setColor(QPalette::WindowText, QColor::fromRgb(kNavy));
        HolidayLabels[day]->setPalette(p);
        DayLabels[day] = addLabel(header_, QString::fromLatin1(kDayCaptions[day]), 0, 102, kDayMinW, 18);
        DayLabels[day]->setAlignment(Qt::AlignCenter);
        QFont bold = font();
        bold.setBold(true);
        DayLabels[day]->setFont(bold);
        // A click on a day heading shows that day's clinics.
        DayLabels[day]->setCursor(Qt::PointingHandCursor);
        DayLabels[day]->setToolTip(QStringLiteral("Clinics on %1").arg(DayName(day)));
        DayLabels[day]->installEventFilter(this);
        static const char* const shiftNames[kShifts + 1] = {"", "Early/AM ", "Late/PM", "Night/N "};
        for (int shift = 1; shift <= kShifts; ++shift) {
            QLineEdit* e = addEdit(header_, BoxRef::required(day, shift), 0, kRequiredY, kRequiredW);
            required_[day][shift] = e;
            e->setAlignment(Qt::AlignCenter);
            e->setToolTip(QStringLiteral("Nurses Needed %1 %2")
                              .arg(QString(DayName(day)), QString::fromLatin1(shiftNames[shift])));
            e->setProperty("plainToolTip", e->toolTip());
            e->installEventFilter(this);
            e->setAccessibleName(AccessibleName(week_, BoxRef::required(day, shift)));
            QLabel* count = addLabel(header_, QString(), 0, kCountY, kCountW, kCountH);
            count->setAlignment(Qt::AlignCenter);
            count->setFont(countFont);
            count->setAutoFillBackground(true);
            count->setAccessibleName(AccessibleName(week_, BoxRef::count(day, shift)));
            counts_[day][shift] = count;
        }
    }
    addLabel(header_, QStringLiteral("NAME"), kNameX, 132, kNameW);
    addLabel(header_, QStringLiteral("GRD"), kGradeX, 132, kGradeW);
    addLabel(header_, QStringLiteral("HRS"), kSetX + 66, 104, 40);
    addLabel(header_, QStringLiteral("set"), kSetX, 132, kSetW);
    QLabel* worked = addLabel(header_, QStringLiteral("wrk'd +Hol"), kWorkX, 116, kWorkW + 4, 32);
    worked->setWordWrap(true);
    NotesHeading_ = addLabel(header_, QStringLiteral("TRAINING, LECTURES and/or NOTES"), 0, 100, kNotesMinW, 44);
    NotesHeading_->setWordWrap(true);
    NotesHeading_->setAlignment(Qt::AlignCenter);

    PaintBox1 = new NonPrefStrip(body_);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(kStripX, 0, kNonPrefBoxWidth, kNonPrefBoxHeight);

    for (int line = 1; line <= kLines; ++line) {
        const int y = lineY(line);
        table_[line][0] = addEdit(body_, BoxRef::name(line), kNameX, y, kNameW);
        table_[line][1] = addEdit(body_, BoxRef::grade(line), kGradeX, y, kGradeW);
        table_[line][2] = addEdit(body_, BoxRef::hoursSet(line), kSetX, y, kSetW);
        QLineEdit* worked = addEdit(body_, BoxRef::hoursWorking(line), kWorkX, y, kWorkW);
        worked->setReadOnly(true);
        worked->setFocusPolicy(Qt::NoFocus);
        table_[line][3] = worked;
        for (int day = 1; day <= kDays; ++day) {
            QLineEdit* cell = addEdit(body_, BoxRef::cell(day, line), 0, y, kDayMinW);
            cell->setContextMenuPolicy(Qt::NoContextMenu);  // a right click marks the day instead
            table_[line][3 + day] = cell;
        }
        table_[line][11] = addEdit(body_, BoxRef::lectures(line), 0, y, kNotesMinW);
        for (QLineEdit* e : table_[line])
            e->installEventFilter(this);
    }
    SisterSignatureLabel = addLabel(body_, QStringLiteral("Sister / Charge Nurse: ..............................."),
                                    kDayX, lineY(kLines) + kGridLineStep + 8, 400, 18);
    resize(kMinWidth, kGridTopLine + kBodyHeight);
    layOut();
    week_.addObserver(this);
    refreshAll();
    connect(&document_, &WardModel::breachesChanged, this, &GridView::showBreaches);
    showBreaches();
}

void GridView::showBreaches()
{
    bool marked[kDays + 1][kLines + 1] = {};
    for (const Breach& b : document_.Breaches)
        if (b.day >= 1 && b.day <= kDays && b.line >= 1 && b.line <= kLines)
            marked[b.day][b.line] = true;
    for (int day = 1; day <= kDays; ++day)
        for (int line = 1; line <= kLines; ++line) {
            const bool was = breachMarked(line, day);
            if (marked[day][line] || was)
                showDayMarks(BoxRef::cell(day, line), marked[day][line]);
        }
}

void GridView::showDayMarks(BoxRef cell, bool breach)
{
    QLineEdit* edit = table_[cell.line()][3 + cell.day()];
    const QString glyphs = DayCellGlyphs(week_.colour(cell), !week_.error(cell).isEmpty());
    CellMarks*& marks = marks_[cell.day()][cell.line()];
    if (!marks && (breach || !glyphs.isEmpty()))
        marks = new CellMarks(edit);
    if (marks)
        marks->setMarks(glyphs, breach);
    edit->setAccessibleDescription(AccessibleDescription(document_, cell));
}

void GridView::showContract(int line)
{
    const BoxRef set = BoxRef::hoursSet(line);
    CellMarks*& marks = contractMarks_[line];
    const QString mark = ContractMark(week_.text(set), week_.status().WeekHours[line]);
    if (!marks && !mark.isEmpty())
        marks = new CellMarks(table_[line][2]);
    if (marks)
        marks->setMarks(mark, false);
    table_[line][2]->setAccessibleDescription(AccessibleDescription(document_, set));
    table_[line][3]->setAccessibleDescription(AccessibleDescription(document_, BoxRef::hoursWorking(line)));
}

void GridView::showCover(int day, int shift)
{
    const BoxRef count = BoxRef::count(day, shift);
    QLabel* label = counts_[day][shift];
    const QString& text = week_.status().CountTexts[day][shift];
    if (label->text() != text)
        label->setText(text);
    QPalette p = label->palette();
    const Colour colour = week_.status().CountColours[day][shift];
    const Colour ink = InkOn(colour);
    if (p.color(QPalette::Window) != toQColor(colour) || p.color(QPalette::WindowText) != toQColor(ink)) {
        p.setColor(QPalette::Window, toQColor(colour));
        p.setColor(QPalette::WindowText, toQColor(ink));
        label->setPalette(p);
    }
    const QString description = AccessibleDescription(document_, count);
    label->setAccessibleDescription(description);
    label->setToolTip(description);
    required_[day][shift]->setAccessibleDescription(AccessibleDescription(document_, BoxRef::required(day, shift)));
}

void GridView::nameLine(int line)
{
    for (int column = 0; column < kColumns; ++column)
        table_[line][column]->setAccessibleName(AccessibleName(week_, boxFor(table_[line][column])));
}

bool GridView::breachMarked(int line, int day) const
{
    const CellMarks* mark = marks_[day][line];
    return mark && mark->breach();
}

QString GridView::marksOn(const QLineEdit* box) const
{
    const BoxRef f = boxFor(box);
    const CellMarks* marks = f.role() == BoxRole::Day        ? marks_[f.day()][f.line()]
                             : f.role() == BoxRole::HoursSet ? contractMarks_[f.line()]
                                                             : nullptr;
    return marks ? marks->glyphs() : QString();
}

QSize GridView::sizeHint() const
{
    return QSize(kMinWidth, kGridTopLine + kBodyHeight);
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void GridView::layOut()
{
    const int w = std::max(width(), kMinWidth);
    header_->setGeometry(0, 0, w, kGridTopLine);
    scroll_->setGeometry(0, kGridTopLine, width(), height() - kGridTopLine);
    body_->setFixedWidth(std::max(scroll_->viewport()->width(), kMinWidth));

    // Days take seven ninths of the spare width, the notes the rest.
    const int spare = std::max(0, body_->width() - kMinWidth);
    const int dayW = kDayMinW + spare * 7 / 9 / kDays;
    const int notesX = kDayX + kDays * (dayW + kDayGap);
    const int notesW = body_->width() - kRightMargin - notesX;
    auto dayX = [dayW](int day) { return kDayX + (dayW + kDayGap) * (day - 1); };
    for (int day = 1; day <= kDays; ++day) {
        HolidayLabels[day]->setGeometry(dayX(day), 84, dayW, 14);
        DayLabels[day]->setGeometry(dayX(day), 102, dayW, 18);
        for (int shift = 1; shift <= kShifts; ++shift)
        {
            const int x = dayX(day) + (shift - 1) * (dayW - kRequiredW) / 2;
            required_[day][shift]->move(x, kRequiredY);
            counts_[day][shift]->move(x + (kRequiredW - kCountW) / 2, kCountY);
        }
        for (int line = 1; line <= kLines; ++line)
            table_[line][3 + day]->setGeometry(dayX(day), lineY(line), dayW, kGridEditHeight);
    }
    for (int line = 1; line <= kLines; ++line)
        table_[line][11]->setGeometry(notesX, lineY(line), notesW, kGridEditHeight);
    NotesHeading_->setGeometry(notesX, 100, notesW, 44);

    // The week box keeps to the right edge, its caption before it.
    const int pickerX = w - kRightMargin - 201;
    DateTimePicker->setGeometry(pickerX, 4, 201, 24);
    const int captionW = LabelWeekCommencing->fontMetrics().horizontalAdvance(LabelWeekCommencing->text()) + 8;
    LabelWeekCommencing->setGeometry(pickerX - captionW, 8, captionW, 18);
    WkLabel->setGeometry(pickerX, 32, 201, 18);
}

GridView::~GridView()
{
    week_.removeObserver(this);
}

QLabel* GridView::addLabel(QWidget* on, const QString& text, int x, int y, int width, int height)
{
    auto* label = new QLabel(text, on);
    label->setGeometry(x, y, width, height);
    return label;
}

QLineEdit* GridView::editFor(BoxRef box) const
{
    if (!box.isBox())
        return nullptr;
    switch (box.role()) {
    case BoxRole::Name: return table_[box.line()][0];
    case BoxRole::Grade: return table_[box.line()][1];
    case BoxRole::HoursSet: return table_[box.line()][2];
    case BoxRole::HoursWorking: return table_[box.line()][3];
    case BoxRole::Day: return table_[box.line()][3 + box.day()];
    case BoxRole::Lectures: return table_[box.line()][11];
    case BoxRole::Required: return required_[box.day()][box.shift()];
    default: return nullptr;
    }
}

QLineEdit* GridView::addEdit(QWidget* on, BoxRef box, int x, int y, int width)
{
    auto* edit = new QLineEdit(on);
    edit->setGeometry(x, y, width, kGridEditHeight);
    edit->setAutoFillBackground(true);
    boxes_.insert(edit, box);
    // textEdited fires for the user's own typing only, so the echo of a box's change
    // back into the edit never loops. Each keystroke is an edit of the document;
    // keystrokes in one visit to the cell make one undo step.
    connect(edit, &QLineEdit::textEdited, this, [this, edit, box](const QString& text) {
        edit->setProperty("edited", true);
        document_.typeText(box, text);
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, box] {
        document_.endTyping();
        const bool edited = edit->property("edited").toBool();
        edit->setProperty("edited", false);
        if (edited && !week_.error(box).isEmpty())
            emit badNumberEntered(box);
    });
    return edit;
}

void GridView::show(BoxRef box, QLineEdit* edit, BoxChange what)
{
    switch (what) {
    case BoxChange::Text:
        if (edit->text() != week_.text(box)) {
            edit->setText(week_.text(box));
            if (!edit->hasFocus())
                edit->setCursorPosition(0);  // show the start of a long name, not its end
        }
        if (box.role() == BoxRole::HoursSet)
            edit->setProperty("plainToolTip", week_.text(box));  // "37.5 -17.5" is wider than its box
        if (box.role() == BoxRole::Day) {
            // Text that counts for nothing and holds no known code (a typo, most
            // likely) is shown grey.
            bool nothing = false;
            ExplainDutyText(document_.Settings, week_.text(box), &nothing);
            QPalette p = edit->palette();
            p.setColor(QPalette::Text, nothing ? QColor(0x80, 0x80, 0x80) : QColor(Qt::black));
            edit->setPalette(p);
        }
        break;
    case BoxChange::Hint:
        if (box.role() != BoxRole::Required)
            edit->setProperty("plainToolTip", week_.hint(box));
        break;
    case BoxChange::Colour:
    case BoxChange::Error: break;
    }
    showLook(box, edit);
    switch (box.role()) {
    case BoxRole::Day: showDayMarks(box, breachMarked(box.line(), box.day())); break;
    case BoxRole::HoursSet:
    case BoxRole::HoursWorking: showContract(box.line()); break;
    case BoxRole::Required: showCover(box.day(), box.shift()); break;
    case BoxRole::Name:
        if (what == BoxChange::Text)
            nameLine(box.line());
        break;
    default: break;
    }
}

void GridView::showLook(BoxRef box, QLineEdit* edit)
{
    const QColor background = toQColor(week_.colour(box));
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, background);
    edit->setPalette(p);
    const QString sheet = week_.error(box).isEmpty()
                              ? QString()
                              : QStringLiteral("QLineEdit { border: 2px solid #d00000; background: %1; }")
                                    .arg(background.name());
    if (edit->styleSheet() != sheet)
        edit->setStyleSheet(sheet);
    const QString tip = week_.error(box).isEmpty() ? edit->property("plainToolTip").toString() : week_.error(box);
    if (edit->toolTip() != tip)
        edit->setToolTip(tip);
}

void GridView::boxChanged(BoxRef box, BoxChange what)
{
    if (QLineEdit* edit = editFor(box))
        show(box, edit, what);
    else if (box.role() == BoxRole::Count)
        showCover(box.day(), box.shift());
}

QString GridView::toolTipFor(BoxRef box) const
{
    if (!week_.error(box).isEmpty())
        return week_.error(box);
    const WardSettings& s = document_.Settings;
    switch (box.role()) {
    case BoxRole::Day: {
        const QString& text = week_.text(box);
        const QString reading = text.trimmed().isEmpty() ? week_.hint(box) : ExplainDutyText(s, text);
        // The rules broken come first: they are why the cell is marked.
        const QString breaches = BreachToolTip(document_.Breaches, box.line(), box.day());
        if (breaches.isEmpty())
            return reading;
        return reading.isEmpty() ? breaches : breaches + QStringLiteral("\n\n") + reading;
    }
    case BoxRole::HoursSet:
        return week_.text(box).isEmpty() ? QString() : ExplainHoursSet(week_.text(box), s.AnalysisStartDate);
    case BoxRole::Required:
        return AccessibleDescription(document_, box);  // "3 on the early shift, 5 needed: 2 short"
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
    for (int day = 1; day <= kDays; ++day)
        if (watched == DayLabels[day] && event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            emit dayHeadingClicked(day);
            return true;
        }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const BoxRef box = boxFor(edit);
    if (box.role() == BoxRole::None)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (box.role() == BoxRole::Day && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            emit dayCellRightClicked(box);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (box.role() == BoxRole::Day && me->button() == Qt::LeftButton && edit->rect().contains(me->pos()))
            emit dayCellClicked(box, edit->y());
        break;
    }
    case QEvent::ToolTip: {
        const QString tip = toolTipFor(box);
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
    auto refresh = [this](QLineEdit* edit) {
        show(boxFor(edit), edit, BoxChange::Text);
        show(boxFor(edit), edit, BoxChange::Hint);
    };
    for (int line = 1; line <= kLines; ++line)
        for (QLineEdit* edit : table_[line])
            refresh(edit);
    for (int day = 1; day <= kDays; ++day)
        for (int shift = 1; shift <= kShifts; ++shift)
            refresh(required_[day][shift]);
    for (int line = 1; line <= kLines; ++line)
        nameLine(line);
}

}  // namespace tavrola
