#pragma once

#include "update/UpdateChecker.h"

#include <QDateTime>
#include <QFuture>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace zol {

class OpenBooks;
class Platform;

// The controller's update check, run on request only. It asks the update
// host whether a version newer than this build (ZOL_VERSION) is published and
// keeps what it found; downloading is left to the user's browser.
class UpdateModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpdateModel)
    Q_PROPERTY(std::optional<zol::UpdateChecker::Available> availableUpdate READ availableUpdate
                   NOTIFY availableUpdateChanged)
    Q_PROPERTY(std::optional<QDateTime> checkedForUpdateAt READ checkedForUpdateAt NOTIFY
                   checkedForUpdateAtChanged)
    Q_PROPERTY(
        std::optional<QDateTime> lastUpdateCheck READ lastUpdateCheck NOTIFY lastUpdateCheckChanged)
    Q_PROPERTY(bool isCheckingForUpdate READ isCheckingForUpdate NOTIFY isCheckingForUpdateChanged)
    Q_PROPERTY(std::optional<QString> updateError READ updateError NOTIFY updateErrorChanged)

public:
    UpdateModel(OpenBooks& books, Platform& platform, QObject* parent = nullptr);
    ~UpdateModel() override;

    // The version this build reports to the update host.
    static QString currentVersion();

    // The newer version found by the last check that got an answer; a failed
    // check leaves it as it was.
    const std::optional<UpdateChecker::Available>& availableUpdate() const
    {
        return m_availableUpdate;
    }
    // When a check last got an answer (a newer version or none), for the
    // whole run.
    const std::optional<QDateTime>& checkedForUpdateAt() const { return m_checkedForUpdateAt; }
    // When a check last finished, answered or failed; forgotten when other
    // books are opened.
    const std::optional<QDateTime>& lastUpdateCheck() const { return m_lastUpdateCheck; }
    bool isCheckingForUpdate() const { return m_isCheckingForUpdate; }
    // The last check's failure, as the user reads it; cleared by an answer.
    const std::optional<QString>& updateError() const { return m_updateError; }

    // Replaces the checker (tests give one over a fake session); none puts
    // back the default one, over the network.
    void setChecker(std::shared_ptr<UpdateChecker> checker);
    // Whether this build asks an update host at all; without one, new
    // versions come from the package manager and checkForUpdate() asks
    // nobody (UpdateChecker::notOfferedSentence() says so).
    bool offersUpdates() const;

    // Asks the update host on a worker. A check already running for these
    // books is not started twice: its future is returned. The future finishes once the
    // outcome is applied, or dropped because other books were opened meanwhile.
    QFuture<void> checkForUpdate();
    // Opens the available update's download address in the browser.
    void openDownload();
    // Forgets the update found, the last failure and when the check last ran
    // (other books opened, or the studio folder was disconnected).
    void forget();

Q_SIGNALS:
    void availableUpdateChanged();
    void checkedForUpdateAtChanged();
    void lastUpdateCheckChanged();
    void isCheckingForUpdateChanged();
    void updateErrorChanged();

private:
    void setAvailableUpdate(const std::optional<UpdateChecker::Available>& update);
    void setCheckedForUpdateAt(const std::optional<QDateTime>& at);
    void setLastUpdateCheck(const std::optional<QDateTime>& at);
    void setCheckingForUpdate(bool checking);
    void setUpdateError(const std::optional<QString>& error);

    OpenBooks& m_books;
    Platform& m_platform;
    std::shared_ptr<UpdateChecker> m_checker;
    std::optional<UpdateChecker::Available> m_availableUpdate;
    std::optional<QDateTime> m_checkedForUpdateAt;
    std::optional<QDateTime> m_lastUpdateCheck;
    bool m_isCheckingForUpdate = false;
    std::optional<QString> m_updateError;
    // The check in flight (or the last one), the books it was asked for and
    // its serial: only the newest check may clear isCheckingForUpdate.
    QFuture<void> m_check;
    quint64 m_checkGeneration = 0;
    quint64 m_checkSerial = 0;
};

} // namespace zol
