#pragma once
#include "document/WardModel.h"
#include "stats/StatsTables.h"

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <memory>

class QDateEdit;
class QLabel;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace tavrola {

class Ui;

// The statistics window: From and To dates, the picture of the stored weeks between them
// (drawn once off screen and scrolled), the fairness ledger under it, and buttons that
// save the picture as PNG and the table as CSV. It reads the ward's settings and data
// folder and changes nothing. Date changes only ask for work: a short timer then shows
// the picture and runs at most one analysis for any number of changes.
class StatisticsWindow : public QDialog {
    Q_OBJECT
public:
    StatisticsWindow(const WardModel& model, Ui& ui, QWidget* parent = nullptr);
    ~StatisticsWindow() override;

    QDateEdit* fromEdit() const { return from_; }
    QDateEdit* toEdit() const { return to_; }
    QScrollArea* pictureArea() const { return area_; }
    QTableWidget* ledger() const { return ledger_; }
    const QImage& picture() const { return image_; }
    const StatsTables* tables() const { return tables_.get(); }  // null before an analysis
    int analyses() const { return analyses_; }

    // The request loop's pass: the picture first, then the analysis when asked for.
    void FormSequencer();
    void SavePictureClick();
    void SaveTableClick();

private:
    void DateTimePickerFmChange();
    void analyse();
    void showPicture();
    void fillLedger();

    const WardModel& model_;
    Ui& ui_;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QScrollArea* area_ = nullptr;
    QLabel* canvas_ = nullptr;
    QTableWidget* ledger_ = nullptr;
    QPushButton* savePicture_ = nullptr;
    QPushButton* saveTable_ = nullptr;
    QTimer timer_;
    QImage image_;
    std::unique_ptr<StatsTables> tables_;
    QDate analysedFrom_, analysedTo_;
    bool recomputeRequested_ = false;
    bool redrawRequested_ = true;
    int analyses_ = 0;
};

// Shows the statistics window modally.
void ShowStatisticsWindow(const WardModel& model, Ui& ui, QWidget* parent);

}  // namespace tavrola
