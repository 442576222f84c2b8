#include "autofill/VirtualForm.h"

#include "autofill/ShortenShift.h"
#include "roster/WeekTotals.h"
#include "util/ConversionError.h"
#include "util/TextUtil.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace tavrola {

namespace {

constexpr int kDrawsPerPhase = 1000;

inline bool Covers(int flags, int shift)
{
    return (flags >> (shift - 1)) & 1;
}

// A requirement box's whole number: blanks around, an optional sign, decimal digits.
bool ReadRequirement(const QString& text, qint32* value)
{
    bool ok = false;
    *value = QStringView(text).trimmed().toInt(&ok, 10);
    return ok;
}

// The trace's exponent form of an hours value: "3.75000000000000E+001".
QString ExponentText(double value)
{
    QString mantissa = QString::number(value, 'E', 14);  // "3.75000000000000E+01"
    const qsizetype e = mantissa.indexOf(u'E');
    QString exponent = mantissa.mid(e + 2);
    while (exponent.size() < 3)
        exponent.prepend(u'0');
    return mantissa.left(e + 2) + exponent;
}

}  // namespace

FillEngine::FillEngine(const WardSettings& settings, const FillInput& input)
    : s_(settings), in_(input), duties_(settings)
{
    numberOfStaff_ = std::clamp(input.NumberOfStaff, 0, kLines);
    const QString* shiftNames[kShifts + 1] = {nullptr, &s_.NameAMShift, &s_.NamePMShift, &s_.NameNShift};
    for (int line = 1; line <= kLines; ++line) {
        const QString& set = in_.HoursSet[line];
        if (!set.isEmpty()) {
            try {
                contract_[line] = HoursSetValue(set, false);
                // Carried-over hours are paid back only up to the weekly cap.
                if (input.HoursCap > 0 && contract_[line] > input.HoursCap)
                    contract_[line] = input.HoursCap;
                hasContract_[line] = true;
            } catch (const ConversionError&) {
                hasContract_[line] = false;  // no readable contract: the line is left alone
            }
        }
        for (int k = 1; k <= kSkills; ++k)
            if (Contains(in_.SkillCodes[line], s_.SkillCode[k])) {
                skills_[line] |= std::uint8_t(1u << (k - 1));
                skillLanes_[line] |= std::uint64_t(1) << (8 * (k - 1));
            }
        for (int shift = 1; shift <= kShifts; ++shift) {
            code_[line][shift] = duties_.idOf(in_.StandardShift[line].isEmpty() ? *shiftNames[shift]
                                                                                 : in_.StandardShift[line]);
            codeFlags_[line][shift] = std::uint8_t(duties_.facts(code_[line][shift]).flags);
            codeHours_[line][shift] = duties_.facts(code_[line][shift]).hours;
        }
        float total = 0;
        for (int day = 1; day <= kDays; ++day) {
            requests_[day][line] = duties_.idOf(in_.Requests[day][line]);
            total += duties_.facts(requests_[day][line]).lineHours;
        }
        requestHours_[line] = total;
    }
    for (int day = 1; day <= kDays && error_.isEmpty(); ++day) {
        for (int shift = 1; shift <= kShifts; ++shift) {
            const QString& text = in_.Required[day][shift];
            if (!ReadRequirement(text, &required_[day][shift])) {
                error_ = RequiredBoxName(day, shift) + QStringLiteral(": ") +
                         ConversionError::notInteger(text).message();
                break;
            }
            neverStaffed_[day][shift] = text == QLatin1String("0");
            if (neverStaffed_[day][shift])
                neverStaffedMask_[day] |= std::uint8_t(1u << (shift - 1));
        }
    }
}

inline FillEngine::Draw FillEngine::draw(FillRandom& random) const
{
    std::uint32_t r[3];
    random.Random3(kDays, std::uint32_t(numberOfStaff_), kShifts, r);  // day, line, shift
    Draw d;
    d.day = int(r[0]) + 1;
    d.line = int(r[1]) + 1;
    d.shift = int(r[2]) + 1;
    d.code = code_[d.line][d.shift];
    return d;
}

inline void FillEngine::lowerRequirement(int day, int shift)
{
    if (--requirement_[day][shift] <= 0)
        staffedMask_[day] &= std::uint8_t(~(1u << (shift - 1)));
}

