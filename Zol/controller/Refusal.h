#pragma once

#include <QString>

#include <expected>

namespace zol {

// Why an operation the person asked for was not carried out, in the sentence
// they read ("No timer is running."). Every front end shows it its own way:
// the command line prints it and fails, a screen puts it under the button.
struct Refusal
{
    QString sentence;
    bool operator==(const Refusal& other) const = default;
};

// What an operation gives back: its result, or why it was refused.
template <typename T>
using Outcome = std::expected<T, Refusal>;

} // namespace zol
