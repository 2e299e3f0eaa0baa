// The shells' completion of `zol`, written from the command table, so that a
// command or an option added there completes without anyone editing a script.

#include "CommandLine.h"

#include <QCoreApplication>
#include <QSet>

namespace zol::cli {

namespace {

// The descriptions a shell shows beside the words it offers are the only
// texts here for people; the script around them is the same in every language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::cli::Completion)
};

// The words of a command's name: "project add" → {"project", "add"}.
QStringList wordsOf(const Command& command)
{
    return command.name.split(u' ');
}

// First words in the order of the overview, each once.
QStringList firstWords(const QList<Command>& commands)
{
    QStringList words;
    for (const Command& command : commands) {
        const QString first = wordsOf(command).first();
        if (!words.contains(first))
            words.append(first);
    }
    return words;
}

// The second words of the commands named `first` and another word.
QList<const Command*> subcommands(const QList<Command>& commands, const QString& first)
{
    QList<const Command*> found;
    for (const Command& command : commands) {
        const QStringList words = wordsOf(command);
        if (words.size() == 2 && words.first() == first)
            found.append(&command);
    }
    return found;
}

const Command* named(const QList<Command>& commands, const QString& name)
{
    for (const Command& command : commands) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

// What the overview says of a first word that only names a group.
QString summaryOf(const QList<Command>& commands, const QString& first)
{
    if (const Command* command = named(commands, first))
        return command->summary;
    QStringList subs;
    for (const Command* sub : subcommands(commands, first))
        subs.append(wordsOf(*sub).last());
    return Texts::tr("Commands: %1.").arg(subs.join(QStringLiteral(", ")));
}

bool takesFile(const Option& option)
{
    return option.valueName.startsWith(QStringLiteral("FILE"));
}

bool takesFolder(const Option& option)
{
    return option.valueName.startsWith(QStringLiteral("FOLDER"));
}

QString optionWords(const Command& command)
{
    QStringList words;
    for (const Option& option : command.options)
        words.append(QStringLiteral("--") + option.name);
    words.append(QStringLiteral("--help"));
    return words.join(u' ');
}

// Text in single quotes for a POSIX shell and for fish.
QString quoted(QString text)
{
    return u'\'' +
           text.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'")) +
           u'\'';
}

// Text in single quotes for zsh, where a quote inside is '\''.
QString zshQuoted(QString text)
{
    return u'\'' + text.replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

// The bash words for a set of choices; the markers complete files, folders
// and command names.
QString bashChoices(const QStringList& choices, const QList<Command>& commands)
{
    if (choices.contains(fileArgument))
        return QStringLiteral("COMPREPLY=($(compgen -f -- \"$cur\"))");
    if (choices.contains(folderArgument))
        return QStringLiteral("COMPREPLY=($(compgen -d -- \"$cur\"))");
    const QStringList words = choices.contains(commandArgument) ? firstWords(commands) : choices;
    return QStringLiteral("COMPREPLY=($(compgen -W \"") + words.join(u' ') +
           QStringLiteral("\" -- \"$cur\"))");
}

QString bash(const QList<Command>& commands)
{
    QString script =
        QStringLiteral("# Bash completion for zol, written by 'zol completion bash'.\n"
                       "\n"
                       "_zol()\n"
                       "{\n"
                       "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
                       "    local cword=$COMP_CWORD first=${COMP_WORDS[1]} name= used=1\n"
                       "    if (( cword == 1 )); then\n"
                       "        COMPREPLY=($(compgen -W \"");
    script += firstWords(commands).join(u' ') +
              QStringLiteral(" help --help --version\" -- \"$cur\"))\n"
                             "        return\n"
                             "    fi\n"
                             "    if [[ $first == help ]]; then\n"
                             "        (( cword == 2 )) && COMPREPLY=($(compgen -W \"") +
              firstWords(commands).join(u' ') +
              QStringLiteral("\" -- \"$cur\"))\n"
                             "        return\n"
                             "    fi\n"
                             "    # The command: two words when they name one, else one.\n"
                             "    case \"$first ${COMP_WORDS[2]}\" in\n");
    QStringList twoWords;
    QStringList oneWord;
    for (const Command& command : commands)
        (command.name.contains(u' ') ? twoWords : oneWord).append(u'"' + command.name + u'"');
    if (!twoWords.isEmpty())
        script += QStringLiteral("        ") + twoWords.join(u'|') +
                  QStringLiteral(") (( cword > 2 )) && { name=\"$first ${COMP_WORDS[2]}\"; "
                                 "used=2; } ;;\n");
    script += QStringLiteral("    esac\n"
                             "    if [[ -z $name ]]; then\n"
                             "        case $first in\n"
                             "            ") +
              oneWord.join(u'|') +
              QStringLiteral(") name=$first ;;\n"
                             "        esac\n"
                             "    fi\n"
                             "    # Right after a group's word: its commands.\n"
                             "    if (( used == 1 && cword == 2 )); then\n"
                             "        case $first in\n");
    for (const QString& first : firstWords(commands)) {
        const QList<const Command*> subs = subcommands(commands, first);
        if (subs.isEmpty())
            continue;
        QStringList words;
        for (const Command* sub : subs)
            words.append(wordsOf(*sub).last());
        if (const Command* alone = named(commands, first))
            words.append(optionWords(*alone));
        script += QStringLiteral("            ") + first +
                  QStringLiteral(") COMPREPLY=($(compgen -W \"") + words.join(u' ') +
                  QStringLiteral("\" -- \"$cur\")); return ;;\n");
    }
    script += QStringLiteral("        esac\n"
                             "    fi\n"
                             "    [[ -z $name ]] && return\n"
                             "    # An option's value.\n"
                             "    case \"$name $prev\" in\n");
    for (const Command& command : commands) {
        for (const Option& option : command.options) {
            // A value that may be left out completes like any other word.
            if (option.valueName.isEmpty() || option.valueIsOptional())
                continue;
            QString action = QStringLiteral("return");
            if (takesFile(option))
                action = QStringLiteral("COMPREPLY=($(compgen -f -- \"$cur\")); return");
            else if (takesFolder(option))
                action = QStringLiteral("COMPREPLY=($(compgen -d -- \"$cur\")); return");
            else if (!option.choices.isEmpty())
                action = QStringLiteral("COMPREPLY=($(compgen -W \"") + option.choices.join(u' ') +
                         QStringLiteral("\" -- \"$cur\")); return");
            script += QStringLiteral("        \"") + command.name + QStringLiteral(" --") +
                      option.name + QStringLiteral("\") ") + action + QStringLiteral(" ;;\n");
        }
    }
    script += QStringLiteral("    esac\n"
                             "    local options valued\n"
                             "    case $name in\n");
    for (const Command& command : commands) {
        QStringList valued;
        for (const Option& option : command.options) {
            if (!option.valueName.isEmpty() && !option.valueIsOptional())
                valued.append(QStringLiteral("--") + option.name);
        }
        script += QStringLiteral("        \"") + command.name + QStringLiteral("\") options=\"") +
                  optionWords(command) + QStringLiteral("\"; valued=\"") + valued.join(u' ') +
                  QStringLiteral("\" ;;\n");
    }
    script += QStringLiteral(
        "    esac\n"
        "    if [[ $cur == -* ]]; then\n"
        "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
        "        return\n"
        "    fi\n"
        "    # Which word after the name this is, options and their values left out.\n"
        "    local i=$((used + 1)) n=0\n"
        "    while (( i < cword )); do\n"
        "        case ${COMP_WORDS[i]} in\n"
        "            --*=*) ;;\n"
        "            --*) [[ \" $valued \" == *\" ${COMP_WORDS[i]} \"* ]] && (( i++ )) ;;\n"
        "            *) (( n++ )) ;;\n"
        "        esac\n"
        "        (( i++ ))\n"
        "    done\n"
        "    case \"$name $n\" in\n");
    for (const Command& command : commands) {
        for (qsizetype at = 0; at < command.argumentChoices.size(); ++at) {
            const QStringList& choices = command.argumentChoices.at(at);
            if (choices.isEmpty())
                continue;
            script += QStringLiteral("        \"") + command.name + u' ' + QString::number(at) +
                      QStringLiteral("\") ") + bashChoices(choices, commands) +
                      QStringLiteral("; return ;;\n");
        }
    }
    script += QStringLiteral("    esac\n"
                             "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
                             "}\n"
                             "\n"
                             "complete -F _zol zol\n");
    return script;
}

// One _arguments spec per option, and one per positional word.
QStringList zshSpecs(const Command& command, const QList<Command>& commands)
{
    QStringList specs;
    for (const Option& option : command.options) {
        QString spec = QStringLiteral("--") + option.name;
        if (option.valueName.isEmpty()) {
            specs.append(zshQuoted(spec));
            continue;
        }
        QString action;
        if (takesFile(option))
            action = QStringLiteral("_files");
        else if (takesFolder(option))
            action = QStringLiteral("_files -/");
        else if (!option.choices.isEmpty())
            action = u'(' + option.choices.join(u' ') + u')';
        // "::" marks a value that may be left out.
        const QString colons =
            option.valueIsOptional() ? QStringLiteral("]::") : QStringLiteral("]:");
        specs.append(zshQuoted(spec + QStringLiteral("=[") + option.valueName.toLower() + colons +
                               option.valueName.toLower() + u':' + action));
    }
    for (qsizetype at = 0; at < command.argumentChoices.size(); ++at) {
        const QStringList& choices = command.argumentChoices.at(at);
        QString action;
        if (choices.contains(fileArgument))
            action = QStringLiteral("_files");
        else if (choices.contains(folderArgument))
            action = QStringLiteral("_files -/");
        else if (choices.contains(commandArgument))
            action = u'(' + firstWords(commands).join(u' ') + u')';
        else if (!choices.isEmpty())
            action = u'(' + choices.join(u' ') + u')';
        else
            action = QStringLiteral(" ");
        specs.append(zshQuoted(QString::number(at + 1) + QStringLiteral(":word:") + action));
    }
    return specs;
}

QString zsh(const QList<Command>& commands)
{
    QString script = QStringLiteral("#compdef zol\n"
                                    "# zsh completion for zol, written by 'zol completion zsh'.\n"
                                    "\n"
                                    "_zol() {\n"
                                    "  local -a described\n"
                                    "  if (( CURRENT == 2 )); then\n"
                                    "    described=(\n");
    for (const QString& first : firstWords(commands))
        script +=
            QStringLiteral("      ") + zshQuoted(first + u':' + summaryOf(commands, first)) + u'\n';
    script += QStringLiteral("    )\n"
                             "    _describe -t commands ") +
              zshQuoted(Texts::tr("zol command")) +
              QStringLiteral(" described\n"
                             "    return\n"
                             "  fi\n"
                             "  local name=$words[2]\n"
                             "  case \"$words[2] $words[3]\" in\n");
    QStringList twoWords;
    for (const Command& command : commands) {
        if (command.name.contains(u' '))
            twoWords.append(u'"' + command.name + u'"');
    }
    script += QStringLiteral("    ") + twoWords.join(u'|') +
              QStringLiteral(")\n"
                             "      if (( CURRENT > 3 )); then\n"
                             "        name=\"$words[2] $words[3]\"\n"
                             "        shift words; (( CURRENT-- ))\n"
                             "      fi ;;\n"
                             "  esac\n"
                             "  if [[ $name == $words[2] ]] && (( CURRENT == 3 )); then\n"
                             "    case $name in\n");
    for (const QString& first : firstWords(commands)) {
        const QList<const Command*> subs = subcommands(commands, first);
        if (subs.isEmpty())
            continue;
        script += QStringLiteral("      ") + first + QStringLiteral(")\n        described=(");
        for (const Command* sub : subs)
            script += u' ' + zshQuoted(wordsOf(*sub).last() + u':' + sub->summary);
        script += QStringLiteral(" )\n"
                                 "        _describe -t commands ") +
                  zshQuoted(Texts::tr("zol %1 command").arg(first)) +
                  QStringLiteral(" described\n");
        script += named(commands, first) ? QStringLiteral("        ;;\n")
                                         : QStringLiteral("        return ;;\n");
    }
    script += QStringLiteral("    esac\n"
                             "  fi\n"
                             "  shift words; (( CURRENT-- ))\n"
                             "  case $name in\n");
    for (const Command& command : commands) {
        script += QStringLiteral("    \"") + command.name + QStringLiteral("\") _arguments -s ") +
                  zshSpecs(command, commands).join(u' ') + QStringLiteral(" '--help' ;;\n");
    }
    script += QStringLiteral("    help) _arguments '1:command:(") +
              firstWords(commands).join(u' ') +
              QStringLiteral(")' ;;\n"
                             "  esac\n"
                             "}\n"
                             "\n"
                             "_zol \"$@\"\n");
    return script;
}

QString fish(const QList<Command>& commands)
{
    QString script = QStringLiteral("# fish completion for zol, written by 'zol completion fish'.\n"
                                    "\n"
                                    "complete -c zol -f\n");
    for (const QString& first : firstWords(commands))
        script += QStringLiteral("complete -c zol -n __fish_use_subcommand -a ") + first +
                  QStringLiteral(" -d ") + quoted(summaryOf(commands, first)) + u'\n';
    script += QStringLiteral("complete -c zol -n __fish_use_subcommand -a help -d ") +
              quoted(Texts::tr("What one command does.")) + u'\n';
    for (const QString& first : firstWords(commands)) {
        const QList<const Command*> subs = subcommands(commands, first);
        QStringList subWords;
        for (const Command* sub : subs)
            subWords.append(wordsOf(*sub).last());
        for (const Command* sub : subs)
            script += QStringLiteral("complete -c zol -n '__fish_seen_subcommand_from ") + first +
                      QStringLiteral("; and not __fish_seen_subcommand_from ") +
                      subWords.join(u' ') + QStringLiteral("' -a ") + wordsOf(*sub).last() +
                      QStringLiteral(" -d ") + quoted(sub->summary) + u'\n';
    }
    for (const Command& command : commands) {
        const QStringList words = wordsOf(command);
        QString condition = QStringLiteral("__fish_seen_subcommand_from ") + words.first();
        if (words.size() == 2)
            condition += QStringLiteral("; and __fish_seen_subcommand_from ") + words.last();
        const QString head = QStringLiteral("complete -c zol -n '") + condition + u'\'';
        for (const Option& option : command.options) {
            QString line = head + QStringLiteral(" -l ") + option.name;
            if (!option.valueName.isEmpty()) {
                if (takesFile(option) || takesFolder(option))
                    line += QStringLiteral(" -r -F");
                else if (!option.choices.isEmpty())
                    line += QStringLiteral(" -x -a ") + quoted(option.choices.join(u' '));
                else if (!option.valueIsOptional())
                    line += QStringLiteral(" -x");
                line += QStringLiteral(" -d ") + quoted(option.valueName);
            }
            script += line + u'\n';
        }
        // Only the first word's choices: fish cannot tell which word is
        // being typed without more machinery than this is worth.
        if (!command.argumentChoices.isEmpty() && !command.argumentChoices.first().isEmpty()) {
            const QStringList& choices = command.argumentChoices.first();
            if (choices.contains(fileArgument) || choices.contains(folderArgument))
                script += head + QStringLiteral(" -F\n");
            else if (choices.contains(commandArgument))
                script +=
                    head + QStringLiteral(" -a ") + quoted(firstWords(commands).join(u' ')) + u'\n';
            else
                script += head + QStringLiteral(" -a ") + quoted(choices.join(u' ')) + u'\n';
        }
    }
    script += QStringLiteral("complete -c zol -n '__fish_seen_subcommand_from help' -a ") +
              quoted(firstWords(commands).join(u' ')) + u'\n';
    return script;
}

} // namespace

QString completionScript(const QList<Command>& commands, QStringView shell)
{
    if (shell == u"bash")
        return bash(commands);
    if (shell == u"zsh")
        return zsh(commands);
    if (shell == u"fish")
        return fish(commands);
    return {};
}

} // namespace zol::cli