inline bool FillEngine::nightRefused(const Draw& d) const
{
    return (d.shift == 3) & hasContract_[d.line] &
           (double(contract_[d.line]) - hours_[d.line] < double(s_.HoursWorkedOnN));
}

inline bool FillEngine::fits(int line, int shift) const
{
    // What is left takes the whole code, or a shortened one no shorter than allowed.
    const double remaining = double(contract_[line]) - hours_[line];
    return (remaining >= double(codeHours_[line][shift])) | (remaining >= double(in_.MinShortShift));
}

CellId FillEngine::fitToContract(CellId code, double remaining)
{
    if (remaining >= double(duties_.facts(code).hours))
        return code;
    if (remaining < double(in_.MinShortShift))
        return kEmptyCell;
    const auto key = std::make_pair(code, remaining);
    const auto it = shortened_.find(key);
    if (it != shortened_.end())
        return it->second;
    const CellId id = duties_.idOf(ShortenShift(duties_.text(code), remaining, s_));  // empty when it cannot
    shortened_.emplace(key, id);
    return id;
}

void FillEngine::FillVirtualForm(FillRandom& random)
{
    Prepare();
    PhaseSkillCover(random);
    PhaseHeadCount(random);
    PhaseContracts(random);
    WriteSummary();
}

void FillEngine::Prepare()
{
    std::memcpy(form_.Cells, requests_, sizeof requests_);
    std::memcpy(requirement_, required_, sizeof required_);
    skillNeedsOpen_ = 0;
    for (int day = 1; day <= kDays; ++day) {
        staffedMask_[day] = 0;
        for (int shift = 1; shift <= kShifts; ++shift) {
            needMask_[day][shift] = 0;
            if (required_[day][shift] > 0)
                staffedMask_[day] |= std::uint8_t(1u << (shift - 1));
            for (int k = 1; k <= kSkills; ++k) {
                const qint32 need = required_[day][shift] > 0 ? s_.SkillRequired[k] : 0;
                skillNeed_[day][shift][k] = need;
                skillNeedsOpen_ += need > 0;
                if (need > 0)
                    needMask_[day][shift] |= std::uint8_t(1u << (k - 1));
            }
        }
    }
    std::memcpy(hours_, requestHours_, sizeof hours_);
}

// Phases run up to 1000 draws, but once no draw can place anything (every wanted cell
// taken, every contract met) the rest only move the generator on: those draws are
// skipped in one jump, which gives the same sequence as making them. The check runs
// after a run of fruitless draws, once per placement.
constexpr int kFruitlessBeforeCheck = 8;

bool FillEngine::skillCoverPossible() const
{
    for (int day = 1; day <= kDays; ++day) {
        if (!staffedMask_[day])
            continue;
        for (int line = 1; line <= std::max(numberOfStaff_, 1); ++line) {
            if (form_.Cells[day][line] != kEmptyCell || !hasContract_[line])
                continue;
            for (int shift = 1; shift <= kShifts; ++shift) {
                const Draw d{day, line, shift, code_[line][shift]};
                if ((codeFlags_[line][shift] & staffedMask_[day]) && (needMask_[day][shift] & skills_[line]) &&
                    !nightRefused(d) && double(contract_[line]) > hours_[line] + double(codeHours_[line][shift]))
                    return true;
            }
        }
    }
    return false;
}

bool FillEngine::headCountPossible() const
{
    for (int day = 1; day <= kDays; ++day) {
        if (!staffedMask_[day])
            continue;
        for (int line = 1; line <= std::max(numberOfStaff_, 1); ++line) {
            if (form_.Cells[day][line] != kEmptyCell || !hasContract_[line] ||
                !(double(contract_[line]) > hours_[line]))
                continue;
            for (int shift = 1; shift <= kShifts; ++shift)
                if ((codeFlags_[line][shift] & staffedMask_[day]) && !nightRefused({day, line, shift, 0}) &&
                    fits(line, shift))
                    return true;
        }
    }
    return false;
}

bool FillEngine::contractsPossible(bool hoursFresh) const
{
    for (int day = 1; day <= kDays; ++day) {
        for (int line = 1; line <= std::max(numberOfStaff_, 1); ++line) {
            if (form_.Cells[day][line] != kEmptyCell || !in_.RequestDay[day][line])
                continue;
            // Before the first recount any wanted empty cell counts: it recounts the hours.
            if (hoursFresh && !(hasContract_[line] && double(contract_[line]) > hours_[line]))
                continue;
            for (int shift = 1; shift <= kShifts; ++shift) {
                bool wanted = !nightRefused({day, line, shift, 0}) && (!hoursFresh || fits(line, shift));
                for (int s = 1; s <= kShifts; ++s)
                    if (Covers(codeFlags_[line][shift], s) && neverStaffed_[day][s])
                        wanted = false;
                if (wanted)
                    return true;
            }
        }
    }
    return false;
}

