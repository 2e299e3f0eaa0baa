// The books, the person's name, the settings and the task list.

#include "CommandLine.h"

#include "AppModel.h"
#include "InputCheck.h"
#include "PersonName.h"
#include "SharingModel.h"
#include "books/AppSettings.h"
#include "books/SettingsStore.h"
#include "books/TaskList.h"
#include "support/Timestamps.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>

namespace zol::cli {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::cli::BooksCommands)
};

// The administration a NAME or ID names: the id exactly, else the name
// ignoring case.
std::optional<Administration> administrationNamed(const AppModel& model, const QString& text)
{
    for (const Administration& a : model.books().administrations()) {
        if (a.id == text)
            return a;
    }
    for (const Administration& a : model.books().administrations()) {
        if (a.name.compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return a;
    }
    return std::nullopt;
}

int noSuchBooks(Invocation& call, const QString& text)
{
    return call.fail(Texts::tr("There are no books called %1. 'zol books' lists them.").arg(text));
}

int books(Invocation& call)
{
    const AppModel& model = call.model;
    if (call.has(QStringLiteral("json"))) {
        call.out << QJsonDocument::fromJson(
                        Administration::encodeList(model.books().administrations()))
                        .toJson(QJsonDocument::Indented);
        return succeeded;
    }
    for (const Administration& a : model.books().administrations()) {
        call.out << (a.id == model.books().administration().id ? "* " : "  ") << a.name;
        call.out << "  (" << a.subtitle(model.clock().now(), model.books().calendar()) << ")  "
                 << a.id << '\n';
    }
    return succeeded;
}

int booksAdd(Invocation& call)
{
    Administration::Editor editor = Administration::Editor::from(Administration::fresh());
    editor.name = call.arguments.first();
    editor.keepsLocal = call.has(QStringLiteral("local"));
    const bool numbered = call.has(QStringLiteral("prefix")) ||
                          call.has(QStringLiteral("digits")) || call.has(QStringLiteral("year"));
    if (numbered) {
        bool ok = false;
        const int digits = call.value(QStringLiteral("digits")).toInt(&ok);
        if (!call.has(QStringLiteral("digits")) || !ok || digits < 1 || digits > 9)
            return call.usageError(Texts::tr("--digits needs a number from 1 to 9"));
        editor.automatic = true;
        editor.prefix = call.value(QStringLiteral("prefix"));
        editor.digits = digits;
        editor.includesYear = call.has(QStringLiteral("year"));
    }
    if (const std::optional<QString> refusal =
            InputCheck::refuseName(InputCheck::Name::administration, editor.name))
        return call.fail(*refusal);
    if (administrationNamed(call.model, editor.name.trimmed()))
        return call.fail(
            Texts::tr("There are books called %1 already.").arg(editor.name.trimmed()));
    const Administration added = editor.applied(Administration::fresh());
    call.model.books().addAdministration(added);
    call.out << Texts::tr("Added %1. 'zol books open %1' opens them.").arg(added.name) << '\n';
    return succeeded;
}

int booksOpen(Invocation& call)
{
    const std::optional<Administration> target =
        administrationNamed(call.model, call.arguments.first());
    if (!target)
        return noSuchBooks(call, call.arguments.first());
    if (target->id == call.model.books().administration().id) {
        call.out << Texts::tr("%1 is open already.").arg(target->name) << '\n';
        return succeeded;
    }
    call.model.switchTo(*target);
    return call.reportStatus();
}

int booksRemove(Invocation& call)
{
    const std::optional<Administration> target =
        administrationNamed(call.model, call.arguments.first());
    if (!target)
        return noSuchBooks(call, call.arguments.first());
    if (target->isDefault())
        return call.fail(Texts::tr("Local cannot be removed."));
    call.model.removeAdministration(*target);
    return call.reportStatus();
}

int booksEmpty(Invocation& call)
{
    const std::optional<Administration> target =
        administrationNamed(call.model, call.arguments.first());
    if (!target)
        return noSuchBooks(call, call.arguments.first());
    if (call.value(QStringLiteral("confirm")) != target->name)
        return call.usageError(Texts::tr("emptying erases every session of %1 on this machine; "
                                         "confirm with --confirm '%1'")
                                   .arg(target->name));
    Invocation::wait(call.model.clearAdministration(*target));
    return call.reportStatus();
}

int name(Invocation& call)
{
    AppSettings& settings = *call.model.books().settings();
    if (call.arguments.isEmpty()) {
        call.out << settings.machineName() << '\n';
        return succeeded;
    }
    // Typed on a command line, a blank name is far more likely a slip than a
    // wish to be "Onbekend".
    if (call.arguments.first().trimmed().isEmpty())
        return call.fail(*InputCheck::refuseName(InputCheck::Name::person, QString()));
    const bool theseBooks = call.has(QStringLiteral("these-books"));
    if (theseBooks && call.model.books().administration().isDefault())
        return call.fail(Texts::tr("%1 are the first books: their name is yours in every set of "
                                   "books. Leave out --these-books.")
                             .arg(call.model.books().administration().name));
    const Outcome<QString> renamed = PersonName::rename(settings, call.arguments.first(),
                                                        theseBooks ? PersonName::Scope::theseBooks
                                                                   : PersonName::Scope::everyBooks);
    if (!renamed)
        return call.fail(renamed.error().sentence);
    call.model.sharing()->applySettingsChange();
    if (theseBooks) {
        call.out << Texts::tr("Timesheets of %1 are filed under %2 now; other books keep their "
                              "name.")
                        .arg(call.model.books().administration().name, *renamed)
                 << '\n';
        return succeeded;
    }
    QStringList own;
    for (const Administration& books : call.model.books().administrations()) {
        if (AppSettings::ownName(books.id, call.model.defaults()))
            own.append(books.name);
    }
    if (own.isEmpty())
        call.out
            << Texts::tr("Timesheets are filed under %1 now, in every set of books.").arg(*renamed);
    else
        call.out << Texts::tr("Timesheets are filed under %1 now, in every set of books but %2, "
                              "which have names of their own.",
                              nullptr, int(own.size()))
                        .arg(*renamed, own.join(QStringLiteral(", ")));
    call.out << '\n';
    return succeeded;
}

// The settings the command line reads and writes, by their stored names.
struct SettingKey
{
    const char16_t* key;
    const char* property; // nullptr: read from the store
    bool writable;
};

constexpr SettingKey settingKeys[] = {
    {u"ui.longRunningWarningHours", "longRunningWarningHours", true},
    {u"ui.hotKeyEnabled", "hotKeyEnabled", true},
    {u"machine.name", "machineName", true},
    // Through 'zol studio folder', which refuses a folder other books use.
    {u"share.folder", "sharedFolderPath", false},
    {u"share.enabled", "sharedSyncEnabled", true},
    {u"share.autoUpload", "autoUploadEnabled", true},
    {u"machine.id", "machineId", false},
    {u"idle.enabled", "idleDetectionEnabled", true},
    {u"idle.minutes", "idleMinutes", true},
    {u"idle.lockCountsAsAway", "lockCountsAsAway", true},
    {u"reminders.enabled", "remindersEnabled", true},
    {u"reminders.firstMinutes", "firstReminderMinutes", true},
    {u"reminders.repeatMinutes", "repeatReminderMinutes", true},
    {u"admin.current", nullptr, false},
    {u"setup.completed", nullptr, true},
};

QStringList settingNames()
{
    QStringList names;
    for (const SettingKey& key : settingKeys)
        names.append(QString::fromUtf16(key.key));
    return names;
}

QString shown(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value.toString();
}

std::optional<bool> parsedSwitch(const QString& text)
{
    const QString word = text.trimmed().toLower();
    if (word == u"true" || word == u"on" || word == u"yes" || word == u"1")
        return true;
    if (word == u"false" || word == u"off" || word == u"no" || word == u"0")
        return false;
    return std::nullopt;
}

QString switchRefusal(const QString& name)
{
    return Texts::tr("%1 is true or false (on or off).").arg(name);
}

// The value typed for a setting of type `type`, or the sentence refusing it.
std::expected<QVariant, QString> parsed(const QString& name, const QString& text, QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Bool:
        if (const std::optional<bool> on = parsedSwitch(text))
            return *on;
        return std::unexpected(switchRefusal(name));
    case QMetaType::Int: {
        const std::expected<int, QString> number = InputCheck::settingNumber(name, text);
        if (!number)
            return std::unexpected(number.error());
        return *number;
    }
    default:
        if (name == u"machine.name") {
            if (std::optional<QString> refusal =
                    InputCheck::refuseName(InputCheck::Name::person, text))
                return std::unexpected(std::move(*refusal));
            return text.trimmed();
        }
        return text;
    }
}

