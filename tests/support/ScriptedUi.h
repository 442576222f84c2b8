#pragma once
#include "Ui.h"

#include <QString>
#include <QStringList>
#include <deque>

namespace tavrola::test {

// A Ui with scripted answers that records every message and question shown.
class ScriptedUi : public Ui {
public:
    struct Shown {
        QString kind;  // "error", "warning", "information", "yesno", "yesnocancel", "yesnoall"
        QString text;
    };

    std::deque<Answer> answers;      // answers to questions, in order; No when exhausted
    std::deque<QString> fileChoices; // answers to file dialogs; empty (cancel) when exhausted
    std::vector<Shown> shown;
    QStringList openedDocuments;
    int processEventsCalls = 0;

    void showError(const QString& text) override { shown.push_back({"error", text}); }
    void showWarning(const QString& text) override { shown.push_back({"warning", text}); }
    void showInformation(const QString& text) override { shown.push_back({"information", text}); }
    Answer askYesNo(const QString& text) override { return ask("yesno", text); }
    Answer askYesNoCancel(const QString& text) override { return ask("yesnocancel", text); }
    Answer askYesNoAll(const QString& text) override { return ask("yesnoall", text); }
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

    int count(const QString& kind) const
    {
        int n = 0;
        for (const Shown& s : shown)
            n += s.kind == kind;
        return n;
    }

private:
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
