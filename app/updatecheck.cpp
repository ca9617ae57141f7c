#include "app/updatecheck.h"
#include "app/mainframe.h"
#include "app/versioninfo.h"

#include <wx/button.h>
#include <wx/fileconf.h>
#include <wx/hyperlink.h>
#include <wx/evtloop.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/msgdlg.h>
#include <wx/recguard.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/url.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>

#include <netdb.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

wxString g_versionsListAddress;

} // namespace

wxString VersionsListAddress()
{
    if (!g_versionsListAddress.empty())
        return g_versionsListAddress;
    return wxString::Format("http://%s/versions.txt", MAKER_WEB_HOST);
}

void SetVersionsListAddress(const wxString& address)
{
    g_versionsListAddress = address;
}

wxString DownloadPageAddress()
{
    return wxString::Format("http://%s/ftppage.html", MAKER_WEB_HOST);
}

UpdateCheckInfo::UpdateCheckInfo() : m_checkFailed(false)
{
    VVersionInfo version;
    version.LoadExecutable();
    m_currentVersion = version.GetProductVersion();
    m_internalName = version.GetInternalName();
}

namespace {

using Clock = std::chrono::steady_clock;

/// The longest versions list taken, in bytes; and the longest response head.
const size_t MAX_LIST_BYTES = 64 * 1024;
const size_t MAX_HEAD_BYTES = 16 * 1024;

/// Waits until the socket is ready for the events or the deadline has passed; true when ready
/// (an error or a hang-up counts as ready: the next call on the socket tells which).
bool WaitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd ready{fd, events, 0};
        const int rc = poll(&ready, 1, static_cast<int>(left.count()) + 1);
        if (rc > 0)
            return true;
        if (rc < 0 && errno != EINTR)
            return false;
    }
}

