#include "cli/CliCommon.h"

#include "util/ConversionError.h"
#include "settings/DutyText.h"
#include "util/TextUtil.h"

#include <optional>

namespace tavrola::cli {

namespace {
struct Reading {
    std::optional<float> value;
    QString error;
};

template <typename F>
Reading read(F&& f)
{
    try {
        return {f(), QString()};
    } catch (const ConversionError& e) {
        return {std::nullopt, e.message()};
    }
}

class EvalVerb final : public Command {
public:
    const char* name() const override { return "eval"; }
    const std::vector<Option>& options() const override
    {
        static const std::vector<Option> list{kDataOption,
                                              kJsonOption,
                                              {nullptr, "TEXT...", OptionKind::Texts, Shown::Required, 1, 1, -1}};
        return list;
    }
    const char* help() const override
    {
        return "  eval TEXT...     hours, shift kinds and contract readings of duty texts\n";
    }

protected:
    int execute(const CommandArgs& common, Console& io) const override;
};

}  // namespace

int EvalVerb::execute(const CommandArgs& common, Console& io) const
{
    WardModel model;
    if (!LoadWard(model, common.dataFolder, io))
        return BadInput;
    const WardSettings& s = model.Settings;
    const DutyEvaluator evaluator(s);
    bool allConverted = true;
    for (const QString& text : common.texts) {
        int flags = 0;
        const float hours = evaluator.DutyHours(text, &flags);
        const Reading day = read([&] { return DayHoursWithCodes(text, evaluator); });
        const Reading contract = read([&] { return HoursSetValue(text, false); });
        const Reading first = read([&] { return HoursSetValue(text, true); });
        QString error = !day.error.isEmpty() ? day.error
                        : !contract.error.isEmpty() ? contract.error : first.error;
        allConverted = allConverted && error.isEmpty();
        if (common.json) {
            JsonLine j;
            j.add("text", text).addFloat("hours", hours).add("flags", qint64(flags));
            if (day.value) j.addFloat("day_hours", *day.value);
            if (contract.value) j.addFloat("contract", *contract.value);
            if (first.value) j.addFloat("contract_first", *first.value);
            if (!error.isEmpty()) j.add("error", error);
            io.line(j.text());
        } else {
            auto show = [](const Reading& r) { return r.value ? FloatToShortest(*r.value) : QStringLiteral("error"); };
            QString line = QStringLiteral("%1\thours=%2 flags=%3 day_hours=%4 contract=%5 contract_first=%6")
                               .arg(text, FloatToShortest(hours), QString::number(flags), show(day),
                                    show(contract), show(first));
            if (!error.isEmpty())
                line += QStringLiteral(" (%1)").arg(error);
            io.line(line);
        }
    }
    // Every text is shown; a text that did not convert makes the run fail.
    return allConverted ? Ok : BadInput;
}

const Command& EvalCommand()
{
    static const EvalVerb command;
    return command;
}

}  // namespace tavrola::cli
