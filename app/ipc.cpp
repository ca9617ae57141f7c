#include "app/ipc.h"
#include "app/app.h"
#include "app/mainframe.h"
#include "view/docmanager.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

/// Whether a server listens on the Unix-domain socket at path. A socket file
/// left by a process that died refuses the connection.
bool SocketAnswers(const wxString& path)
{
    sockaddr_un address;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const wxCharBuffer name = path.fn_str();
    if (!name.data() || std::strlen(name.data()) >= sizeof address.sun_path)
        return false;
    std::strcpy(address.sun_path, name.data());

    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const int rc = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    // A full backlog still means someone listens.
    const bool answers = rc == 0 || errno == EAGAIN || errno == EINPROGRESS;
    close(fd);
    return answers;
}

/// A name made safe for a file name: letters, digits, "_", "-" and "." kept, anything else
/// made "_".
wxString PlainName(const wxString& text)
{
    wxString name;
    for (wxUniChar c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
        name += plain ? c : wxUniChar('_');
    }
    return name;
}

/// The address for a name given to Create or Connect: a service name is
/// mapped to its socket; a path is taken as it is.
wxString AddressFor(const wxString& serviceOrPath)
{
    return serviceOrPath.Contains("/") ? serviceOrPath : HandOverAddress(serviceOrPath);
}

