#include "document/filereplace.h"

#include <cerrno>
#include <climits>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

/// The path whose file a save writes: links are followed, also to a target that does not
/// exist yet, so that a link stays a link and its target gets the plan.
std::string ResolvedTarget(const std::string& path)
{
    std::string target = path;
    // As many links as the system follows in one path name.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            break;
        char link[PATH_MAX + 1];
        const ssize_t length = ::readlink(target.c_str(), link, PATH_MAX);
        if (length <= 0)
            break;
        const std::string::size_type slash = target.rfind('/');
        if (link[0] == '/' || slash == std::string::npos)
            target.assign(link, length);
        else
            target = target.substr(0, slash + 1) + std::string(link, length);
    }
    return target;
}

/// Writes all bytes at the file's offset; 0 or the errno of the failing write.
int WriteAll(int fd, const std::string& bytes)
{
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        done += written;
    }
    return 0;
}

/// Replaces the content of the open file with bytes, keeping the file itself (its names,
/// owner and mode). The space is claimed first, so a full disk fails before the plan is touched.
int WriteInPlace(int fd, const std::string& bytes)
{
    if (!bytes.empty() && ::fallocate(fd, 0, 0, bytes.size()) != 0 && errno != EOPNOTSUPP)
        return errno;
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return errno;
    int error = WriteAll(fd, bytes);
    if (!error && ::ftruncate(fd, bytes.size()) != 0)
        error = errno;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    return error;
}

/// Makes the rename itself lasting: a power cut must not bring the old plan back.
void SyncFolderOf(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // The plan is in place whatever the answer; a folder that cannot sync has no better way.
        ::fsync(fd);
        ::close(fd);
    }
}

/// Closes a file descriptor when it goes out of scope.
struct FileCloser
{
    int fd;
    ~FileCloser()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

/// Writes bytes to path. The new content is complete in memory before any file is
/// touched; it goes to a temporary file beside the plan, synced and renamed over it, so the old
/// plan stays whole until the new one is on disk. The plan file is written in place instead
/// where a rename would change what the file is: when it has other names, or its owner or group
/// cannot be given to a new file, or its folder takes no new file.
/// Returns 0 on success, else the errno of the failing step.
int WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    const std::string target = ResolvedTarget(path);

    struct stat old;
    const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    FileCloser existing = {-1};
    if (replacing) {
        // A plan the user may not write is not replaced, just as a direct write would fail.
        existing.fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (existing.fd < 0)
            return errno ? errno : EACCES;
        if (old.st_nlink > 1)
            return WriteInPlace(existing.fd, bytes);
    }

    std::string temp = target + ".XXXXXX";
    FileCloser file = {::mkstemp(&temp[0])};
    if (file.fd < 0) {
        if (replacing && (errno == EACCES || errno == EPERM))
            return WriteInPlace(existing.fd, bytes);
        return errno ? errno : EIO;
    }

    mode_t mode;
    if (replacing) {
        // Owner and group where the system allows; a file system without owners (vfat)
        // refuses the change and its new file matches the old one anyway.
        if (::fchown(file.fd, old.st_uid, old.st_gid) != 0)
            ::fchown(file.fd, -1, old.st_gid);
        struct stat made;
        if (::fstat(file.fd, &made) == 0 && (made.st_uid != old.st_uid || made.st_gid != old.st_gid)) {
            ::unlink(temp.c_str());
            return WriteInPlace(existing.fd, bytes);
        }
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    // Refused where the file system keeps no modes (vfat): the save goes on without it.
    ::fchmod(file.fd, mode);

    int error = WriteAll(file.fd, bytes);
    if (!error && ::fsync(file.fd) != 0)
        error = errno;
    if (::close(file.fd) != 0 && !error)
        error = errno;
    file.fd = -1;
    if (!error && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno ? errno : EIO;
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    SyncFolderOf(target);
    return 0;
}

} // namespace

ReplaceOutcome ReplaceFile(const std::string& path, const std::string& bytes)
{
    ReplaceOutcome outcome;
    outcome.error = WriteFileAtomically(path, bytes);
    return outcome;
}
