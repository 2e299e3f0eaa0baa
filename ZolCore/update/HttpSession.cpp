#include "update/HttpSession.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QMutex>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::HttpSession)
};

// Every request fails, saying why there is no network to ask.
class Unreachable final : public HttpSession
{
public:
    explicit Unreachable(QString reason)
        : m_reason(std::move(reason))
    {}

    Reply get(const QUrl&, qint64) override { throw TransportError(m_reason); }

private:
    QString m_reason;
};

QMutex factoryMutex;
HttpSession::Factory factory;

// The network module, where the build puts it (beside the program) or where
// the install does (the library folder named at build time).
std::shared_ptr<HttpSession> loadModule()
{
    using Make = HttpSession* (*)();
    static QMutex loading;
    static Make make = nullptr;
    static QString failure;
    QMutexLocker lock(&loading);
    if (!make && failure.isEmpty()) {
        const QString here = QCoreApplication::applicationDirPath();
        QStringList tried;
        for (const QString& folder :
             {here, QString(here + QStringLiteral("/" ZOL_MODULE_FOLDER))}) {
            QLibrary module(folder + QStringLiteral("/zol-network"));
            make = reinterpret_cast<Make>(module.resolve(HttpSession::moduleEntry));
            if (make)
                break;
            tried.append(module.errorString());
        }
        if (!make)
            //: %1 is what the system said of each place the module was looked for.
            failure = Texts::tr("Zol's network module could not be loaded (%1)")
                          .arg(tried.join(QStringLiteral("; ")));
    }
    if (!make)
        return std::make_shared<Unreachable>(failure);
    return std::shared_ptr<HttpSession>(make());
}

} // namespace

void HttpSession::setDefaultFactory(Factory made)
{
    QMutexLocker lock(&factoryMutex);
    factory = std::move(made);
}

std::shared_ptr<HttpSession> HttpSession::makeDefault()
{
    Factory make;
    {
        QMutexLocker lock(&factoryMutex);
        make = factory;
    }
    return make ? make() : loadModule();
}

} // namespace zol
