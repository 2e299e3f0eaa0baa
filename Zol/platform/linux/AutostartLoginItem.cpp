#include "linux/AutostartLoginItem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace zol::linux_desktop {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::platform::AutostartLoginItem)
};

const QString entryName = QStringLiteral("org.zol.Zol.desktop");

// Whether the entry's main group switches it off, as the desktops' own
// settings do.
bool switchedOff(const QByteArray& entry)
{
    bool inMainGroup = false;
    for (const QByteArray& rawLine : entry.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inMainGroup || equals < 0)
            continue;
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if ((key == "Hidden" && value == "true") ||
            (key == "X-GNOME-Autostart-enabled" && value == "false"))
            return true;
    }
    return false;
}

} // namespace

AutostartLoginItem::AutostartLoginItem(QString autostartFolder, QString program)
    : m_folder(std::move(autostartFolder))
    , m_program(std::move(program))
{}

QString AutostartLoginItem::entryPath() const
{
    return QDir(m_folder).filePath(entryName);
}

ServiceAvailability AutostartLoginItem::availability()
{
    if (m_folder.isEmpty())
        return ServiceAvailability::missing(
            Texts::tr("There is no configuration folder (is HOME set?), so there is no autostart "
                      "folder."));
    if (m_program.isEmpty())
        return ServiceAvailability::missing(
            Texts::tr("The path of the running zol is not known, so nothing can start it "
                      "at login."));
    const QFileInfo folder(m_folder);
    if (folder.exists() && (!folder.isDir() || !folder.isWritable()))
        return ServiceAvailability::missing(Texts::tr("%1 cannot be written to.").arg(m_folder));
    return ServiceAvailability::present(QStringLiteral("XDG autostart"), entryPath());
}

bool AutostartLoginItem::isEnabled()
{
    QFile entry(entryPath());
    if (!entry.open(QIODevice::ReadOnly))
        return false;
    return !switchedOff(entry.readAll());
}

std::optional<QString> AutostartLoginItem::setEnabled(bool enabled)
{
    const QString path = entryPath();
    if (!enabled) {
        const QFileInfo entry(path);
        if (!entry.exists() && !entry.isSymLink())
            return std::nullopt;
        QFile file(path);
        if (file.remove())
            return std::nullopt;
        return Texts::tr("Could not remove “%1”: %2").arg(path, file.errorString());
    }

    if (const ServiceAvailability available = availability(); !available.found)
        return available.reason;
    const QByteArray wanted = entryFor(m_program);
    if (QFile current(path); current.open(QIODevice::ReadOnly) && current.readAll() == wanted)
        return std::nullopt;
    if (!QDir().mkpath(m_folder))
        return Texts::tr("Could not create “%1”.").arg(m_folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(wanted) != wanted.size() || !file.commit())
        return Texts::tr("Could not write “%1”: %2").arg(path, file.errorString());
    return std::nullopt;
}

QByteArray AutostartLoginItem::entryFor(const QString& program)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Zol\n"
           "Comment=Time tracker in the tray\n"
           "Exec=" +
           execValue(program).toUtf8() +
           "\n"
           // Once the program is removed, the desktop skips the entry.
           "TryExec=" +
           QString(program).replace(u'\\', QStringLiteral("\\\\")).toUtf8() +
           "\n"
           "Terminal=false\n";
}

QString AutostartLoginItem::execValue(const QString& program)
{
    // Characters the Exec line reserves: an argument holding one is quoted,
    // and inside quotes ", `, $ and \ take a backslash.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    static const QString escapedInQuotes = QStringLiteral("\"`$\\");
    QString argument;
    const bool quoted =
        std::any_of(program.cbegin(), program.cend(), [](QChar c) { return reserved.contains(c); });
    for (const QChar c : program) {
        if (quoted && escapedInQuotes.contains(c))
            argument += u'\\';
        // A lone % would start a field code.
        argument += c == u'%' ? QStringLiteral("%%") : QString(c);
    }
    if (quoted)
        argument = u'"' + argument + u'"';

    // Then the escapes of any string value in a desktop entry.
    QString value;
    for (const QChar c : std::as_const(argument)) {
        switch (c.unicode()) {
        case u'\\':
            value += QStringLiteral("\\\\");
            break;
        case u'\n':
            value += QStringLiteral("\\n");
            break;
        case u'\t':
            value += QStringLiteral("\\t");
            break;
        case u'\r':
            value += QStringLiteral("\\r");
            break;
        default:
            value += c;
        }
    }
    return value;
}

} // namespace zol::linux_desktop
