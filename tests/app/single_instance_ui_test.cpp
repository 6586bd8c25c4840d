#include "app/single_instance.h"
#include "platform/temp_dir.h"

#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>


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

// Processes started at the same moment, over a free lock or one left by a killed run:
// exactly one of them holds it, every time.
TEST(SingleInstance, OfSeveralStartedAtOnceExactlyOneHoldsTheLock) {
    TempDir temp;
    const QString dir = QString::fromStdString(temp.path());
    const auto race = [&dir](int starters) {
        int go[2];
        if (pipe(go) != 0)
            return -1;
        std::vector<pid_t> children;
        for (int i = 0; i < starters; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                close(go[1]);
                char c;
                (void)!read(go[0], &c, 1); // all start together
                SingleInstance instance(QStringLiteral("Mirelta"), dir);
                const bool held = instance.acquire();
                if (held)
                    usleep(50000); // still running while the others try
                _exit(held ? 0 : 1);
            }
            children.push_back(pid);
        }
        close(go[0]);
        (void)!write(go[1], std::string(static_cast<std::size_t>(starters), 'g').data(), starters);
        close(go[1]);
        int holders = 0;
        for (const pid_t pid : children) {
            int status = 0;
            waitpid(pid, &status, 0);
            holders += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
        }
        return holders;
    };
    const auto killedHolder = [&dir] {
        const pid_t pid = fork();
        if (pid == 0) {
            SingleInstance instance(QStringLiteral("Mirelta"), dir);
            if (instance.acquire())
                raise(SIGKILL); // the lock file stays behind
            _exit(1);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFSIGNALED(status);
    };
    for (int round = 0; round < 20; ++round) {
        EXPECT_EQ(race(3), 1) << "free lock, round " << round;
        ASSERT_TRUE(killedHolder());
        ASSERT_TRUE(QFile::exists(dir + QStringLiteral("/Mirelta.lock")));
        EXPECT_EQ(race(3), 1) << "stale lock, round " << round;
    }
}
