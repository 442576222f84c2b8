#include "app/StaffForm.h"
#include "app/ScreenFit.h"

#include "Ui.h"
#include "settings/StaffFile.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tavrola {

namespace {

const QColor kLimeGreen(0, 255, 0);
// The window fits a 1366 x 768 screen with room for a title bar and a task bar.
constexpr int kMaxWidth = 1340, kHeight = 686;

const char* const kDayBoxSuffix[kDays + 1] = {"", "Mon", "Tue", "Wen", "Thu", "Fri", "Sat", "Sun"};
const char* const kDayLetters[kDays + 1] = {"", "M", "T", "W", "T", "F", "S", "S"};
const char* const kShiftBoxPrefix[3] = {"AM", "PM", "N"};
const char* const kShiftRowCaption[3] = {"AM Shift", "PM Shift", "Night Shift"};

// Keeps a box's text to what `filter` lets through as the user types (the caret goes to
// the end when something was dropped).
void Filter(QLineEdit* edit, QString (*filter)(QStringView))
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, filter](const QString& text) {
        const QString kept = filter(text);
        if (kept != text)
            edit->setText(kept);
    });
}

void SetBackground(QLineEdit* edit, const QColor& colour)
{
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, colour);
    edit->setPalette(p);
}

QLabel* Caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QCheckBox* CheckBox(const QString& objectName, QWidget* parent)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(objectName);
    return box;
}

}  // namespace

StaffForm::StaffForm(WardModel& model, Ui& ui, QWidget* parent) : QDialog(parent), model_(model), ui_(ui)
{
    setObjectName(QStringLiteral("StaffForm"));
    setWindowTitle(QStringLiteral("Ward & Staff Setup Form"));
    // A fixed border and no title-bar buttons: the window closes through OK or Cancel.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(buildHead());

    auto* content = new QWidget;
    auto* sections = new QVBoxLayout(content);
    sections->addWidget(buildStaffList());
    sections->addWidget(buildStaffing());
    sections->addWidget(buildNamesAndHours());
    sections->addWidget(buildCoreTimes());
    sections->addWidget(buildTrainingAndNurses());
    sections->addWidget(buildSkills());
    sections->addStretch(1);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("StaffScrollArea"));
    scroll_->setWidget(content);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    outer->addWidget(scroll_, 1);

    for (int k = 1; k < tabOrder_.size(); ++k)
        QWidget::setTabOrder(tabOrder_[k - 1], tabOrder_[k]);
    for (int k = 0; k < kDutyNameCount; ++k) {
        dutyEdits_[k] = settingEdits_.value(QString(DutyNameKey(k)));
        dutyEdits_[k]->installEventFilter(this);
    }

    const int width = content->sizeHint().width() + scroll_->verticalScrollBar()->sizeHint().width() +
                      2 * scroll_->frameWidth() + outer->contentsMargins().left() + outer->contentsMargins().right();
    // As wide as the rows, as high as the form; a smaller screen scrolls the rows.
    setMinimumSize(480, 320);
    resize(std::min(width, kMaxWidth), kHeight);
    FitToScreen(this);
}

QLineEdit* StaffForm::settingEdit(const char* key, const QString& objectName, int width)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    edit->setFixedWidth(width);
    const QLatin1StringView k(key);
    // No more than the file's column holds: what is typed is what is kept.
    const bool head = k == QLatin1StringView("HOSPITAL") || k == QLatin1StringView("WARD") ||
                      k == QLatin1StringView("AnalysisStartDate");
    edit->setMaxLength(head ? kHeadValueWidth : kValueWidth);
    // The head, the duty names and the hours explain themselves with the file's comments.
    const QString comment = SettingComment(k);
    if (!comment.trimmed().isEmpty())
        edit->setToolTip(comment);
    Filter(edit, TakesNumericFilter(QString(k)) ? NumericFilter : DropSeparators);
    settingEdits_.insert(QString(k), edit);
    tabOrder_ << edit;
    return edit;
}

