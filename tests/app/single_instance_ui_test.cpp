#include "app/single_instance.h"
#include "platform/temp_dir.h"

#include <QFile>
#include <gtest/gtest.h>


TEST(SingleInstance, SecondHolderIsRefusedAndAStaleLockIsTakenOver) {
    TempDir temp;
    const std::string& dir = temp.path();
    {
        SingleInstance first(QStringLiteral("Mirelta"), QString::fromStdString(dir));
        ASSERT_TRUE(first.acquire());
        SingleInstance second(QStringLiteral("Mirelta"), QString::fromStdString(dir));
        EXPECT_FALSE(second.acquire());
    }
    // A lock file left by a process that no longer exists.
    {
        QFile f(QString::fromStdString(dir + "/Mirelta.lock"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("999999999\nmirelta\nlocalhost\n");
    }
    SingleInstance third(QStringLiteral("Mirelta"), QString::fromStdString(dir));
    EXPECT_TRUE(third.acquire());
}
