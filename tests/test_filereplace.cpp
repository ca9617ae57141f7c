// Replacing a plan file on disk. The system calls of the replace are interposed for the whole
// test program and forwarded to the real ones (through the sanitizers' own interceptors in
// their build): a test fails the Nth call of one of them, or refuses what a user or a file
// system can refuse, and looks at what a kill before each call would leave.
#include "document/filereplace.h"
#include "document/plandocument.h"
#include "tests/planfilesupport.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

const int SHORT_WRITE = -1; ///< a fault that writes half of what was asked

/// The Nth call of a function (counted from 1) fails with error, once or from then on.
struct Fault
{
    std::string function;
    int error = 0, nth = 0;
    bool persistent = false;
};

/// What the armed thread meets: a fault, what a user or a file system refuses, and watchers.
struct Armament
{
    Fault fault;
    std::string noNewFileIn{};      ///< a folder that takes no new file
    /// Refused as to a user who may not give a file away, or by a file system without modes or attributes
    bool refuseOwner = false, refuseMode = false, refuseAttributes = false;
    /// Sees each call before it runs: its function, descriptor and path (-1 and null where none).
    std::function<void(const std::string&, int, const char*)> beforeEachCall{};
    /// Sees each successful sync of a file or folder (or, for everything, of its file system).
    std::function<void(int, bool)> synced{};
} g;
std::map<std::string, int> g_calls;
// Only calls of the armed thread count: the toolkit's threads do their own input and output.
thread_local bool t_armed = false, t_inside = false;

/// Counts a call of function on the armed thread; true, with errno set, when it is to fail.
/// Calls on a descriptor count only for files and folders (not the display's sockets).
bool Fails(const char* function, int fd = -1, const char* path = nullptr)
{
    struct stat st;
    if (!t_armed || t_inside
        || (fd >= 0 && (fstat(fd, &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)))))
        return false;
    t_inside = true;
    if (g.beforeEachCall)
        g.beforeEachCall(function, fd, path);
    const int n = ++g_calls[function];
    t_inside = false;
    if (g.fault.function != function || n < g.fault.nth || (n > g.fault.nth && !g.fault.persistent))
        return false;
    errno = g.fault.error;
    return true;
}

/// True, with errno set, when the armed thread asks for what is refused.
bool Refuses(bool refused, int error = EPERM)
{
    return refused && t_armed && !t_inside && (errno = error, true);
}

/// A sync on the armed thread spares the disk the wait: what it makes lasting is only noted.
int Synced(const char* function, int fd, bool everything, int (*real)(int))
{
    if (Fails(function, fd))
        return -1;
    if (!t_armed || t_inside)
        return real(fd);
    t_inside = true;
    if (g.synced)
        g.synced(fd, everything);
    t_inside = false;
    return 0;
}

const uid_t NOBODY = 65534;
const char* const MISSING = "(no file)";

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(in ? std::size_t(in.tellg()) : 0, '\0');
    return in.seekg(0).read(&bytes[0], bytes.size()) ? bytes : MISSING;
}

std::set<std::string> FilesIn(const std::string& folder)
{
    std::set<std::string> names;
    std::error_code none;
    for (const auto& entry : std::filesystem::directory_iterator(folder, none))
        names.insert(entry.path());
    return names;
}

/// What a file is beside its content: links, owner, mode (or the mode given) and attributes.
std::string Describe(const std::string& path, mode_t mode = 0)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0)
        return MISSING;
    std::string text = std::to_string(st.st_nlink) + " " + std::to_string(st.st_uid) + ":"
                     + std::to_string(st.st_gid) + " " + std::to_string(mode ? mode : st.st_mode & 07777);
    char names[4096];
    const ssize_t size = listxattr(path.c_str(), names, sizeof names);
    for (ssize_t at = 0; at < size; at += std::strlen(names + at) + 1) {
        char value[4096];
        const ssize_t length = getxattr(path.c_str(), names + at, value, sizeof value);
        text += std::string(" ") + (names + at) + "=" + std::string(value, length > 0 ? length : 0);
    }
    return text;
}

/// The output of a shell command.
std::string Output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    return text;
}

