#include "StatusMessage.h"

namespace zol {

namespace {

StatusMessage make(StatusMessage::Kind kind, const QString& text, const QList<QUuid>& deleted = {})
{
    return {QUuid::createUuid(), kind, text, deleted};
}

} // namespace

StatusMessage StatusMessage::info(const QString& text)
{
    return make(Kind::info, text);
}

StatusMessage StatusMessage::success(const QString& text)
{
    return make(Kind::success, text);
}

StatusMessage StatusMessage::failure(const QString& text)
{
    return make(Kind::failure, text);
}

StatusMessage StatusMessage::deletion(const QString& text, const QList<QUuid>& deleted)
{
    return make(Kind::info, text, deleted);
}

size_t qHash(const StatusMessage& message, size_t seed)
{
    QtPrivate::QHashCombine combine;
    seed = combine(seed, message.id);
    seed = combine(seed, static_cast<int>(message.kind));
    seed = combine(seed, message.text);
    for (const QUuid& id : message.undoableDeletions)
        seed = combine(seed, id);
    return seed;
}

} // namespace zol
