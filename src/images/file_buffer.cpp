#include "images/file_buffer.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

int CFileBuffer::openRead(const std::string& path) {
    close();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return 0;
    struct stat st {};
    if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fclose(f);
        return 0;
    }
    std::vector<std::uint8_t> copy;
    try {
        copy.resize(static_cast<std::size_t>(st.st_size));
    } catch (const std::bad_alloc&) {
        std::fclose(f);
        return 0;
    }
    const std::size_t got = copy.empty() ? 0 : std::fread(copy.data(), 1, copy.size(), f);
    const bool ok = got == copy.size() && !std::ferror(f);
    std::fclose(f);
    if (!ok)
        return 0;
    m_copy = std::move(copy);
    m_begin = m_copy.data();
    m_size = m_copy.size();
    m_opened = true;
    return 1;
}

int CFileBuffer::openMemory(const std::uint8_t* data, std::size_t size) {
    close();
    if (!data && size != 0)
        return 0;
    m_begin = data;
    m_size = size;
    m_opened = true;
    return 1;
}

int CFileBuffer::openWrite(const std::string& path) {
    close();
    m_stream = std::fopen(path.c_str(), "wb");
    m_opened = m_stream != nullptr;
    return m_opened ? 1 : 0;
}

int CFileBuffer::openWriteKeep(const std::string& path) {
    close();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return 0;
    m_stream = fdopen(fd, "wb");
    if (!m_stream) {
        ::close(fd);
        return 0;
    }
    m_opened = true;
    return 1;
}

int CFileBuffer::write(const void* data, std::size_t size) {
    if (!m_stream)
        return 0;
    if (size == 0)
        return 1;
    return std::fwrite(data, 1, size, m_stream) == size ? 1 : 0;
}

int CFileBuffer::seekToEnd() {
    if (!m_stream)
        return 0;
    return std::fseek(m_stream, 0, SEEK_END) == 0 ? 1 : 0;
}

int CFileBuffer::close() {
    int ok = 1;
    if (m_stream) {
        if (std::fflush(m_stream) != 0 || std::ferror(m_stream))
            ok = 0;
        if (std::fclose(m_stream) != 0)
            ok = 0;
        m_stream = nullptr;
    }
    std::vector<std::uint8_t>().swap(m_copy);
    m_begin = nullptr;
    m_size = 0;
    m_opened = false;
    return ok;
}
