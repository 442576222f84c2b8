#include "app/ClinicScheduleForm.h"

#include "app/ScreenFit.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>

namespace tavrola {

namespace {
// The list's smallest width: room for the caption in the title bar.
constexpr int kMinListWidth = 300;
}  // namespace

TClinicScheduleForm::TClinicScheduleForm(WardModel& model, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      model_(model)
{
    setWindowTitle(QStringLiteral("Clinic Schedule"));
    ClinicsRE = new QPlainTextEdit(this);
    ClinicsRE->setObjectName(QStringLiteral("ClinicsRE"));
    ClinicsRE->setReadOnly(true);
    ClinicsRE->setLineWrapMode(QPlainTextEdit::NoWrap);
    ClinicsRE->setFrameShape(QFrame::NoFrame);
    ClinicsRE->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ClinicsRE->setToolTip(QStringLiteral("Click to write the notes in [ ] into the spare lines of the day"));
    ClinicsRE->viewport()->setCursor(Qt::PointingHandCursor);
    ClinicsRE->viewport()->installEventFilter(this);
    Problem = new QLabel(this);
    Problem->setWordWrap(true);
    Problem->hide();
}

void TClinicScheduleForm::openFor(const ClinicDayChoice& choice, const QPoint& place)
{
    if (choice.day != choice_.day)
        placed_ = false;
    choice_ = choice;
    place_ = place;
    show();
    raise();
    activateWindow();
    FormActivate();  // activation refills it again where the platform activates windows
}

bool TClinicScheduleForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && choice_.day != 0)
        FormActivate();
    return QWidget::event(event);
}

void TClinicScheduleForm::FormActivate()
{
    const ClinicDayList list = ListClinicDay(model_.Week.DataFolder, choice_);
    setWindowTitle(list.caption);
    if (!placed_) {
        move(place_);
        placed_ = true;
    }
    lines_ = list.lines;
    ClinicsRE->setPlainText(lines_.join(u'\n'));
    Problem->setText(list.problem);
    Problem->setVisible(!list.problem.isEmpty());

    // Size from the text: one line's height for each line and one more, the widest line.
    const QFontMetrics metrics = ClinicsRE->fontMetrics();
    const int h = metrics.height();
    int widest = kMinListWidth;
    for (const QString& line : std::as_const(lines_))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    // The list's own margins come on top of the text.
    const int margins = 2 * int(ClinicsRE->document()->documentMargin()) + 4;
    widest += margins;
    const int listHeight = h * (int(lines_.size()) + 1) + margins;
    ClinicsRE->setGeometry(4, 4, widest + 10, listHeight);
    int height = listHeight + 8;
    if (Problem->isVisible()) {
        Problem->setGeometry(8, listHeight + 8, widest + 2, Problem->heightForWidth(widest + 2));
        height += Problem->height() + 8;
    }
    setFixedSize(widest + 18, height);
    if (const QScreen* screen = QGuiApplication::screenAt(pos()))
        move(FitInside(QRect(pos(), size()), screen->availableGeometry()).topLeft());
    ClinicsRE->moveCursor(QTextCursor::Start);
    ClinicsRE->horizontalScrollBar()->setValue(0);
}

void TClinicScheduleForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

bool TClinicScheduleForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ClinicsRE->viewport() && event->type() == QEvent::MouseButtonPress) {
        ClinicsREMouseDown();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TClinicScheduleForm::ClinicsREMouseDown()
{
    if (choice_.day != 0)
        WriteClinicNotes(model_, choice_.day, lines_);
}

void TClinicScheduleForm::closeEvent(QCloseEvent* event)
{
    placed_ = false;  // the next opening places it at its day again
    QWidget::closeEvent(event);
}

}  // namespace tavrola
