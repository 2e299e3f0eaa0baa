#include "Builders.h"
#include "FakeClock.h"
#include "update/NetworkHttpSession.h"
#include "update/UpdateChecker.h"
#include "update/Version.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QtConcurrent>

using namespace Qt::StringLiterals;
using zol::UpdateChecker;

namespace {

// The host a build is configured with; the tests give their own.
const QString host = u"updates.zol.test"_s;
const QString package = u"https://"_s + host + u"/zol.tar.gz"_s;
const QString unreadable = host + u" answered, but not with something Zol understands."_s;
const auto unreachable = [](const QString& why) -> QString {
    return u"Could not reach "_s + host + u". "_s + why;
};
const QString elsewhere =
    u"The published download points at %1, which is not where Zol updates live."_s;

// Status -1 answers with something that is not HTTP; -2 fails to connect.
struct FakeSession final : zol::HttpSession
{
    FakeSession(int s, QByteArray b)
        : status(s)
        , body(std::move(b))
    {}
    Reply get(const QUrl&, qint64 maxBytes) override
    {
        if (status == -2)
            throw TransportError(u"Connection refused"_s);
        const auto http = status == -1 ? std::nullopt : std::optional(status);
        return body.size() > maxBytes ? Reply{http, {}, true} : Reply{http, body};
    }
    int status;
    QByteArray body;
};

QByteArray manifest(const QString& version, const QString& url, const QJsonObject& extra = {})
{
    QJsonObject json{{u"version"_s, version}, {u"url"_s, url}};
    json.insert(u"publishedAt"_s, u"2026-03-02T09:00:00Z"_s);
    for (const QString& key : extra.keys())
        json.insert(key, extra.value(key));
    return QJsonDocument(json).toJson();
}

// "none", the package's address, or the error's sentence.
QString outcome(const UpdateChecker& checker)
{
    try {
        const auto available = checker.check(u"1.4.9"_s);
        return available ? available->package.toString() : u"none"_s;
    } catch (const UpdateChecker::CheckError& error) {
        return error.message();
    }
}

// Answers on 127.0.0.1 with `reply` once a request comes in, then hangs up;
// "endless" streams a body without end, "refused" closes the port first.
struct TinyServer : QObject
{
    explicit TinyServer(const QByteArray& reply)
    {
        server.listen(QHostAddress::LocalHost);
        url = QUrl(u"http://127.0.0.1:%1/latest.json"_s.arg(server.serverPort()));
        if (reply == "refused")
            server.close();
        connect(&server, &QTcpServer::newConnection, this, [this, reply] {
            QTcpSocket* socket = server.nextPendingConnection();
            const auto more = [socket] { socket->write(QByteArray(65536, ' ')); };
            const auto answer = [socket, reply, more] {
                if (reply != "endless") {
                    socket->write(reply);
                    return socket->disconnectFromHost();
                }
                socket->write("HTTP/1.1 200 OK\r\n\r\n");
                connect(socket, &QTcpSocket::bytesWritten, socket, more);
            };
            connect(socket, &QTcpSocket::readyRead, socket, answer, Qt::SingleShotConnection);
        });
    }
    QTcpServer server;
    QUrl url;
};

} // namespace

