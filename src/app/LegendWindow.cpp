#include "app/LegendWindow.h"

#include "app/CellMarks.h"
#include "app/ScreenFit.h"
#include "roster/StatusLegend.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace tavrola {

LegendWindow::LegendWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Legend"));
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const StatusMark& m : StatusMarks()) {
        // The swatch shows the colour and the glyph together, as the grid does; the rule
        // breach its warning triangle, drawn as on a day cell.
        auto* swatch = new QLabel(m.glyph, this);
        swatch->setAlignment(Qt::AlignCenter);
        swatch->setFixedSize(44, 24);
        swatch->setStyleSheet(QStringLiteral("background:%1; color:%2; border:1px solid #606060; font-weight:bold;")
                                  .arg(toQColor(m.colour).name(), toQColor(InkOn(m.colour)).name()));
        if (m.status == Status::RuleBreach) {
            QPixmap triangle(16 * devicePixelRatio(), 16 * devicePixelRatio());
            triangle.setDevicePixelRatio(devicePixelRatio());
            triangle.fill(toQColor(m.colour));
            QPainter p(&triangle);
            p.setRenderHint(QPainter::Antialiasing);
            CellMarks::paintBreach(p, QPointF(0, 0), 16);
            p.end();
            swatch->setPixmap(triangle);
        }
        swatch->setAccessibleName(m.name);
        auto* name = new QLabel(QStringLiteral("<b>%1</b>").arg(m.name.toHtmlEscaped()), this);
        auto* meaning = new QLabel(m.meaning, this);
        meaning->setWordWrap(true);
        meaning->setMinimumWidth(320);
        grid->addWidget(swatch, row, 0);
        grid->addWidget(name, row, 1);
        grid->addWidget(meaning, row, 2);
        ++row;
    }
    outer->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);
    adjustSize();
    FitToScreen(this);
}

}  // namespace tavrola
