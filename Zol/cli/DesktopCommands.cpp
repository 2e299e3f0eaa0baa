// What the desktop offers Zol, and the shells' completion.

#include "CommandLine.h"

#include "AppModel.h"
#include "GeneralSettings.h"
#include "Platform.h"
#include "support/DataPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zol::cli {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::cli::DesktopCommands)
};

// A folder as people read it: the home folder shortened to "~".
QString shown(const QString& path)
{
    const QString folder = QDir::cleanPath(path);
    const QString home = QDir::cleanPath(QDir::homePath());
    return folder.startsWith(home + u'/') ? u'~' + folder.mid(home.size()) : folder;
}

struct Finding
{
    // As --json names it.
    QString service;
    // As the list names it.
    QString label;
    ServiceAvailability availability;
};

QList<Finding> findings(Platform& platform)
{
    ServiceAvailability hotKey = platform.shortcut().availability();
    if (!hotKey.found)
        hotKey.reason = GeneralSettings::withoutTheKey(hotKey.reason);
    return {
        {QStringLiteral("notifications"), Texts::tr("notifications"),
         platform.notifier().availability()},
        {QStringLiteral("idle time"), Texts::tr("idle time"), platform.idleTime().availability()},
        {QStringLiteral("hot key"), Texts::tr("hot key"), hotKey},
        {QStringLiteral("login item"), Texts::tr("login item"),
         platform.loginItem().availability()},
        {QStringLiteral("sleep and wake"), Texts::tr("sleep and wake"),
         platform.systemEvents().sleepAvailability()},
        {QStringLiteral("screen lock"), Texts::tr("screen lock"),
         platform.systemEvents().lockAvailability()},
        {QStringLiteral("mounts"), Texts::tr("mounts"),
         platform.systemEvents().mountAvailability()},
        {QStringLiteral("file manager"), Texts::tr("file manager"),
         platform.desktop().availability()},
        {QStringLiteral("tray"), Texts::tr("tray"), platform.trayHost()},
    };
}

int doctor(Invocation& call)
{
    Platform& platform = call.model.platform();
    const QList<Finding> found = findings(platform);
    if (call.has(QStringLiteral("json"))) {
        QJsonArray services;
        for (const Finding& f : found)
            services.append(
                QJsonObject{{QStringLiteral("service"), f.service},
                            {QStringLiteral("found"), f.availability.found},
                            {QStringLiteral("implementation"), f.availability.implementation},
                            {QStringLiteral("reason"), f.availability.reason}});
        const QJsonObject report{{QStringLiteral("services"), services},
                                 {QStringLiteral("sessionType"), platform.session().type},
                                 {QStringLiteral("dataFolder"), dataFolder()},
                                 {QStringLiteral("settingsFolder"), configFolder()}};
        call.out << QJsonDocument(report).toJson(QJsonDocument::Indented);
        return succeeded;
    }
    qsizetype width = 0;
    for (const Finding& f : found)
        width = std::max(width, f.label.size());
    for (const Finding& f : found) {
        const ServiceAvailability& a = f.availability;
        call.out << QString(f.label + u':').leftJustified(width + 2);
        if (a.found) {
            call.out << a.implementation;
            if (!a.reason.isEmpty())
                call.out << ", " << a.reason;
        } else {
            call.out << Texts::tr("not found. %1").arg(a.reason);
        }
        call.out << '\n';
    }
    // The values line up after the longest of the three labels.
    const QList<std::pair<QString, QString>> places{
        {Texts::tr("Session:"), platform.session().type},
        {Texts::tr("Books:"), shown(dataFolder())},
        {Texts::tr("Settings:"), shown(configFolder())},
    };
    qsizetype labelWidth = 0;
    for (const auto& [label, value] : places)
        labelWidth = std::max(labelWidth, label.size());
    call.out << '\n';
    for (const auto& [label, value] : places)
        call.out << label.leftJustified(labelWidth + 1) << value << '\n';
    return succeeded;
}

int completion(const QStringList& words, QTextStream& out, const QList<Command>& all)
{
    const QString script = completionScript(all, words.first());
    if (script.isEmpty())
        return misused;
    out << script;
    return succeeded;
}

} // namespace

void addDesktopCommands(QList<Command>& commands)
{
    commands.append(
        {QStringLiteral("doctor"),
         QStringLiteral("[--json]"),
         Texts::tr("What this desktop offers Zol, and what to do where it does not."),
         Texts::tr("One line per service: notifications, idle time, hot key, login item,\n"
                   "sleep and wake, screen lock, mounts, file manager and tray. --json\n"
                   "prints services [{service, found, implementation, reason}],\n"
                   "sessionType, dataFolder and settingsFolder. Exits 0 whatever it finds."),
         {{QStringLiteral("json"), {}}},
         0,
         0,
         false,
         doctor,
         {},
         true});
    commands.append(
        {QStringLiteral("completion"),
         QStringLiteral("bash|zsh|fish"),
         Texts::tr("Print the completion script of a shell."),
         QStringLiteral("  zol completion bash > ~/.local/share/bash-completion/completions/zol\n"
                        "  zol completion zsh > ~/.zfunc/_zol\n"
                        "  zol completion fish > ~/.config/fish/completions/zol.fish"),
         {},
         1,
         1,
         false,
         {},
         {{QStringLiteral("bash"), QStringLiteral("zsh"), QStringLiteral("fish")}},
         false,
         completion});
}

} // namespace zol::cli
