// Fuzz target for plan files: a file is loaded; when it loads, it is saved and loaded
// again, and the second reading must hold the same plan as the first. Any crash,
// sanitizer report, toolkit assertion or difference ends the run.
#include "app/app.h"
#include "document/plandocument.h"

#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/modalhook.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

wxIMPLEMENT_APP_NO_MAIN(TovendalApp);

namespace {

wxString g_folder;

/// Answers the load error's message box at once: there is nobody to press OK.
class AnswerEveryDialog : public wxModalDialogHook
{
protected:
    int Enter(wxDialog*) override { return wxID_OK; }
    void Exit(wxDialog*) override {}
};

void AbortOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                   const wxString& msg)
{
    std::fprintf(stderr, "toolkit assertion %s (%s) in %s at %s:%d\n", (const char*)cond.utf8_str(),
                 (const char*)msg.utf8_str(), (const char*)func.utf8_str(),
                 (const char*)file.utf8_str(), line);
    std::abort();
}

/// What a save writes for year and colour texts: ASCII, anything above 127 as "_".
wxString Ascii(const wxString& text)
{
    wxString out;
    for (wxUniChar c : text)
        out += c.GetValue() < 128 ? c : wxUniChar('_');
    return out;
}

bool IsBlank(wxUint32 c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

/// True when every character of the text is blank: a description of blanks alone is the
/// only text a save may lose.
bool AllBlank(const wxString& text)
{
    for (wxUniChar c : text) {
        if (!IsBlank(c.GetValue()))
            return false;
    }
    return true;
}

/// Comments as a save keeps them: blanks alone go as CDATA, where a reader turns
/// CR LF and CR into LF.
wxString Comments(const wxString& text)
{
    if (!AllBlank(text))
        return text;
    wxString lines = text;
    lines.Replace("\r\n", "\n");
    lines.Replace("\r", "\n");
    return lines;
}

/// The plan as a save must keep it: fields but the number of years (the save works it
/// out from the years), then its events sorted (a save orders them by date and the next
/// load numbers them anew), each text as the save writes it.
std::string Plan(const PlanDocument& doc)
{
    wxString text = wxString::Format("%s|%s|%s|%d%d|%d|%d|%s\n", doc.m_title, Ascii(doc.m_year),
                                     Ascii(doc.m_yearEnd), doc.m_incUKbankhols,
                                     doc.m_daysAcross, doc.m_startMonth, doc.m_firstDayOfWeek,
                                     Comments(doc.m_comments));
    std::vector<std::string> events;
    for (PlanEventMap::const_iterator it = doc.m_events.begin(); it != doc.m_events.end(); ++it) {
        const PlanEvent& e = *it->second;
        const bool to = e.m_hasToDate && e.m_toDate.IsValid();
        events.push_back(wxString::Format("%s|%s|%d%d|%s|%s|%s", e.m_date.Format("%Y-%m-%d"),
                                          to ? e.m_toDate.Format("%Y-%m-%d") : wxString(),
                                          to && e.m_firstDayOnly, e.m_annual, Ascii(e.m_colour),
                                          Ascii(e.m_textColour),
                                          AllBlank(e.m_text) ? wxString() : e.m_text)
                             .utf8_string());
    }
    std::sort(events.begin(), events.end());
    std::string all = text.utf8_string();
    for (const std::string& event : events)
        all += event + "\n";
    return all;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    char pattern[] = "/tmp/tovendal-fuzz-XXXXXX";
    if (!mkdtemp(pattern))
        std::abort();
    g_folder = pattern;
    setenv("HOME", pattern, 1);
    wxApp::SetInstance(new TovendalApp);
    if (!wxEntryStart(*argc, *argv)) {
        std::fprintf(stderr, "could not start the toolkit (no display?)\n");
        std::exit(2);
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler(AbortOnAssert);
    static AnswerEveryDialog answer;
    answer.Register();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const wxString path = g_folder + "/plan.tovendal";
    const wxString again = g_folder + "/saved.tovendal";
    std::ofstream(path.fn_str(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), size);
    PlanDocument doc;
    if (!doc.OnOpenDocument(path))
        return 0;
    if (!doc.OnSaveDocument(again)) {
        std::fprintf(stderr, "a plan that loaded could not be saved\n");
        std::abort();
    }
    const std::string first = Plan(doc);
    PlanDocument back;
    if (!back.OnOpenDocument(again)) {
        std::fprintf(stderr, "a saved plan does not load\n");
        std::abort();
    }
    const std::string second = Plan(back);
    if (first != second) {
        std::fprintf(stderr, "the plan changed on a save and load:\n%s---\n%s", first.c_str(),
                     second.c_str());
        std::abort();
    }
    return 0;
}
