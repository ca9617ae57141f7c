// The update check against a real HTTP server on the loopback address.
#include "app/updatecheck.h"
#include "app/app.h"
#include "app/mainframe.h"
#include "tests/privatedisplay.h"
#include "tests/testsupport.h"
#include "view/docmanager.h"

#include <wx/evtloop.h>
#include <wx/file.h>
#include <wx/fileconf.h>
#include <wx/hyperlink.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>
#include <wx/timer.h>
#include <wx/url.h>
#include <wx/weakref.h>

#include <gtk/gtk.h>

#include <arpa/inet.h>
#include <net/if.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

/// How a server sends its answer: all at once, all after a pause, or the head at once and
/// then the body a byte at a time with a pause before each.
enum class Pace { AtOnce, Late, Trickle };

/// A loopback server giving each request one canned answer. Without an answer it
/// accepts nothing, so connections wait unanswered; not listening, it is down.
struct LoopbackServer
{
    explicit LoopbackServer(const std::string& answer, bool listening = true, Pace pace = Pace::AtOnce,
                            int pauseMs = 0)
    {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), length);
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_url = wxString::Format("http://127.0.0.1:%d/versions.txt", ntohs(address.sin_port));
        if (listening)
            listen(m_socket, 4);
        EXPECT_EQ(0, pipe(m_stop));
        m_thread = std::thread([=] {
            pollfd stop{m_stop[0], POLLIN, 0};
            for (int client; !answer.empty() && (client = accept(m_socket, nullptr, nullptr)) >= 0; close(client)) {
                ++m_requests;
                char request[4096];
                const timeval wait{2, 0};
                setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
                (void)recv(client, request, sizeof request, 0);
                size_t sent = pace == Pace::Trickle ? answer.find("\r\n\r\n") + 4 : 0;
                if (sent && send(client, answer.data(), sent, MSG_NOSIGNAL) < 0)
                    continue;
                // The pause before each piece ends early when the server is being stopped.
                for (size_t piece; sent < answer.size() && (pace == Pace::AtOnce || poll(&stop, 1, pauseMs) == 0); sent += piece)
                    if (send(client, answer.data() + sent, piece = pace == Pace::Trickle ? 1 : answer.size() - sent, MSG_NOSIGNAL) < 0)
                        break;
            }
        });
    }

    ~LoopbackServer()
    {
        EXPECT_EQ(1, write(m_stop[1], "", 1));
        shutdown(m_socket, SHUT_RDWR);
        close(m_socket);
        m_thread.join();
        close(m_stop[0]);
        close(m_stop[1]);
    }

    const int m_socket = socket(AF_INET, SOCK_STREAM, 0);
    int m_stop[2];
    wxString m_url;
    std::atomic<int> m_requests{0};
    std::thread m_thread;
};

const std::string kOk = "HTTP/1.0 200 OK\r\n\r\n";
const std::string kMoved = "HTTP/1.1 301 Moved Permanently\r\nLocation: http://elsewhere/versions.txt\r\n"
                           "Content-Length: 16\r\n\r\ntovendal=4.1.7\r\n";

/// Clicks the window's close box, as the window manager reports it to the toolkit.
void PressCloseBox(wxWindow* window)
{
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window->GetHandle())));
    event->any.send_event = TRUE;
    gdk_event_put(event);
    gdk_event_free(event);
}

} // namespace