/// Runs work with armament on this thread.
template <typename Work>
auto Armed(const Armament& armament, Work work)
{
    g = armament;
    g_calls.clear();
    t_armed = true;
    auto result = work();
    t_armed = false;
    g = Armament();
    return result;
}

} // namespace

// The replace is built with large-file names (open64, lseek64, ...): those are interposed.
#define INTERPOSE(Result, name, Parameters, Except, ...)                                          \
    extern "C" Result name Parameters Except                                                      \
    {                                                                                             \
        static const auto real = reinterpret_cast<Result(*) Parameters>(dlsym(RTLD_NEXT, #name)); \
        return __VA_ARGS__;                                                                       \
    }

extern "C" int open64(const char* path, int flags, ...)
{
    static const auto real = reinterpret_cast<int (*)(const char*, int, ...)>(dlsym(RTLD_NEXT, "open64"));
    va_list args;
    va_start(args, flags);
    const mode_t mode = flags & (O_CREAT | O_TMPFILE) ? va_arg(args, int) : 0;
    va_end(args);
    if (Fails("open"))
        return -1;
    const std::string name(path), folder = g.noNewFileIn + "/";
    if (Refuses((flags & O_CREAT) && !g.noNewFileIn.empty() && name.compare(0, folder.size(), folder) == 0,
                EACCES))
        return -1;
    return real(path, flags, mode);
}

INTERPOSE(ssize_t, read, (int fd, void* buffer, size_t size), , Fails("read", fd) ? -1 : real(fd, buffer, size))
INTERPOSE(ssize_t, write, (int fd, const void* buffer, size_t size), ,
          !Fails("write", fd) ? real(fd, buffer, size)
          : g.fault.error == SHORT_WRITE ? real(fd, buffer, size > 1 ? size / 2 : size) : -1)
INTERPOSE(off64_t, lseek64, (int fd, off64_t offset, int whence), noexcept,
          Fails("lseek", fd) ? -1 : real(fd, offset, whence))
INTERPOSE(int, fallocate64, (int fd, int mode, off64_t offset, off64_t length), ,
          Fails("fallocate", fd) ? -1 : real(fd, mode, offset, length))
INTERPOSE(int, ftruncate64, (int fd, off64_t length), noexcept, Fails("ftruncate", fd) ? -1 : real(fd, length))
INTERPOSE(int, fsync, (int fd), , Synced("fsync", fd, false, real))
INTERPOSE(int, syncfs, (int fd), noexcept, Synced("syncfs", fd, true, real))
INTERPOSE(int, fchown, (int fd, uid_t owner, gid_t group), noexcept,
          Fails("fchown", fd) || Refuses(g.refuseOwner) ? -1 : real(fd, owner, group))
INTERPOSE(int, fchmod, (int fd, mode_t mode), noexcept,
          Fails("fchmod", fd) || Refuses(g.refuseMode) ? -1 : real(fd, mode))
INTERPOSE(int, fsetxattr, (int fd, const char* name, const void* value, size_t size, int flags), noexcept,
          Fails("fsetxattr", fd) || Refuses(g.refuseAttributes) ? -1 : real(fd, name, value, size, flags))
INTERPOSE(int, fremovexattr, (int fd, const char* name), noexcept, Fails("fremovexattr", fd) ? -1 : real(fd, name))
INTERPOSE(int, rename, (const char* from, const char* to), noexcept,
          Fails("rename", -1, from) ? -1 : real(from, to))
INTERPOSE(int, unlink, (const char* path), noexcept, Fails("unlink", -1, path) ? -1 : real(path))

extern "C" int close(int fd)
{
    static const auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "close"));
    const bool fails = Fails("close", fd);
    const int closed = real(fd); // the descriptor is gone even when close reports an error
    if (fails)
        errno = g.fault.error;
    return fails ? -1 : closed;
}