QVariant read(const AppModel& model, const SettingKey& key)
{
    if (key.property)
        return model.books().settings()->property(key.property);
    if (QStringView(key.key) == u"admin.current")
        return model.books().administration().id;
    return AppSettings::hasCompletedSetup(model.defaults());
}

int settings(Invocation& call)
{
    AppModel& model = call.model;
    if (call.arguments.isEmpty()) {
        for (const SettingKey& key : settingKeys)
            call.out << QString::fromUtf16(key.key) << " = " << shown(read(model, key)) << '\n';
        return succeeded;
    }
    const QString name = call.arguments.first();
    const auto found = std::find_if(std::begin(settingKeys), std::end(settingKeys),
                                    [&](const SettingKey& k) { return name == k.key; });
    if (found == std::end(settingKeys))
        return call.usageError(Texts::tr("there is no setting called '%1'").arg(name));
    if (call.arguments.size() == 1) {
        call.out << shown(read(model, *found)) << '\n';
        return succeeded;
    }
    if (!found->writable) {
        if (name == u"admin.current")
            return call.fail(Texts::tr("%1 is changed with 'zol books open'.").arg(name));
        if (name == u"share.folder")
            return call.fail(Texts::tr("%1 is chosen with 'zol studio folder' and cleared with "
                                       "'zol studio disconnect'.")
                                 .arg(name));
        return call.fail(Texts::tr("%1 belongs to this machine and cannot be set.").arg(name));
    }
    const QString text = call.arguments.at(1);
    if (!found->property) {
        const std::optional<bool> on = parsedSwitch(text);
        if (!on)
            return call.fail(switchRefusal(name));
        if (*on)
            AppSettings::completeSetup(model.defaults());
        else
            model.defaults().remove(QString::fromUtf16(found->key));
        call.out << name << " = " << shown(*on) << '\n';
        return succeeded;
    }
    const QMetaProperty property = model.books().settings()->metaObject()->property(
        model.books().settings()->metaObject()->indexOfProperty(found->property));
    const std::expected<QVariant, QString> value = parsed(name, text, property.metaType());
    if (!value)
        return call.fail(value.error());
    property.write(model.books().settings(), *value);
    model.sharing()->applySettingsChange();
    call.out << name << " = " << shown(read(model, *found)) << '\n';
    return succeeded;
}

