#ifndef TOVENDAL_TESTS_PLANFILESUPPORT_H
#define TOVENDAL_TESTS_PLANFILESUPPORT_H

// Loading and saving plan files in tests: message boxes answered, the plan described as text.
#include "document/plandocument.h"
#include "tests/testsupport.h"

#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

/// Answers a message box with OK and keeps its "caption: message".
class RecordMessage : public wxExpectModalBase<wxMessageDialog, RecordMessage>
{
public:
    explicit RecordMessage(wxString* shown) : m_shown(shown) {}
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        *m_shown = dlg->GetCaption() + ": " + dlg->GetMessage();
        return wxID_OK;
    }
    wxString* m_shown;
};

enum Step { LOAD, SAVE };

/// Loads or saves a plan file; true when it succeeded without a message box, which goes to shown.
inline bool Apply(PlanDocument& doc, Step step, const wxString& path, wxString* shown = nullptr)
{
    wxString box;
    bool ok = false;
    wxTEST_DIALOG(ok = step == SAVE ? doc.OnSaveDocument(path) : doc.OnOpenDocument(path),
                  RecordMessage(shown ? shown : &box).Optional());
    return ok && box.empty();
}

/// Writes bytes to a new file in a new folder, stretched (sparsely) to size bytes when larger.
inline wxString WriteFile(const std::string& bytes, off_t size = 0)
{
    const wxString path = MakeTempDir() + "/plan.tovendal";
    std::ofstream(path.fn_str(), std::ios::binary) << bytes;
    if (size > off_t(bytes.size()) && truncate(path.fn_str(), size) != 0)
        ADD_FAILURE() << "cannot stretch " << path;
    return path;
}

inline std::string ReadFile(const wxString& path)
{
    std::ifstream in(path.fn_str(), std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The plan's fields, then its events in key order ("-" for an unused key), in UTF-8.
inline std::string Describe(PlanDocument& doc)
{
    wxString text = wxString::Format("%s|%s|%s|%d|%d%d|%d|%d|%s\n", doc.m_title, doc.m_year,
                                     doc.m_yearEnd, doc.m_noOfYears, doc.m_incUKbankhols,
                                     doc.m_daysAcross, doc.m_startMonth, doc.m_firstDayOfWeek,
                                     doc.m_comments);
    for (long key = 0; key < doc.m_nextEventId; ++key) {
        const PlanEvent* e = doc.m_events.count(key) ? doc.m_events.find(key)->second : nullptr;
        text += !e ? wxString("-\n") : wxString::Format("%s|%s|%d%d%d|%s|%s|%s\n",
            e->m_date.FormatISODate(), e->m_toDate.IsValid() ? e->m_toDate.FormatISODate() : "",
            e->m_hasToDate, e->m_firstDayOnly, e->m_annual, e->m_colour, e->m_textColour, e->m_text);
    }
    return text.utf8_string();
}

#endif // TOVENDAL_TESTS_PLANFILESUPPORT_H
