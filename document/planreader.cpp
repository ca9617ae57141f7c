#include "document/planreader.h"
#include "document/markupcheck.h"

#include <tinyxml.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opening a plan costs most in its window's events list, which measures every text
// it is given: 35 to 40 microseconds an event here. The program writes 50 to 110
// bytes an event (24 MB: 450,000 to 200,000 events, opened in 20 to 10 s); the
// smallest events take 26 bytes, and 24 MB of them (about 970,000) or of one-word
// events (about 700,000) open with the plan window in 28 to 33 s and 1.3 to 1.6 GB.
// Larger files are refused unread.
const off_t MAX_PLAN_FILE_BYTES = off_t(24) << 20;

/// Turns CR LF and lone CR into LF, as an XML reader must; returns the new size.
std::size_t NormaliseLineEnds(char* text, std::size_t size)
{
    char* out = static_cast<char*>(std::memchr(text, '\r', size));
    if (!out)
        return size;
    for (const char* in = out; in < text + size; ++in) {
        if (*in != '\r')
            *out++ = *in;
        else if (in + 1 == text + size || in[1] != '\n')
            *out++ = '\n';
    }
    *out = '\0';
    return out - text;
}

} // namespace

bool ParsePlanXml(TiXmlDocument& xml, char* text, std::size_t size)
{
    // TinyXML stops at a zero byte and would take the part before it for the whole.
    if (std::memchr(text, '\0', size))
        return false;
    size = NormaliseLineEnds(text, size);
    NeutraliseBrokenLeadBytes(text, size);
    if (!CheckPlanMarkup(text, size))
        return false;
    xml.Parse(text, nullptr, TIXML_DEFAULT_ENCODING);
    return !xml.Error() && !HasCutValue(xml);
}

bool LoadPlanXml(TiXmlDocument& xml, const std::string& path)
{
    // Only a regular file is read: a folder has no content, and a pipe or device
    // could block or never end (opening without waiting for a writer).
    const int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st;
    std::vector<char> bytes;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= MAX_PLAN_FILE_BYTES;
    try {
        if (ok)
            bytes.reserve(std::size_t(st.st_size) + 1);
        bool sniffed = false;
        std::size_t at = 0;
        char chunk[65536];
        while (ok) {
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                ok = got == 0;
                break;
            }
            ok = bytes.size() + got <= std::size_t(MAX_PLAN_FILE_BYTES);
            if (ok)
                bytes.insert(bytes.end(), chunk, chunk + got);
            // A plan starts with '<' after an optional byte order mark and blanks:
            // anything else is refused before the rest is read.
            while (ok && !sniffed && at < bytes.size()) {
                if (at == 0 && bytes.size() >= 3 && std::memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0)
                    at = 3;
                const char c = bytes[at++];
                sniffed = c != ' ' && c != '\t' && c != '\n' && c != '\r';
                ok = !sniffed || c == '<';
            }
        }
        ::close(fd);
        if (!ok || bytes.empty())
            return false;
        const std::size_t size = bytes.size();
        bytes.push_back('\0');
        return ParsePlanXml(xml, bytes.data(), size);
    } catch (const std::bad_alloc&) {
        ::close(fd);
        return false;
    }
}
