#pragma once
#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <ostream>
#include <vector>

namespace tavrola::cli {

enum ExitCode { Ok = 0, BadInput = 1, Usage = 2 };

// Where a command writes: its output and its error stream, as UTF-8 lines. The program
// passes std::cout and std::cerr; tests pass string streams.
class Console {
public:
    Console(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    void line(const QString& text);   // one line of output
    void error(const QString& text);  // "tavrola-cli: text" on the error stream
    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }

private:
    std::ostream& out_;
    std::ostream& err_;
};

enum class OptionKind {
    Flag,      // --NAME
    Value,     // --NAME VALUE, checked by the command
    Date,      // --NAME DATE, read as a date by the parser (at most one per command)
    SaveFile,  // --NAME FILE, a file to save to (at most one per command)
    Texts,     // the positional arguments
};

// How an option shows in the usage line.
enum class Shown {
    Optional,     // [--NAME VALUE]
    Required,     // --NAME VALUE; a required date is checked by the parser, others by the command
    InItsForm,    // --NAME VALUE, needed in its usage form, checked by the command
    OrNext,       // (--NAME VALUE | the next option), checked by the command
    InsideLast,   // inside the brackets of the option before it: [--a A [--NAME VALUE]]
};

struct Option {
    const char* name;             // without "--"; nullptr for the positional arguments
    const char* value = nullptr;  // the value's name in the usage line; nullptr for a flag
    OptionKind kind = OptionKind::Value;
    Shown shown = Shown::Optional;
    int forms = 1;                // the usage forms it belongs to, as bits (1, 2)
    int minTexts = 0, maxTexts = 0;  // positional arguments: how many; maxTexts -1 for any
};

// Every command's own options.
inline const Option kDataOption{"data", "DIR"};
inline const Option kJsonOption{"json", nullptr, OptionKind::Flag};

struct CommandArgs {
    QString dataFolder;  // resolved, ends in a separator
    bool json = false;
    QStringList texts;   // the positional arguments
    QDate week;          // the date option, when given
    QString saveTo;      // the save-file option, when given
    QHash<QString, QString> values;  // the further options given, by name
    QStringList flags;               // the further flags given
};

// One verb of tavrola-cli: its options in one list (which gives the parser and the usage
// line), the lines it adds to the program's usage text, and what it does.
class Command {
public:
    virtual ~Command() = default;
    virtual const char* name() const = 0;
    virtual const std::vector<Option>& options() const = 0;
    // The command's part of the program's usage text, lines ending in "\n".
    virtual const char* help() const = 0;
    // Whether these arguments ask for pictures, which need fonts and so a GUI application.
    virtual bool needsPictures(const QStringList& args) const;

    // Parses the arguments (without the command's name) and runs the command; returns the
    // exit code.
    int run(const QStringList& args, const QString& programFolder, Console& io) const;

    // The usage line, without "usage: tavrola-cli ".
    QString usage() const;
    // Prints "NAME: why" and the usage line; returns Usage.
    int usageError(Console& io, const QString& why) const;

protected:
    virtual int execute(const CommandArgs& args, Console& io) const = 0;
};

// The registry: every command, in the order of the usage text.
const std::vector<const Command*>& Commands();
const Command* FindCommand(const QString& name);

// The whole command line (the command's name first): the program's usage text for none
// or --help, else the command. Returns the exit code.
int RunCommandLine(QStringList args, const QString& programFolder, Console& io);
// Whether this command line asks for pictures.
bool NeedsPictures(const QStringList& args);

}  // namespace tavrola::cli