void FillEngine::PhaseSkillCover(FillRandom& random)
{
    int fruitless = 0;
    for (int draws = 0; draws < kDrawsPerPhase; ++draws) {
        const Draw d = draw(random);
        // Wanted: the code covers a shift still short of staff, and no refused night;
        // and the person holds a skill the drawn shift still needs.
        // All tests at once, without a branch each: the draws are random, and only the
        // rare placement should take a branch the processor did not predict.
        const bool placing = (form_.Cells[d.day][d.line] == kEmptyCell) &
                             ((codeFlags_[d.line][d.shift] & staffedMask_[d.day]) != 0) &
                             ((needMask_[d.day][d.shift] & skills_[d.line]) != 0) & !nightRefused(d) &
                             hasContract_[d.line] &
                             (double(contract_[d.line]) > hours_[d.line] + double(codeHours_[d.line][d.shift]));
        if (!placing) {
            if (++fruitless == kFruitlessBeforeCheck && !skillCoverPossible()) {
                random.Skip(3ull * std::uint64_t(kDrawsPerPhase - draws - 1));
                return;
            }
            continue;
        }
        fruitless = 0;
        form_.Cells[d.day][d.line] = d.code;
        const int flags = codeFlags_[d.line][d.shift];
        for (int s = 1; s <= kShifts; ++s)
            if (Covers(flags, s))
                lowerRequirement(d.day, s);
        // A person counts for one skill per shift: the first one still needed.
        for (int s = 1; s <= kShifts; ++s) {
            if (!Covers(flags, s))
                continue;
            const std::uint8_t match = needMask_[d.day][s] & skills_[d.line];
            if (!match)
                continue;
            const int k = std::countr_zero(unsigned(match)) + 1;
            if (--skillNeed_[d.day][s][k] == 0) {
                --skillNeedsOpen_;
                needMask_[d.day][s] &= std::uint8_t(~(1u << (k - 1)));
            }
        }
        hours_[d.line] += double(codeHours_[d.line][d.shift]);
        if (skillNeedsOpen_ == 0)
            return;
    }
}

void FillEngine::PhaseHeadCount(FillRandom& random)
{
    int fruitless = 0;
    for (int draws = 0; draws < kDrawsPerPhase; ++draws) {
        const Draw d = draw(random);
        const bool placing = (form_.Cells[d.day][d.line] == kEmptyCell) &
                             ((codeFlags_[d.line][d.shift] & staffedMask_[d.day]) != 0) & !nightRefused(d) &
                             hasContract_[d.line] & (double(contract_[d.line]) > hours_[d.line]) &
                             fits(d.line, d.shift);
        if (!placing) {
            if (++fruitless == kFruitlessBeforeCheck && !headCountPossible()) {
                random.Skip(3ull * std::uint64_t(kDrawsPerPhase - draws - 1));
                return;
            }
            continue;
        }
        fruitless = 0;
        const CellId placed = fitToContract(d.code, double(contract_[d.line]) - hours_[d.line]);
        form_.Cells[d.day][d.line] = placed;
        const DutyFacts& cell = duties_.facts(placed);
        for (int s = 1; s <= kShifts; ++s)
            if (Covers(cell.flags, s))
                lowerRequirement(d.day, s);
        hours_[d.line] += double(cell.hours);
        bool stillNeeded = false;
        for (int day = 1; day <= kDays && !stillNeeded; ++day)
            stillNeeded = staffedMask_[day] != 0;
        if (!stillNeeded)
            return;
    }
}

