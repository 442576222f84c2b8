#include "app/StatisticsWindow.h"
#include "app/ScreenFit.h"

#include "Ui.h"
#include "document/StatisticsRun.h"
#include "render/StatsPicture.h"
#include "stats/StatsCsv.h"
#include "util/FileAccess.h"
#include "util/Locale.h"
#include "util/TextFile.h"
#include "util/TextUtil.h"

#include <QBuffer>
#include <QDateEdit>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavrola {

namespace {

// A date box that also takes a date typed whole: in the short format, as dd/mm/yyyy or
// as yyyy-mm-dd, besides editing the long date a part at a time.
class TypedDateEdit : public QDateEdit {
public:
    using QDateEdit::QDateEdit;

protected:
    QValidator::State validate(QString& input, int& pos) const override
    {
        const QValidator::State own = QDateEdit::validate(input, pos);
        if (own == QValidator::Acceptable)
            return own;
        return ParseDateText(input.trimmed()).isValid() ? QValidator::Acceptable : QValidator::Intermediate;
    }
    QDateTime dateTimeFromText(const QString& text) const override
    {
        const QDate typed = ParseDateText(text.trimmed());
        return typed.isValid() ? QDateTime(typed, QTime(0, 0)) : QDateEdit::dateTimeFromText(text);
    }
};

QDateEdit* DatePicker(QWidget* parent)
{
    auto* edit = new TypedDateEdit(QDate::currentDate(), parent);
    edit->setCalendarPopup(true);
    // The short form, day/month/year with four-digit years, is typed a part at a time; the
    // long form's day and month names cannot be.
    edit->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat).replace(QStringLiteral("yy"), QStringLiteral("yyyy")).replace(QStringLiteral("yyyyyyyy"), QStringLiteral("yyyy")));
    edit->setMinimumWidth(230);
    return edit;
}

QLabel* ItalicLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setItalic(true);
    label->setFont(f);
    return label;
}

// A name to save under ends in the file type's extension.
QString WithSuffix(QString path, const char* suffix)
{
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + QLatin1String(suffix);
    return path;
}

}  // namespace

StatisticsWindow::StatisticsWindow(const WardModel& model, Ui& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui)
{
    setWindowTitle(QStringLiteral("Tavrola Statistics"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* dates = new QHBoxLayout;
    from_ = DatePicker(this);
    to_ = DatePicker(this);
    dates->addWidget(ItalicLabel(QStringLiteral("From"), this));
    dates->addWidget(from_);
    dates->addSpacing(24);
    dates->addWidget(ItalicLabel(QStringLiteral("To"), this));
    dates->addWidget(to_);
    dates->addStretch();
    layout->addLayout(dates);

    image_ = StatisticsPromptImage();
    canvas_ = new QLabel(this);
    canvas_->setPixmap(QPixmap::fromImage(image_));
    area_ = new QScrollArea(this);
    area_->setWidget(canvas_);
    area_->setBackgroundRole(QPalette::Base);
    area_->setMinimumSize(320, 120);  // the picture scrolls on a small screen
    layout->addWidget(area_, 1);

    layout->addWidget(new QLabel(QStringLiteral("Shifts covered over the range (days of illness count for none):"),
                                 this));
    ledger_ = new QTableWidget(0, 5, this);
    ledger_->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Nights"),
                                        QStringLiteral("Weekend shifts"), QStringLiteral("Bank holiday shifts"),
                                        QStringLiteral("Non-preferred shifts")});
    ledger_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows come in the picture's order; a click on a heading sorts by that count.
    ledger_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    ledger_->setSortingEnabled(true);
    ledger_->verticalHeader()->setVisible(false);
    ledger_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ledger_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    ledger_->setMaximumHeight(170);
    layout->addWidget(ledger_);

    auto* buttons = new QHBoxLayout;
    savePicture_ = new QPushButton(QStringLiteral("Save Picture (PNG)..."), this);
    saveTable_ = new QPushButton(QStringLiteral("Save Table (CSV)..."), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    savePicture_->setEnabled(false);
    saveTable_->setEnabled(false);
    ok->setDefault(true);
    buttons->addWidget(savePicture_);
    buttons->addWidget(saveTable_);
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);

    connect(from_, &QDateEdit::dateChanged, this, &StatisticsWindow::DateTimePickerFmChange);
    connect(to_, &QDateEdit::dateChanged, this, &StatisticsWindow::DateTimePickerFmChange);
    connect(savePicture_, &QPushButton::clicked, this, &StatisticsWindow::SavePictureClick);
    connect(saveTable_, &QPushButton::clicked, this, &StatisticsWindow::SaveTableClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    timer_.setSingleShot(true);
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, &StatisticsWindow::FormSequencer);
    timer_.start();
    resize(kStatsViewWidth + 60, 720);
    FitToScreen(this);
}

