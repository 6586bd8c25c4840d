#include "images/codec_messages.h"

#include <atomic>
#include <cstdio>

namespace {
std::atomic<bool> g_enabled{true};
} // namespace

void PrintCodecMessageV(const char* format, va_list args) {
    if (g_enabled.load(std::memory_order_relaxed))
        std::vfprintf(stderr, format, args);
}

void PrintCodecMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    PrintCodecMessageV(format, args);
    va_end(args);
}

void SetCodecMessagesEnabled(bool enabled) {
    g_enabled.store(enabled, std::memory_order_relaxed);
}

CodecMessagesSilenced::CodecMessagesSilenced() : m_was(g_enabled.exchange(false, std::memory_order_relaxed)) {}

CodecMessagesSilenced::~CodecMessagesSilenced() { g_enabled.store(m_was, std::memory_order_relaxed); }
