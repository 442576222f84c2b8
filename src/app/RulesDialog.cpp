#include "app/RulesDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrola {

RulesDialog::RulesDialog(const RuleLimits& limits, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Working-time rules"));
    auto* intro = new QLabel(tr("A day cell whose duty breaks a rule that is checked gets a warning mark. "
                                "The limits are kept in Rules.txt beside Staff.txt."));
    intro->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("<b>Rule</b>")), 0, 0);
    grid->addWidget(new QLabel(tr("<b>Limit</b>")), 0, 1);
    grid->addWidget(new QLabel(tr("<b>Checked</b>")), 0, 2);
    grid->addWidget(new QLabel(tr("<b>Source of the default</b>")), 0, 3);
    for (int k = 0; k < kRuleCount; ++k) {
        const Rule rule = Rule(k);
        const RuleLimit& current = limits[rule];
        const bool days = RuleCountsDays(rule);
        auto* box = new QDoubleSpinBox;
        box->setObjectName(QString(RuleKey(rule)));
        box->setDecimals(days ? 0 : 2);
        box->setRange(days ? 1 : 0, days ? 28 : 168);
        box->setSingleStep(days ? 1 : 0.5);
        box->setSuffix(days ? tr(" days") : tr(" h"));
        box->setValue(current.limit);
        box->setToolTip(RuleDescription(rule).toString().toLower());
        auto* on = new QCheckBox(tr("on"));
        on->setObjectName(QString(RuleKey(rule)) + QStringLiteral("_on"));
        on->setChecked(current.on);
        on->setAccessibleName(tr("Check %1").arg(RuleTitle(rule)));
        connect(on, &QCheckBox::toggled, box, &QWidget::setEnabled);
        box->setEnabled(current.on);
        // Alt and the underlined letter (1..8) jump to the rule's limit.
        auto* title = new QLabel(QStringLiteral("&%1 %2").arg(k + 1).arg(RuleTitle(rule)));
        title->setBuddy(box);
        auto* source = new QLabel(QString(RuleSource(rule)));
        grid->addWidget(title, k + 1, 0);
        grid->addWidget(box, k + 1, 1);
        grid->addWidget(on, k + 1, 2);
        grid->addWidget(source, k + 1, 3);
        limits_[k] = box;
        on_[k] = on;
    }
    grid->setColumnStretch(3, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this, [this] {
        for (int k = 0; k < kRuleCount; ++k) {
            limits_[k]->setValue(RuleLimits::DefaultLimit(Rule(k)));
            on_[k]->setChecked(true);
        }
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(buttons);
    // Tab goes down the rules, from each limit to its switch.
    for (int k = 0; k < kRuleCount; ++k) {
        if (k > 0)
            setTabOrder(on_[k - 1], limits_[k]);
        setTabOrder(limits_[k], on_[k]);
    }
    limits_[0]->setFocus();
}

RuleLimits RulesDialog::limits() const
{
    RuleLimits out;
    for (int k = 0; k < kRuleCount; ++k) {
        out.rules[k].limit = limits_[k]->value();
        out.rules[k].on = on_[k]->isChecked();
    }
    return out;
}

}  // namespace tavrola
