#include "store/StoreBackups.h"

#include "store/BackupCopy.h"
#include "store/EntryStore.h"
#include "support/Clock.h"
#include "support/DataPaths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThreadPool>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::StoreBackups)
};

// The sentence of damaged books, and that the day's copy was not made.
QString notTakenAfter(const QString& damage)
{
    return damage + u' ' + Texts::tr("No backup was taken.");
}

QString notTakenBecause(const QString& reason)
{
    return Texts::tr("No backup was taken: %1").arg(reason);
}

} // namespace

// The result of the copies, written by whichever thread ran them.
struct StoreBackups::Outcome
{
    mutable QMutex mutex;
    std::optional<QString> problem;

    void set(std::optional<QString> sentence)
    {
        QMutexLocker lock(&mutex);
        problem = std::move(sentence);
    }
};

StoreBackups::Runner StoreBackups::here()
{
    return [](Job job) { job(); };
}

StoreBackups::Runner StoreBackups::onThreadPool()
{
    return [](Job job) { QThreadPool::globalInstance()->start(std::move(job)); };
}

StoreBackups::StoreBackups(const QString& databasePath, const Clock& clock, Runner runner,
                           QString folder, Calendar calendar)
    : m_databasePath(databasePath)
    , m_clock(clock)
    , m_runner(std::move(runner))
    , m_files(databasePath, std::move(folder))
    , m_calendar(std::move(calendar))
    , m_outcome(std::make_shared<Outcome>())
{}

StoreBackups::~StoreBackups() = default;

QDate StoreBackups::today() const
{
    return m_calendar.day(m_clock.now());
}

QString StoreBackups::ensureFolder() const
{
    makePrivateFolder(m_files.folder());
    return m_files.folder();
}

void StoreBackups::beforeChange()
{
    const QDate day = today();
    {
        QMutexLocker lock(&m_dayMutex);
        if (day == m_checkedDay)
            return;
        m_checkedDay = day;
    }
    const QString target = m_files.dailyPath(day);
    if (QFileInfo::exists(target))
        return;
    std::shared_ptr<BackupCopy> copy;
    try {
        ensureFolder();
        copy = std::make_shared<BackupCopy>(m_databasePath);
    } catch (const BackupCopy::Damaged& damaged) {
        m_outcome->set(notTakenAfter(damaged.message()));
        return;
    } catch (const Error& error) {
        m_outcome->set(notTakenBecause(error.message()));
        return;
    }
    m_runner([copy, target, day, files = m_files, outcome = m_outcome] {
        try {
            copy->write(target);
            files.prune(day);
            outcome->set(std::nullopt);
        } catch (const BackupCopy::Damaged& damaged) {
            outcome->set(notTakenAfter(damaged.message()));
        } catch (const Error& error) {
            outcome->set(notTakenBecause(error.message()));
        }
    });
}

std::function<QString()> StoreBackups::prepareBeforeEmptying()
{
    ensureFolder();
    const QDateTime now = m_calendar.local(m_clock.now());
    const QString daily = m_files.dailyPath(now.date());
    bool dayTaken = false;
    {
        // Once the day was seen to, its backup is there or being written.
        QMutexLocker lock(&m_dayMutex);
        dayTaken = m_checkedDay == now.date() || QFileInfo::exists(daily);
        m_checkedDay = now.date();
    }
    const QString target =
        dayTaken ? m_files.snapshotPath(BackupFiles::Kind::beforeEmptying, now) : daily;
    auto copy = std::make_shared<BackupCopy>(m_databasePath);
    return [copy, target, day = now.date(), files = m_files, outcome = m_outcome] {
        try {
            copy->write(target);
        } catch (const BackupCopy::Damaged& damaged) {
            outcome->set(notTakenAfter(damaged.message()));
            throw;
        }
        files.prune(day);
        outcome->set(std::nullopt);
        return target;
    };
}

StoreBackups::Restored StoreBackups::restore(EntryStore& store, const QString& source)
{
    BackupCopy::verify(source);
    ensureFolder();
    const QDateTime now = m_calendar.local(m_clock.now());
    Restored restored;
    const QString saveAs = m_files.snapshotPath(BackupFiles::Kind::beforeRestore, now);
    if (QFileInfo::exists(saveAs))
        throw Error(Texts::tr("A restore was made a moment ago; wait a second and try again."));
    try {
        BackupCopy(m_databasePath).write(saveAs);
        restored.savedAs = saveAs;
    } catch (const BackupCopy::Damaged&) {
        // Damaged books are what a restore is for: they are replaced unsaved.
    }
    store.replaceWith(source);
    m_files.prune(now.date());
    return restored;
}

std::optional<QString> StoreBackups::problem() const
{
    QMutexLocker lock(&m_outcome->mutex);
    return m_outcome->problem;
}

} // namespace zol
