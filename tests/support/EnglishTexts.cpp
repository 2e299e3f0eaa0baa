// Linked into every test: the English plural forms ("1 session") are
// installed as each test's application starts, as the programs install them.
// ZOL_TEST_LANGUAGE=nl runs a test in another language instead, for the
// screenshots of its screens (its checks of English texts then fail).

#include "support/Language.h"

#include <QCoreApplication>

namespace {

void installEnglishForms()
{
    const QString language = qEnvironmentVariable("ZOL_TEST_LANGUAGE");
    if (language.isEmpty())
        zol::Language::installEnglishForms();
    else
        zol::Language::install(language);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installEnglishForms)
