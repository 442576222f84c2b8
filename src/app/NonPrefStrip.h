#pragma once
#include "render/NonPrefChart.h"

#include <QWidget>

namespace tavrola {

// The narrow strip beside the names with the red non-preference bars. It paints from
// the last scan every time, so the bars stay when the window repaints.
class NonPrefStrip : public QWidget {
public:
    explicit NonPrefStrip(QWidget* parent) : QWidget(parent) {}
    void showChart(const NonPrefChart& chart)
    {
        chart_ = chart;
        update();
    }
    const NonPrefChart& chart() const { return chart_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    NonPrefChart chart_;
};

}  // namespace tavrola