void FillEngine::PhaseContracts(FillRandom& random)
{
    bool hoursFresh = false;  // hours_ holds a full recount; after that only a placed line changes
    int fruitless = 0;
    for (int draws = 0; draws < kDrawsPerPhase; ++draws) {
        const Draw d = draw(random);
        const bool wanted = (form_.Cells[d.day][d.line] == kEmptyCell) & in_.RequestDay[d.day][d.line] &
                            !nightRefused(d) & ((codeFlags_[d.line][d.shift] & neverStaffedMask_[d.day]) == 0);
        const bool placing = wanted & hasContract_[d.line] & (double(contract_[d.line]) > hours_[d.line]) &
                             fits(d.line, d.shift);
        if (!placing && (!wanted || hoursFresh)) {
            // Nothing changes: no cell, and the hours are already counted.
            if (++fruitless == kFruitlessBeforeCheck && !contractsPossible(hoursFresh)) {
                random.Skip(3ull * std::uint64_t(kDrawsPerPhase - draws - 1));
                return;
            }
            continue;
        }
        fruitless = 0;
        if (placing)
            form_.Cells[d.day][d.line] = fitToContract(d.code, double(contract_[d.line]) - hours_[d.line]);
        if (!hoursFresh) {
            CalculateVirtualHoursWorked();
            hoursFresh = true;
        } else {
            hours_[d.line] = lineHours(form_, d.line);
        }
        bool stillNeeded = false;
        for (int line = 1; line <= kLines && !stillNeeded; ++line)
            stillNeeded = hasContract_[line] && double(contract_[line]) > hours_[line];
        if (!stillNeeded)
            return;
    }
}

void FillEngine::WriteSummary()
{
    Summarise(form_);
}

void FillEngine::Summarise(VirtualForm& form) const
{
    for (int day = 1; day <= kDays; ++day)
        SummariseDay(form, day);
}

void FillEngine::SummariseDay(VirtualForm& form, int day) const
{
    DaySummary sum;
    for (int line = 1; line <= kLines; ++line) {
        const CellId id = form.Cells[day][line];
        if (id == kEmptyCell)
            continue;
        const int flags = duties_.facts(id).flags;
        for (int s = 1; s <= kShifts; ++s)
            if (Covers(flags, s)) {
                ++sum.Count[s];
                sum.Lines[s] |= 1u << line;
            }
    }
    form.Summary[day] = sum;
}

float FillEngine::lineHours(const VirtualForm& form, int line) const
{
    float total = 0;
    for (int day = 1; day <= kDays; ++day) {
        total += duties_.facts(form.Cells[day][line]).lineHours;
    }
    return total;
}

void FillEngine::CalculateVirtualHoursWorked()
{
    hours_[0] = 0;
    for (int line = 1; line <= kLines; ++line)
        hours_[line] = lineHours(form_, line);
}

QString FillEngine::SummaryText(const DaySummary& sum) const
{
    QString text;
    for (int s = 1; s <= kShifts; ++s) {
        if (s > 1)
            text += u'/';
        text += IntToText(sum.Count[s]);
        for (int line = 1; line <= kLines; ++line)
            if ((sum.Lines[s] >> line) & 1)
                text += in_.SkillCodes[line];
    }
    return text;
}

std::vector<std::pair<QString, int>> FillEngine::CoverSkills(const DaySummary& sum, int shift) const
{
    std::vector<std::pair<QString, int>> held;
    for (int k = 1; k <= kSkills; ++k) {
        if (s_.SkillCode[k].isEmpty())
            continue;
        int n = 0;
        for (int line = 1; line <= kLines; ++line)
            n += int((sum.Lines[shift] >> line) & (skills_[line] >> (k - 1)) & 1u);
        if (n > 0)
            held.emplace_back(s_.SkillCode[k], n);
    }
    return held;
}

QString FillEngine::CoverText(const DaySummary& sum) const
{
    const QString* names[kShifts + 1] = {nullptr, &s_.NameAMShift, &s_.NamePMShift, &s_.NameNShift};
    QStringList lines;
    for (int s = 1; s <= kShifts; ++s) {
        QStringList held;
        for (const auto& [code, n] : CoverSkills(sum, s))
            held += code + u' ' + IntToText(n);
        lines += *names[s] + u' ' + IntToText(sum.Count[s]) +
                 (held.isEmpty() ? QString() : QStringLiteral(": ") + held.join(QStringLiteral(", ")));
    }
    return lines.join(u'\n');
}

QStringList FillEngine::TraceLines(const VirtualForm& form) const
{
    QStringList lines;
    for (int line = 1; line <= kLines; ++line) {
        QString text = in_.HoursSet[line].rightJustified(10) + u' ' + ExponentText(lineHours(form, line)).rightJustified(12);
        for (int day = 1; day <= kDays; ++day)
            text += u' ' + CellText(form, day, line).rightJustified(15);
        lines += text;
    }
    return lines;
}

}  // namespace tavrola
