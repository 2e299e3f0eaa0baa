#include "OffThread.h"

#include "support/Error.h"

#include <QCoreApplication>

namespace zol::OffThread {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::OffThread)
};

} // namespace

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
    return Texts::tr("An unknown error occurred.");
}

} // namespace zol::OffThread