int tasks(Invocation& call)
{
    const TaskList& list = call.model.books().taskList();
    if (call.has(QStringLiteral("json"))) {
        // Times for people and other programs read as ISO 8601 here too, not
        // as the list keeps them for itself.
        QJsonObject object = list.toJsonObject();
        object.insert(QStringLiteral("updatedAt"),
                      list.hasBeenSet() ? QJsonValue(iso8601(list.updatedAt())) : QJsonValue());
        call.out << QJsonDocument(object).toJson(QJsonDocument::Indented);
        return succeeded;
    }
    const QString books = call.model.books().administration().name;
    if (list.isEnabled()) {
        call.out << Texts::tr("Tasks are on in %1.").arg(books) << '\n';
    } else {
        call.out << Texts::tr("Tasks are off in %1: new sessions get none. 'zol tasks on' asks "
                              "for one at every start.")
                        .arg(books)
                 << '\n';
        if (list.tasks().isEmpty()) {
            call.out << Texts::tr("There are no tasks yet. Add one with `zol tasks add`.") << '\n';
            return succeeded;
        }
    }
    for (const QString& task : QStringList{TaskList::general} + list.tasks())
        call.out << "  " << task << '\n';
    return succeeded;
}

int saveTasks(Invocation& call, const TaskList& changed, const QString& said)
{
    call.model.books().saveTaskList(changed.isEnabled(), changed.tasks());
    if (call.model.status().showsFailure())
        return call.reportStatus();
    call.out << said << '\n';
    return succeeded;
}

