#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Whole-file reads and plain writes for the file formats.
// Reading gives a contiguous block (a heap copy of a file, or a block the caller
// owns such as a resource compiled into the program); writing gives a stream.
class CFileBuffer {
public:
    CFileBuffer() = default;
    CFileBuffer(const CFileBuffer&) = delete;
    CFileBuffer& operator=(const CFileBuffer&) = delete;
    ~CFileBuffer() { close(); }

    // Each returns 1 on success and 0 on failure; a failure leaves the buffer closed.
    int openRead(const std::string& path);
    int openMemory(const std::uint8_t* data, std::size_t size);
    // Truncates an existing file to zero, creates a missing one.
    int openWrite(const std::string& path);
    // Opens or creates without truncating; the position is at the start.
    int openWriteKeep(const std::string& path);

    int write(const void* data, std::size_t size);
    int seekToEnd();
    // Flushes and closes; 0 when a buffered write failed.
    int close();

    const std::uint8_t* data() const { return m_begin; }
    const std::uint8_t* begin() const { return m_begin; }
    const std::uint8_t* end() const { return m_begin + m_size; }
    std::size_t size() const { return m_size; }
    std::FILE* stream() const { return m_stream; }
    bool isOpen() const { return m_opened; }

private:
    std::vector<std::uint8_t> m_copy;
    const std::uint8_t* m_begin = nullptr;
    std::size_t m_size = 0;
    std::FILE* m_stream = nullptr;
    bool m_opened = false;
};
