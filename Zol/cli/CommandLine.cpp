#include "CommandLine.h"

#include "AppModel.h"
#include "CommandDesktop.h"
#include "Platform.h"
#include "books/SettingsStore.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QStringDecoder>
#include <QThreadPool>

#include <optional>

namespace zol::cli {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::cli::CommandLine)
};

QString version()
{
    return QStringLiteral(ZOL_VERSION);
}

QString hintFor(const QString& commandName)
{
    return commandName.isEmpty() ? Texts::tr("Try 'zol --help'.")
                                 : Texts::tr("Try 'zol %1 --help'.").arg(commandName);
}

// The length of the well-formed UTF-8 sequence `bytes` begins with, 0 when it
// begins with none: no overlong forms, no surrogates, nothing past U+10FFFF.
qsizetype wellFormedLength(QByteArrayView bytes)
{
    const auto byte = [bytes](qsizetype i) { return uchar(bytes[i]); };
    const uchar first = byte(0);
    if (first < 0x80)
        return 1;
    qsizetype length = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        if (first == 0xE0)
            low = 0xA0; // overlong below U+0800
        else if (first == 0xED)
            high = 0x9F; // surrogates
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        if (first == 0xF0)
            low = 0x90; // overlong below U+10000
        else if (first == 0xF4)
            high = 0x8F; // past U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        if (byte(i) < (i == 1 ? low : 0x80) || byte(i) > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

} // namespace

QString decodeArgument(QByteArrayView bytes)
{
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom);
    QString text = strict.decode(bytes);
    if (!strict.hasError())
        return text;
    text.clear();
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype end = at;
        while (end < bytes.size()) {
            const qsizetype length = wellFormedLength(bytes.sliced(end));
            if (length == 0)
                break;
            end += length;
        }
        text += QString::fromUtf8(bytes.sliced(at, end - at));
        if (end < bytes.size())
            text += QChar(char16_t(0xDC00 + uchar(bytes[end++])));
        at = end;
    }
    return text;
}

CommandLine::CommandLine(Clock& clock, QTextStream& out, QTextStream& err)
    : m_clock(clock)
    , m_out(out)
    , m_err(err)
{
    addTrackingCommands(m_commands);
    addHistoryCommands(m_commands);
    addProjectCommands(m_commands);
    addBooksCommands(m_commands);
    addBackupCommands(m_commands);
    addStudioCommands(m_commands);
    addReportCommands(m_commands);
    addDesktopCommands(m_commands);
}

CommandLine::~CommandLine() = default;

QString CommandLine::overview() const
{
    QString text = Texts::tr("Usage: %1").arg(QStringLiteral("zol COMMAND [ARGUMENTS]")) +
                   QStringLiteral("\n\n") +
                   Texts::tr("Zol tracks your hours. Without a command it starts the tray app; "
                             "with one it\nruns that command against the same books, settings "
                             "and studio folder, prints\nwhat happened and exits: 0 when it "
                             "worked, 1 when it failed, 2 when the\ncommand was not understood.") +
                   QStringLiteral("\n\n") + Texts::tr("Commands:") + u'\n';
    qsizetype width = 0;
    for (const Command& command : m_commands)
        width = std::max(width, command.name.size());
    for (const Command& command : m_commands)
        text +=
            QStringLiteral("  ") + command.name.leftJustified(width + 2) + command.summary + u'\n';
    text += u'\n' +
            Texts::tr("NUMBER is a project number as typed (blanks around it and letter case do "
                      "not\nmatter). ID is a session id as 'zol log' shows it (its first 8 "
                      "characters):\nany 4 or more of its first characters do, as long as no "
                      "other session's id\nbegins with them. PERIOD is a week (2026-W10), a "
                      "month (2026-03) or a year\n(2026). Times are shown in your time zone "
                      "(TZ).") +
            QStringLiteral("\n\n") +
            Texts::tr("Files: the books are in $XDG_DATA_HOME/Zol (~/.local/share/Zol), the "
                      "settings\nin $XDG_CONFIG_HOME/Zol (~/.config/Zol).") +
            QStringLiteral("\n\n");
    // The commands stay in their column whatever language the words after them are in.
    text += QStringLiteral("  zol --version         ") + Texts::tr("the version") + u'\n';
    text += QStringLiteral("  zol COMMAND --help    ") + Texts::tr("what one command does") + u'\n';
    return text;
}

QString CommandLine::help(const Command& command)
{
    QString synopsis = QStringLiteral("zol ") + command.name;
    if (!command.usage.isEmpty())
        synopsis += u' ' + command.usage;
    QString text = Texts::tr("Usage: %1").arg(synopsis);
    text += QStringLiteral("\n\n") + command.summary + u'\n';
    if (!command.details.isEmpty())
        text += u'\n' + command.details + u'\n';
    return text;
}

const Command* CommandLine::find(const QStringList& arguments, qsizetype* words) const
{
    if (arguments.size() >= 2) {
        const QString two = arguments.at(0) + u' ' + arguments.at(1);
        for (const Command& command : m_commands) {
            if (command.name == two) {
                *words = 2;
                return &command;
            }
        }
    }
    for (const Command& command : m_commands) {
        if (command.name == arguments.value(0)) {
            *words = 1;
            return &command;
        }
    }
    return nullptr;
}

