// Emptying books and putting them back from a backup.

#include "AppModel.h"

#include "OffThread.h"
#include "Platform.h"
#include "SessionOperations.h"
#include "StatusModel.h"
#include "store/EntryStore.h"
#include "store/StoreBackups.h"
#include "support/Error.h"

#include <QFileInfo>
#include <QPromise>

namespace zol {

namespace {

QString notEmptiedText(const QString& reason)
{
    return AppModel::tr("Nothing was emptied: no backup could be taken. %1").arg(reason);
}

QFuture<void> finished()
{
    QPromise<void> done;
    done.start();
    done.finish();
    return done.future();
}

} // namespace

QFuture<void> AppModel::clearAdministration(const Administration& administration)
{
    std::shared_ptr<EntryStore> store;
    std::function<QString()> backup;
    try {
        if (administration.id == m_books->administration().id)
            (void)m_sessions->stop();
        store = m_books->openStoreOf(administration.id);
    } catch (const Error& error) {
        m_status->fail(error.message());
        return finished();
    }
    if (StoreBackups* backups = store->backups()) {
        try {
            backup = backups->prepareBeforeEmptying();
        } catch (const Error& error) {
            m_status->fail(notEmptiedText(error.message()));
            return finished();
        }
    } else {
        // Books in memory: nothing outlives the run to be backed up.
        backup = [] { return QString(); };
    }
    return OffThread::run(
        this, std::move(backup),
        [this, store, name = administration.name](OffThread::Outcome<QString> outcome) {
            if (!outcome.value) {
                m_status->fail(notEmptiedText(OffThread::describe(outcome.error)));
                return;
            }
            eraseBooks(*store, name, *outcome.value);
        });
}

void AppModel::eraseBooks(EntryStore& store, const QString& name, const QString& backup)
{
    if (!m_status->attempt([&] { store.eraseEverything(); }))
        return;
    if (&store == m_books->store())
        m_books->reloadReplaced();
    m_status->succeed(
        backup.isEmpty()
            ? tr("Emptied %1 on this computer. The studio folder is untouched.").arg(name)
            : tr("Emptied %1 on this computer. The studio folder is untouched. The backup taken "
                 "first is %2")
                  .arg(name, OpenBooks::shownPath(backup)));
}

QFuture<void> AppModel::restoreBackup(const QString& source)
{
    StoreBackups* backups = m_books->store()->backups();
    if (!backups) {
        m_status->fail(tr("These books are a temporary database, which has no backups."));
        return finished();
    }
    // Checking and copying a big file takes a while: a worker does it, and
    // the store keeps other threads' work waiting only while it writes.
    std::shared_ptr<EntryStore> store = m_books->sharedStore();
    return OffThread::run(
        this, [backups, store, source] { return backups->restore(*store, source); },
        [this, store, source](OffThread::Outcome<StoreBackups::Restored> outcome) {
            if (!outcome.value) {
                m_status->fail(OffThread::describe(outcome.error));
                return;
            }
            if (store != m_books->sharedStore())
                return;
            m_books->reloadReplaced();
            const QString name = m_books->administration().name;
            const QString file = QFileInfo(source).fileName();
            m_status->succeed(
                outcome.value->savedAs.isEmpty()
                    ? tr("Restored %1 from %2. The books were damaged, so they were not kept.")
                          .arg(name, file)
                    : tr("Restored %1 from %2. The books as they were are in %3")
                          .arg(name, file, OpenBooks::shownPath(outcome.value->savedAs)));
        });
}

void AppModel::revealBackups()
{
    const StoreBackups* backups = m_books->store()->backups();
    if (!backups)
        return;
    const QList<BackupFiles::Backup> found = backups->files().list();
    if (!found.isEmpty())
        m_platform.desktop().reveal(found.first().path);
}

} // namespace zol
