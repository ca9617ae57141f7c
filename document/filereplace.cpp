#include "document/filereplace.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <utility>
#include <vector>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

/// Closes a file descriptor when it goes out of scope.
struct FileCloser
{
    explicit FileCloser(int descriptor = -1) : fd(descriptor) {}
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;
    ~FileCloser()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int fd;
};

/// The errno of the call that just failed; never 0.
int LastError()
{
    return errno ? errno : EIO;
}

std::string FolderOf(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

/// The path without links of the file held by fd, which the kernel reached through path.
int CanonicalPath(int fd, const std::string& path, std::string& canonical)
{
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return LastError();
    canonical = real;
    std::free(real);
    struct stat held, named;
    if (::fstat(fd, &held) != 0)
        return LastError();
    // The name was moved between the two lookups: ask for the save again.
    if (::stat(canonical.c_str(), &named) != 0 || !SameFile(held, named))
        return EAGAIN;
    return 0;
}

/// The file a save to a path writes.
struct Target
{
    std::string path;     ///< without links
    bool exists = false;  ///< something is there, of any kind
    bool created = false; ///< made empty by this save, as the target of a dangling link
    struct stat st = {};
};

/// Finds the target of path. The kernel follows the links, so a link it refuses to follow (one
/// that another user planted in a sticky, world-writable folder) is refused here too.
int ResolveTarget(const std::string& path, Target& target)
{
    FileCloser reached(::open(path.c_str(), O_PATH | O_CLOEXEC));
    if (reached.fd < 0 && errno == ENOENT) {
        struct stat link;
        if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            // The link's target is made as any write through the link would make it.
            reached.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOCTTY | O_CLOEXEC, 0666);
            target.created = reached.fd >= 0;
        } else {
            const std::string folder = FolderOf(path);
            FileCloser held(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            if (held.fd < 0)
                return LastError();
            if (const int error = CanonicalPath(held.fd, folder, target.path))
                return error;
            target.path = (target.path == "/" ? "" : target.path) + "/" + NameOf(path);
            return 0;
        }
    }
    if (reached.fd < 0)
        return LastError();
    target.exists = true;
    if (::fstat(reached.fd, &target.st) != 0)
        return LastError();
    return CanonicalPath(reached.fd, path, target.path);
}