QWidget* StaffForm::buildHead()
{
    auto* head = new QWidget;
    auto* grid = new QGridLayout(head);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Hospital or NHS Trust")), 0, 0);
    grid->addWidget(settingEdit("HOSPITAL", QStringLiteral("HospitalEdit"), 340), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ward or Clinic")), 1, 0);
    grid->addWidget(settingEdit("WARD", QStringLiteral("WardEdit"), 340), 1, 1);

    auto* dateBox = new QGroupBox(QStringLiteral("LOOK BACK from DATE"));
    auto* dateRow = new QHBoxLayout(dateBox);
    QLineEdit* date = settingEdit("AnalysisStartDate", QStringLiteral("AnalysisStartDateEdit"), 110);
    connect(date, &QLineEdit::textChanged, this, &StaffForm::showDateCheck);
    dateRow->addWidget(date);
    offLabel_ = new QLabel(QStringLiteral("OFF"));
    offLabel_->setObjectName(QStringLiteral("Label97"));
    QFont bold = offLabel_->font();
    bold.setBold(true);
    offLabel_->setFont(bold);
    offLabel_->setStyleSheet(QStringLiteral("color: red"));
    offLabel_->setFixedWidth(offLabel_->sizeHint().width());
    offLabel_->hide();
    dateRow->addWidget(offLabel_);
    grid->addWidget(dateBox, 0, 2, 2, 1);

    okButton_ = new QPushButton(QStringLiteral("OK"));
    okButton_->setObjectName(QStringLiteral("OKBtn"));
    okButton_->setToolTip(QStringLiteral("Exit & Update Staff File"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &StaffForm::OKBtnClick);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"));
    cancelButton_->setObjectName(QStringLiteral("CancelBtn"));
    cancelButton_->setToolTip(QStringLiteral("Exit - Retain Existing Settings"));
    connect(cancelButton_, &QPushButton::clicked, this, &StaffForm::CancelBtnClick);
    tabOrder_ << okButton_ << cancelButton_;
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    grid->addLayout(buttons, 0, 3, 2, 1);
    grid->setColumnStretch(4, 1);
    return head;
}

QWidget* StaffForm::buildStaffList()
{
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    const char* heads[] = {"Ward/Clinic Staff", "Skill Codes", "Band/Grade", "Hours/Week", "Std. Shift"};
    for (int c = 0; c < 5; ++c)
        grid->addWidget(Caption(QString::fromLatin1(heads[c]), box), 0, c + 1, 2, 1, Qt::AlignBottom);
    grid->addWidget(Caption(QStringLiteral("Staff Working Preference"), box), 0, 6, 1, kDays);
    for (int day = 1; day <= kDays; ++day)
        grid->addWidget(Caption(QString::fromLatin1(kDayLetters[day]), box), 1, 5 + day);

    const int widths[] = {200, 170, 80, 60, 110};
    const int columns[] = {kNameWidth, kSkillsWidth, kGradeWidth, kHoursWidth, kShiftWidth};
    for (int n = 1; n <= kLines; ++n) {
        RowControls& r = rows_[n];
        const QString num = QString::number(n);
        grid->addWidget(new QLabel(num, box), n + 1, 0, Qt::AlignRight);
        QLineEdit** edits[] = {&r.name, &r.skills, &r.band, &r.hours, &r.shift};
        const char* names[] = {"StaffEdit", "SkillsEdit", "BandEdit", "HoursWorkedEdit", "StdShiftEdit"};
        for (int c = 0; c < 5; ++c) {
            auto* edit = new QLineEdit(box);
            edit->setObjectName(QString::fromLatin1(names[c]) + num);
            edit->setFixedWidth(widths[c]);
            edit->setMaxLength(columns[c]);
            Filter(edit, c == 3 ? NumericFilter : DropSeparators);  // 3: hours a week
            *edits[c] = edit;
            tabOrder_ << edit;
            grid->addWidget(edit, n + 1, c + 1);
        }
        for (int day = 1; day <= kDays; ++day) {
            r.days[day] = CheckBox(QStringLiteral("CheckBox") + num + QLatin1String(kDayBoxSuffix[day]), box);
            tabOrder_ << r.days[day];
            grid->addWidget(r.days[day], n + 1, 5 + day, Qt::AlignCenter);
        }
    }
    grid->setColumnStretch(13, 1);
    return box;
}

QWidget* StaffForm::buildStaffing()
{
    auto* box = new QGroupBox(QStringLiteral("Ward /Clinic Shift Staffing"));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(2);
    for (int day = 1; day <= kDays; ++day) {
        grid->addWidget(Caption(QString(DayName(day)).toUpper(), box), 0, 3 * (day - 1), 1, 3);
        for (int shift = 1; shift <= kShifts; ++shift) {
            const int col = 3 * (day - 1) + shift - 1;
            grid->addWidget(Caption(ShiftCode(shift), box), 1, col);
            const QString key = DayName(day) + ShiftCode(shift) + QStringLiteral("StaffRequired");
            // The Thursday PM and night boxes have always been spelt this way.
            QString name = DayName(day) + ShiftCode(shift) + QStringLiteral("shiftEdit");
            if (day == 4 && shift > 1)
                name[0] = u't';
            grid->addWidget(settingEdit(key.toLatin1().constData(), name, 34), 2, col);
        }
    }
    grid->setColumnStretch(3 * kDays, 1);
    return box;
}

QWidget* StaffForm::buildNamesAndHours()
{
    struct Entry {
        const char* caption;
        const char* key;
        const char* control;
    };
    auto group = [this](const char* title, std::initializer_list<Entry> entries, int width) {
        auto* box = new QGroupBox(QString::fromLatin1(title));
        auto* form = new QFormLayout(box);
        for (const Entry& e : entries)
            form->addRow(QString::fromLatin1(e.caption), settingEdit(e.key, QString::fromLatin1(e.control), width));
        return box;
    };
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group("Shift and Other Names",
                            {{"AM Shift", "NameAMShift", "NameAMShiftEdit"},
                             {"PM Shift", "NamePMShift", "NamePMShiftEdit"},
                             {"Night Shift", "NameNShift", "NameNShiftEdit"},
                             {"Holiday/Leave", "NameHolidayFullDay", "NameHolidayFullDayEdit"},
                             {"Bank Holiday", "NameHolidayHalfDay", "NameHolidayHalfDayEdit"},
                             {"Sick Day", "NameIllness", "NameIllnessEdit"}},
                            100));
    layout->addWidget(group("Hours",
                            {{"AM Shift Hours", "HoursWorkedOnAM", "HoursWorkedOnAMEdit"},
                             {"PM Shift Hours", "HoursWorkedOnPM", "HoursWorkedOnPMEdit"},
                             {"Night Shift Hours", "HoursWorkedOnN", "HoursWorkedOnNEdit"},
                             {"Holiday Full Day", "HoursHolidayFullDay", "HoursHolidayFullDayEdit"},
                             {"Holiday Half Day", "HoursHolidayHalfDay", "HoursHolidayHalfDayEdit"},
                             {"Mid-Shift Break", "MidShiftBreak", "MidShiftBreakEdit"},
                             {"Shortest Cut Shift", "ShortestShiftHours", "ShortestShiftHoursEdit"}},
                            60));
    layout->addWidget(group("Types of Leave Names",
                            {{"Maternity", "NameLeaveMaternity", "NameMaternityEdit"},
                             {"Paternity", "NameLeavePaternity", "NamePaternityEdit"},
                             {"Carers", "NameLeaveCarers", "NameCarersEdit"},
                             {"Domestic", "NameLeaveDomestic", "NameDomesticEdit"},
                             {"Emergency", "NameLeaveEmergency", "NameEmergencyEdit"},
                             {"Absent", "NameLeaveAbsent", "NameAbsentEdit"}},
                            100));
    layout->addStretch(1);
    return row;
}

QWidget* StaffForm::buildCoreTimes()
{
    auto* box = new QGroupBox(QStringLiteral("Shift Core Times"));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(2);
    for (int hour = 0; hour < 24; ++hour)
        grid->addWidget(Caption(QString::number(hour), box), 0, hour + 1);
    for (int s = 0; s < 3; ++s) {
        grid->addWidget(new QLabel(QString::fromLatin1(kShiftRowCaption[s]), box), s + 1, 0);
        for (int hour = 0; hour < 24; ++hour) {
            hourChecks_[s][hour] = CheckBox(
                QStringLiteral("CheckBox") + QLatin1String(kShiftBoxPrefix[s]) + QString::number(hour), box);
            tabOrder_ << hourChecks_[s][hour];
            grid->addWidget(hourChecks_[s][hour], s + 1, hour + 1, Qt::AlignCenter);
        }
    }
    grid->setColumnStretch(25, 1);
    return box;
}

QWidget* StaffForm::buildTrainingAndNurses()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* training = new QGroupBox(QStringLiteral("Training and Admin Names"));
    auto* trainingForm = new QFormLayout(training);
    trainingForm->addRow(QStringLiteral("Training/ Study"),
                         settingEdit("NameTrainingStudyDay", QStringLiteral("NameTrainingStudyEdit"), 100));
    trainingForm->addRow(QStringLiteral("Administration"),
                         settingEdit("NameTrainingAdminDay", QStringLiteral("NameAdminEdit"), 100));
    layout->addWidget(training);
    auto* nurses = new QGroupBox(QStringLiteral("Nurses per Doctor"));
    auto* nursesForm = new QFormLayout(nurses);
    nursesForm->addRow(QStringLiteral(" Required  No. of Nurses"),
                       settingEdit("RequiredNursesPerDoctor", QStringLiteral("RequiredNursesPerDoctorEdit"), 50));
    nursesForm->addRow(QStringLiteral("Preferable No. of Nurses"),
                       settingEdit("PreferableNursesPerDoctor", QStringLiteral("PreferableNursesPerDoctorEdit"), 50));
    layout->addWidget(nurses);
    layout->addStretch(1);
    return row;
}

