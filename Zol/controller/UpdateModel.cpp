#include "UpdateModel.h"

#include "OffThread.h"
#include "OpenBooks.h"
#include "Platform.h"
#include "support/Error.h"

#include <exception>

namespace zol {

UpdateModel::UpdateModel(OpenBooks& books, Platform& platform, QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_platform(platform)
{
    // What was found is told per set of books; when it was last asked for an
    // answer holds for the whole run.
    connect(&books, &OpenBooks::closing, this, &UpdateModel::forget);
}

void UpdateModel::forget()
{
    setAvailableUpdate(std::nullopt);
    setUpdateError(std::nullopt);
    setLastUpdateCheck(std::nullopt);
}

UpdateModel::~UpdateModel() = default;

// The build's own version rather than QCoreApplication's, which only the
// application entry sets and which is empty wherever the controller runs
// without it (tests, tools).
QString UpdateModel::currentVersion()
{
    return QStringLiteral(ZOL_VERSION);
}

void UpdateModel::setChecker(std::shared_ptr<UpdateChecker> checker)
{
    m_checker = std::move(checker);
}

bool UpdateModel::offersUpdates() const
{
    return m_checker ? m_checker->isOffered() : !UpdateChecker::configuredHost().isEmpty();
}

QFuture<void> UpdateModel::checkForUpdate()
{
    if (!offersUpdates())
        return QtFuture::makeReadyFuture();
    const quint64 generation = m_books.generation();
    if (m_check.isRunning() && m_checkGeneration == generation)
        return m_check;
    if (!m_checker)
        m_checker = std::make_shared<UpdateChecker>();

    const quint64 serial = ++m_checkSerial;
    const std::shared_ptr<UpdateChecker> checker = m_checker;
    setCheckingForUpdate(true);
    m_checkGeneration = generation;

    m_check = OffThread::run(
        this, [checker] { return checker->check(currentVersion()); },
        [this, generation,
         serial](OffThread::Outcome<std::optional<UpdateChecker::Available>> outcome) {
            if (serial == m_checkSerial)
                setCheckingForUpdate(false);
            if (generation != m_books.generation())
                return;
            const QDateTime now = m_books.clock().now();
            if (!outcome.error) {
                setAvailableUpdate(*outcome.value);
                setCheckedForUpdateAt(now);
            }
            setUpdateError(outcome.error ? std::optional(OffThread::describe(outcome.error))
                                         : std::nullopt);
            setLastUpdateCheck(now);
        });
    return m_check;
}

void UpdateModel::openDownload()
{
    if (m_availableUpdate)
        m_platform.desktop().openUrl(m_availableUpdate->package);
}

void UpdateModel::setAvailableUpdate(const std::optional<UpdateChecker::Available>& update)
{
    if (m_availableUpdate == update)
        return;
    m_availableUpdate = update;
    Q_EMIT availableUpdateChanged();
}

void UpdateModel::setCheckedForUpdateAt(const std::optional<QDateTime>& at)
{
    if (m_checkedForUpdateAt == at)
        return;
    m_checkedForUpdateAt = at;
    Q_EMIT checkedForUpdateAtChanged();
}

void UpdateModel::setLastUpdateCheck(const std::optional<QDateTime>& at)
{
    if (m_lastUpdateCheck == at)
        return;
    m_lastUpdateCheck = at;
    Q_EMIT lastUpdateCheckChanged();
}

void UpdateModel::setCheckingForUpdate(bool checking)
{
    if (m_isCheckingForUpdate == checking)
        return;
    m_isCheckingForUpdate = checking;
    Q_EMIT isCheckingForUpdateChanged();
}

void UpdateModel::setUpdateError(const std::optional<QString>& error)
{
    if (m_updateError == error)
        return;
    m_updateError = error;
    Q_EMIT updateErrorChanged();
}

} // namespace zol
