#pragma once
#include "roster/Brushes.h"

#include <QObject>

class QAbstractButton;
class QButtonGroup;
class QWidget;

namespace tavrola {

// The eight speed buttons on the navy toolbar panel: no brush, then AM, PM, Night,
// Holiday, illness, Leave and Training. Pressing one chooses that brush.
class DutyToolbar : public QObject {
    Q_OBJECT
public:
    explicit DutyToolbar(QWidget* panel);

    QAbstractButton* button(Brush brush) const { return buttons_[int(brush)]; }
    // Shows `brush` as the pressed button without announcing it.
    void showChosen(Brush brush);

signals:
    void brushChosen(tavrola::Brush brush);

private:
    QAbstractButton* buttons_[kBrushCount + 1] = {};
    QButtonGroup* group_ = nullptr;
};

// The keys that choose each brush: Ctrl+1..Ctrl+7, Escape for none.
QString BrushShortcutText(Brush brush);

}  // namespace tavrola
