#pragma once
#include <QDialog>

namespace tavrola {

// A small window that explains every colour and glyph of the grid: each status as a
// swatch in its colour with its glyph on it, its name and what it means.
class LegendWindow : public QDialog {
    Q_OBJECT
public:
    explicit LegendWindow(QWidget* parent = nullptr);
};

}  // namespace tavrola