QWidget* StaffForm::buildSkills()
{
    auto* box = new QGroupBox(QStringLiteral("Custom Skill Codes"));
    auto* grid = new QGridLayout(box);
    const char* heads[] = {"Skill Name", "Skill Code", " Required  No. of Nurses", "Preferable No. of Nurses",
                           "Include in Nurses per Doctor"};
    for (int c = 0; c < 5; ++c)
        grid->addWidget(Caption(QString::fromLatin1(heads[c]), box), 0, c);
    for (int k = 1; k <= kSkills; ++k) {
        const QString num = QString::number(k);
        const QByteArray n = num.toLatin1();
        grid->addWidget(settingEdit(QByteArray("SkillName" + n).constData(), QStringLiteral("SkillNameEdit") + num, 200),
                        k, 0);
        grid->addWidget(settingEdit(QByteArray("SkillCode" + n).constData(), QStringLiteral("SkillCodeEdit") + num, 70),
                        k, 1);
        grid->addWidget(
            settingEdit(QByteArray("SkillRequired" + n).constData(), QStringLiteral("ReqiredNursesEdit") + num, 50), k, 2,
            Qt::AlignCenter);
        grid->addWidget(settingEdit(QByteArray("SkillPreferable" + n).constData(),
                                    QStringLiteral("PreferableNursesEdit") + num, 50),
                        k, 3, Qt::AlignCenter);
        skillChecks_[k - 1] = CheckBox(QStringLiteral("SkillCheckBox") + num, box);
        tabOrder_ << skillChecks_[k - 1];
        grid->addWidget(skillChecks_[k - 1], k, 4, Qt::AlignCenter);
    }
    grid->setColumnStretch(5, 1);
    return box;
}

