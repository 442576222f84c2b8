#pragma once
#include "document/AutoFill.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tavrola {

class ColourButton;

// The fill's controls on the main window: the blue "Auto Fill Form" button, the
// candidate count under it, the solution browser and the "Why?" button beside it, and the
// read-only row of who covers each shift, which the window puts under the grid. The run is the
// document's (it stops it before any other step changes the week); the panel drives its
// slices on the window's thread, so the window repaints and answers the Stop press and
// a day-cell click between them, and shows what the run says.
class AutoFillPanel : public QObject {
    Q_OBJECT
public:
    AutoFillPanel(WardModel& model, Ui& ui, QWidget* parent, QWidget* rowParent = nullptr);

    ColourButton* AutoFillButton = nullptr;
    QLabel* SolutionCountLabel = nullptr;
    QSpinBox* UpDown1 = nullptr;
    QPushButton* WhyButton = nullptr;
    // "Cover" and seven read-only day boxes: the shown solution's summary, never a duty.
    QWidget* SummaryRow = nullptr;
    QLineEdit* SummaryEdits[8] = {};

    AutoFill& fill() { return fill_; }
    bool running() const { return fill_.running(); }

    void AutoFillButtonClick();
    void UpDown1Click(int position);
    // The whole explanation of the shown solution's score.
    void WhyClick();
    // Where each day's column of the grid is (a widget of that column); the cover row's
    // boxes stand under them, whatever the window's width.
    void setDayColumns(std::function<QWidget*(int day)> column);

    static constexpr int kSliceMs = 12;
    static constexpr int kCountRefreshMs = 50;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void slice();
    void show(bool countNow);
    void alignCover();

    AutoFill& fill_;  // the document's run
    Ui& ui_;
    QTimer timer_;
    QElapsedTimer sinceCount_;
    QLabel* coverTitle_ = nullptr;
    std::function<QWidget*(int day)> dayColumn_;
};

}  // namespace tavrola
