#include "PersonName.h"

#include "InputCheck.h"
#include "books/AppSettings.h"

#include <QCoreApplication>

namespace zol::PersonName {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::PersonName)
};

} // namespace

Outcome<QString> rename(AppSettings& settings, QStringView typed, Scope scope)
{
    const QString name = typed.trimmed().toString();
    // No name is a name: timesheets are then filed under "Onbekend".
    if (!name.isEmpty()) {
        if (std::optional<QString> refusal =
                InputCheck::refuseName(InputCheck::Name::person, typed))
            return std::unexpected(Refusal{std::move(*refusal)});
    }
    if (scope == Scope::theseBooks)
        settings.setOwnName(name);
    else if (name != settings.machineName() || settings.hasOwnName())
        settings.setMachineName(name);
    return name;
}

QString scopeLine(const AppSettings& settings)
{
    if (settings.hasOwnName())
        return Texts::tr("These books file timesheets under a name of their own. A name typed "
                         "here becomes your name in every set of books.");
    return Texts::tr("Used by every set of books on this computer that has no name of its own.");
}

} // namespace zol::PersonName