QString StaffForm::staffFilePath() const
{
    return model_.Week.DataFolder + kStaffFileName;
}

void StaffForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void StaffForm::FormActivate()
{
    const StaffEditorLoad load = LoadStaffEditor(staffFilePath(), model_.Settings, model_.Staff);
    showData(load.data);
    for (QLineEdit* edit : dutyEdits_)
        SetBackground(edit, Qt::white);
    loaded_ = formData();
    scroll_->verticalScrollBar()->setValue(0);
    if (!load.error.isEmpty())
        ui_.showError(load.error);
    if (!load.warning.isEmpty())
        ui_.showWarning(load.warning);
}

void StaffForm::showData(const StaffEditorData& data)
{
    for (auto it = settingEdits_.cbegin(); it != settingEdits_.cend(); ++it)
        it.value()->setText(data.values.value(it.key()));
    for (int n = 1; n <= kLines; ++n) {
        const StaffEditorRow& row = data.rows[n];
        RowControls& r = rows_[n];
        r.name->setText(row.name);
        r.skills->setText(row.skills);
        r.band->setText(row.grade);
        r.hours->setText(row.hours);
        r.shift->setText(row.standardShift);
        for (int day = 1; day <= kDays; ++day)
            r.days[day]->setChecked(row.preferred[day]);
    }
    for (int s = 0; s < 3; ++s)
        for (int hour = 0; hour < 24; ++hour)
            hourChecks_[s][hour]->setChecked(data.hourChecks[s][hour]);
    for (int k = 0; k < kSkills; ++k)
        skillChecks_[k]->setChecked(data.skillChecks[k]);
    showDateCheck();
}

