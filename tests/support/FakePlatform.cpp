#include "FakePlatform.h"

namespace zol::test {

namespace {

// A new T, with `raw` left pointing at it.
template <typename T> std::unique_ptr<T> make(T*& raw)
{
    auto owned = std::make_unique<T>();
    raw = owned.get();
    return owned;
}

} // namespace

FakePlatform::FakePlatform()
    : platform(std::make_unique<Platform>(make(notifier), make(idleTime), make(shortcut),
                                          make(loginItem), make(systemEvents), make(desktop)))
{}

} // namespace zol::test
