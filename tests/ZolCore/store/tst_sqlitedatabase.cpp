#include <QTest>
class Tst : public QObject { Q_OBJECT private Q_SLOTS: void placeholder() {} };
QTEST_GUILESS_MAIN(Tst)
#include "tst_sqlitedatabase.moc"
