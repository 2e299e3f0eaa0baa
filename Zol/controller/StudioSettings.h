#pragma once

#include <QFuture>
#include <QObject>
#include <QString>

#include <optional>

namespace zol {

class OpenBooks;
class SharingModel;

// The Studio screen's view of the open books' studio folder: whether the
// books may share at all, the folder and how the last look at it went, the
// switches, and choosing a folder with its refusals. A view of the
// controller's settings() and sharing(); choosing, syncing and disconnecting
// are the sharing section's own operations.
class StudioSettings final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StudioSettings)

public:
    // A chosen folder that was not taken, and the longer story.
    struct Refusal
    {
        QString title;
        QString explanation;
        bool operator==(const Refusal& other) const = default;
    };

    StudioSettings(OpenBooks& books, SharingModel& sharing, QObject* parent = nullptr);
    ~StudioSettings() override;

    // The books never share: the screen explains that instead.
    bool isLocalOnly() const;
    // Why these books never share.
    QString localExplanation() const;

    // The chosen studio folder; none when none is chosen.
    std::optional<QString> folder() const;
    // The one line under the folder: "No folder chosen", "Chosen, but
    // sharing is switched off.", "Reachable · no other computers yet",
    // "Reachable · 2 other computers: Bram and Carla" (three names at
    // most, then "and 2 more"), the last failure's sentence, or
    // "Looking at the folder…" before the first look.
    QString stateLine() const;
    // Whether stateLine() reports a failure.
    bool isUnreachable() const;
    // "Last synced today 14:05"; empty before the first sync that worked.
    QString lastSyncedLine() const;
    // The conflict copies the last look found ("2 conflict copies of
    // timesheets left by the sync tool. …"); empty when it found none.
    QString conflictCopiesLine() const;

    // The last folder refused here; cleared when another folder is chosen.
    const std::optional<Refusal>& refusal() const { return m_refusal; }
    // Stores `path` as the books' studio folder and syncs, unless another
    // administration already uses it (then refusal() says so and nothing is
    // stored). The sharing section refuses a folder it cannot use in the
    // status line. The future finishes once the first sync has reported.
    QFuture<void> choose(const QString& path);

    // "Share the project list".
    void setSharing(bool on);
    // Handing timesheets in without being asked.
    void setAutoUpload(bool on);

    // The disconnect confirmation, for the open books.
    QString disconnectQuestion() const;
    static QString disconnectExplanation();

    // The button that picks the folder: chooseTitle() until one is chosen,
    // then "Choose another folder…".
    QString chooseLabel() const;
    // The title of the desktop's folder dialog.
    static QString chooseTitle();
    static QString folderExplanation();
    static QString syncExplanation();
    static QString uploadExplanation();
    static QString onwardExplanation();

Q_SIGNALS:
    // Any line or switch above may read differently.
    void changed();
    void refusalChanged();

private:
    void followSettings();
    void setRefusal(const std::optional<Refusal>& refusal);

    OpenBooks& m_books;
    SharingModel& m_sharing;
    QList<QMetaObject::Connection> m_settingsConnections;
    std::optional<Refusal> m_refusal;
};

} // namespace zol
