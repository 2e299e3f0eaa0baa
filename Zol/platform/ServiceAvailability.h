#pragma once

#include <QString>

namespace zol {

// Whether a desktop service is there, as `zol doctor` and the settings tell
// the user: which implementation answered, or why the service is missing and
// what the user can do about it.
struct ServiceAvailability
{
    bool found = false;
    // What answered, as people read it: "dunst 1.9.0", "X screen saver".
    QString implementation;
    // Found: a detail worth showing ("3 s since the last input"); may be empty.
    // Missing: why, and what the user can do, in one line.
    QString reason;

    static ServiceAvailability present(QString implementation, QString detail = {})
    {
        return {true, std::move(implementation), std::move(detail)};
    }
    static ServiceAvailability missing(QString reason, QString implementation = {})
    {
        return {false, std::move(implementation), std::move(reason)};
    }

    bool operator==(const ServiceAvailability& other) const = default;
};

} // namespace zol
