#include <QFontDatabase>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

// Text needs a QGuiApplication. The test program's main comes from gtest, so the
// application is made by a global environment, registered before main runs.
class GuiApplicationEnvironment : public testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[24] = "mirelta_render_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

[[maybe_unused]] testing::Environment* const kGuiEnvironment =
    testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

// Japanese labels rely on this face being found.
TEST(GuiApplication, JapaneseGothicFaceIsAvailable) {
    ASSERT_NE(qobject_cast<QGuiApplication*>(QCoreApplication::instance()), nullptr);
    const QStringList families = QFontDatabase::families();
    EXPECT_TRUE(families.contains("IPAPGothic") || families.contains("IPAGothic"))
        << families.join(", ").toStdString();
}

} // namespace
