#include "roster/DutyCursors.h"

#include "util/TraceLog.h"

namespace tavrola {

Brush DutyCursors::currentBrush() const
{
    if (CurrentCursorId == 0)
        return Brush::None;
    for (int b = 1; b <= kBrushCount; ++b)
        if (DutyCursorIds[b] == CurrentCursorId)
            return Brush(b);
    return Brush::None;
}

void LoadScreenCursor(CursorRegistry& registry, int& id, const QString& resourceName)
{
    if (id == 0) {
        for (int candidate = 1; candidate <= CursorRegistry::kMaxId; ++candidate) {
            if (registry.isFree(candidate)) {
                id = candidate;
                break;
            }
        }
    }
    if (id == 0)
        return;
    TraceLog(QStringLiteral("IN LoadScreenCursor  CursorID =") + QString::number(id));
    registry.install(id, resourceName);
}

QString BrushCursorResource(Brush brush)
{
    static const char* const names[kBrushCount + 1] = {"",       "ARROWAM", "ARROWPM", "ARROWN",
                                                       "ARROWH", "ARROWS",  "ARROWL",  "ARROWT"};
    return QString::fromLatin1(names[int(brush)]);
}

void LoadDutyCursors(DutyCursors& cursors)
{
    static const char* const traces[kBrushCount + 1] = {"",           "crArrowAM=", "crArrowPM=", "crArrowN =",
                                                        "crArrowH =", "crArrowS =", "crArrowL =", "crArrowT ="};
    for (int b = 1; b <= kBrushCount; ++b) {
        cursors.DutyCursorIds[b] = 0;
        LoadScreenCursor(cursors.Registry, cursors.DutyCursorIds[b], BrushCursorResource(Brush(b)));
    }
    for (int b = 1; b <= kBrushCount; ++b)
        TraceLog(QString::fromLatin1(traces[b]) + QString::number(cursors.DutyCursorIds[b]));
}

}  // namespace tavrola