/// A socket connected to one of the host's addresses, tried in the resolver's order, or -1.
int ConnectTo(const std::string& host, const std::string& port, Clock::time_point deadline)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0)
        return -1;
    int fd = -1;
    for (const addrinfo* address = found; address && fd < 0 && Clock::now() < deadline;
         address = address->ai_next) {
        fd = socket(address->ai_family, address->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                    address->ai_protocol);
        // No socket: on to the next address; connected at once: done.
        if (fd < 0 || connect(fd, address->ai_addr, address->ai_addrlen) == 0)
            continue;
        int error = errno;
        socklen_t length = sizeof error;
        if (error != EINPROGRESS || !WaitFor(fd, POLLOUT, deadline) ||
            getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
            close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    return fd;
}

/// Sends the whole request before the deadline.
bool SendAll(int fd, const std::string& request, Clock::time_point deadline)
{
    for (size_t sent = 0; sent < request.size();) {
        const ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        else if (!WaitFor(fd, POLLOUT, deadline))
            return false;
    }
    return true;
}

/// The body of a "200" answer read in full, from the bytes received until the server closed
/// (closed true) or so far; false while the answer is incomplete, or when it is not one.
/// Sets finished when no further byte can change the outcome.
bool BodyOf(const std::string& answer, bool closed, std::string& body, bool& finished)
{
    finished = true;
    size_t headEnd = answer.find("\r\n\r\n");
    if (headEnd == std::string::npos) {
        finished = closed || answer.size() > MAX_HEAD_BYTES;
        return false;
    }
    const std::string head = answer.substr(0, headEnd);
    body = answer.substr(headEnd + 4);

    // The status line: "HTTP/1.x 200 reason"; anything else, a redirect too, teaches nothing.
    std::istringstream lines(head);
    std::string line, protocol, status;
    std::getline(lines, line);
    std::istringstream(line) >> protocol >> status;
    if (protocol.compare(0, 5, "HTTP/") != 0 || status != "200")
        return false;

    long long length = -1;
    while (std::getline(lines, line)) {
        const size_t colon = line.find(':');
        std::string name = line.substr(0, colon);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        std::string value = colon == std::string::npos ? std::string() : line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        value.erase(value.find_last_not_of(" \t\r") + 1);
        if (name == "content-length") {
            if (value.empty() || value.size() > 12 || value.find_first_not_of("0123456789") != std::string::npos ||
                (length >= 0 && length != std::stoll(value)))
                return false;
            length = std::stoll(value);
        } else if (name == "transfer-encoding" && value != "identity") {
            return false;
        }
    }

    if (length > static_cast<long long>(MAX_LIST_BYTES) || body.size() > MAX_LIST_BYTES)
        return false;
    if (length >= 0 && body.size() >= static_cast<size_t>(length)) {
        body.resize(length);
        return true;
    }
    // Without a length the body ends where the server closes; with one, a close before it is a cut.
    finished = closed;
    return closed && length < 0;
}

/// Asks the server for the path with HTTP/1.0 and reads the answer, all before the deadline.
/// True with the body when a "200" answer came in full.
bool HttpGet(const std::string& host, const std::string& port, const std::string& path,
             Clock::time_point deadline, std::string& body)
{
    const int fd = ConnectTo(host, port, deadline);
    if (fd < 0)
        return false;
    const std::string hostField = port == "80" ? host : host + ":" + port;
    bool ok = false;
    if (SendAll(fd, "GET " + path + " HTTP/1.0\r\nHost: " + hostField +
                        "\r\nAccept: */*\r\nConnection: close\r\n\r\n", deadline)) {
        std::string answer;
        bool closed = false, finished = false;
        char buffer[4096];
        while (!(ok = BodyOf(answer, closed, body, finished)) && !finished) {
            if (!WaitFor(fd, POLLIN, deadline))
                break;
            const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
            if (n > 0)
                answer.append(buffer, n);
            else if (n == 0)
                closed = true;
            else if (errno != EAGAIN && errno != EINTR)
                break;
        }
    }
    close(fd);
    return ok;
}

/// One request handed to a worker thread. The thread owns a share of it, so a waiter that
/// gives up at the deadline can leave a worker still stuck in the name lookup behind.
struct PendingRequest
{
    std::string host, port, path;
    Clock::time_point deadline;
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool ok = false;
    std::string body;
};

extern "C" void* RunRequest(void* data)
{
    std::shared_ptr<PendingRequest>* share = static_cast<std::shared_ptr<PendingRequest>*>(data);
    const std::shared_ptr<PendingRequest> request = *share;
    delete share;
    std::string body;
    const bool ok = HttpGet(request->host, request->port, request->path, request->deadline, body);
    std::lock_guard<std::mutex> lock(request->mutex);
    request->ok = ok;
    request->body.swap(body);
    request->finished = true;
    request->done.notify_all();
    return nullptr;
}

/// Fetches the versions list within UPDATE_CHECK_TIMEOUT seconds in all. The request runs on a
/// worker thread; meanwhile every window is disabled and only drawing and ignored input are
/// handled, so no command, close or hand-over runs before the check is over.
bool FetchWithinBound(const wxURL& url, std::string& body)
{
    auto request = std::make_shared<PendingRequest>();
    // An address written as "[::1]" is looked up without its brackets.
    const wxString host = url.GetServer();
    const bool bracketed = host.StartsWith("[") && host.EndsWith("]");
    request->host = (bracketed ? host.Mid(1, host.length() - 2) : host).utf8_str();
    request->port = (url.HasPort() ? url.GetPort() : wxString("80")).utf8_str();
    request->path = (url.GetPath().empty() ? wxString("/") : url.GetPath()).utf8_str();
    if (url.HasQuery())
        request->path += "?" + url.GetQuery().utf8_string();
    request->deadline = Clock::now() + std::chrono::seconds(UPDATE_CHECK_TIMEOUT);

    pthread_t worker;
    auto* share = new std::shared_ptr<PendingRequest>(request);
    if (pthread_create(&worker, nullptr, RunRequest, share) != 0) {
        delete share;
        return false;
    }
    pthread_detach(worker);

    wxWindowDisabler noCommands;
    wxEventLoopBase* const loop = wxEventLoopBase::GetActive();
    std::unique_lock<std::mutex> lock(request->mutex);
    while (!request->finished && Clock::now() < request->deadline) {
        request->done.wait_for(lock, std::chrono::milliseconds(20));
        if (loop && !request->finished) {
            lock.unlock();
            loop->YieldFor(wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT);
            lock.lock();
        }
    }
    if (!request->finished || !request->ok)
        return false;
    body.swap(request->body);
    return true;
}

} // namespace