/// Creates a new file in folder, named after name with tag and six random characters, cut to
/// the folder's name limit; returns its descriptor (open to read and write) and its path.
int CreateBeside(const std::string& folder, const std::string& name, const char* tag,
                 mode_t mode, std::string& created)
{
    static const char LETTERS[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t room = std::min<long>(limit > 0 ? limit : NAME_MAX, NAME_MAX);
    const std::size_t added = std::strlen(tag) + 6;
    std::size_t cut = std::min(name.size(), room > added ? room - added : 0);
    // Never inside a UTF-8 sequence, so the name still shows as text.
    while (cut > 0 && cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    const std::string stem = (folder == "/" ? "" : folder) + "/" + name.substr(0, cut) + tag;
    static std::uint64_t counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::uint64_t random;
        if (::getrandom(&random, sizeof random, GRND_NONBLOCK) != sizeof random)
            random = (std::uint64_t(std::time(nullptr)) << 24) ^ ::getpid()
                   ^ (++counter * 0x9E3779B97F4A7C15ull);
        created = stem;
        for (int i = 0; i < 6; ++i, random /= 62)
            created += LETTERS[random % 62];
        const int fd = ::open(created.c_str(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

/// Writes all bytes at the file's offset; 0 or the errno of the failing write.
int WriteAll(int fd, const char* data, std::size_t size)
{
    for (std::size_t done = 0; done < size;) {
        const ssize_t written = ::write(fd, data + done, size - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? LastError() : EIO;
        done += written;
    }
    return 0;
}

/// Copies the content of one file from its offset to another's offset; copied counts the bytes.
int CopyContent(int from, int to, off_t& copied)
{
    char buffer[65536];
    copied = 0;
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return LastError();
        if (got == 0)
            return 0;
        if (const int error = WriteAll(to, buffer, got))
            return error;
        copied += got;
    }
}

/// Makes a folder's entries lasting. Where the folder cannot be opened (no read access) or has
/// no sync of its own, the whole file system is synced through the given file in the folder;
/// without one there is no better way, and that is no error.
int SyncFolder(const std::string& folder, int fileInIt = -1)
{
    FileCloser held(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (held.fd >= 0 && ::fsync(held.fd) == 0)
        return 0;
    if (held.fd >= 0 && errno != EINVAL && errno != EROFS && errno != EOPNOTSUPP)
        return LastError();
    return fileInIt < 0 || ::syncfs(fileInIt) == 0 ? 0 : LastError();
}

/// A file's extended attributes (its access control list among them), by name.
using Attributes = std::vector<std::pair<std::string, std::string>>;

/// Reads one attribute; false with errno set when it cannot be read.
bool ReadAttribute(int fd, const char* name, std::string& value)
{
    for (;;) {
        const ssize_t size = ::fgetxattr(fd, name, nullptr, 0);
        if (size < 0)
            return false;
        value.resize(size);
        const ssize_t got = size ? ::fgetxattr(fd, name, &value[0], size) : 0;
        if (got >= 0) {
            value.resize(got);
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

/// Reads all attributes, sorted by name; none where the file system keeps none.
bool ReadAttributes(int fd, Attributes& attributes)
{
    attributes.clear();
    std::string names;
    for (;;) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size < 0)
            return errno == EOPNOTSUPP;
        names.resize(size);
        const ssize_t listed = size ? ::flistxattr(fd, &names[0], size) : 0;
        if (listed >= 0) {
            names.resize(listed);
            break;
        }
        if (errno != ERANGE)
            return false;
    }
    for (const char* name = names.c_str(); name < names.c_str() + names.size();
         name += std::strlen(name) + 1) {
        std::string value;
        if (ReadAttribute(fd, name, value))
            attributes.emplace_back(name, value);
        else if (errno != ENODATA) // removed meanwhile
            return false;
    }
    std::sort(attributes.begin(), attributes.end());
    return true;
}

/// Gives the new file what the old one is: owner, group, attributes (the access control list
/// among them) and mode. False when any of them could not be given.
bool GiveWhatTheFileIs(int made, int old, const struct stat& oldStat)
{
    // A file system without owners (vfat) refuses the change; its new file has the old owner anyway.
    if (::fchown(made, oldStat.st_uid, oldStat.st_gid) != 0)
        ::fchown(made, -1, oldStat.st_gid);
    Attributes wanted, present;
    if (!ReadAttributes(old, wanted) || !ReadAttributes(made, present))
        return false;
    // Set only what differs: a label the system gave the new file may not be set again.
    for (const auto& attribute : wanted)
        if (!std::binary_search(present.begin(), present.end(), attribute)
            && ::fsetxattr(made, attribute.first.c_str(), attribute.second.data(),
                           attribute.second.size(), 0) != 0)
            return false;
    // What the folder handed down to the new file (a default access list) and the old one lacks.
    for (const auto& attribute : present) {
        const auto found = std::lower_bound(
            wanted.begin(), wanted.end(), attribute.first,
            [](const Attributes::value_type& a, const std::string& name) { return a.first < name; });
        if ((found == wanted.end() || found->first != attribute.first)
            && ::fremovexattr(made, attribute.first.c_str()) != 0)
            return false;
    }
    // Last, as it sets the access list's mask from the group bits. A file system without modes
    // (vfat) refuses it; its new file has the old mode anyway.
    ::fchmod(made, oldStat.st_mode & 07777);
    struct stat given;
    Attributes after;
    return ::fstat(made, &given) == 0 && given.st_uid == oldStat.st_uid
        && given.st_gid == oldStat.st_gid && (given.st_mode & 07777) == (oldStat.st_mode & 07777)
        && ReadAttributes(made, after) && after == wanted;
}

/// Writes the content to a new file beside the target, synced, then renamed over the target,
/// so that the old content stays whole until the new one is on disk. Sets inPlace, and writes
/// nothing, where the new file cannot be what the old one is or cannot be made beside it.
int ReplaceByRename(const Target& target, int old, const std::string& bytes, bool& inPlace)
{
    const bool replacing = old >= 0;
    const std::string folder = FolderOf(target.path);
    std::string temp;
    FileCloser file(CreateBeside(folder, NameOf(target.path), ".", replacing ? 0600 : 0666, temp));
    if (file.fd < 0) {
        inPlace = replacing && (errno == EACCES || errno == EPERM);
        return inPlace ? 0 : LastError();
    }
    if (replacing && !GiveWhatTheFileIs(file.fd, old, target.st)) {
        ::unlink(temp.c_str());
        inPlace = true;
        return 0;
    }
    int error = WriteAll(file.fd, bytes.data(), bytes.size());
    if (!error && ::fsync(file.fd) != 0)
        error = LastError();
    if (::close(file.fd) != 0 && !error)
        error = LastError();
    file.fd = -1;
    if (!error && ::rename(temp.c_str(), target.path.c_str()) != 0)
        error = LastError();
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    // The new content is in place whatever the answer: a power cut may only bring the old back.
    SyncFolder(folder);
    return 0;
}

/// Copies the file's content to a new backup file, beside it or in spareFolder where its folder
/// takes no new file, and makes the copy lasting. Returns the copy's descriptor, or -1 with
/// error set (and no copy left).
int MakeBackup(const Target& target, int fd, const std::string& spareFolder, std::string& backup,
               int& error)
{
    const std::string name = NameOf(target.path);
    FileCloser copy(CreateBeside(FolderOf(target.path), name, ".backup-", 0600, backup));
    if (copy.fd < 0 && (errno == EACCES || errno == EPERM) && !spareFolder.empty())
        copy.fd = CreateBeside(spareFolder, name, ".backup-", 0600, backup);
    if (copy.fd < 0) {
        error = LastError();
        return -1;
    }
    off_t copied;
    error = ::lseek(fd, 0, SEEK_SET) != 0 ? LastError() : CopyContent(fd, copy.fd, copied);
    if (!error && ::fsync(copy.fd) != 0)
        error = LastError();
    if (!error)
        error = SyncFolder(FolderOf(backup), copy.fd);
    if (error) {
        ::unlink(backup.c_str());
        return -1;
    }
    const int held = copy.fd;
    copy.fd = -1;
    return held;
}

/// Writes from the file's start: the content of the descriptor from (when from >= 0) or bytes;
/// then cuts the file to that length and syncs it.
int Overwrite(int fd, const std::string& bytes, int from)
{
    if (::lseek(fd, 0, SEEK_SET) != 0 || (from >= 0 && ::lseek(from, 0, SEEK_SET) != 0))
        return LastError();
    off_t length = bytes.size();
    int error = from >= 0 ? CopyContent(from, fd, length) : WriteAll(fd, bytes.data(), bytes.size());
    if (!error && ::ftruncate(fd, length) != 0)
        error = LastError();
    if (!error && ::fsync(fd) != 0)
        error = LastError();
    return error;
}

/// Writes the content over the file itself, which keeps its names, owner, mode and attributes,
/// as careful editors do: a lasting backup copy first, then the overwrite, then the copy
/// removed. After a failure the old content is written back from the copy; only where that
/// fails too is the copy kept and named.
ReplaceOutcome ReplaceInPlace(const Target& target, int fd, const std::string& bytes,
                              const std::string& spareFolder)
{
    ReplaceOutcome outcome;
    // The space is claimed without changing the file, so a full disk mostly fails untouched.
    if (!bytes.empty() && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, bytes.size()) != 0
        && errno != EOPNOTSUPP && errno != ENOSYS) {
        outcome.error = LastError();
        return outcome;
    }
    std::string backup;
    FileCloser copy(MakeBackup(target, fd, spareFolder, backup, outcome.error));
    if (copy.fd < 0)
        return outcome;
    outcome.error = Overwrite(fd, bytes, -1);
    if (outcome.error && Overwrite(fd, std::string(), copy.fd) != 0)
        outcome.backup = backup;
    else if (::unlink(backup.c_str()) != 0)
        outcome.backup = backup;
    return outcome;
}

} // namespace

ReplaceOutcome ReplaceFile(const std::string& path, const std::string& bytes,
                           const std::string& spareFolder)
{
    ReplaceOutcome outcome;
    Target target;
    if ((outcome.error = ResolveTarget(path, target)))
        return outcome;

    FileCloser old;
    bool readable = true;
    if (target.exists && S_ISREG(target.st.st_mode)) {
        // A file the user may not write is not replaced, just as writing to it would fail.
        old.fd = ::open(target.path.c_str(), O_RDWR | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        if (old.fd < 0 && errno == EACCES) {
            readable = false;
            old.fd = ::open(target.path.c_str(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        }
        struct stat opened;
        if (old.fd < 0)
            outcome.error = LastError();
        else if (::fstat(old.fd, &opened) != 0 || !SameFile(opened, target.st))
            outcome.error = EAGAIN;
    }

    // A file with other names is written in place: a new file would take only this name.
    bool inPlace = old.fd >= 0 && target.st.st_nlink > 1;
    if (!outcome.error && !inPlace)
        outcome.error = ReplaceByRename(target, old.fd, bytes, inPlace);
    if (!outcome.error && inPlace) {
        if (readable)
            outcome = ReplaceInPlace(target, old.fd, bytes, spareFolder);
        else
            outcome.error = EACCES; // no backup copy can be made of it
    }

    struct stat now;
    if (outcome.error && target.created && outcome.backup.empty()
        && ::stat(target.path.c_str(), &now) == 0 && SameFile(now, target.st))
        ::unlink(target.path.c_str());
    return outcome;
}
