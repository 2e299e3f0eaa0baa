#include "OffThread.h"

#include "support/Error.h"

namespace zol::OffThread {

QString describe(const std::exception_ptr& error)
{
    if (!error)
        return {};
    try {
        std::rethrow_exception(error);
    } catch (const Error& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
    }
    return QStringLiteral("An unknown error occurred.");
}

} // namespace zol::OffThread
