#pragma once

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QString>

class QVBoxLayout;

namespace zol::ui {

// The frame of Zol's dialogs: a title and a close button, without the
// minimise and maximise buttons a window manager gives a plain window.
inline constexpr Qt::WindowFlags dialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// A label in the secondary text colour, for explanations under a control.
QLabel* secondaryLabel(const QString& text, QWidget* parent);
// A label in a larger, bold font: a title.
QLabel* titleLabel(const QString& text, QWidget* parent, qreal scale = 1.5);
// The heading of a Card: a title a little larger than the text.
QLabel* cardTitle(const QString& text, QWidget* parent);
// Makes `label` wrap and take rich text as plain text.
QLabel* wrapping(QLabel* label);

// A rounded panel in the palette's card colour that groups related controls.
class Card final : public QFrame
{
    Q_OBJECT

public:
    explicit Card(QWidget* parent = nullptr);
    QVBoxLayout* body() const { return m_body; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* m_body;
};

// The frame of a main-window section: its title and lede at the top, then
// the section's own content in a column that scrolls when the window is short.
// objectNames: "title", "lede".
class SectionPage : public QScrollArea
{
    Q_OBJECT

public:
    SectionPage(const QString& title, const QString& lede, QWidget* parent = nullptr);
    // Where the section puts its content, under the lede.
    QVBoxLayout* content() const { return m_content; }
    QLabel* title() const { return m_title; }
    QLabel* lede() const { return m_lede; }

private:
    QLabel* m_title;
    QLabel* m_lede;
    QVBoxLayout* m_content;
};

// What a list shows when it has nothing: a title and a sentence, centred.
// objectNames: "emptyTitle", "emptyText".
class EmptyState final : public QWidget
{
    Q_OBJECT

public:
    EmptyState(const QString& title, const QString& text, QWidget* parent = nullptr);
    void setTexts(const QString& title, const QString& text);

private:
    QLabel* m_title;
    QLabel* m_text;
};

} // namespace zol::ui