int CommandLine::run(const QStringList& arguments)
{
    const QString first = arguments.value(0);
    if (arguments.isEmpty() || first == u"--help" || first == u"-h" || first == u"help") {
        if (arguments.size() > 1 && first == u"help") {
            qsizetype words = 0;
            if (const Command* command = find(arguments.mid(1), &words)) {
                m_out << help(*command);
                return succeeded;
            }
        }
        m_out << overview();
        return succeeded;
    }
    if (first == u"--version" || first == u"-v") {
        m_out << "zol " << version() << '\n';
        return succeeded;
    }
    qsizetype words = 0;
    const Command* command = find(arguments, &words);
    if (!command) {
        m_err << "zol: " << Texts::tr("unknown command '%1'").arg(first) << ". " << hintFor({})
              << '\n';
        return misused;
    }
    return execute(*command, arguments.mid(words));
}

int CommandLine::execute(const Command& command, const QStringList& words)
{
    auto usageError = [&](const QString& message) {
        m_err << "zol " << command.name << ": " << message << ". " << hintFor(command.name) << '\n';
        return int(misused);
    };

    QStringList positional;
    QHash<QString, QString> values;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words.at(i);
        // "-5" is a value, never an option: no option begins with a digit.
        const bool negativeNumber = word.size() > 1 && word.at(1) >= u'0' && word.at(1) <= u'9';
        if (optionsEnded || word == u"-" || !word.startsWith(u'-') || negativeNumber) {
            positional.append(word);
            continue;
        }
        if (word == u"--") {
            optionsEnded = true;
            continue;
        }
        if (word == u"--help" || word == u"-h") {
            m_out << help(command);
            return succeeded;
        }
        if (!word.startsWith(QStringLiteral("--")))
            return usageError(Texts::tr("unknown option %1").arg(word));
        const qsizetype equals = word.indexOf(u'=');
        const QString name = word.mid(2, equals < 0 ? -1 : equals - 2);
        const auto option = std::find_if(command.options.cbegin(), command.options.cend(),
                                         [&](const Option& o) { return o.name == name; });
        if (option == command.options.cend())
            return usageError(Texts::tr("unknown option %1").arg(QStringLiteral("--") + name));
        if (option->valueName.isEmpty()) {
            if (equals >= 0)
                return usageError(Texts::tr("%1 takes no value").arg(QStringLiteral("--") + name));
            values.insert(name, QString());
        } else if (equals >= 0) {
            values.insert(name, word.mid(equals + 1));
        } else if (option->valueIsOptional()) {
            const bool valueFollows =
                !optionsEnded && i + 1 < words.size() && option->takesAsValue(words.at(i + 1));
            values.insert(name, valueFollows ? words.at(++i) : QString());
        } else if (i + 1 < words.size()) {
            values.insert(name, words.at(++i));
        } else {
            return usageError(
                Texts::tr("%1 needs %2").arg(QStringLiteral("--") + name, option->valueName));
        }
    }
    if (positional.size() < command.minArguments)
        return usageError(
            Texts::tr("missing %1")
                .arg(command.usage.section(u' ', positional.size(), positional.size())));
    if (command.maxArguments >= 0 && positional.size() > command.maxArguments)
        return usageError(Texts::tr("unexpected '%1'").arg(positional.at(command.maxArguments)));

    if (command.runWithoutBooks) {
        const int status = command.runWithoutBooks(positional, m_out, m_commands);
        if (status == misused)
            return usageError(Texts::tr("'%1' is not understood").arg(positional.join(u' ')));
        m_out.flush();
        return status;
    }

    std::optional<SettingsStore> read;
    SettingsStore& defaults =
        m_settings ? *m_settings
                   : read.emplace(SettingsStore::defaultPath(), SettingsStore::Watching::off);
    auto desktopOwned = std::make_unique<CommandDesktop>();
    CommandDesktop& desktop = *desktopOwned;
    const std::unique_ptr<Platform> platform =
        command.usesDesktop ? Platform::loadForThisDesktop()
                            : Platform::doingNothing(std::move(desktopOwned));
    AppModel model(defaults, m_clock, *platform, AppModel::defaultStoreOpener(),
                   FileSystem::local(),
                   command.tracksOnly ? AppModel::Sections::trackingOnly : AppModel::Sections::all);
    model.books().setRunsBackgroundWork(false);
    model.bootstrap();

    if (const std::optional<QString>& error = model.books().startupError()) {
        m_err << *error << '\n';
        if (command.writes) {
            m_err << "zol " << command.name << ": "
                  << Texts::tr("nothing was changed, since the books are only a temporary copy "
                               "that would vanish when this command ends.")
                  << '\n';
            return failed;
        }
    }
    Invocation invocation{command, model, desktop, m_out, m_err, positional, values};
    const int status = command.run(invocation);
    // Work the command set off in the background (the quiet sync after a
    // project change, say) finishes before the process ends.
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents();
    m_out.flush();
    m_err.flush();
    return status;
}

Option periodOption(const QString& name, const QString& valueName)
{
    return Option{name, valueName, {}, [](QStringView word) {
                      return !word.isEmpty() && word.front().isDigit();
                  }};
}

QString sentence(const QString& text)
{
    return text.endsWith(u'.') ? text : text + u'.';
}

int Invocation::usageError(const QString& message) const
{
    err << "zol " << command.name << ": " << message << ". " << hintFor(command.name) << '\n';
    return misused;
}

int Invocation::fail(const QString& message) const
{
    err << message << '\n';
    return failed;
}

int Invocation::reportStatus() const
{
    const std::optional<StatusMessage>& status = model.status().message();
    if (!status)
        return succeeded;
    if (status->kind == StatusMessage::Kind::failure)
        return fail(status->text);
    out << status->text << '\n';
    return succeeded;
}

void Invocation::wait(const QFuture<void>& future)
{
    QEventLoop loop;
    while (!future.isFinished())
        loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    // Continuations queued by the last result run before the command reads state.
    QCoreApplication::sendPostedEvents();
    loop.processEvents();
}

} // namespace zol::cli