namespace {

/// What the plan is before a replace, and what may not be done to it.
struct PlanState
{
    const char* what;
    bool exists, secondName, noNewFile, foreignOwner, refuseMode, refuseAttributes, inPlace;
};

/// Replaces a plan of oldSize bytes by one of newSize with the fault armed and checks what is
/// left, and what a kill before each call would have left; false when the fault never came.
bool ReplaceWithFault(const PlanState& setup, int oldSize, int newSize, const Fault& fault)
{
    const auto plan = [](std::string line, int size, std::string bytes = "") {
        while (int(bytes.size()) < size)
            bytes += line + std::to_string(bytes.size()) + "\n";
        return bytes;
    };
    const std::string old = plan("old plan ", oldSize), fresh = plan("NEW PLAN ", newSize);
    const std::string dir(MakeTempDir().fn_str()), spare(MakeTempDir().fn_str());
    const std::string path = dir + "/plan.tovendal", second = dir + "/second";
    if (setup.exists) {
        std::ofstream(path) << old;
        chmod(path.c_str(), 0644);
        chown(path.c_str(), setup.foreignOwner ? NOBODY : 0, 0);
        setxattr(path.c_str(), "user.tovendal", "kept", 4, 0);
    }
    if (setup.secondName)
        link(path.c_str(), second.c_str());
    const std::string before = Describe(path);
    const std::set<std::string> files = FilesIn(dir);
    struct stat st = {};
    stat(path.c_str(), &st);
    const ino_t inode = st.st_ino;
    // Contents are compared by name: a whole plan's bytes would drown the report.
    const auto which = [&](const std::string& bytes) -> std::string {
        return bytes == old ? "the old plan" : bytes == fresh ? "the new plan" : bytes == MISSING
             ? MISSING : std::to_string(bytes.size()) + " bytes of neither plan";
    };
    const std::string context = std::string(setup.what) + ", " + fault.function + " failing ("
                              + std::to_string(fault.error) + ") at call " + std::to_string(fault.nth)
                              + (fault.persistent ? " and after" : "") + ", "
                              + std::to_string(old.size()) + " to " + std::to_string(fresh.size()) + " bytes";

    // A kill before any call leaves a whole plan there, or the old one whole in another file.
    // A power cut keeps only what was synced: contents by inode, and names in synced folders.
    std::string killed, cut;
    std::map<ino_t, std::string> synced = {{inode, setup.exists ? old : MISSING}};
    std::set<ino_t> named = {inode};
    Armament armament{fault, setup.noNewFile ? dir : "", setup.foreignOwner, setup.refuseMode,
                      setup.refuseAttributes};
    armament.synced = [&](int fd, bool everything) {
        const std::string held = "/proc/self/fd/" + std::to_string(fd);
        struct stat at = {};
        if (stat(held.c_str(), &at) == 0 && S_ISREG(at.st_mode))
            synced[at.st_ino] = Read(held);
        std::error_code none;
        const std::string folder = std::filesystem::read_symlink(held, none);
        for (const std::string& lasting : everything ? std::set<std::string>{dir, spare}
                                         : S_ISDIR(at.st_mode) ? std::set<std::string>{folder}
                                                               : std::set<std::string>())
            for (const std::string& file : FilesIn(lasting))
                if (stat(file.c_str(), &at) == 0) {
                    named.insert(at.st_ino);
                    if (everything)
                        synced[at.st_ino] = Read(file);
                }
    };
    armament.beforeEachCall = [&](const std::string& function, int fd, const char* name) {
        const std::string now = Read(path);
        bool oldElsewhere = false, oldLasting = false;
        for (const std::string& folder : {dir, spare})
            for (const std::string& file : FilesIn(folder)) {
                struct stat at;
                if (file != path && file != second && stat(file.c_str(), &at) == 0 && Read(file) == old) {
                    oldElsewhere = true;
                    oldLasting = oldLasting || (synced[at.st_ino] == old && named.count(at.st_ino));
                }
            }
        if (killed.empty() && now != fresh && now != (setup.exists ? old : MISSING) && !oldElsewhere)
            killed = "a kill before " + function + " leaves " + which(now);
        struct stat at = {};
        if (!cut.empty())
            return;
        if ((function == "write" || function == "ftruncate") && setup.exists && fstat(fd, &at) == 0
            && at.st_ino == inode) {
            synced[inode] = "writes not yet synced";
            if (!oldLasting)
                cut = "a power cut during " + function + " on the plan can lose the old one";
        } else if (function == "rename" && (stat(name, &at) != 0 || synced[at.st_ino] != fresh))
            cut = "a power cut after renaming what was not synced leaves " + which(synced[at.st_ino]);
        else if (function == "unlink" && std::string(name) != path && Read(name) == old
                 && synced[inode] != old && synced[inode] != fresh)
            cut = "a power cut after removing the backup can lose the old plan";
    };
    const ReplaceOutcome outcome = Armed(armament, [&] { return ReplaceFile(path, fresh, spare); });
    const bool faulted = g_calls[fault.function] >= fault.nth;

    EXPECT_EQ("", killed) << context;
    EXPECT_EQ("", cut) << context;
    std::set<std::string> expected = files, left = FilesIn(dir);
    left.merge(FilesIn(spare));
    if (!setup.exists && !outcome.error)
        expected.insert(path);
    if (!outcome.backup.empty()) {
        expected.insert(outcome.backup);
        EXPECT_EQ("the old plan", which(Read(outcome.backup))) << context;
    }
    // A temporary file that cannot be removed stays; it never holds the only copy of anything.
    if (fault.function == "unlink")
        for (auto file = left.begin(); file != left.end();)
            file = expected.count(*file) ? std::next(file) : left.erase(file);
    EXPECT_EQ(expected, left) << context;
    if (!outcome.error) {
        EXPECT_EQ("the new plan", which(Read(path))) << context;
        const mode_t mask = umask(0);
        umask(mask);
        EXPECT_EQ(setup.exists ? before : Describe(path, 0666 & ~mask), Describe(path)) << context;
    } else if (outcome.backup.empty()) {
        EXPECT_EQ(setup.exists ? "the old plan" : MISSING, which(Read(path))) << context;
        EXPECT_EQ(before, Describe(path)) << context;
    }
    if (setup.secondName) {
        EXPECT_EQ(which(Read(path)), which(Read(second))) << context;
    }
    // After one failed step the old plan is put back: only the backup's own removal can fail.
    if (!fault.persistent && outcome.error) {
        EXPECT_EQ("", outcome.backup) << context;
    }
    if (!faulted || fault.error == SHORT_WRITE || fault.error == EOPNOTSUPP) {
        EXPECT_EQ(0, outcome.error) << context;
    }
    if (!faulted && setup.exists) {
        EXPECT_EQ("", outcome.backup) << context;
        stat(path.c_str(), &st);
        EXPECT_EQ(setup.inPlace, inode == st.st_ino) << context << ": the road taken";
    }
    return faulted;
}

} // namespace

