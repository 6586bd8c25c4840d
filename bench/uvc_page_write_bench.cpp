#include "capture/c5u87x_ctl.h"
#include "capture/uvc_xu_transport.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <linux/usb/video.h>
#include <linux/uvcvideo.h>
#include <memory>

namespace {

// The extension unit's side of the block protocol, answering at once: enough of a
// controller that a page-qualified write succeeds on its first attempt.
struct InstantUnit {
    std::array<std::uint16_t, 256> regs{};
    std::uint8_t selected = 0; // the address of the last read's address block
    long requests = 0;

    int operator()(int, unsigned long, void* arg) {
        ++requests;
        auto* q = static_cast<uvc_xu_control_query*>(arg);
        std::uint8_t* b = q->data;
        if (q->query == UVC_SET_CUR && b[0] == 1 && b[2] == 5)
            selected = b[3];
        else if (q->query == UVC_SET_CUR && b[0] == 1 && b[2] == 3)
            regs[b[3]] = static_cast<std::uint16_t>(b[4] << 8 | b[5]);
        else if (q->query == UVC_GET_CUR && q->selector == UvcXuTransport::kAccessSelector) {
            std::memset(b, 0, q->size);
            b[0] = static_cast<std::uint8_t>(regs[selected]);
            b[1] = static_cast<std::uint8_t>(regs[selected] >> 8);
        }
        return 0;
    }
};

// One page-qualified write (page select, page check, write, read-back) through the UVC
// transport's block sequence: the program's own cost per register write, without the bus.
void PageQualifiedWrite(benchmark::State& state) {
    auto unit = std::make_shared<InstantUnit>();
    C5U87xCtl ctl{[unit](std::string_view) {
        OpenOutcome o;
        o.status = OpenStatus::Opened;
        o.device.registers = std::make_unique<UvcXuTransport>(
            3, 4, false, [unit](int fd, unsigned long r, void* a) { return (*unit)(fd, r, a); });
        return o;
    }};
    if (ctl.OpenFromMoniker("usb#vid_3f7a&pid_0b41#/dev/video2") != 0 || !ctl.Attach()) {
        state.SkipWithError("cannot attach");
        return;
    }
    std::uint16_t value = 0;
    for (auto _ : state) {
        value = static_cast<std::uint16_t>((value + 1) & 0x7FF);
        if (!ctl.PageWrite(0x02D, value)) {
            state.SkipWithError("write not read back");
            return;
        }
    }
    state.counters["requests/write"] =
        benchmark::Counter(static_cast<double>(unit->requests) / state.iterations());
}

BENCHMARK(PageQualifiedWrite)->Unit(benchmark::kNanosecond);

} // namespace
