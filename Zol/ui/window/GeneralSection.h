#pragma once

#include "common/Widgets.h"

#include <QMap>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace zol {
class AppModel;
class GeneralSettings;
} // namespace zol

namespace zol::ui {

// "General": starting at login, reminders while a timer runs, the flag on a
// timer running long, noticing time away (a locked screen included), the
// start-and-pause key, the
// keyboard note and the version card. Each number can be picked or typed;
// one outside its range is refused under its field. Where the desktop lacks
// a service, or refused it, the control says why. The timer's companions
// follow every change at once.
class GeneralSection final : public SectionPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GeneralSection)

public:
    GeneralSection(AppModel& model, QWidget* parent = nullptr);
    ~GeneralSection() override;

    GeneralSettings& general() const { return *m_general; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct NumberField
    {
        QComboBox* box = nullptr;
        QLabel* refusal = nullptr;
        QLabel* unit = nullptr;
    };

    QLayout* numberRow(const QString& key, const QString& objectName, QWidget* parent);
    QLabel* noteLabel(const QString& objectName, QWidget* parent);
    Card* makeLanguageCard();
    Card* makeVersionCard();
    void showSettings();
    void showNumber(const QString& key);
    void showNote(QLabel* label, const std::optional<QString>& note);

    AppModel& m_model;
    GeneralSettings* m_general;
    QCheckBox* m_startAtLogin = nullptr;
    QLabel* m_loginNote = nullptr;
    QCheckBox* m_reminders = nullptr;
    QLabel* m_remindersNote = nullptr;
    QCheckBox* m_away = nullptr;
    QLabel* m_idleNote = nullptr;
    QCheckBox* m_lockCounts = nullptr;
    QLabel* m_lockNote = nullptr;
    QCheckBox* m_hotKey = nullptr;
    QLabel* m_hotKeyPromise = nullptr;
    QLabel* m_hotKeyNote = nullptr;
    QMap<QString, NumberField> m_numbers;
    QComboBox* m_language = nullptr;
    QLabel* m_languageNote = nullptr;
    QLabel* m_updateLine = nullptr;
    QPushButton* m_checkNow = nullptr;
    QPushButton* m_download = nullptr;
};

} // namespace zol::ui
