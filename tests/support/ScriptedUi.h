#pragma once
#include "Ui.h"
#include "render/RecordingCanvas.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>

namespace tavrola::test {

// A Ui with scripted answers that records every message and question shown.
class ScriptedUi : public Ui {
public:
    struct Shown {
        QString kind;  // "error", "warning", "information", "yesno", "yesnocancel", "yesnoall", "savediscardcancel", "choice"
        QString text;
    };

    std::deque<Answer> answers;      // answers to questions, in order; No when exhausted
    std::deque<QString> fileChoices; // answers to file dialogs; empty (cancel) when exhausted
    std::deque<int> choices;         // answers to chooseAmong; -1 (cancel) when exhausted
    // The print dialog: with a page set, the user picks a printer that draws on it (once);
    // without one, the user cancels. Every dialog's orientation is kept.
    std::unique_ptr<RecordingCanvas> printerPage;
    std::vector<PageOrientation> printDialogs;
    int documentsBegun = 0, documentsEnded = 0;
    std::vector<Shown> shown;
    QStringList openedDocuments;
    int processEventsCalls = 0;

    void showError(const QString& text) override { shown.push_back({"error", text}); }
    void showWarning(const QString& text) override { shown.push_back({"warning", text}); }
    void showInformation(const QString& text) override { shown.push_back({"information", text}); }
    Answer askYesNo(const QString& text) override { return ask("yesno", text); }
    Answer askYesNoCancel(const QString& text) override { return ask("yesnocancel", text); }
    Answer askYesNoAll(const QString& text) override { return ask("yesnoall", text); }
    // Save is Answer::Yes, Discard Answer::No (the answer when none is scripted).
    Answer askSaveDiscardCancel(const QString& text) override { return ask("savediscardcancel", text); }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return nextFile(); }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override
    {
        return nextFile();
    }
    void processEvents() override { ++processEventsCalls; }
    void setBusy(bool) override {}
    bool openDocument(const QString& path) override
    {
        openedDocuments += path;
        return true;
    }
    bool registerFileType(const QString&, const QString&) override { return true; }
    std::unique_ptr<PrintJob> choosePrinter(PageOrientation orientation) override
    {
        printDialogs.push_back(orientation);
        if (!printerPage)
            return nullptr;
        return std::make_unique<Job>(*this, std::move(printerPage));
    }
    int chooseAmong(const QString& text, const QStringList& options) override
    {
        shown.push_back({"choice", text + QStringLiteral(" [") + options.join(u'|') + u']'});
        if (choices.empty())
            return -1;
        const int c = choices.front();
        choices.pop_front();
        return c;
    }
    // The page of the last print that ended.
    std::unique_ptr<RecordingCanvas> printed;

    int count(const QString& kind) const
    {
        int n = 0;
        for (const Shown& s : shown)
            n += s.kind == kind;
        return n;
    }

private:
    class Job : public PrintJob {
    public:
        Job(ScriptedUi& ui, std::unique_ptr<RecordingCanvas> page) : ui_(ui), page_(std::move(page)) {}
        Canvas* begin(QString*) override
        {
            ++ui_.documentsBegun;
            return page_.get();
        }
        bool end(QString*) override
        {
            ++ui_.documentsEnded;
            ui_.printed = std::move(page_);
            return true;
        }

    private:
        ScriptedUi& ui_;
        std::unique_ptr<RecordingCanvas> page_;
    };

    Answer ask(const char* kind, const QString& text)
    {
        shown.push_back({kind, text});
        if (answers.empty())
            return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QString nextFile()
    {
        if (fileChoices.empty())
            return QString();
        QString f = fileChoices.front();
        fileChoices.pop_front();
        return f;
    }
};

}  // namespace tavrola::test
