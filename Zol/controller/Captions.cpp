#include "Captions.h"

#include "support/PlainText.h"

#include <QCoreApplication>

namespace zol::Captions {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::Captions)
};

// Number and name each isolated: a name written right to left keeps its
// place after the number, and cannot reorder what follows the caption.
// (The books already read names without controls.)
QString numbered(const QString& number, const QString& name)
{
    return number.isEmpty() ? PlainText::isolated(name)
                            : PlainText::isolated(number) + u' ' + PlainText::isolated(name);
}

} // namespace

QString projectTitle(const Project& project)
{
    return numbered(project.displaySerial(), project.name);
}

QString sessionTitle(const TimeEntry& entry)
{
    return numbered(badge(entry), entry.projectName);
}

QString badge(const TimeEntry& entry)
{
    return entry.isInternal ? QString() : Project::numberToShow(entry.projectSerial);
}

QString listed(const QStringList& items)
{
    if (items.size() < 2)
        return items.join(QString());
    return Texts::tr("%1 and %2")
        .arg(items.mid(0, items.size() - 1).join(QStringLiteral(", ")), items.constLast());
}

} // namespace zol::Captions
