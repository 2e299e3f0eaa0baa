#include "PersonName.h"

#include "InputCheck.h"
#include "books/AppSettings.h"

namespace zol::PersonName {

Outcome<QString> rename(AppSettings& settings, QStringView typed)
{
    const QString name = typed.trimmed().toString();
    // No name is a name: timesheets are then filed under "Onbekend".
    if (!name.isEmpty()) {
        if (std::optional<QString> refusal =
                InputCheck::refuseName(InputCheck::Name::person, typed))
            return std::unexpected(Refusal{std::move(*refusal)});
    }
    if (name != settings.machineName())
        settings.setMachineName(name);
    return name;
}

} // namespace zol::PersonName
