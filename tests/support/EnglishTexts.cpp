// Linked into every test: the English plural forms ("1 session") are
// installed as each test's application starts, as the programs install them.

#include "support/Language.h"

#include <QCoreApplication>

namespace {

void installEnglishForms()
{
    zol::Language::installEnglishForms();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installEnglishForms)
