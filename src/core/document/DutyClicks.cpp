#include "document/DutyClicks.h"

#include "util/TraceLog.h"

namespace tavrola {

void DutyClick(WardModel& model, BoxRef cell, Brush brush, int cellTop)
{
    TraceLog(QStringLiteral("DutyClick:") + QString::number(cellTop));
    model.stopFill();  // the fill's result lands before the brush works on it
    const RosterWeek& w = model.Week;
    if (brush != Brush::None)
        model.applyEdit(cell, BrushedText(brush, w.text(cell), w.hint(cell), model.Settings), w.colour(cell));
    model.Week.FillRunning = false;
}

void DutyMouseDown(WardModel& model, BoxRef cell)
{
    const bool marking = model.Week.colour(cell) != RequestColour;
    model.applyEdit(cell, model.Week.text(cell), marking ? RequestColour : White,
                    (marking ? QStringLiteral("Request mark on ") : QStringLiteral("Remove request mark on ")) +
                        RosterDocument::CellPlace(cell));
}

}  // namespace tavrola
