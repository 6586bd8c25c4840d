#include <QFontDatabase>
#include <QGuiApplication>

#include <gtest/gtest.h>


namespace {

// Japanese labels rely on this face being found.
TEST(GuiApplication, JapaneseGothicFaceIsAvailable) {
    ASSERT_NE(qobject_cast<QGuiApplication*>(QCoreApplication::instance()), nullptr);
    const QStringList families = QFontDatabase::families();
    EXPECT_TRUE(families.contains("IPAPGothic") || families.contains("IPAGothic"))
        << families.join(", ").toStdString();
}

} // namespace
