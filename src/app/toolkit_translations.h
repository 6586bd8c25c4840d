#pragma once

class QCoreApplication;

// Qt's own texts (the file and colour choosers, message-box buttons, the context menus of
// edits) in the language the program chose at start-up (g_bJapanese), whatever the
// locale says, so that they never come out in a third language beside ours. Call after
// InitLanguage(). Returns true when a translation was installed; English needs none.
bool InstallToolkitTranslations(QCoreApplication& app);