StatisticsWindow::~StatisticsWindow() = default;

void StatisticsWindow::DateTimePickerFmChange()
{
    recomputeRequested_ = true;
    timer_.start();  // changes within the interval make one analysis
}

void StatisticsWindow::FormSequencer()
{
    timer_.stop();
    if (redrawRequested_) {
        showPicture();
        redrawRequested_ = false;
    }
    if (recomputeRequested_) {
        recomputeRequested_ = false;
        analyse();
    }
}

void StatisticsWindow::analyse()
{
    const QDate from = from_->date(), to = to_->date();
    auto tables = std::make_unique<StatsTables>();
    QStringList damaged;
    ui_.setBusy(true);
    CollectStatistics(model_.Week.DataFolder, model_.Settings, from, to, tables.get(), &damaged);
    ui_.setBusy(false);
    ++analyses_;
    // Damaged weeks are left out of the picture, and named.
    if (!damaged.isEmpty())
        ui_.showWarning(QStringLiteral("Left out of the statistics:\n") + damaged.join(u'\n'));
    tables_ = std::move(tables);
    analysedFrom_ = from;
    analysedTo_ = to;
    image_ = StatisticsImage(*tables_, {model_.Settings.WARD, from, to});
    showPicture();
    fillLedger();
    savePicture_->setEnabled(true);
    saveTable_->setEnabled(true);
}

void StatisticsWindow::showPicture()
{
    canvas_->setPixmap(QPixmap::fromImage(image_));
    canvas_->resize(image_.size());
}

void StatisticsWindow::fillLedger()
{
    const StatsTables& t = *tables_;
    ledger_->setSortingEnabled(false);
    ledger_->setRowCount(int(t.StatNames.size()));
    for (int i = 0; i < t.StatNames.size(); ++i) {
        const FairnessLedger& l = t.Ledger[i];
        ledger_->setItem(i, 0, new QTableWidgetItem(t.StatNames[i]));
        const qint32 counts[4] = {l.Nights, l.WeekendShifts, l.BankHolidayShifts, l.NonPreferredShifts};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem;
            item->setData(Qt::DisplayRole, counts[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            ledger_->setItem(i, c + 1, item);
        }
    }
    ledger_->setSortingEnabled(true);
}

void StatisticsWindow::SavePictureClick()
{
    if (!tables_)
        return;
    const QString suggested = QStringLiteral("Statistics %1 to %2.png")
                                  .arg(analysedFrom_.toString(Qt::ISODate), analysedTo_.toString(Qt::ISODate));
    QString path = ui_.chooseSaveFile(QStringLiteral("Save the statistics picture"), model_.Week.DataFolder,
                                      suggested, QStringLiteral("PNG pictures (*.png)"));
    if (path.isEmpty())
        return;
    path = WithSuffix(path, "png");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image_.save(&buffer, "PNG");
    QString error;
    if (!WriteFileAtomically(path, bytes, &error))
        ui_.showError(error);
}

void StatisticsWindow::SaveTableClick()
{
    if (!tables_)
        return;
    const QString suggested = QStringLiteral("Statistics %1 to %2.csv")
                                  .arg(analysedFrom_.toString(Qt::ISODate), analysedTo_.toString(Qt::ISODate));
    QString path = ui_.chooseSaveFile(QStringLiteral("Save the statistics table"), model_.Week.DataFolder,
                                      suggested, QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!WriteTextFileAtomically(WithSuffix(path, "csv"), StatisticsCsv(*tables_, analysedFrom_, analysedTo_),
                                 &error))
        ui_.showError(error);
}

void ShowStatisticsWindow(const WardModel& model, Ui& ui, QWidget* parent)
{
    StatisticsWindow window(model, ui, parent);
    window.exec();
}

}  // namespace tavrola
