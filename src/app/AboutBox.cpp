#include "app/AboutBox.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tavrola {

void ShowAboutBox(QWidget* parent)
{
    QDialog box(parent);
    box.setWindowTitle(QStringLiteral("Tavrola Information"));
    auto* layout = new QVBoxLayout(&box);
    auto* title = new QLabel(QStringLiteral("<h2 style='color:#000080'>Tavrola</h2><p>Version 3.01</p>"), &box);
    auto* text = new QLabel(QStringLiteral("Tavrola plans the weekly duty roster of one hospital ward: "
                                           "who works which shift, against contracts and the staff each "
                                           "shift needs."),
                            &box);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(buttons);
    box.resize(360, box.sizeHint().height());
    box.exec();
}

}  // namespace tavrola
