#pragma once

#include "Desktop.h"

#include <QStringList>

#include <functional>

namespace zol::cli {

// The desktop as the command line sees it: a save dialog is answered with the
// path the command was given (or cancelled when it was given none), and
// nothing is revealed or opened; what would have been is remembered, so a
// command can print it.
class CommandDesktop final : public Desktop
{
public:
    using Answer = std::function<std::optional<QString>(const SaveRequest&)>;
    // How the next save dialogs are answered; none cancels them.
    void answerWith(Answer answer) { m_answer = std::move(answer); }
    const QList<SaveRequest>& asked() const { return m_asked; }
    const QStringList& revealed() const { return m_revealed; }
    const QList<QUrl>& opened() const { return m_opened; }

    void reveal(const QString& path) override { m_revealed.append(path); }
    void openUrl(const QUrl& url) override { m_opened.append(url); }
    std::optional<QString> askWhereToSave(const SaveRequest& request) override
    {
        m_asked.append(request);
        return m_answer ? m_answer(request) : std::nullopt;
    }

private:
    Answer m_answer;
    QList<SaveRequest> m_asked;
    QStringList m_revealed;
    QList<QUrl> m_opened;
};

} // namespace zol::cli
