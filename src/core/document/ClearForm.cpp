#include "document/ClearForm.h"

namespace tavrola {

void ClearForm1Click(WardModel& model, Ui& ui)
{
    model.endFillRun();  // its browser would write the cleared week over again
    const Answer answer = ui.askYesNoAll(kClearFormQuestion);
    if (answer != Answer::Yes && answer != Answer::All)
        return;
    RosterWeek& week = model.Week;
    const bool keepRequests = answer == Answer::Yes && week.RequestsSaved;
    std::vector<BoxEdit> edits;
    for (int line = 1; line <= kLines; ++line) {
        edits.push_back({BoxRef::lectures(line), QString(), White});
        for (int day = 1; day <= kDays; ++day) {
            edits.push_back({BoxRef::cell(day, line), keepRequests ? week.SavedRequests[day][line] : QString(),
                             week.data().CellColours[day][line]});
        }
    }
    model.applyEdits(QStringLiteral("Clear Form"), edits);
    if (answer == Answer::All)
        week.RequestsSaved = false;
}

}  // namespace tavrola
