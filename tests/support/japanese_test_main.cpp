// Test main for the program as it runs in Japanese: the locale says Japanese before the
// toolkit starts (its fonts and texts are chosen then), and the program's own start-up
// steps for language, look and toolkit texts have run.
#include "app/app_style.h"
#include "app/toolkit_translations.h"
#include "platform/language.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LANG", "ja_JP.UTF-8", 1);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    QApplication app(argc, argv);
    InitLanguage();
    ApplyAppStyle(app);
    InstallToolkitTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
