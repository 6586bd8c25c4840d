#include "app/hand_over_message.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace handover {

std::string EncodeOpenRequest(const std::string& path) {
    if (path.size() > kMaxPathBytes)
        return {};
    std::string out(kMagic, sizeof kMagic);
    const auto n = static_cast<unsigned long>(path.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((n >> shift) & 0xFF);
    return out + path;
}

OpenRequestReader::State OpenRequestReader::feed(const char* data, std::size_t size) {
    std::size_t used = 0;
    while (used < size && m_state == State::NeedMore) {
        if (m_header.size() < kHeaderSize) {
            m_header += data[used++];
            if (m_header.size() == sizeof kMagic && std::memcmp(m_header.data(), kMagic, sizeof kMagic) != 0)
                m_state = State::Invalid;
            if (m_header.size() == kHeaderSize) {
                m_length = 0;
                for (std::size_t i = sizeof kMagic; i < kHeaderSize; ++i)
                    m_length = (m_length << 8) | static_cast<unsigned char>(m_header[i]);
                if (m_length == 0 || m_length > kMaxPathBytes)
                    m_state = State::Invalid;
                else
                    m_path.reserve(m_length);
            }
            continue;
        }
        const std::size_t take = std::min(size - used, m_length - m_path.size());
        m_path.append(data + used, take);
        used += take;
        if (m_path.size() == m_length)
            m_state = State::Complete;
    }
    // A sender that keeps talking after its request is not one of ours.
    if (used < size && m_state == State::Complete)
        m_state = State::Invalid;
    if (m_state == State::Invalid)
        m_path.clear();
    return m_state;
}

PathProblem CheckPicturePath(const std::string& path) {
    if (path.empty())
        return PathProblem::Empty;
    if (path.size() > kMaxPathBytes)
        return PathProblem::TooLong;
    for (const char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return PathProblem::ControlCharacter;
    if (path.front() != '/')
        return PathProblem::NotAbsolute;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return PathProblem::Missing;
    if (!std::filesystem::is_regular_file(status))
        return PathProblem::NotAFile;
    return PathProblem::None;
}

} // namespace handover
