#include "app/AutoFillPanel.h"

#include "app/ColourButton.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

namespace tavrola {

AutoFillPanel::AutoFillPanel(WardModel& model, Ui& ui, QWidget* parent)
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
    if (browsing) {
        const QSignalBlocker quiet(UpDown1);
        UpDown1->setValue(fill_.position());
    }
    // Why the best is not 100, rule by rule.
    if (!fill_.running() && fill_.search()) {
        const QStringList why = fill_.explanation();
        const QString tip = why.isEmpty() ? QStringLiteral("Best %1: nothing deducted").arg(fill_.search()->bestScore())
                                          : QStringLiteral("Best %1, deductions:\n").arg(fill_.search()->bestScore()) +
                                                why.mid(0, 30).join(u'\n') +
                                                (why.size() > 30 ? QStringLiteral("\n... and %1 more").arg(why.size() - 30)
                                                                 : QString());
        AutoFillButton->setToolTip(tip);
    } else {
        AutoFillButton->setToolTip(QString());
    }
}

}  // namespace tavrola
