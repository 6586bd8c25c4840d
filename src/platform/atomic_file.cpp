#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <signal.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// The file a write should replace: the target of a symbolic link, else path itself.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved))
        return resolved;
    return path; // a dangling link is replaced by the new file
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC; // a write that takes nothing has found no room
            return false;
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Creates a new, hidden temporary file next to target; -1 when the folder refuses.
int CreateTemporary(const std::string& target, std::string& tmpPath) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = FolderOf(target);
    const size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Not std::rand(): the program's record ids draw on its sequence.
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        tmpPath = (folder == "/" ? "" : folder) + "/." + base + ".tmp-" + std::to_string(getpid()) + "-" +
                  std::to_string(counter.fetch_add(1)) + "-" + std::to_string(now.tv_nsec);
        const int fd = open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Temporary files of target left by a run that was killed while writing: named after
// the target with the writer's process id, which no longer runs. Files of live
// processes (this one included) stay.
void RemoveStaleTemporaries(const std::string& target) {
    const size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string prefix = "." + base + ".tmp-";
    const std::string folder = FolderOf(target);
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
        if (pid <= 0 || pid > INT_MAX || *end != '-')
            continue;
        if (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            unlinkat(dirfd(dir), name.c_str(), 0);
    }
    closedir(dir);
}

void SyncFolder(const std::string& folder) {
    const int dfd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd); // makes the rename itself durable; some file systems cannot, which is fine
        close(dfd);
    }
}

thread_local int t_lastError = 0;

bool Fail(int error) {
    t_lastError = error != 0 ? error : EIO;
    return false;
}

} // namespace

int LastWriteError() { return t_lastError; }

bool WriteFileAtomically(const std::string& path, std::string_view data, struct stat* written) {
    const std::string target = ResolveTarget(path);
    struct stat old {};
    const bool hadOld = stat(target.c_str(), &old) == 0;
    if (hadOld && !S_ISREG(old.st_mode))
        return Fail(EISDIR); // never replace a folder or a device with a file
    if (hadOld && access(target.c_str(), W_OK) != 0)
        return Fail(errno); // a file made read-only stays as it is

    std::string tmp;
    const int fd = CreateTemporary(target, tmp);
    if (fd < 0)
        return Fail(errno);

    int error = 0;
    const auto step = [&error](bool ok) {
        if (!ok && error == 0)
            error = errno;
        return ok;
    };
    bool ok = step(WriteAll(fd, data));
    if (ok && hadOld) {
        ok = step(fchmod(fd, old.st_mode & 07777) == 0);
        struct stat now {};
        if (ok && fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid))
            (void)!fchown(fd, old.st_uid, old.st_gid); // only possible with privileges
    }
    ok = ok && step(fsync(fd) == 0);
    struct stat st {};
    ok = ok && step(fstat(fd, &st) == 0);
    ok = step(close(fd) == 0) && ok;
    ok = ok && step(rename(tmp.c_str(), target.c_str()) == 0);
    if (!ok) {
        unlink(tmp.c_str());
        return Fail(error);
    }
    t_lastError = 0;
    RemoveStaleTemporaries(target);
    SyncFolder(FolderOf(target));
    if (written)
        *written = st;
    return true;
}
