// Closing or destroying the main window while frames flow: the graph stops and its
// streaming threads leave before the window goes (under ASan a frame or an error
// reaching the gone window would show), and GStreamer's worker threads end afterwards.
#include "capture/capture.h"
#include "live_fixture.h"

#include <chrono>
#include <dirent.h>
#include <fstream>
#include <future>
#include <thread>

namespace e2e {
namespace {

// Names of this process's threads that GStreamer's streaming tasks run in ("appsrc0:src").
std::vector<std::string> StreamingThreads() {
    std::vector<std::string> names;
    DIR* dir = opendir("/proc/self/task");
    if (!dir)
        return names;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.')
            continue;
        std::ifstream comm(std::string("/proc/self/task/") + e->d_name + "/comm");
        std::string name;
        std::getline(comm, name);
        if (name.find(":src") != std::string::npos || name.find(":sink") != std::string::npos)
            names.push_back(name);
    }
    closedir(dir);
    return names;
}

class Teardown : public LiveFixture {};

TEST_F(Teardown, TheWindowGoingWhileFramesFlowJoinsEveryStreamingThread) {
    for (const bool quitFirst : {true, false}) {
        SCOPED_TRACE(quitFirst ? "quit, then destroyed" : "destroyed while live");
        sources.virtualCameras = {TestCamera("Fast", 640, 480, {60, 1})};
        writeSettings("[Fast]\nWidth=640\nHeight=480\n");
        open();
        ASSERT_TRUE(waitFrames(10));
        EXPECT_FALSE(StreamingThreads().empty());
        if (quitFirst)
            quit();
        dlg.reset(); // frames are still arriving on the streaming thread
        // Whatever was still queued for the window went with it.
        QTest::qWait(100);
        auto joined = std::async(std::launch::async, [] { ReleaseCaptureThreads(); });
        ASSERT_EQ(joined.wait_for(std::chrono::seconds(10)), std::future_status::ready)
            << "a streaming task still runs after the window went";
        // The parked threads end on their own, a moment later.
        EXPECT_TRUE(WaitFor([] { return StreamingThreads().empty(); }, 3000))
            << StreamingThreads().front();
    }
}

} // namespace
} // namespace e2e
