#pragma once
#include "document/ClinicNotesStep.h"
#include "document/WardModel.h"

#include <QPoint>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace tavrola {

// The day's clinic pop-up: modeless and always on top. It lists the clinics of the day
// last chosen, reading Clinic.rtf again each time it becomes active; a click on the list
// writes the clinics' notes into the spare lines of the day's column (one undo step).
class TClinicScheduleForm : public QWidget {
    Q_OBJECT
public:
    explicit TClinicScheduleForm(WardModel& model, QWidget* parent = nullptr);

    // Shows the pop-up for a day. It moves to `place` (screen coordinates, kept on the
    // screen) on the first showing after each close and whenever the day changes. Esc
    // closes it.
    void openFor(const ClinicDayChoice& choice, const QPoint& place);

    void FormActivate();       // refills the list for the day chosen
    void ClinicsREMouseDown(); // writes the notes into the grid

    QPlainTextEdit* ClinicsRE = nullptr;
    QLabel* Problem = nullptr;  // why the list is empty: no Clinic.rtf, or it cannot be read
    const QStringList& lines() const { return lines_; }
    bool placed() const { return placed_; }
    int day() const { return choice_.day; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;  // Esc closes
    void closeEvent(QCloseEvent* event) override;  // FormClose

private:
    WardModel& model_;
    ClinicDayChoice choice_;
    QPoint place_;
    bool placed_ = false;
    QStringList lines_;
};

}  // namespace tavrola