TEST(FileReplace, EveryFailedStepOfBothRoadsLeavesTheOldPlanWholeWhereTheOutcomeSays)
{
    const PlanState setups[] = {
        {"a new plan", false, false, false, false, false, false, false},
        {"a plan replaced by a new file", true, false, false, false, false, false, false},
        {"a plan with a second name", true, true, false, false, false, false, true},
        {"a plan in a folder that takes no new file", true, false, true, false, false, false, true},
        {"a plan whose owner cannot be given", true, false, false, true, false, false, true},
        {"a plan whose mode cannot be given", true, false, false, false, true, false, true},
        {"a plan whose attribute cannot be given", true, false, false, false, false, true, true},
    };
    const Fault faults[] = {
        {"open", EACCES}, {"open", EIO}, {"read", EIO}, {"write", EIO}, {"write", ENOSPC},
        {"write", SHORT_WRITE}, {"lseek", EIO}, {"fallocate", ENOSPC}, {"fallocate", EOPNOTSUPP},
        {"ftruncate", EIO}, {"fsync", EIO}, {"fchown", EPERM}, {"fchmod", EPERM},
        {"fsetxattr", EPERM}, {"fremovexattr", EPERM}, {"rename", EIO}, {"unlink", EIO},
        {"close", EIO},
    };
    // A shorter and a longer new plan: the old one must neither keep its tail nor be padded.
    const std::pair<int, int> sizes[] = {{5000, 2000}, {2000, 70000}};
    int runs = 0;
    for (const PlanState& setup : setups)
        for (const auto& size : sizes)
            for (Fault fault : faults)
                for (const bool persistent : {false, true})
                    for (fault.persistent = persistent, fault.nth = 1;
                         ReplaceWithFault(setup, size.first, size.second, fault); ++fault.nth)
                        if (++runs, HasFailure())
                            return;
    std::printf("%d replaces with a fault\n", runs);
}

