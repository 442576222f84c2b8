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
    std::vector<FieldEdit> edits;
    for (int line = 1; line <= kLines; ++line) {
        edits.push_back({&week.LecturesEdits[line], QString(), White});
        for (int day = 1; day <= kDays; ++day) {
            Field& cell = week.DayCells[day][line];
            edits.push_back({&cell, keepRequests ? week.SavedRequests[day][line] : QString(), cell.colour()});
        }
    }
    model.applyEdits(QStringLiteral("Clear Form"), edits);
    if (answer == Answer::All)
        week.RequestsSaved = false;
}

}  // namespace tavrola