TEST(UpdateCheck, ComparesTheListedVersionAsTextAndNeverClaimsAnUpdateWhenNothingWasLearned)
{
    struct Case { std::string answer; bool listening; const char* entry; bool update; const char* listed; Pace pace = Pace::AtOnce; };
    const Case cases[] = {
        {kOk + "tovendal=4.1.7\n", true, "tovendal", false, "4.1.7"},
        {kOk + "tovendal=4.0.0\n", true, "tovendal", true, "4.0.0"},
        {kOk + "tovendal=4.1.7.0\n", true, "tovendal", true, "4.1.7.0"},
        {kOk + "other=1.0\r\ntovendal=4.2.0\r\n[group]\nx=1\n", true, "tovendal", true, "4.2.0"},
        {kOk + "[products]\ntovendal=4.1.7\n", true, "tovendal", true, ""},
        {kOk + "other=1.0\nTovendal=4.1.7\n", true, "", false, "4.1.7"}, // the InternalName entry
        {"HTTP/1.1 200 OK\r\ncontent-length: 15\r\n\r\ntovendal=4.2.0\nmore", true, "tovendal", true, "4.2.0"},
        {"HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found", true, "tovendal", false, ""},
        {kMoved, true, "tovendal", false, ""},
        {"HTTP/1.0 200 OK\r\nContent-Length: 40\r\n\r\ntoven", true, "tovendal", false, ""}, // cut short
        {kOk + "tovendal=4.2.0\n" + std::string(70000, '#'), true, "tovendal", false, ""}, // no list is this long
        {"HTTP/1.0 200 OK\r\nContent-Length: 70000\r\n\r\ntovendal=4.2.0\n", true, "tovendal", false, ""},
        {"not http at all\r\n\r\ntovendal=4.2.0\n", true, "tovendal", false, ""},
        {"", false, "tovendal", false, ""}, // server down
        {"", true, "tovendal", false, ""},  // server that never answers
        // Each byte comes well within any per-read timeout, the whole list never within the bound.
        {kOk + "tovendal=4.2.0\nother=1.0\n", true, "tovendal", false, "", Pace::Trickle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.substr(0, 80));
        LoopbackServer server(c.answer, c.listening, c.pace, 2000);
        UpdateCheckInfo check;
        wxStopWatch watch;
        EXPECT_EQ(c.update, check.IsUpdateAvailable(wxURL(server.m_url), c.entry));
        EXPECT_EQ(c.listed, check.m_listedVersion);
        EXPECT_EQ(!c.update && c.listed[0] == '\0', check.m_checkFailed);
        EXPECT_GE(watch.Time(), c.pace == Pace::Trickle ? UPDATE_CHECK_TIMEOUT * 1000 - 100 : 0);
        EXPECT_LT(watch.Time(), UPDATE_CHECK_TIMEOUT * 1000 + 500);
    }
    UpdateCheckInfo check;
    EXPECT_FALSE(check.IsUpdateAvailable(wxURL("no scheme at all"), "tovendal"));
    EXPECT_TRUE(check.m_checkFailed);
}

TEST(UpdateCheck, ANameGoesThroughTheNameLookupToEachOfItsAddresses)
{
    LoopbackServer server(kOk + "tovendal=4.2.0\n");
    UpdateCheckInfo check;
    EXPECT_TRUE(check.IsUpdateAvailable(wxURL("http://localhost:" + server.m_url.AfterLast(':')), "tovendal"));
    EXPECT_EQ("4.2.0", check.m_listedVersion);
}

TEST(UpdateCheck, ANameServerThatNeverAnswersIsGivenUpWithinTheBound)
{
    // A child in network and mount namespaces of its own, whose only name server takes the
    // questions on its own loopback and never answers them. Its exit code: 0 given up in time,
    // 1 too late, 2 not given up, 3 no question asked, 77 no namespaces here; a hang ends it.
    const wxString resolver = MakeTempDir() + "/resolv.conf";
    wxFile(resolver, wxFile::write).Write("nameserver 127.0.0.1\noptions timeout:5 attempts:2\n");
    const pid_t child = fork();
    if (child == 0) {
        alarm(20);
        if (unshare(CLONE_NEWNET | CLONE_NEWNS) != 0)
            _exit(77);
        // Sockets made from here on belong to the new namespace.
        ifreq loopback{};
        std::strcpy(loopback.ifr_name, "lo");
        const int control = socket(AF_INET, SOCK_DGRAM, 0), silent = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{AF_INET, htons(53), {htonl(INADDR_LOOPBACK)}, {}};
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount(resolver.fn_str(), "/etc/resolv.conf", nullptr, MS_BIND, nullptr) != 0 ||
            ioctl(control, SIOCGIFFLAGS, &loopback) != 0 ||
            (loopback.ifr_flags |= IFF_UP, ioctl(control, SIOCSIFFLAGS, &loopback)) != 0 ||
            bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            _exit(77);
        UpdateCheckInfo check;
        wxStopWatch watch;
        const bool update = check.IsUpdateAvailable(wxURL("http://versions.tovendal.test/versions.txt"), "tovendal");
        const long took = watch.Time();
        char question[512];
        _exit(update || !check.m_checkFailed ? 2
              : recv(silent, question, sizeof question, MSG_DONTWAIT) <= 0 ? 3
              : took < UPDATE_CHECK_TIMEOUT * 1000 + 500 ? 0 : 1);
    }
    const int status = desktoptest::Finish(child, 30, SIGKILL);
    if (status == 77)
        GTEST_SKIP() << "no network namespace can be made here";
    EXPECT_EQ(0, status);
}

