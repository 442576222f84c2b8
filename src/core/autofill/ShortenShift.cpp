#include "autofill/ShortenShift.h"

#include "settings/DutyText.h"
#include "util/TextUtil.h"

#include <cmath>

namespace tavrola {

namespace {

struct Group {
    int value = 0;
    int start = 0, end = 0;  // positions from 1
};

}  // namespace

QString ShortenShift(const QString& shift, double remaining, const WardSettings& s)
{
    QString code = shift;
    if (code == s.NameAMShift)
        code = s.AMShiftTimes;
    if (code == s.NamePMShift)
        code = s.PMShiftTimes;
    if (code == s.NameNShift)
        code = s.NShiftTimes;

    // Digits from the earliest absence code on do not count.
    qsizetype limit = code.size();
    for (int k = 0; k < kAbsenceCodes; ++k) {
        const int p = Pos(s.AbsenceCode(k), code);
        if (p > 0 && p < limit)
            limit = p - 1;
    }
    const QString upper = UpperCase(code);

    constexpr int kGroups = 11;
    Group groups[kGroups];
    int count = 0;
    bool open = false;
    for (qsizetype i = 0; i < limit; ++i) {
        const QChar c = upper[i];
        if (c >= u'0' && c <= u'9') {
            if (!open) {
                if (count == kGroups)
                    continue;
                groups[count++] = {0, int(i + 1), 0};
                open = true;
            }
            Group& g = groups[count - 1];
            if (g.value < 100000000)
                g.value = g.value * 10 + (c.unicode() - u'0');
            g.end = int(i + 1);
        } else {
            open = false;
        }
    }

    int sH = 0, sM = 0, eH = 0, eM = 0;
    if (count == 2) {
        sH = groups[0].value;
        eH = groups[1].value;
    } else if (count == 4) {
        sH = groups[0].value;
        sM = groups[1].value;
        eH = groups[2].value;
        eM = groups[3].value;
    } else if (count == 3) {
        sH = groups[0].value;
        const int gap1 = groups[1].start - groups[0].end - 1;
        const int gap2 = groups[2].start - groups[1].end - 1;
        const int dash = Pos(u"-", upper);
        if (gap1 > gap2 || (dash > 0 && dash < groups[1].end)) {
            eH = groups[1].value;
            eM = groups[2].value;
        } else {
            sM = groups[1].value;
            eH = groups[2].value;
        }
    }
    if (sH > 12 || eH > 12) {  // four-digit times: the minutes are inside
        sM = sH % 100;
        sH /= 100;
        eM = eH % 100;
        eH /= 100;
    }

    float cut = float(double(DutyHours(code, s)) - remaining);
    if (remaining <= 6.0)
        cut = cut + s.MidShiftBreak;
    eH -= int(std::trunc(cut));
    eM -= int(std::nearbyint((cut - std::trunc(cut)) * 60.0));  // halves to even
    if (eH < 1)
        eH += 12;
    if (eM < 0) {
        eH = eH > 1 ? eH - 1 : 12;
        eM += 60;
    }

    QString result = IntToText(sH);
    const int pm = Pos(u"PM", upper);
    const int to = Pos(u"TO", upper);
    if (pm > 0 && pm < to)
        result += QStringLiteral("pm");
    if (sM != 0)
        result += u':' + IntToText(sM);
    result += QStringLiteral(" - ") + IntToText(eH);
    if (eM != 0)
        result += u':' + IntToText(eM);
    // Only a range that reads as the hours it was cut to: an end that wrapped round to
    // before the start ("7 - 7:15") reads as nearly twelve hours.
    if (std::abs(double(DutyHours(result, s)) - remaining) > 0.01)
        return QString();
    return result;
}

}  // namespace tavrola
