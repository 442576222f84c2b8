#pragma once
#include "rules/RuleLimits.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;

namespace tavrola {

// File > Working-time rules: each rule with its limit, an on/off box and where its
// default comes from. It edits a copy; the caller writes Rules.txt on OK.
class RulesDialog : public QDialog {
    Q_OBJECT
public:
    explicit RulesDialog(const RuleLimits& limits, QWidget* parent = nullptr);

    RuleLimits limits() const;
    QDoubleSpinBox* limitBox(Rule rule) const { return limits_[int(rule)]; }
    QCheckBox* onBox(Rule rule) const { return on_[int(rule)]; }

private:
    QDoubleSpinBox* limits_[kRuleCount] = {};
    QCheckBox* on_[kRuleCount] = {};
};

}  // namespace tavrola
