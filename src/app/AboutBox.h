#pragma once

class QWidget;

namespace tavrola {

// "Tavrola Information": the product, its version and what it is for.
void ShowAboutBox(QWidget* parent);

}  // namespace tavrola
