#pragma once
#include <cstddef>
#include <string>

// The message a second start of Mirelta sends to the running one over the local socket:
// "open this picture". The running window must not trust it: the reader takes a bounded
// length, and the path is checked before anything is opened.
//
// Framing: the four bytes "MRL1", the path's length as four bytes, most significant
// first, then the path in UTF-8. The answer is one byte: kAccepted or kRefused.
namespace handover {

constexpr char kMagic[4] = {'M', 'R', 'L', '1'};
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kMaxPathBytes = 4096; // PATH_MAX on Linux
constexpr char kAccepted = 'A';
constexpr char kRefused = 'R';

// The request for one path; an empty text when the path is longer than kMaxPathBytes.
std::string EncodeOpenRequest(const std::string& path);

// Collects a request from the bytes as they arrive.
class OpenRequestReader {
public:
    enum class State { NeedMore, Complete, Invalid };

    // Takes the next bytes; bytes after a complete request make it invalid.
    State feed(const char* data, std::size_t size);
    State state() const { return m_state; }
    // The path once complete.
    const std::string& path() const { return m_path; }

private:
    State m_state = State::NeedMore;
    std::string m_header;
    std::size_t m_length = 0;
    std::string m_path;
};

enum class PathProblem { None, Empty, NotAbsolute, TooLong, ControlCharacter, Missing, NotAFile };

// Whether a path handed over may be opened: absolute, no control characters, an existing
// regular file (a link to one is fine).
PathProblem CheckPicturePath(const std::string& path);

} // namespace handover