TEST(FileReplace, KeepsTheAccessListAndAttributesOfTheFileItReplaces)
{
    ASSERT_EQ(0, access("/usr/bin/setfacl", X_OK)) << "scripts/deps.sh installs acl";
    const struct { const char *what, *fileList, *folderDefault; } cases[] = {
        {"a file with an access list", "-m g::r,m::rw,u:65534:rw", ""},
        {"a file without one in a folder that hands one down", "-b", "-d -m u:65534:rwx"},
    };
    for (const auto& c : cases) {
        const std::string dir(MakeTempDir().fn_str()), path = dir + "/plan.tovendal";
        std::ofstream(path) << "old plan";
        ASSERT_EQ(0, chmod(path.c_str(), 0640));
        const std::string said = Output("setfacl " + std::string(c.fileList) + " " + path + " 2>&1")
            + (*c.folderDefault ? Output("setfacl " + std::string(c.folderDefault) + " " + dir + " 2>&1") : "");
        if (said.find(std::strerror(EOPNOTSUPP)) != std::string::npos)
            GTEST_SKIP() << "the test folder's file system takes no access lists: " << said;
        ASSERT_EQ("", said);
        ASSERT_EQ(0, setxattr(path.c_str(), "user.tovendal", "kept", 4, 0));
        const std::string list = Output("getfacl -cp " + path), before = Describe(path);
        struct stat st;
        ASSERT_EQ(0, stat(path.c_str(), &st));
        const ino_t inode = st.st_ino;
        EXPECT_EQ(0, ReplaceFile(path, "new plan", dir).error) << c.what;
        EXPECT_EQ("new plan", Read(path)) << c.what;
        EXPECT_EQ(list, Output("getfacl -cp " + path)) << c.what;
        EXPECT_EQ(before, Describe(path)) << c.what;
        ASSERT_EQ(0, stat(path.c_str(), &st));
        EXPECT_NE(inode, st.st_ino) << c.what << ": given to a new file, not kept by writing in place";
    }
}

TEST(FileReplace, NamesUpToTheLimitAreReplacedOnBothRoads)
{
    // At 255 bytes the temporary and backup names are cut, never inside a character.
    const std::string names[] = {std::string(249, 'a'), std::string(255, 'b'),
                                 std::string(247, 'c') + "\xc3\xa9" + std::string(6, 'c'),
                                 std::string(240, 'd') + "\xc3\xa9" + std::string(13, 'd')};
    for (const std::string& name : names)
        for (const bool secondName : {false, true}) {
            const std::string dir(MakeTempDir().fn_str()), path = dir + "/" + name;
            const std::string context = std::to_string(name.size()) + " bytes " + name.substr(name.size() - 10)
                                      + (secondName ? ", in place" : "");
            std::ofstream(path) << "old plan";
            ASSERT_TRUE(!secondName || link(path.c_str(), (dir + "/second").c_str()) == 0);
            EXPECT_EQ(0, ReplaceFile(path, "new plan", dir).error) << context;
            EXPECT_EQ("new plan", Read(path)) << context;
            EXPECT_EQ(1u + secondName, FilesIn(dir).size()) << context << ": left behind";
            if (!secondName)
                continue;
            // A backup that must stay shows its name.
            const std::string kept = Armed({{"write", EIO, 2, true}},
                                           [&] { return ReplaceFile(path, "newer plan", dir).backup; });
            const std::string backup = kept.substr(kept.rfind('/') + 1);
            EXPECT_EQ("new plan", Read(kept)) << context;
            EXPECT_LE(backup.size(), 255u) << context;
            EXPECT_EQ(name.substr(0, 200), backup.substr(0, 200)) << context;
            EXPECT_FALSE(wxString::FromUTF8(backup.c_str()).empty()) << context << ": not UTF-8";
        }
}

