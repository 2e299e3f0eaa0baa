#pragma once

#include "AppModel.h"
#include "Builders.h"
#include "FakeClock.h"
#include "FakePlatform.h"
#include "UserFolders.h"
#include "books/SettingsStore.h"
#include "store/EntryStore.h"

#include <QThreadPool>

#include <memory>

namespace zol::test {

inline const Project brandBook = project(QStringLiteral("2301"), QStringLiteral("Brand book"),
                                         QStringLiteral("Acme"), utc(2026, 1, 1), utc(2026, 1, 1));

inline Administration named(const QString& name)
{
    Administration a = Administration::fresh();
    a.name = name;
    return a;
}

// A started controller over fresh temporary user folders, on a fake clock
// standing at Monday 2 March 2026, 09:00 UTC, the user's idle time counted on
// it from the start. The settings stay in memory unless they are to live in
// the settings file, where another process sees them.
struct Books
{
    enum class Settings { inMemory, inFile };

    explicit Books(Settings settings = Settings::inMemory,
                   AppModel::StoreOpener opener = AppModel::defaultStoreOpener())
        : defaults(settings == Settings::inFile ? SettingsStore::defaultPath() : QString())
        , model(start(std::move(opener)))
    {
        platform.idleTime->clock = &clock;
        platform.idleTime->input();
    }
    ~Books()
    {
        model.reset();
        // A worker still running holds the clock and the folders.
        QThreadPool::globalInstance()->waitForDone();
    }

    // Another controller over the same settings, clock and platform, bootstrapped.
    std::unique_ptr<AppModel> start(AppModel::StoreOpener opener = AppModel::defaultStoreOpener())
    {
        auto started = std::make_unique<AppModel>(defaults, clock, platform, std::move(opener));
        started->bootstrap();
        return started;
    }

    EntryStore& store() const { return *model->books().store(); }
    // The status line's text, empty when it shows nothing.
    QString said() const { return model->status().text(); }

    UserFolders folders;
    FakeClock clock;
    SettingsStore defaults;
    FakePlatform platform;
    std::unique_ptr<AppModel> model;
};

} // namespace zol::test
