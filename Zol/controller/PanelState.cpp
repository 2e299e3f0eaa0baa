#include "PanelState.h"

#include "Captions.h"
#include "OpenBooks.h"
#include "PanelModel.h"
#include "SharingModelState.h"
#include "books/Administration.h"
#include "records/TimeEntry.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace zol::PanelState {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::PanelState)
};

// The locale's short time without seconds (the C locale has them).
QString shortTime(const QTime& time, const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    static const QRegularExpression seconds(QStringLiteral("[:.]ss?"));
    format.remove(seconds);
    return locale.toString(time, format);
}

} // namespace

Header header(const PanelModel& model)
{
    if (model.idleReport())
        return Header::idlePrompt;
    if (model.books().tracker()->isTracking())
        return Header::session;
    if (model.hasArmedWork())
        return Header::armed;
    return Header::today;
}

QString sessionCount(int sessions)
{
    return Texts::tr("· %n sessions", nullptr, sessions);
}

std::optional<QString> pickerCaption(const PanelModel& model, const QList<Project>& shown)
{
    const qsizetype all = model.books().tracker()->projects().size();
    if (model.isShowingRecentProjects())
        return Texts::tr("10 most recent · type to search all %1").arg(all);
    if (model.filterAsRead().isEmpty() || shown.isEmpty())
        return std::nullopt;
    return Texts::tr("%1 of %n projects", nullptr, int(all)).arg(shown.size());
}

std::optional<QString> nothingMatches(const PanelModel& model, const QList<Project>& shown)
{
    const QString filter = model.filterAsRead().toString();
    if (filter.isEmpty() || !shown.isEmpty())
        return std::nullopt;
    return Texts::tr("Nothing matches \u201C%1\u201D").arg(filter);
}

bool hasNoProjects(const PanelModel& model)
{
    return model.books().tracker()->projects().isEmpty() && model.filterAsRead().isEmpty();
}

QString armedTitle(const PanelModel& model)
{
    if (model.armedInternal())
        return *model.armedInternal();
    if (model.armedProject())
        return Captions::projectTitle(*model.armedProject());
    return {};
}

std::optional<QString> switchCaption(const PanelModel& model)
{
    if (!model.books().tracker()->isTracking() || !model.hasArmedWork() || model.armedIsCurrent())
        return std::nullopt;
    return Texts::tr("Switch to %1").arg(armedTitle(model));
}

QString awaySince(const IdleReport& report, const QDateTime& now, const Calendar& calendar,
                  const QLocale& locale)
{
    if (calendar.day(report.began) == calendar.day(now))
        return shortTime(calendar.local(report.began).time(), locale);
    return UploadState::stamp(report.began, now, calendar, locale);
}

QString administrationTitle(const Administration& administration)
{
    return Texts::tr("Administration: %1").arg(administration.name);
}

QString administrationHelp(const Administration& administration)
{
    return Texts::tr("Hours are being written into %1").arg(administration.name);
}

QString numberTaken(QStringView number, const Project& holder)
{
    return Texts::tr("%1 already exists: %2")
        .arg(number.trimmed().toString(), holder.displayName());
}

QString editorFooter(const Project& project, QStringView typedNumber)
{
    const QStringView typed = typedNumber.trimmed();
    const bool renumbers = !typed.isEmpty() && !project.holds(typed);
    if (renumbers && project.isLinked())
        return Texts::tr("Changing the number moves every session on this project onto it.");
    if (renumbers)
        return Texts::tr("Adding the number moves everything tracked so far onto it.");
    return Texts::tr("The number, client and name are what the studio sees.");
}

} // namespace zol::PanelState
