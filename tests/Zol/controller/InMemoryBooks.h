#pragma once

#include "AppModel.h"
#include "FakeClock.h"
#include "FakePlatform.h"
#include "books/SettingsStore.h"
#include "store/EntryStore.h"

#include <memory>

namespace zol::test {

// A bootstrapped controller whose books and settings all live in memory, on a
// fake clock standing at Monday 2 March 2026, 09:00 UTC. Other books opened
// later are fresh and empty.
struct InMemoryBooks
{
    FakeClock clock;
    SettingsStore defaults{QString()};
    FakePlatform platform;
    AppModel model{defaults, clock, platform,
                   [](const QString&, const Clock& c) { return EntryStore::inMemory(c); }};

    InMemoryBooks() { model.bootstrap(); }
    EntryStore& store() { return *model.store(); }
};

} // namespace zol::test
