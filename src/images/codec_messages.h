#pragma once
#include <cstdarg>

// Messages of the image libraries (a damaged file's reason for failing) go to standard
// error. The fuzzers switch them off: they would write gigabytes there.
void PrintCodecMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));
void PrintCodecMessageV(const char* format, va_list args) __attribute__((format(printf, 1, 0)));
void SetCodecMessagesEnabled(bool enabled);

// Keeps the messages off while it lives, for work that reports failures in its own words
// (the folder scan of the thumbnails); the setting before it comes back afterwards.
class CodecMessagesSilenced {
public:
    CodecMessagesSilenced();
    ~CodecMessagesSilenced();
    CodecMessagesSilenced(const CodecMessagesSilenced&) = delete;
    CodecMessagesSilenced& operator=(const CodecMessagesSilenced&) = delete;

private:
    bool m_was;
};
