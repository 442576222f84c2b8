#pragma once
#include "roster/RosterWeek.h"

#include <QHash>
#include <QWidget>

class QLabel;
class QLineEdit;
class QDateEdit;

namespace tavrola {

// The roster grid at its fixed positions: one line edit per field of the week, bound both
// ways (typing writes the field; the field's changes show in the edit), with the column
// headings, day and holiday labels and the required-staff boxes.
class GridView : public QWidget, private RosterObserver {
    Q_OBJECT
public:
    explicit GridView(RosterWeek& week, QWidget* parent = nullptr);
    ~GridView() override;

    QLineEdit* editFor(const Field& field) const { return edits_.value(&field); }
    Field* fieldFor(const QLineEdit* edit) const { return fields_.value(edit); }

    QLabel* TavrolaLabel = nullptr;
    QLabel* HospitalNameLabel = nullptr;
    QLabel* WardNameLabel = nullptr;
    QLabel* WkLabel = nullptr;
    QLabel* FooterLabel = nullptr;
    QLabel* LabelWeekCommencing = nullptr;
    QLabel* SisterSignatureLabel = nullptr;
    QLabel* DayLabels[kDays + 1] = {};
    QLabel* HolidayLabels[kDays + 1] = {};
    QWidget* ToolbarPanel = nullptr;
    QWidget* PaintBox1 = nullptr;
    QDateEdit* DateTimePicker = nullptr;

    // Reloads every edit from its field (after the week was replaced wholesale).
    void refreshAll();

private:
    void fieldChanged(const Field& field, FieldChange what) override;
    QLineEdit* addEdit(Field& field, int x, int y, int width);
    QLabel* addLabel(const QString& text, int x, int y, int width, int height = 16);
    void show(const Field& field, QLineEdit* edit, FieldChange what);

    RosterWeek& week_;
    QHash<const Field*, QLineEdit*> edits_;
    QHash<const QLineEdit*, Field*> fields_;
};

}  // namespace tavrola
