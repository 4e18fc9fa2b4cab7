// The lock of a run folder. A run holds an exclusive lock on the lock file
// of the folder it runs in (the folder holding the names file) from before
// it opens any file there until it has closed them all, so that a second run
// into the folder is refused at once instead of writing over the first's
// reports. The lock is the system's (flock): it belongs to the open lock
// file and goes with it, when the run closes it or when the process holding
// it ends, however it ends. The lock file stays in the folder, empty; it is
// no report and no run writes into it. Header only: the command-line front
// end takes the same lock before it writes the names file.
#pragma once

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zolan::io {

constexpr const char* LOCKFILE = "zolan.lock";

enum class LockState : unsigned char {
    Held,         // this open file holds the lock
    Busy,         // another open file holds it: another run is in the folder
    Unavailable,  // the file cannot be made or locked (a read-only folder, a file system without locks)
};

struct FolderLock {
    int fd = -1;
    LockState state = LockState::Unavailable;
    std::string why;  // Busy or Unavailable: the file and the system's reason
};

// Takes the lock of `path` without waiting: a file is created empty when it
// is missing; a folder, or a file that cannot be opened for writing, is
// locked as it is (a lock needs no write access).
inline FolderLock take_lock(const std::string& path) {
    FolderLock lk;
    const int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | flags, 0644);
    int err = errno;
    if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | flags);
    if (fd < 0) {
        lk.why = path + ": " + std::strerror(err);
        return lk;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lk.fd = fd;
        lk.state = LockState::Held;
        return lk;
    }
    err = errno;
    ::close(fd);
    lk.state = err == EWOULDBLOCK ? LockState::Busy : LockState::Unavailable;
    lk.why = path + ": " + std::strerror(err);
    return lk;
}

// Gives the lock up (closes its file); nothing when it is not held.
inline void release_lock(FolderLock& lk) {
    if (lk.fd >= 0) ::close(lk.fd);
    lk = FolderLock{};
}

}  // namespace zolan::io