class TstUpdateChecker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        // The programs load NetworkHttpSession as a module; here it is linked.
        zol::HttpSession::setDefaultFactory(
            [] { return std::make_shared<zol::NetworkHttpSession>(); });
    }

    // Without the module (a test has none beside it) every request fails,
    // saying why, rather than the process failing to start or crashing.
    void noNetworkModule()
    {
        zol::HttpSession::setDefaultFactory(nullptr);
        const QString reason = zol::test::failureOf<zol::HttpSession::TransportError>(
            [] { zol::HttpSession::makeDefault()->get(QUrl(u"https://zol.example.org/"_s), 10); });
        zol::HttpSession::setDefaultFactory(
            [] { return std::make_shared<zol::NetworkHttpSession>(); });
        QVERIFY2(reason.startsWith(u"Zol's network module could not be loaded ("_s),
                 qPrintable(reason));
    }

    void version_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");
        QTest::newRow("last piece") << u"1.4.10"_s << u"1.4.9"_s << 1;
        QTest::newRow("missing piece is 0") << u"1.4"_s << u"1.4.0"_s << 0;
        QTest::newRow("numbers, not text") << u"1.10"_s << u"1.9"_s << 1;
        QTest::newRow("suffix ignored") << u"2.0-beta"_s << u"2.0"_s << 0;
        QTest::newRow("empty pieces") << u"1..2."_s << u"1.0.2"_s << 0;
        QTest::newRow("first difference decides") << u"1.2.9"_s << u"1.03"_s << -1;
        QTest::newRow("beyond 64 bits")
            << u"9.99999999999999999999"_s << u"9.9999999999999999999"_s << 1;
    }

    void version()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        QCOMPARE(zol::Version::compare(a, b), order <=> 0);
        QCOMPARE(zol::Version::compare(b, a), 0 <=> order);
        QCOMPARE(zol::Version::isNewer(a, b), order > 0);
    }

    void check_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        const QByteArray newer = manifest(u"1.4.10"_s, package);
        QTest::newRow("404") << 404 << QByteArray("<html>") << u"none"_s;
        QTest::newRow("500") << 500 << newer << unreachable(u"It answered 500."_s);
        QTest::newRow("refused") << -2 << newer << unreachable(u"Connection refused"_s);
        QTest::newRow("not HTTP") << -1 << newer << unreadable;
        QTest::newRow("newer, no notes or publisher") << 200 << newer << package;
        QTest::newRow("www, any case, notes")
            << 201 << manifest(u"1.5"_s, u"HTTPS://WWW."_s + host, {{u"notes"_s, u"Hi"_s}})
            << u"https://www."_s + host;
        QTest::newRow("same") << 200 << manifest(u"1.4.9.0"_s, package) << u"none"_s;
        QTest::newRow("older, bad url") << 200 << manifest(u"1.4"_s, u"http://x"_s) << u"none"_s;
        QTest::newRow("http") << 200 << manifest(u"2"_s, u"http://"_s + host)
                              << elsewhere.arg(host);
        QTest::newRow("other host")
            << 200 << manifest(u"2"_s, u"https://A.NET/z"_s) << elsewhere.arg(u"a.net"_s);
        QTest::newRow("user info") << 200 << manifest(u"2"_s, u"https://"_s + host + u"@a.net/"_s)
                                   << elsewhere.arg(u"a.net"_s);
        QTest::newRow("no host") << 200 << manifest(u"2"_s, u"/zol.tar.gz"_s) << unreadable;
        QTest::newRow("no publishedAt")
            << 200 << QByteArray("{\"version\": \"2\", \"url\": \"https://a\"}") << unreadable;
        QTest::newRow("not JSON") << 200 << QByteArray("version: 2") << unreadable;
        QTest::newRow("over the limit") << 200 << newer + QByteArray(300 * 1024, ' ') << unreadable;
    }

    void check()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        QCOMPARE(outcome(UpdateChecker(std::make_shared<FakeSession>(status, body), host)),
                 expected);
    }

    void realSession_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("expected");
        const QByteArray ok = "HTTP/1.1 200 OK\r\n\r\n";
        QTest::newRow("200") << ok + manifest(u"2"_s, package) << package;
        QTest::newRow("404") << QByteArray("HTTP/1.1 404 Not Found\r\n\r\n") << u"none"_s;
        QTest::newRow("refused") << QByteArray("refused") << unreachable(u"Connection refused"_s);
        QTest::newRow("endless") << QByteArray("endless") << unreadable;
        QTest::newRow("2 MB declared")
            << "HTTP/1.1 200 OK\r\nContent-Length: 2097152\r\n\r\n" + QByteArray(2 << 20, ' ')
            << unreadable;
    }

    // On a worker thread, as the controller runs it.
    void realSession()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, expected);
        TinyServer server(reply);
        QFuture<QString> result = QtConcurrent::run(
            [url = server.url] { return outcome(UpdateChecker(nullptr, host, url)); });
        QTRY_VERIFY_WITH_TIMEOUT(result.isFinished(), 15000);
        QCOMPARE(result.result(), expected);
    }

    // A server that never answers: the overall limit ends the wait.
    void realSessionTimeout()
    {
        zol::test::FakeClock clock;
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        connect(&silent, &QTcpServer::newConnection, this, [&] { clock.advance(20); });
        const auto session = std::make_shared<zol::NetworkHttpSession>(clock);
        const QUrl url(u"http://127.0.0.1:%1/"_s.arg(silent.serverPort()));
        QCOMPARE(outcome(UpdateChecker(session, host, url)),
                 unreachable(u"The request timed out."_s));
    }

    // A build without an update host asks nobody.
    void noHostNoRequest()
    {
        const auto session = std::make_shared<FakeSession>(-2, QByteArray());
        const UpdateChecker checker(session, QString());
        QVERIFY(!checker.isOffered());
        QCOMPARE(outcome(checker), UpdateChecker::notOfferedSentence());
    }
};

QTEST_GUILESS_MAIN(TstUpdateChecker)
#include "tst_updatechecker.moc"
