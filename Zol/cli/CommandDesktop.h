#pragma once

#include "Desktop.h"

#include <QStringList>

namespace zol::cli {

// The desktop as the command line sees it: a save dialog is answered with the
// path the command was given (or cancelled when it was given none), and
// nothing is revealed or opened; what would have been is remembered, so a
// command can print it.
class CommandDesktop final : public Desktop
{
public:
    // The answer to the next save dialogs; none cancels them.
    void answerWith(const std::optional<QString>& path) { m_answer = path; }
    const QList<SaveRequest>& asked() const { return m_asked; }
    const QStringList& revealed() const { return m_revealed; }
    const QList<QUrl>& opened() const { return m_opened; }

    void reveal(const QString& path) override { m_revealed.append(path); }
    void openUrl(const QUrl& url) override { m_opened.append(url); }
    std::optional<QString> askWhereToSave(const SaveRequest& request) override
    {
        m_asked.append(request);
        return m_answer;
    }

private:
    std::optional<QString> m_answer;
    QList<SaveRequest> m_asked;
    QStringList m_revealed;
    QList<QUrl> m_opened;
};

} // namespace zol::cli