TEST(FileReplace, FollowsALinkOnlyWhereTheKernelWould)
{
    // The kernel follows a link in a sticky, world-writable folder only for its owner or the
    // folder's where this rule is on (off on some machines): it is on for this test.
    const char* const rule = "/proc/sys/fs/protected_symlinks";
    int was = -1;
    std::ifstream(rule) >> was;
    const auto set = [rule](int value) { return bool(std::ofstream(rule) << value << std::flush); };
    if (was != 1 && !set(1))
        GTEST_SKIP() << "the kernel's rule for links in sticky folders is off and cannot be turned on";
    const std::shared_ptr<void> restore(nullptr, [&](void*) { was == 0 && set(0); });
    const std::string sticky(MakeTempDir().fn_str()), home(MakeTempDir().fn_str());
    ASSERT_EQ(0, chmod(sticky.c_str(), 01777));
    const struct { const char* what; uid_t owner; bool dangling, followed; } cases[] = {
        {"another user's link to a file", NOBODY, false, false},
        {"another user's link to a missing file", NOBODY, true, false},
        {"the saver's link to a file", 0, false, true},
        {"the saver's link to a missing file", 0, true, true},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string victim = home + "/precious" + std::to_string(n) + ".txt";
        const std::string link = sticky + "/x" + std::to_string(n++) + ".tovendal";
        if (!c.dangling)
            std::ofstream(victim) << "precious";
        ASSERT_EQ(0, symlink(victim.c_str(), link.c_str()));
        ASSERT_EQ(0, lchown(link.c_str(), c.owner, c.owner));
        EXPECT_EQ(c.followed ? 0 : EACCES, ReplaceFile(link, "plan", home).error) << c.what;
        EXPECT_EQ(c.followed ? "plan" : c.dangling ? MISSING : "precious", Read(victim)) << c.what;
        EXPECT_EQ(victim, std::filesystem::read_symlink(link).string()) << c.what << ": the link stays";
    }
    EXPECT_EQ(std::size(cases), FilesIn(sticky).size()) << "left behind";
}

TEST(PlanSave, TheSaveErrorSaysWhereTheEarlierPlanIsKept)
{
    const char* const unchanged = "Any earlier copy of the file is whole and unchanged.";
    const struct { const char* what; bool secondName; Fault fault; const char* kept; } cases[] = {
        {"a new file that cannot be written", false, {"write", EIO, 1, false}, unchanged},
        {"a plan put back after a failed write in place", true, {"write", ENOSPC, 2, false}, unchanged},
        {"a plan that cannot be put back", true, {"write", EIO, 2, true},
         "The file may be damaged. The plan it held before is kept whole in\n"},
    };
    for (const auto& c : cases) {
        const std::string dir(MakeTempDir().fn_str()), path = dir + "/plan.tovendal";
        PlanDocument old, doc;
        old.m_title = "Old";
        ASSERT_TRUE(Apply(old, SAVE, path));
        const std::string oldBytes = Read(path);
        ASSERT_TRUE(!c.secondName || link(path.c_str(), (dir + "/second").c_str()) == 0);
        doc.m_title = "New";
        doc.Modify(true);
        wxString shown;
        EXPECT_FALSE(Armed({c.fault}, [&] { return Apply(doc, SAVE, path, &shown); })) << c.what;
        std::set<std::string> left = FilesIn(dir);
        left.erase(path);
        left.erase(dir + "/second");
        const std::string backup = left.empty() ? "" : *left.begin();
        EXPECT_EQ((wxString("Save Error: The plan could not be saved to\n") + path + "\n\n"
                       + wxSysErrorMsgStr(c.fault.error) + "\n\n" + c.kept + backup).utf8_string(),
                  shown.utf8_string()) << c.what;
        EXPECT_EQ(oldBytes, Read(backup.empty() ? path : backup)) << c.what;
        EXPECT_EQ(c.fault.persistent ? 1u : 0u, left.size()) << c.what;
        EXPECT_TRUE(doc.IsModified()) << c.what;
    }
}