StaffEditorData StaffForm::formData() const
{
    StaffEditorData data;
    for (auto it = settingEdits_.cbegin(); it != settingEdits_.cend(); ++it)
        data.values.insert(it.key(), it.value()->text());
    for (int n = 1; n <= kLines; ++n) {
        const RowControls& r = rows_[n];
        StaffEditorRow& row = data.rows[n];
        row = {r.name->text(), r.skills->text(), r.band->text(), r.hours->text(), r.shift->text(), {}};
        for (int day = 1; day <= kDays; ++day)
            row.preferred[day] = r.days[day]->isChecked();
    }
    for (int s = 0; s < 3; ++s)
        for (int hour = 0; hour < 24; ++hour)
            data.hourChecks[s][hour] = hourChecks_[s][hour]->isChecked();
    for (int k = 0; k < kSkills; ++k)
        data.skillChecks[k] = skillChecks_[k]->isChecked();
    return data;
}

void StaffForm::showDateCheck()
{
    offLabel_->setVisible(!AnalysisDateValid(settingEdits_.value(QStringLiteral("AnalysisStartDate"))->text()));
}

void StaffForm::NameAMShiftEditExit()
{
    std::array<QString, kDutyNameCount> names;
    for (int k = 0; k < kDutyNameCount; ++k)
        names[k] = dutyEdits_[k]->text();
    const NamesCheckResult checked = NamesCheck(names);
    for (int k = 0; k < kDutyNameCount; ++k) {
        if (dutyEdits_[k]->text() != checked.names[k])
            dutyEdits_[k]->setText(checked.names[k]);
        SetBackground(dutyEdits_[k], checked.clashing[k] ? kLimeGreen : QColor(Qt::white));
    }
}

bool StaffForm::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving a duty-name box for another control runs the names check; a message box or
    // another window taking the focus does not.
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            std::find(std::begin(dutyEdits_), std::end(dutyEdits_), watched) != std::end(dutyEdits_))
            NameAMShiftEditExit();
    }
    return QDialog::eventFilter(watched, event);
}

void StaffForm::OKBtnClick()
{
    NameAMShiftEditExit();
    if (beforeWrite_ && !beforeWrite_())
        return;
    QString error;
    if (!UpdateStaffFile(staffFilePath(), formData(), model_.Settings, &error)) {
        ui_.showError(error);  // the file is as it was; the user may try again or cancel
        return;
    }
    accept();
}

void StaffForm::reject()
{
    if (changed() && ui_.askYesNo(kDiscardStaffChangesQuestion) != Answer::Yes)
        return;
    QDialog::reject();
}

}  // namespace tavrola
