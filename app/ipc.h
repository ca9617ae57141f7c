#ifndef TOVENDAL_APP_IPC_H
#define TOVENDAL_APP_IPC_H

#include <wx/ipc.h>

#include <vector>

class MyConnection;

/// The service name under which the running program takes hand-overs.
#define TOVENDAL_SERVICE_NAME "Halvorix_Tovendal"

/// The folder that holds this user's single-instance lock and hand-over socket: the runtime
/// folder ($XDG_RUNTIME_DIR) when only this user can enter it, else tovendal-<uid> in the
/// temporary folder ($TMPDIR or /tmp), else .tovendal-<host> in the home folder (either made
/// when missing, and used only when it is this user's alone); empty when there is no such folder.
wxString InstanceFolder();

/// What the lock and the socket of one program are named by beside the folder: the user's home
/// folder (where the configuration lives), as a short hexadecimal key.
wxString InstanceKey();

/// The file name of the single-instance lock in InstanceFolder().
wxString InstanceLockName();

/// The address the toolkit's IPC classes use for a service name: a socket in InstanceFolder()
/// named by the service and InstanceKey(); empty when there is no such folder. A later start
/// thus finds the socket of exactly the program whose lock it found.
wxString HandOverAddress(const wxString& service = TOVENDAL_SERVICE_NAME);

/// The given folder when it is a directory that only this user can enter
/// (owned by the user, mode 0700), made with that mode when missing; otherwise
/// the empty text.
wxString PrivateFolder(const wxString& path);

/// The running program's end of the hand-over: opens the files later starts send.
class MyServer : public wxServer
{
public:
    MyServer();
    ~MyServer() override;

    /// Starts serving a service name (or a socket path). False, leaving the
    /// socket alone, when another server answers there.
    bool Create(const wxString& serverName) override;
    /// Accepts conversations on the topic "Open" only.
    wxConnectionBase* OnAcceptConnection(const wxString& topic) override;

    MyConnection* m_connection;

private:
    /// Conversations accepted before m_connection, until they have ended.
    std::vector<MyConnection*> m_earlierConnections;
};

/// A later start's end of the hand-over.
class MyClient : public wxClient
{
public:
    MyClient();
    ~MyClient() override;

    /// Connects to the running program; false, without a message, when none answers.
    bool Connect(const wxString& host, const wxString& service, const wxString& topic);
    /// Ends the conversation, if any.
    void Disconnect();
    wxConnectionBase* OnMakeConnection() override;

    MyConnection* m_connection;
};

/// One hand-over conversation: each request hands one plan to the running program, which opens
/// it silently and answers whether it took it.
class MyConnection : public wxConnection
{
public:
    /// A later start's request: true once the running program has taken the plan at path; false
    /// when it refused it (it is closing) or went away without an answer.
    bool HandOver(const wxString& path);

    /// Takes a plan as HandOver sends it and answers whether it was taken.
    const void* OnRequest(const wxString& topic, const wxString& item, size_t* size,
                          wxIPCFormat format) override;
    /// Takes a plan sent without asking for an answer.
    bool OnExecute(const wxString& topic, const void* data, size_t size, wxIPCFormat format) override;
    bool OnDisconnect() override;
};

#endif // TOVENDAL_APP_IPC_H
