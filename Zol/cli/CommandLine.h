#pragma once

#include <QByteArrayView>
#include <QFuture>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include "records/TimeEntry.h"

#include <functional>
#include <memory>
#include <optional>

namespace zol {

class AppModel;
class Clock;
class SettingsStore;

namespace cli {

class CommandDesktop;
struct Invocation;

// One option of a command: a flag ("--json") or an option with a value
// ("--note TEXT").
struct Option
{
    QString name;
    // Empty for a flag. "FILE…" and "FOLDER" complete as paths.
    QString valueName;
    // The values it takes, when they are a fixed few (completion offers them).
    QStringList choices = {};
    // Set for an option whose value may be left out ("--week" alone, the
    // current week): whether the word after the option is its value. When it
    // is not, the option stands alone and the word is read as an argument.
    // "--week=VALUE" always gives the value.
    std::function<bool(QStringView word)> takesAsValue = {};

    bool valueIsOptional() const { return bool(takesAsValue); }
};

// --week and --month, whose value may be left out: the week or month of today.
// A following word is taken as the value when it begins with a digit, as every
// period does ("2026-W10", "2026-03").
Option periodOption(const QString& name, const QString& valueName);

// One command of `zol`, such as "start" or "project add".
struct Command
{
    // The words that name it.
    QString name;
    // What follows the name in the usage line: "NUMBER [--note TEXT] [--task TASK]".
    QString usage;
    // One line for the overview.
    QString summary;
    // A paragraph or two for "zol COMMAND --help"; may be empty.
    QString details;
    QList<Option> options;
    // How many words may follow the name and the options.
    int minArguments = 0;
    int maxArguments = 0; // -1: any number
    // Refused when the books are a temporary database: what it wrote would
    // vanish with the process.
    bool writes = false;
    std::function<int(Invocation&)> run;
    // What each word after the name may be, for completion: fixed words, or
    // one of the markers `fileArgument`, `folderArgument`, `commandArgument`.
    // Empty: anything.
    QList<QStringList> argumentChoices = {};
    // Runs over the desktop's own services (notifications, the hot key, …)
    // rather than the silent ones every other command gets.
    bool usesDesktop = false;
    // Set for a command that needs no books (it never opens the database):
    // run in place of `run` with the words after the options, the output
    // stream and every command.
    std::function<int(const QStringList& words, QTextStream& out, const QList<Command>& all)>
        runWithoutBooks = {};
    // Set for a command that needs only the timer, the panel and the session
    // operations: the window's sections are not built for it.
    bool tracksOnly = false;
};

inline const QString fileArgument = QStringLiteral("<file>");
inline const QString folderArgument = QStringLiteral("<folder>");
inline const QString commandArgument = QStringLiteral("<command>");

// Exit statuses.
enum Exit { succeeded = 0, failed = 1, misused = 2 };

// The `zol` command line: runs one command against the same database,
// settings and studio folder as the tray app, through the same controller,
// prints the controller's own sentences and returns the exit status.
//
// Nothing is interactive: what a command needs it takes from its arguments.
// A usage error prints one line with a hint on the error stream and returns
// 2; a command that failed prints its message there and returns 1.
class CommandLine
{
public:
    CommandLine(Clock& clock, QTextStream& out, QTextStream& err);
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // `arguments` without the program's name.
    int run(const QStringList& arguments);
    // The settings the program already read (for its language), used
    // instead of reading them again; they must outlive the command line.
    void useSettings(SettingsStore& settings) { m_settings = &settings; }

    // Every command, in the order of the overview.
    const QList<Command>& commands() const { return m_commands; }
    // The overview "zol --help" prints.
    QString overview() const;
    // The help of one command.
    static QString help(const Command& command);

private:
    const Command* find(const QStringList& arguments, qsizetype* words) const;
    int execute(const Command& command, const QStringList& words);

    Clock& m_clock;
    SettingsStore* m_settings = nullptr;
    QTextStream& m_out;
    QTextStream& m_err;
    QList<Command> m_commands;
};

// What a running command has to hand.
struct Invocation
{
    const Command& command;
    AppModel& model;
    CommandDesktop& desktop;
    QTextStream& out;
    QTextStream& err;
    QStringList arguments;
    QHash<QString, QString> values;

    bool has(const QString& option) const { return values.contains(option); }
    QString value(const QString& option) const { return values.value(option); }

    // Prints "zol COMMAND: <message>. Try 'zol COMMAND --help'." and returns 2.
    int usageError(const QString& message) const;
    // Prints the message on the error stream and returns 1.
    int fail(const QString& message) const;
    // Prints the status line the controller left: a failure on the error
    // stream (returning 1), anything else on standard output (returning 0).
    int reportStatus() const;
    // Runs the event loop until `future` has finished.
    static void wait(const QFuture<void>& future);
};

// One argument as the process received it, decoded as UTF-8. Bytes that are
// not well-formed UTF-8 are kept, each as a lone surrogate U+DC80..U+DCFF,
// rather than replaced: such text is refused wherever a name or a note is
// checked (InputCheck), where a replacement character would have been stored
// without a word.
QString decodeArgument(QByteArrayView bytes);

// "2301 Brand book · Acme", or "internal work: Studio tidy-up".
QString describeSession(const TimeEntry& entry);
// `text` ended with a full stop, unless it ends with one already ("Acme, Inc.").
QString sentence(const QString& text);
// A session's id as lists show it: its first 8 characters.
QString shortId(const TimeEntry& entry);
// The sessions whose ids `words` begin with: live ones, or with `deleted`
// those in the bin. A word is a whole id or a unique prefix of at least 4
// characters, in either case. Anything else is refused on the error stream
// (a malformed id as a usage error, an unknown or ambiguous one with the
// sessions it matches), and `status` says how the command ends.
std::optional<QList<TimeEntry>> sessionsNamed(Invocation& call, const QStringList& words,
                                              bool deleted, int* status);
// Sessions oldest first, under a heading per day, with their total.
void printSessions(Invocation& call, QList<TimeEntry> entries);

void addTrackingCommands(QList<Command>& commands);
void addHistoryCommands(QList<Command>& commands);
void addProjectCommands(QList<Command>& commands);
void addBooksCommands(QList<Command>& commands);
void addBackupCommands(QList<Command>& commands);
void addStudioCommands(QList<Command>& commands);
void addReportCommands(QList<Command>& commands);
void addDesktopCommands(QList<Command>& commands);

// The completion script of `shell` ("bash", "zsh" or "fish") for these
// commands; empty for a shell it does not know.
QString completionScript(const QList<Command>& commands, QStringView shell);

} // namespace cli
} // namespace zol
