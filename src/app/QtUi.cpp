#include "app/QtUi.h"

#include "util/FileAssociation.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace tavrola {

namespace {
// The Windows-style "\r" line breaks of the program's messages read as new lines here.
QString forDisplay(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    return t;
}
}  // namespace

void QtUi::showError(const QString& text)
{
    QMessageBox::critical(parent_, QApplication::applicationName(), forDisplay(text));
}

void QtUi::showWarning(const QString& text)
{
    QMessageBox::warning(parent_, QApplication::applicationName(), forDisplay(text));
}

void QtUi::showInformation(const QString& text)
{
    QMessageBox::information(parent_, QApplication::applicationName(), forDisplay(text));
}

Answer QtUi::askYesNo(const QString& text)
{
    return QMessageBox::question(parent_, QApplication::applicationName(), forDisplay(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
               ? Answer::Yes
               : Answer::No;
}

Answer QtUi::askYesNoCancel(const QString& text)
{
    const auto b = QMessageBox::question(parent_, QApplication::applicationName(), forDisplay(text),
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return b == QMessageBox::Yes ? Answer::Yes : b == QMessageBox::No ? Answer::No : Answer::Cancel;
}

Answer QtUi::askSaveDiscardCancel(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), forDisplay(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int b = box.exec();
    return b == QMessageBox::Save ? Answer::Yes : b == QMessageBox::Discard ? Answer::No : Answer::Cancel;
}

Answer QtUi::askYesNoAll(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), forDisplay(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    QPushButton* all = box.addButton(QObject::tr("&All"), QMessageBox::YesRole);
    box.setDefaultButton(QMessageBox::No);
    box.exec();
    if (box.clickedButton() == all)
        return Answer::All;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

QString QtUi::chooseOpenFile(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent_, title, folder, filter);
}

QString QtUi::chooseSaveFile(const QString& title, const QString& folder, const QString& suggestedName,
                             const QString& filter)
{
    return QFileDialog::getSaveFileName(parent_, title, folder + suggestedName, filter);
}

void QtUi::processEvents()
{
    QCoreApplication::processEvents();
}

void QtUi::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool QtUi::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtUi::registerFileType(const QString& extension, const QString& programPath)
{
    return RegisterFileType(extension, programPath);
}

}  // namespace tavrola
