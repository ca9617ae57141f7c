#ifndef TOVENDAL_APP_IPC_H
#define TOVENDAL_APP_IPC_H

#include <wx/ipc.h>

/// The running program's end of the hand-over: opens the files later starts send.
class MyServer : public wxServer
{
public:
    wxConnectionBase* OnAcceptConnection(const wxString& topic) override;
};

/// A later start's end of the hand-over.
class MyClient : public wxClient
{
public:
    wxConnectionBase* OnMakeConnection() override;
};

/// One hand-over conversation.
class MyConnection : public wxConnection
{
};

#endif // TOVENDAL_APP_IPC_H
