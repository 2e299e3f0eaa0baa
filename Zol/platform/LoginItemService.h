#pragma once

#include "ServiceAvailability.h"

#include <QString>

#include <optional>

namespace zol {

// Whether the application starts when the user logs in.
class LoginItemService
{
public:
    virtual ~LoginItemService() = default;

    // Whether starting at login can be switched on here ("login item").
    virtual ServiceAvailability availability() = 0;

    virtual bool isEnabled() = 0;
    // Registers or unregisters the application; the failure's description, or
    // none when it worked.
    virtual std::optional<QString> setEnabled(bool enabled) = 0;
};

} // namespace zol
