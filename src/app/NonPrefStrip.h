#pragma once
#include "render/NonPrefChart.h"

#include <QWidget>

namespace tavrola {

// The narrow strip beside the names with the red non-preference bars. It paints from
// the last scan every time, so the bars stay when the window repaints.
class NonPrefStrip : public QWidget {
public:
    explicit NonPrefStrip(QWidget* parent) : QWidget(parent) {}
    // `analysisStart` is the date the counts run from, for the bars' tool tips.
    void showChart(const NonPrefChart& chart, const QString& analysisStart = QString())
    {
        chart_ = chart;
        analysisStart_ = analysisStart;
        update();
    }
    const NonPrefChart& chart() const { return chart_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;  // the bars' tool tips

private:
    NonPrefChart chart_;
    QString analysisStart_;
};

}  // namespace tavrola