TEST(UpdateCheckCommand, TakesNothingElseWhileItWaitsAndThenServesAndClosesAsUsual)
{
    const wxString config = TestHome() + "/.Tovendal";
    wxRemoveFile(config);
    ASSERT_TRUE(StartTovendal());
    // Commands and hand-overs arrive while the program's event loop runs.
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    wxWeakRef<wxWindow> frame(wxGetApp().GetTopWindow());
    const wxString plan = MakeTempDir() + "/handed.tovendal";
    wxFile(plan, wxFile::write).Write("<tovendal title=\"Plan\" year=\"2015\" yearend=\"2015\" />");
    const auto plans = [] { return wxGetApp().m_docManager->GetDocumentsVector().size(); };
    const auto askForCheck = [&frame] {
        wxCommandEvent check(wxEVT_MENU, ID_CHECK_UPDATES);
        frame->ProcessWindowEvent(check);
    };

    const wxWeakRef<wxDocument> open(wxGetApp().m_docManager->CreateDocument(wxEmptyString, wxDOC_NEW));
    LoopbackServer server(kMoved, true, Pace::Late, 1500);
    SetVersionsListAddress(server.m_url);
    // While the check waits: a later start hands a plan over, the close box is clicked, a
    // second check is asked for and a Close command is queued.
    const pid_t later = desktoptest::Spawn("'" TOVENDAL_EXECUTABLE "' '" + plan.utf8_string() + "'");
    bool arrived = false;
    bool openLater = false;
    wxTimer during, midway;
    during.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        arrived = true;
        PressCloseBox(frame);
        askForCheck();
        wxQueueEvent(frame.get(), new wxCommandEvent(wxEVT_MENU, wxID_CLOSE));
        midway.StartOnce(500);
    });
    midway.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { openLater = open; });
    during.StartOnce(300);
    alarm(30); // should a dialog wait for a person, the process ends instead
    wxTEST_DIALOG(askForCheck(), wxExpectModal<wxMessageDialog>(wxID_OK));
    SetVersionsListAddress(wxString());
    EXPECT_TRUE(arrived);
    EXPECT_TRUE(openLater) << "the queued Close ran during the check";
    ASSERT_TRUE(frame) << "the main frame went during the check";
    EXPECT_TRUE(frame->IsEnabled());
    EXPECT_EQ(1, server.m_requests);
    EXPECT_EQ(1u, plans());

    // Afterwards the queued Close closes the plan, the handed-over plan opens, and the close box
    // closes the program.
    for (wxStopWatch watch; (open || plans() == 0) && watch.Time() < 10000;)
        RunEventsFor(20);
    waitpid(later, nullptr, 0);
    EXPECT_FALSE(open);
    EXPECT_EQ(1u, plans());
    PressCloseBox(frame);
    for (wxStopWatch watch; frame && watch.Time() < 5000;)
        RunEventsFor(20);
    EXPECT_FALSE(frame);
    StopTovendal();
    EXPECT_EQ(plan, wxFileConfig("", "", config, "", wxCONFIG_USE_LOCAL_FILE).Read("/history/file1"));
    alarm(0);
}

TEST(UpdateAvailableDialog, ShowsTheTextAndTheLinkToTheDownloadPage)
{
    Updateavailable dialog(nullptr, ID_UPDATE_DIALOG, "Update available", wxDefaultPosition,
                           wxSize(400, 300), wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU);
    wxString text = wxStaticCast(dialog.FindWindow(wxID_STATIC), wxStaticText)->GetLabel();
    text.Replace("\n", " ");
    EXPECT_EQ("An new version is available. Click the link to download the new setup program.", text);
    const wxHyperlinkCtrl* link = wxStaticCast(dialog.FindWindow(ID_UPDATE_HYPERLINK), wxHyperlinkCtrl);
    EXPECT_EQ(DownloadPageAddress(), link->GetURL());
    EXPECT_EQ(DownloadPageAddress(), link->GetLabel());
    EXPECT_TRUE(DownloadPageAddress().EndsWith("/ftppage.html"));
}
