#include "app/DutyToolbar.h"

#include "app/BrushArt.h"

#include <QButtonGroup>
#include <QKeySequence>
#include <QToolButton>

namespace tavrola {

QString BrushShortcutText(Brush brush)
{
    if (brush == Brush::None)
        return QKeySequence(Qt::Key_Escape).toString(QKeySequence::NativeText);
    return QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + int(brush))).toString(QKeySequence::NativeText);
}

DutyToolbar::DutyToolbar(QWidget* panel) : QObject(panel)
{
    static const char* const hints[kBrushCount + 1] = {"No brush", "AM",      "PM",    "Night",
                                                       "Holiday",  "illness", "Leave", "Training"};
    static const char* const names[kBrushCount + 1] = {
        "ToolbarButtonNC",  "ToolbarButtonAM",   "ToolbarButtonPM",    "ToolbarButtonN",
        "ToolbarButtonHol", "ToolbarButtonSick", "ToolbarButtonLeave", "ToolbarButtonTraining"};
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    for (int b = 0; b <= kBrushCount; ++b) {
        auto* button = new QToolButton(panel);
        button->setObjectName(QString::fromLatin1(names[b]));
        button->setGeometry(7 + b * 44, 6, 36, 36);
        button->setIcon(BrushIcon(Brush(b)));
        button->setIconSize(QSize(28, 28));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(hints[b]), BrushShortcutText(Brush(b))));
        group_->addButton(button, b);
        buttons_[b] = button;
    }
    buttons_[0]->setChecked(true);
    connect(group_, &QButtonGroup::idClicked, this, [this](int id) { emit brushChosen(Brush(id)); });
}

void DutyToolbar::showChosen(Brush brush)
{
    buttons_[int(brush)]->setChecked(true);
}

}  // namespace tavrola