bool UpdateCheckInfo::IsUpdateAvailable(wxURL url, wxString entryName)
{
    m_checkFailed = false;
    std::string body;
    if (url.GetError() != wxURL_NOERR || url.GetScheme() != "http" || !url.HasServer() ||
        !FetchWithinBound(url, body)) {
        m_checkFailed = true;
        return false;
    }

    // A list with odd lines still gives what it can; its faults are not the user's to read.
    wxLogNull noListMessages;
    wxMemoryInputStream stream(body.data(), body.size());
    wxFileConfig list(stream, wxConvAuto());
    const wxString name = entryName.empty() ? m_internalName : entryName;
    m_listedVersion = name.empty() ? wxString() : list.Read("/" + name, wxString());
    return m_currentVersion != m_listedVersion;
}

wxIMPLEMENT_DYNAMIC_CLASS(Updateavailable, wxDialog);

wxBEGIN_EVENT_TABLE(Updateavailable, wxDialog)
    EVT_HYPERLINK(ID_UPDATE_HYPERLINK, Updateavailable::OnHyperlinkClicked)
wxEND_EVENT_TABLE()

Updateavailable::Updateavailable() {}

Updateavailable::Updateavailable(wxWindow* parent, wxWindowID id, const wxString& caption,
                                 const wxPoint& pos, const wxSize& size, long style)
{
    Create(parent, id, caption, pos, size, style);
}

Updateavailable::~Updateavailable() {}

bool Updateavailable::Create(wxWindow* parent, wxWindowID id, const wxString& caption,
                             const wxPoint& pos, const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, caption, pos, size, style, "dialog");
    CreateControls();
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void Updateavailable::CreateControls()
{
    wxBoxSizer* outer = new wxBoxSizer(wxVERTICAL);
    SetSizer(outer);
    wxBoxSizer* inner = new wxBoxSizer(wxVERTICAL);
    outer->Add(inner, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    wxStaticText* text = new wxStaticText(
        this, wxID_STATIC,
        _("An new version is available. Click the link to download the new setup program."),
        wxDefaultPosition, wxDefaultSize, 0, "staticText");
    text->Wrap(200);
    inner->Add(text, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    const wxString page = DownloadPageAddress();
    wxHyperlinkCtrl* link = new wxHyperlinkCtrl(this, ID_UPDATE_HYPERLINK, wxGetTranslation(page),
                                                page, wxDefaultPosition, wxDefaultSize,
                                                wxHL_DEFAULT_STYLE, "hyperlink");
    inner->Add(link, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    wxStdDialogButtonSizer* buttons = new wxStdDialogButtonSizer;
    inner->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    wxButton* ok = new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0,
                                wxDefaultValidator, "button");
    buttons->AddButton(ok);
    buttons->Realize();
}

void Updateavailable::OnHyperlinkClicked(wxHyperlinkEvent& event)
{
    event.Skip();
}

void TovendalMain::OnCheckUpdates(wxCommandEvent&)
{
    // One check at a time: a second one started while the first waits is refused.
    static wxRecursionGuardFlag s_checking;
    wxRecursionGuard guard(s_checking);
    if (guard.IsInside())
        return;

    UpdateCheckInfo check;
    wxURL url(VersionsListAddress());
    wxWeakRef<TovendalMain> self(this);
    const bool available = check.IsUpdateAvailable(url, "tovendal");
    // Nothing is shown for a frame that went meanwhile: the program is ending.
    if (!self || IsBeingDeleted())
        return;
    if (available) {
        Updateavailable* dialog = new Updateavailable(
            this, ID_UPDATE_DIALOG, _("Update available"), wxDefaultPosition, wxSize(400, 300),
            wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
        dialog->ShowModal();
        dialog->Destroy();
    } else if (check.m_checkFailed) {
        wxMessageBox(wxString::Format(_("The check for updates could not be made: no versions "
                                        "list came from %s.\nPlease try again later."),
                                      VersionsListAddress()),
                     "Check for updates", wxOK | wxICON_WARNING | wxCENTRE);
    } else {
        wxMessageBox("You have the latest Version.", "Message", wxOK | wxCENTRE);
    }
}
