#include "app/MainWindow.h"
#include "app/StatisticsWindow.h"

namespace tavrola {

void MainWindow::Statistics1Click()
{
    ShowStatisticsWindow(model_, *ui_, this);
}

}  // namespace tavrola
