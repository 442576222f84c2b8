#include "app/AutoFillPanel.h"

#include "app/ColourButton.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace tavrola {

AutoFillPanel::AutoFillPanel(WardModel& model, Ui& ui, QWidget* parent, QWidget* rowParent)
    : QObject(parent), fill_(model.fill()), ui_(ui)
{
    connect(&model, &WardModel::fillChanged, this, [this] { show(true); });
    AutoFillButton = new ColourButton(kAutoFillCaption, parent);
    AutoFillButton->setObjectName(QStringLiteral("AutoFillButton"));
    AutoFillButton->setColour(QColor(0, 0, 255));
    AutoFillButton->setTextColour(Qt::white);
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(15);
    bold.setBold(true);
    AutoFillButton->setFont(bold);
    AutoFillButton->setGeometry(8, 74, 150, 28);
    AutoFillButton->setFocusPolicy(Qt::TabFocus);
    connect(AutoFillButton, &QPushButton::clicked, this, &AutoFillPanel::AutoFillButtonClick);

    SolutionCountLabel = new QLabel(parent);
    SolutionCountLabel->setObjectName(QStringLiteral("SolutionCountLabel"));
    SolutionCountLabel->setGeometry(8, 103, 150, 14);
    SolutionCountLabel->setAlignment(Qt::AlignCenter);

    UpDown1 = new QSpinBox(parent);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setRange(0, kSolutionSlots - 1);
    UpDown1->setWrapping(true);
    UpDown1->setGeometry(162, 76, 44, 24);
    UpDown1->setToolTip(QStringLiteral("Display Other Tavrola Solutions"));
    UpDown1->hide();  // until the first fill ends
    connect(UpDown1, &QSpinBox::valueChanged, this, &AutoFillPanel::UpDown1Click);

    WhyButton = new QPushButton(QStringLiteral("Why?"), parent);
    WhyButton->setObjectName(QStringLiteral("WhyButton"));
    WhyButton->setGeometry(210, 76, 44, 24);
    WhyButton->setToolTip(QStringLiteral("Why this score?"));
    WhyButton->hide();
    connect(WhyButton, &QPushButton::clicked, this, &AutoFillPanel::WhyClick);

    SummaryRow = new QWidget(rowParent ? rowParent : parent);
    SummaryRow->setObjectName(QStringLiteral("SummaryRow"));
    auto* title = new QLabel(QStringLiteral("Cover (early/late/night)"), SummaryRow);
    coverTitle_ = title;
    title->setToolTip(QStringLiteral("Staff on the early, late and night shift (rest on a day for their skills); "
                                     "not a duty, not counted or saved"));
    for (int day = 1; day <= kDays; ++day) {
        SummaryEdits[day] = new QLineEdit(SummaryRow);
        SummaryEdits[day]->setObjectName(QStringLiteral("SummaryEdit%1").arg(day));
        SummaryEdits[day]->setReadOnly(true);
        SummaryEdits[day]->setFocusPolicy(Qt::NoFocus);
        SummaryEdits[day]->setAlignment(Qt::AlignCenter);
    }
    SummaryRow->setFixedHeight(SummaryEdits[1]->sizeHint().height() + 4);
    SummaryRow->installEventFilter(this);
    alignCover();
    SummaryRow->hide();

    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &AutoFillPanel::slice);
}

void AutoFillPanel::AutoFillButtonClick()
{
    if (fill_.ContinueButtonClick(ui_) == AutoFill::Click::Started) {
        sinceCount_.start();
        timer_.start();
    }
    show(true);
}

void AutoFillPanel::slice()
{
    // Stopped by the document (another week, a load): nothing more to run.
    if (!fill_.runSlice(kSliceMs))
        timer_.stop();
    show(false);
}

void AutoFillPanel::UpDown1Click(int position)
{
    if (fill_.running())
        return;
    fill_.UpDown1Click(position);
    show(true);
}

void AutoFillPanel::setDayColumns(std::function<QWidget*(int day)> column)
{
    dayColumn_ = std::move(column);
    alignCover();
}

bool AutoFillPanel::eventFilter(QObject* watched, QEvent* event)
{
    // The grid lays its columns out as the window resizes: line up once it has.
    if (watched == SummaryRow && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        QTimer::singleShot(0, this, &AutoFillPanel::alignCover);
    return QObject::eventFilter(watched, event);
}

void AutoFillPanel::alignCover()
{
    const int height = SummaryEdits[1]->sizeHint().height();
    int x = 4 + coverTitle_->sizeHint().width() + 8, width = 90;  // without the grid: side by side
    int first = -1;
    for (int day = 1; day <= kDays; ++day) {
        QWidget* column = dayColumn_ ? dayColumn_(day) : nullptr;
        if (column && column->window() == SummaryRow->window()) {
            x = SummaryRow->mapFrom(SummaryRow->window(), column->mapTo(column->window(), QPoint())).x();
            width = column->width();
        }
        SummaryEdits[day]->setGeometry(x, 2, width, height);
        if (first < 0)
            first = x;
        x += width + 4;
    }
    coverTitle_->setGeometry(4, 2, std::max(0, first - 8), height);
}

void AutoFillPanel::WhyClick()
{
    const QStringList why = fill_.explanation();
    ui_.showInformation(why.isEmpty() ? QStringLiteral("Nothing deducted: 100 points.") : why.join(u'\n'));
}

void AutoFillPanel::show(bool countNow)
{
    AutoFillButton->setText(fill_.caption());
    if (countNow || !fill_.running() || sinceCount_.elapsed() >= kCountRefreshMs) {
        SolutionCountLabel->setText(fill_.countText());
        sinceCount_.restart();
    }
    // The browser belongs to the run of the week shown: hidden and disabled otherwise.
    const bool browsing = fill_.browserVisible() && !fill_.running();
    UpDown1->setVisible(browsing);
    UpDown1->setEnabled(browsing);
    WhyButton->setVisible(browsing);
    if (browsing) {
        const QSignalBlocker quiet(UpDown1);
        // Only filled slots are offered.
        UpDown1->setRange(0, std::max(0, fill_.search()->filledSlots() - 1));
        UpDown1->setValue(fill_.position());
    }
    // Who covers each shift of the solution on the grid, under the grid.
    const bool summary = browsing || fill_.running();
    SummaryRow->setVisible(summary && fill_.search());
    for (int day = 1; day <= kDays; ++day) {
        SummaryEdits[day]->setText(summary ? fill_.coverCounts(day) : QString());
        SummaryEdits[day]->setToolTip(summary ? fill_.coverText(day) : QString());
    }
    // The real score and why it is not 100, rule by rule; the whole list behind "Why?".
    if (!fill_.running() && fill_.search()) {
        const QStringList why = fill_.explanation();
        constexpr int kShown = 12;
        QString tip = QStringLiteral("Best %1%, real score %2").arg(fill_.search()->bestScore()).arg(fill_.search()->bestUnclamped());
        if (!why.isEmpty())
            tip += u'\n' + why.mid(0, kShown).join(u'\n');
        if (why.size() > kShown)
            tip += QStringLiteral("\nThe whole list: press \"Why?\"");
        AutoFillButton->setToolTip(tip);
    } else {
        AutoFillButton->setToolTip(QString());
    }
}

}  // namespace tavrola
