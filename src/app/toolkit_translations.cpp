#include "app/toolkit_translations.h"

#include "platform/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallToolkitTranslations(QCoreApplication& app) {
    if (!g_bJapanese)
        return false;
    // Only the widget texts are used; the catalogue lives where Qt was installed
    // (/usr/share/qt6/translations on Debian, package qt6-translations-l10n).
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