/// Whether path is a directory, not a link, owned by this user and closed to
/// everyone else (mode 0700).
bool IsPrivateFolder(const wxString& path)
{
    struct stat info;
    const wxCharBuffer name = path.fn_str();
    return name.data() && lstat(name.data(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == getuid() && (info.st_mode & 07777) == 0700;
}

/// How long a later start waits for each answer of the running program, in seconds: as long
/// as a person may take over a question the program asks meanwhile.
const long HAND_OVER_ANSWER_SECONDS = 3600;

/// The running program's answers to a hand-over, each sent with its terminating zero.
const char HAND_OVER_TAKEN[] = "taken";
const char HAND_OVER_REFUSED[] = "refused";

/// Opens a handed plan silently; false, opening nothing, once the program has begun to close:
/// its plans are being closed, and a window opened now would go down with the main frame while
/// its plan stayed behind.
bool TakePlan(const wxString& path)
{
    TovendalApp& app = wxGetApp();
    const TovendalMain* frame = dynamic_cast<const TovendalMain*>(app.GetTopWindow());
    if (!app.m_docManager || !frame || frame->IsClosing() || frame->IsBeingDeleted())
        return false;
    app.m_docManager->CreateDocument(path, wxDOC_SILENT);
    return true;
}

} // namespace

wxString PrivateFolder(const wxString& path)
{
    const wxCharBuffer name = path.fn_str();
    if (path.empty() || !name.data())
        return wxString();
    // A folder made just now may have lost bits to the umask; it is ours to set.
    if (mkdir(name.data(), 0700) == 0)
        chmod(name.data(), 0700);
    else if (errno != EEXIST)
        return wxString();
    return IsPrivateFolder(path) ? path : wxString();
}

wxString InstanceFolder()
{
    // The runtime folder is used only as it is: never created or changed here.
    wxString folder;
    if (wxGetEnv("XDG_RUNTIME_DIR", &folder) && !(folder.StartsWith("/") && IsPrivateFolder(folder)))
        folder.clear();
    if (folder.empty()) {
        folder = PrivateFolder(wxString::Format("%s/tovendal-%lu", wxFileName::GetTempDir(),
                                                (unsigned long)getuid()));
    }
    // Anyone can make the shared temporary folder's name first; a folder in the home is the
    // user's alone. It is named by the machine, as a home may be shared by several.
    if (folder.empty())
        folder = PrivateFolder(wxGetHomeDir() + "/.tovendal-" + PlainName(wxGetHostName()));
    return folder;
}

wxString InstanceKey()
{
    // The same home reached by another spelling (a link, a trailing "/") is the same home.
    wxString home = wxGetHomeDir();
    if (char* real = realpath(home.fn_str(), nullptr)) {
        home = wxString(real, *wxConvFileName);
        free(real);
    }
    // 64-bit FNV-1a: short enough for a socket path, and stable between versions.
    std::uint64_t hash = 14695981039346656037ull;
    const wxScopedCharBuffer bytes = home.utf8_str();
    for (const char* c = bytes.data(); *c; ++c) {
        hash ^= static_cast<unsigned char>(*c);
        hash *= 1099511628211ull;
    }
    return wxString::Format("%016llx", static_cast<unsigned long long>(hash));
}

wxString InstanceLockName()
{
    return wxString::Format("TovendalApp-%s-%s", PlainName(wxGetUserId()), InstanceKey());
}

wxString HandOverAddress(const wxString& service)
{
    const wxString folder = InstanceFolder();
    if (service.empty() || folder.empty())
        return wxString();
    const wxString address =
        folder + "/" + PlainName(service) + "-" + InstanceKey() + ".socket";
    if (address.fn_str().length() >= sizeof(sockaddr_un::sun_path))
        return wxString();
    return address;
}

// ---------------------------------------------------------------------------

MyServer::MyServer() : m_connection(nullptr) {}

MyServer::~MyServer()
{
    for (MyConnection* connection : m_earlierConnections) {
        connection->Disconnect();
        delete connection;
    }
    if (m_connection) {
        m_connection->Disconnect();
        delete m_connection;
        m_connection = nullptr;
    }
}

bool MyServer::Create(const wxString& serverName)
{
    const wxString address = AddressFor(serverName);
    if (address.empty())
        return false;

    // The toolkit removes whatever lies at the path before it listens: leave
    // a running program's socket, and any file that is not a socket, alone.
    struct stat info;
    const wxCharBuffer name = address.fn_str();
    if (lstat(name.data(), &info) == 0 && (!S_ISSOCK(info.st_mode) || SocketAnswers(address)))
        return false;
    return wxServer::Create(address);
}

wxConnectionBase* MyServer::OnAcceptConnection(const wxString& topic)
{
    if (topic != "Open")
        return nullptr;
    // Earlier conversations are freed once they have ended; one that is
    // still running (its disconnect not yet read) is kept until it has.
    if (m_connection)
        m_earlierConnections.push_back(m_connection);
    std::vector<MyConnection*> running;
    for (MyConnection* connection : m_earlierConnections) {
        if (connection->GetConnected())
            running.push_back(connection);
        else
            delete connection;
    }
    m_earlierConnections.swap(running);
    m_connection = new MyConnection;
    return m_connection;
}

// ---------------------------------------------------------------------------

MyClient::MyClient() : m_connection(nullptr) {}

MyClient::~MyClient()
{
    Disconnect();
}

bool MyClient::Connect(const wxString& host, const wxString& service, const wxString& topic)
{
    wxLogNull noLog;
    Disconnect();
    const wxString address = AddressFor(service);
    if (address.empty())
        return false;
    wxConnectionBase* connection = MakeConnection(host, address, topic);
    m_connection = dynamic_cast<MyConnection*>(connection);
    if (!m_connection)
        delete connection;
    return m_connection != nullptr;
}

void MyClient::Disconnect()
{
    if (!m_connection)
        return;
    m_connection->Disconnect();
    delete m_connection;
    m_connection = nullptr;
}

wxConnectionBase* MyClient::OnMakeConnection()
{
    return new MyConnection;
}

// ---------------------------------------------------------------------------

bool MyConnection::HandOver(const wxString& path)
{
    // A later start runs no event loop: its socket waits block, each for this long at most. The
    // running program answers only when its own event loop turns, which may be long after it took
    // the connection (it is busy opening a large plan, or asking the user something); while it
    // lives its answer is awaited, and a program that ends closes the socket, which ends the wait.
    m_sock->SetTimeout(HAND_OVER_ANSWER_SECONDS);
    size_t size = 0;
    const void* answer = Request(path, &size, wxIPC_UTF8TEXT);
    return answer && size == sizeof HAND_OVER_TAKEN && std::memcmp(answer, HAND_OVER_TAKEN, size) == 0;
}

const void* MyConnection::OnRequest(const wxString& topic, const wxString& item, size_t* size,
                                    wxIPCFormat WXUNUSED(format))
{
    const bool taken = topic == "Open" && !item.empty() && TakePlan(item);
    *size = taken ? sizeof HAND_OVER_TAKEN : sizeof HAND_OVER_REFUSED;
    return taken ? HAND_OVER_TAKEN : HAND_OVER_REFUSED;
}

bool MyConnection::OnExecute(const wxString& topic, const void* data, size_t size,
                             wxIPCFormat format)
{
    if (topic != "Open" || !data || size == 0 || !IsTextFormat(format))
        return true;
    const wxString path = GetTextFromData(data, size, format);
    if (!path.empty())
        TakePlan(path);
    return true;
}

bool MyConnection::OnDisconnect()
{
    Disconnect();
    return true;
}
