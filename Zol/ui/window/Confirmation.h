#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace zol::ui {

// A question that stops the person before something that cannot be undone.
struct Confirmation
{
    QString title;
    QString text;
    // The button that goes ahead ("Clear permanently"); the other cancels.
    QString confirm;
};

// Asks a Confirmation over `parent` and returns whether the person went
// ahead. A message box by default; tests answer through setAsker().
namespace Confirm {

using Asker = std::function<bool(QWidget* parent, const Confirmation& question)>;

bool ask(QWidget* parent, const Confirmation& question);
// Replaces how questions are asked; an empty asker restores the message box.
void setAsker(Asker asker);

} // namespace Confirm

} // namespace zol::ui
