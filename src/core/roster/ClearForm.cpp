#include "roster/ClearForm.h"

namespace tavrola {

void ClearForm1Click(RosterWeek& week, Ui& ui)
{
    const Answer answer = ui.askYesNoAll(kClearFormQuestion);
    if (answer != Answer::Yes && answer != Answer::All)
        return;
    const bool keepRequests = answer == Answer::Yes && week.RequestsSaved;
    for (int line = 1; line <= kLines; ++line) {
        week.LecturesEdits[line].setText(QString());
        for (int day = 1; day <= kDays; ++day)
            week.DayCells[day][line].setText(keepRequests ? week.SavedRequests[day][line] : QString());
    }
    if (answer == Answer::All)
        week.RequestsSaved = false;
}

}  // namespace tavrola