int tasksAdd(Invocation& call)
{
    const TaskList& list = call.model.books().taskList();
    const QString typed = call.arguments.first();
    if (const std::optional<QString> refusal =
            InputCheck::refuseName(InputCheck::Name::task, typed))
        return call.fail(*refusal);
    const std::optional<TaskList> changed = list.adding(typed, call.model.clock().now());
    if (!changed)
        return call.fail(Texts::tr("There is a task called %1 already.").arg(typed.trimmed()));
    return saveTasks(call, *changed, Texts::tr("Added %1.").arg(changed->tasks().constLast()));
}

// The listed spelling of a task typed in any case.
std::optional<QString> listedTask(const TaskList& list, const QString& typed)
{
    for (const QString& task : list.tasks()) {
        if (task.compare(typed.trimmed(), Qt::CaseInsensitive) == 0)
            return task;
    }
    return std::nullopt;
}

int tasksRemove(Invocation& call)
{
    const TaskList& list = call.model.books().taskList();
    const std::optional<QString> task = listedTask(list, call.arguments.first());
    if (!task)
        return call.fail(Texts::tr("There is no task called %1.").arg(call.arguments.first()));
    const std::expected<TaskList, QString> changed = list.removing(*task, call.model.clock().now());
    if (!changed)
        return call.fail(changed.error());
    return saveTasks(call, *changed, Texts::tr("Removed %1.").arg(*task));
}

int tasksMove(Invocation& call)
{
    const TaskList& list = call.model.books().taskList();
    const std::optional<QString> task = listedTask(list, call.arguments.first());
    const QString way = call.arguments.at(1);
    if (way != u"up" && way != u"down")
        return call.usageError(Texts::tr("move a task up or down"));
    if (!task)
        return call.fail(Texts::tr("There is no task called %1.").arg(call.arguments.first()));
    const TaskList changed =
        list.moving(*task, way == u"up" ? TaskList::Direction::up : TaskList::Direction::down,
                    call.model.clock().now());
    return saveTasks(call, changed,
                     Texts::tr("Tasks: %1.").arg(changed.tasks().join(QStringLiteral(", "))));
}

int tasksSwitch(Invocation& call, bool on)
{
    const TaskList& list = call.model.books().taskList();
    const std::expected<TaskList, QString> changed = list.enabling(on, call.model.clock().now());
    if (!changed) {
        // Refused for want of a task: the window's sentence points at its
        // list below; here the list is a command away.
        if (on && list.tasks().isEmpty())
            return call.fail(changed.error() + u'\n' + Texts::tr("Add one with `zol tasks add`."));
        return call.fail(changed.error());
    }
    return saveTasks(call, *changed, on ? Texts::tr("Tasks are on.") : Texts::tr("Tasks are off."));
}

} // namespace

