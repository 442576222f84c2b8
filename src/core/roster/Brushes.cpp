#include "roster/Brushes.h"

#include "util/TextUtil.h"

namespace tavrola {

QString SwapOutStr(const QString& text, const QString& code, const QString& replacement)
{
    const int p = Pos(code, text);
    if (p == 0)
        return TrimSpaces(text);
    return TrimSpaces(text.left(p - 1) + replacement + text.mid(p - 1 + code.size()));
}

namespace {
// Cycles through `chain`: a cell holding chain[i] gets chain[i+1] in its place (the last
// code is removed); a cell holding none gets chain[0] in front of its text. Every test
// looks at the original text, so with distinct codes exactly one replacement happens.
QString cycle(const QString& x, std::initializer_list<const QString*> chain)
{
    QString r = QStringLiteral("set");
    const QString* const* codes = chain.begin();
    const int n = int(chain.size());
    for (int i = 0; i < n; ++i) {
        if (Contains(x, *codes[i]))
            r = SwapOutStr(x, *codes[i], i + 1 < n ? *codes[i + 1] : QString());
    }
    if (r == QLatin1String("set"))
        r = *codes[0] + u' ' + x;
    return r;
}

// none -> first -> second -> none. The second code is tested first, so a text holding
// both gets the first one advanced.
QString twoStep(const QString& x, const QString& first, const QString& second)
{
    QString r = QStringLiteral("set");
    if (Contains(x, second))
        r = SwapOutStr(x, second, QString());
    if (Contains(x, first))
        r = SwapOutStr(x, first, second);
    if (r == QLatin1String("set"))
        r = first + u' ' + x;
    return r;
}
}  // namespace

QString BrushedText(Brush brush, const QString& x, const QString& standardShift, const WardSettings& s)
{
    switch (brush) {
    case Brush::AM: return standardShift.isEmpty() ? s.NameAMShift : standardShift;
    case Brush::PM: return s.NamePMShift;
    case Brush::N: return s.NameNShift;
    case Brush::Sick:
        return Contains(x, s.NameIllness) ? SwapOutStr(x, s.NameIllness, QString()) : s.NameIllness + u' ' + x;
    case Brush::Holiday: return twoStep(x, s.NameHolidayHalfDay, s.NameHolidayFullDay);
    case Brush::Leave:
        return cycle(x, {&s.NameLeaveMaternity, &s.NameLeavePaternity, &s.NameLeaveCarers,
                         &s.NameLeaveDomestic, &s.NameLeaveEmergency, &s.NameLeaveAbsent});
    case Brush::Training: return twoStep(x, s.NameTrainingStudyDay, s.NameTrainingAdminDay);
    case Brush::None: break;
    }
    return x;
}

}  // namespace tavrola
