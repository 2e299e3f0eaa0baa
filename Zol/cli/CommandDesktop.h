#pragma once

#include "Desktop.h"

#include <QStringList>

#include <functional>

namespace zol::cli {

// The desktop as the command line sees it: a save dialog is answered with the
// path the command was given (or cancelled when it was given none), and
// nothing is revealed or opened; what would have been revealed is remembered,
// so a command can print where its file went.
class CommandDesktop final : public Desktop
{
public:
    using Answer = std::function<std::optional<QString>(const SaveRequest&)>;
    // How the next save dialogs are answered; none cancels them.
    void answerWith(Answer answer) { m_answer = std::move(answer); }
    const QStringList& revealed() const { return m_revealed; }

    ServiceAvailability availability() override
    {
        return ServiceAvailability::present(QStringLiteral("the terminal"));
    }
    void reveal(const QString& path) override { m_revealed.append(path); }
    void openUrl(const QUrl&) override {}
    std::optional<QString> askWhereToSave(const SaveRequest& request) override
    {
        return m_answer ? m_answer(request) : std::nullopt;
    }

private:
    Answer m_answer;
    QStringList m_revealed;
};

} // namespace zol::cli
