#include "document/DutyClicks.h"

#include "util/TraceLog.h"

namespace tavrola {

void DutyClick(WardModel& model, Field& cell, Brush brush, int cellTop)
{
    TraceLog(QStringLiteral("DutyClick:") + QString::number(cellTop));
    model.stopFill();  // the fill's result lands before the brush works on it
    if (brush != Brush::None)
        model.applyEdit(cell, BrushedText(brush, cell.text(), cell.hint(), model.Settings), cell.colour());
    model.Week.FillRunning = false;
}

void DutyMouseDown(WardModel& model, Field& cell)
{
    const bool marking = cell.colour() != RequestColour;
    model.applyEdit(cell, cell.text(), marking ? RequestColour : White,
                    (marking ? QStringLiteral("Request mark on ") : QStringLiteral("Remove request mark on ")) +
                        RosterDocument::CellPlace(cell));
}

}  // namespace tavrola
