#include "app/ClinicForm.h"
#include "app/ScreenFit.h"

#include "Ui.h"
#include "clinics/ClinicFile.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTextCharFormat>
#include <QResizeEvent>
#include <QTextEdit>
#include <QToolBar>

namespace tavrola {

namespace {
const char* const kInstructions[3] = {
    "List the Consultants or Registrars for each day, am/pm on a separate line.",
    "Add the wk1,2 etc. worked, the notes in [ ] can be entered on the tavrola form  ",
    "by clicking on the Clinc Popup, follow the example below.",
};
constexpr int kEditTop = 78;
}  // namespace

TClinicForm::TClinicForm(const QString& dataFolder, Ui& ui, QWidget* parent)
    : QDialog(parent), dataFolder_(dataFolder), ui_(ui)
{
    setWindowTitle(QStringLiteral("Setup Clinic Information"));
    setSizeGripEnabled(true);
    setMinimumSize(420, 260);
    for (int k = 0; k < 3; ++k) {
        Instructions[k] = new QLabel(QString::fromLatin1(kInstructions[k]), this);
        Instructions[k]->setGeometry(10, 4 + 16 * k, 620, 16);
    }

    ClinicRichEdit = new QTextEdit(this);
    ClinicRichEdit->setObjectName(QStringLiteral("ClinicRichEdit"));
    ClinicRichEdit->setAcceptRichText(true);
    ClinicRichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ClinicRichEdit->setGeometry(10, kEditTop, 100, 100);

    FormatBar = new QToolBar(this);
    FormatBar->setGeometry(8, 53, 300, 24);
    FormatBar->setIconSize(QSize(16, 16));
    // Each action sets its own property of the selection (or of what is typed next).
    auto addStyle = [this](const QString& text, QKeySequence::StandardKey key, auto set) {
        QAction* a = FormatBar->addAction(text);
        a->setCheckable(true);
        a->setShortcut(key);
        a->setToolTip(QStringLiteral("%1 (%2)").arg(text, QKeySequence(key).toString(QKeySequence::NativeText)));
        QFont look = font();
        QTextCharFormat sample;
        set(sample, true);
        look.setBold(sample.fontWeight() > QFont::Medium);
        look.setItalic(sample.fontItalic());
        look.setUnderline(sample.fontUnderline());
        a->setFont(look);
        connect(a, &QAction::triggered, this, [this, set](bool on) {
            QTextCharFormat change;
            set(change, on);
            ClinicRichEdit->mergeCurrentCharFormat(change);
            ClinicRichEdit->setFocus();
        });
        return a;
    };
    bold_ = addStyle(QStringLiteral("Bold"), QKeySequence::Bold,
                     [](QTextCharFormat& f, bool on) { f.setFontWeight(on ? QFont::Bold : QFont::Normal); });
    italic_ = addStyle(QStringLiteral("Italic"), QKeySequence::Italic,
                       [](QTextCharFormat& f, bool on) { f.setFontItalic(on); });
    underline_ = addStyle(QStringLiteral("Underline"), QKeySequence::Underline,
                          [](QTextCharFormat& f, bool on) { f.setFontUnderline(on); });
    connect(ClinicRichEdit, &QTextEdit::currentCharFormatChanged, this, [this] { showFormat(); });

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    OKBtn->setToolTip(QStringLiteral("Exit & Update Staff File"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setToolTip(QStringLiteral("Exit - Retain Existing Settings"));
    connect(OKBtn, &QPushButton::clicked, this, &TClinicForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TClinicForm::CancelBtnClick);
    resize(640, 480);
    FitToScreen(this);
}

bool TClinicForm::FormActivate()
{
    QTextDocument* doc = ClinicRichEdit->document();
    doc->setUndoRedoEnabled(false);  // the loaded text is not an edit to undo
    QString error;
    const bool ok = LoadClinicDocument(dataFolder_, doc, &error);
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    if (!ok)
        ui_.showError(error);
    ClinicRichEdit->moveCursor(QTextCursor::Start);
    showFormat();
    return ok;
}

void TClinicForm::OKBtnClick()
{
    if (beforeWrite_ && !beforeWrite_())
        return;
    QString error;
    if (!SaveClinicDocument(dataFolder_, *ClinicRichEdit->document(), &error)) {
        ui_.showError(error);  // the text stays in the editor to try again
        return;
    }
    ClinicRichEdit->document()->setModified(false);
    accept();
}

void TClinicForm::reject()
{
    if (ClinicRichEdit->document()->isModified() &&
        ui_.askYesNo(QStringLiteral("The clinic list was changed. Close without saving the changes?")) != Answer::Yes)
        return;
    QDialog::reject();
}

void TClinicForm::showFormat()
{
    const QTextCharFormat f = ClinicRichEdit->currentCharFormat();
    bold_->setChecked(f.fontWeight() > QFont::Medium);
    italic_->setChecked(f.fontItalic());
    underline_->setChecked(f.fontUnderline());
}

void TClinicForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int w = width(), h = height();
    ClinicRichEdit->setGeometry(10, kEditTop, w - 35, h - 115);
    const int buttonTop = kEditTop + (h - 115) + 5;
    OKBtn->setGeometry(w - 245, buttonTop, 100, 26);
    CancelBtn->setGeometry(w - 130, buttonTop, 100, 26);
}

}  // namespace tavrola
