#pragma once

#include "support/Error.h"

#include <QString>

#include <expected>
#include <type_traits>

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

// Runs `work` and gives back what it returned, or, when it threw a
// zol::Error, a refusal in the error's words: the one place where a failure
// of the books becomes a sentence for the person.
template <typename Work> auto attempt(Work&& work) -> Outcome<std::invoke_result_t<Work&>>
{
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Work&>>) {
            work();
            return {};
        } else {
            return work();
        }
    } catch (const Error& error) {
        return std::unexpected(Refusal{error.message()});
    }
}

} // namespace zol