void addBooksCommands(QList<Command>& commands)
{
    const Option json{QStringLiteral("json"), {}};
    commands.append({QStringLiteral("books"),
                     QStringLiteral("[--json]"),
                     Texts::tr("The sets of books (administrations); * marks the open one."),
                     {},
                     {json},
                     0,
                     0,
                     false,
                     books});
    commands.append(
        {QStringLiteral("books add"),
         QStringLiteral("NAME [--prefix TEXT --digits N [--year]] [--local]"),
         Texts::tr("Add a set of books (it is not opened)."),
         Texts::tr("--prefix, --digits and --year number new projects automatically: "
                   "the prefix, the two-digit\nyear with --year, then a count of N digits. "
                   "--local books never share."),
         {{QStringLiteral("prefix"), QStringLiteral("TEXT")},
          {QStringLiteral("digits"), QStringLiteral("N")},
          {QStringLiteral("year"), {}},
          {QStringLiteral("local"), {}}},
         1,
         1,
         false,
         booksAdd});
    commands.append({QStringLiteral("books open"),
                     QStringLiteral("NAME|ID"),
                     Texts::tr("Open other books; a running timer is stopped first."),
                     {},
                     {},
                     1,
                     1,
                     false,
                     booksOpen});
    commands.append({QStringLiteral("books remove"),
                     QStringLiteral("NAME|ID"),
                     Texts::tr("Take books out of the list; their hours stay on this machine."),
                     {},
                     {},
                     1,
                     1,
                     false,
                     booksRemove});
    commands.append(
        {QStringLiteral("books empty"),
         QStringLiteral("NAME|ID --confirm NAME"),
         Texts::tr("Erase every session, project and task of books on this machine."),
         Texts::tr("The studio folder is untouched. A backup is taken first; 'zol backups "
                   "restore'\nputs it back."),
         {{QStringLiteral("confirm"), QStringLiteral("NAME")}},
         1,
         1,
         false,
         booksEmpty});
    commands.append(
        {QStringLiteral("name"),
         QStringLiteral("[NEW NAME] [--these-books]"),
         Texts::tr("The name your timesheets are filed under, or set it."),
         Texts::tr("Without NEW NAME, prints the name the open books file timesheets "
                   "under.\nA new name is your one name on this computer: every set of "
                   "books uses it,\nthe open books included, except books given a name of "
                   "their own with\n--these-books, which names the open books alone."),
         {{QStringLiteral("these-books"), QString()}},
         0,
         1,
         false,
         name});
    commands.append(
        {QStringLiteral("settings"),
         QStringLiteral("[KEY [VALUE]]"),
         Texts::tr("Read or write one setting; without KEY, all of them."),
         Texts::tr("Per-books keys (machine.name, share.*, machine.id) act on the open books. "
                   "machine.id\ncan be read, never written; share.folder is set with 'zol studio "
                   "folder'. Numbers\noutside their range are refused: "
                   "ui.longRunningWarningHours 0 to 24 (0: never),\nreminders.firstMinutes 1 to "
                   "1440, reminders.repeatMinutes 0 to 1440 (0: remind once),\nidle.minutes 1 "
                   "to 240."),
         {},
         0,
         2,
         false,
         settings,
         {settingNames()}});
    commands.append({QStringLiteral("tasks"),
                     QStringLiteral("[--json]"),
                     Texts::tr("The task list of the open books, and whether tasks are on."),
                     {},
                     {json},
                     0,
                     0,
                     false,
                     tasks});
    commands.append({QStringLiteral("tasks add"),
                     QStringLiteral("NAME"),
                     Texts::tr("Add a task."),
                     {},
                     {},
                     1,
                     1,
                     true,
                     tasksAdd});
    commands.append({QStringLiteral("tasks remove"),
                     QStringLiteral("NAME"),
                     Texts::tr("Remove a task; sessions keep theirs."),
                     {},
                     {},
                     1,
                     1,
                     true,
                     tasksRemove});
    commands.append({QStringLiteral("tasks move"),
                     QStringLiteral("NAME up|down"),
                     Texts::tr("Move a task up or down the list."),
                     {},
                     {},
                     2,
                     2,
                     true,
                     tasksMove,
                     {{}, {QStringLiteral("up"), QStringLiteral("down")}}});
    commands.append({QStringLiteral("tasks on"),
                     {},
                     Texts::tr("Ask for a task at every start."),
                     {},
                     {},
                     0,
                     0,
                     true,
                     [](Invocation& call) { return tasksSwitch(call, true); }});
    commands.append({QStringLiteral("tasks off"),
                     {},
                     Texts::tr("Stop asking for tasks."),
                     {},
                     {},
                     0,
                     0,
                     true,
                     [](Invocation& call) { return tasksSwitch(call, false); }});
}

} // namespace zol::cli
