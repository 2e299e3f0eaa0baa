#include "PanelState.h"

#include "Captions.h"
#include "OpenBooks.h"
#include "PanelModel.h"
#include "SharingModelState.h"
#include "books/Administration.h"
#include "records/TimeEntry.h"

#include <QRegularExpression>

namespace zol::PanelState {

namespace {

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
    if (sessions == 1)
        return QStringLiteral("· 1 session");
    return QStringLiteral("· ") + QString::number(sessions) + QStringLiteral(" sessions");
}

std::optional<QString> pickerCaption(const PanelModel& model, const QList<Project>& shown)
{
    const qsizetype all = model.books().tracker()->projects().size();
    if (model.isShowingRecentProjects())
        return QStringLiteral("10 most recent · type to search all ") + QString::number(all);
    if (model.filterAsRead().isEmpty() || shown.isEmpty())
        return std::nullopt;
    return QString::number(shown.size()) + QStringLiteral(" of ") + QString::number(all) +
           (all == 1 ? QStringLiteral(" project") : QStringLiteral(" projects"));
}

std::optional<QString> nothingMatches(const PanelModel& model, const QList<Project>& shown)
{
    const QString filter = model.filterAsRead().toString();
    if (filter.isEmpty() || !shown.isEmpty())
        return std::nullopt;
    return QStringLiteral("Nothing matches \u201C") + filter + u'\u201D';
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
    return QStringLiteral("Switch to ") + armedTitle(model);
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
    return QStringLiteral("Administration: ") + administration.name;
}

QString administrationHelp(const Administration& administration)
{
    return QStringLiteral("Hours are being written into ") + administration.name;
}

QString numberTaken(QStringView number, const Project& holder)
{
    return number.trimmed().toString() + QStringLiteral(" already exists: ") + holder.displayName();
}

QString editorFooter(const Project& project, QStringView typedNumber)
{
    const QStringView typed = typedNumber.trimmed();
    const bool renumbers = !typed.isEmpty() && !project.holds(typed);
    if (renumbers && project.isLinked())
        return QStringLiteral("Changing the number moves every session on this project onto it.");
    if (renumbers)
        return QStringLiteral("Adding the number moves everything tracked so far onto it.");
    return QStringLiteral("The number, client and name are what the studio sees.");
}

} // namespace zol::PanelState
