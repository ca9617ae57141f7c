// The Preferences dialog and its command against a real configuration file.
#include "app/settings.h"
#include "app/app.h"
#include "tests/testsupport.h"

#include <wx/fileconf.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

namespace {

/// Types "Lun" over Monday's name in the Preferences dialog, then presses OK or Cancel.
struct TypeLun : wxExpectModalBase<appSettings, TypeLun>
{
    explicit TypeLun(int button) : m_button(button) {}
    int OnInvoked(appSettings* dialog) const override
    {
        dialog->TransferDataToWindow();
        wxStaticCast(dialog->FindWindow(ID_MONDAY_TEXT), wxTextCtrl)->ChangeValue("Lun");
        return m_button == wxID_OK && dialog->TransferDataFromWindow() ? wxID_OK : wxID_CANCEL;
    }
    int m_button;
};

/// The running program with a long, a duplicate and a "/" name among its names.
class Preferences : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(StartTovendal());
        wxGetApp().m_dayNames = wxSplit("Mo Tuesday We Th Fr We Su", ' ');
        wxGetApp().m_monthNames = wxSplit("Jan Feb Mar Apr May Ju/ne Jul Aug Sep Oct Nov December", ' ');
    }

    void TearDown() override { StopTovendal(); }

    void RunPreferences(int button)
    {
        wxTEST_DIALOG(wxStaticCast(wxGetApp().GetTopWindow(), wxFrame)->ProcessCommand(wxID_PREFERENCES),
                      TypeLun(button));
    }
};

/// Keeps every message the toolkit logs while it is installed.
struct LogRecorder : wxLog
{
    LogRecorder() : m_previous(wxLog::SetActiveTarget(this)) {}
    ~LogRecorder() override { wxLog::SetActiveTarget(m_previous); }
    void DoLogTextAtLevel(wxLogLevel level, const wxString& text) override
    {
        if (level <= wxLOG_Message)
            m_messages += text + "\n";
    }
    wxLog* m_previous;
    wxString m_messages;
};

} // namespace

TEST(PreferencesDialog, TypedAndInsertedTextStopsAtTheNameLengthButStoredNamesShowInFull)
{
    appSettings dialog;
    dialog.SetTuesdayName("Tuesday");
    dialog.SetMayName("May");
    dialog.Create(nullptr, ID_SETTINGS_DIALOG, "Program Options");
    dialog.TransferDataToWindow();
    const auto box = [&dialog](int id) { return wxStaticCast(dialog.FindWindow(id), wxTextCtrl); };
    const struct { int id; const char* inserted; long at; const char* kept; } pastes[] = {
        {ID_TUESDAY_TEXT, "s", 7, "Tuesday"},
        {ID_MAY_TEXT, "-September", 3, "May-Septem"},
        {ID_MONDAY_TEXT, "L\xc3\xbcnedi", 0, "L\xc3\xbcn"},
    };
    for (const auto& paste : pastes) {
        ASSERT_TRUE(InsertText(box(paste.id), wxString::FromUTF8(paste.inserted), paste.at));
        EXPECT_EQ(wxString::FromUTF8(paste.kept), box(paste.id)->GetValue());
    }
    dialog.TransferDataFromWindow();
    EXPECT_EQ("May-Septem", dialog.GetMayName());

    // Whether a key typed into a box holding text is let through; a selection is typed over.
    const struct { int id; const char* text; int key; long selectionEnd; bool through; } keys[] = {
        {ID_TUESDAY_TEXT, "Tu", 'e', 0, true},          {ID_TUESDAY_TEXT, "Tue", 's', 0, false},
        {ID_TUESDAY_TEXT, "Tue", WXK_BACK, 0, true},    {ID_TUESDAY_TEXT, "Tue", 'X', 1, true},
        {ID_SEPTEMBER_TEXT, "123456789", 'x', 0, true}, {ID_SEPTEMBER_TEXT, "1234567890", 'x', 0, false},
    };
    for (const auto& k : keys) {
        box(k.id)->ChangeValue(k.text);
        box(k.id)->SetSelection(0, k.selectionEnd);
        wxKeyEvent event(wxEVT_CHAR);
        event.m_keyCode = event.m_uniChar = k.key;
        event.SetEventObject(box(k.id));
        EXPECT_EQ(k.through, !box(k.id)->GetEventHandler()->ProcessEvent(event)) << k.text << " " << k.key;
    }
}

TEST_F(Preferences, CancelChangesNothingAndOkRewritesBothGroupsForTheNextStart)
{
    RunPreferences(wxID_CANCEL);
    EXPECT_EQ("Mo", wxGetApp().m_dayNames[0]);
    EXPECT_FALSE(wxGetApp().m_config->Exists("/DayNames"));

    wxGetApp().m_config->Write("/DayNames/Stale/Deep", 3L);
    RunPreferences(wxID_OK);
    EXPECT_EQ("Lun", wxGetApp().m_dayNames[0]);
    // Each name with its position, a name longer than a box allows kept whole; a later duplicate
    // overwrites the earlier one; a name with "/" would land in another group and is left out.
    wxFileConfig stored("Tovendal", "Halvorix");
    stored.SetPath("/DayNames");
    EXPECT_EQ(6u, stored.GetNumberOfEntries());
    EXPECT_EQ(0u, stored.GetNumberOfGroups());
    EXPECT_EQ(0, stored.ReadLong("Lun", -1));
    EXPECT_EQ(1, stored.ReadLong("Tuesday", -1));
    EXPECT_EQ(5, stored.ReadLong("We", -1));
    stored.SetPath("/MonthNames");
    EXPECT_EQ(11u, stored.GetNumberOfEntries());
    EXPECT_EQ(0u, stored.GetNumberOfGroups());
    EXPECT_EQ(-1, stored.ReadLong("Ju/ne", -1));

    // Short groups give the default names at the next start.
    StopTovendal();
    ASSERT_TRUE(StartTovendal());
    EXPECT_EQ("Mo", wxGetApp().m_dayNames[0]);
    EXPECT_EQ("June", wxGetApp().m_monthNames[5]);
}

TEST_F(Preferences, NamesTheStoreCannotHoldAreUsedButNotWritten)
{
    // Sunday's name in each case; "Lun" over Monday's comes from the dialog.
    for (const char* name : {"", "!x", "a/", "../../x", "a\nb", " ", "Lun "}) {
        LogRecorder log;
        wxGetApp().m_dayNames[6] = name;
        RunPreferences(wxID_OK);
        EXPECT_EQ(name, wxGetApp().m_dayNames[6]);
        EXPECT_EQ("Lun", wxGetApp().m_dayNames[0]);

        StopTovendal();
        ASSERT_TRUE(StartTovendal());
        EXPECT_EQ("Mo", wxGetApp().m_dayNames[0]) << name;
        EXPECT_EQ("", log.m_messages.ToStdString()) << name;
    }
}
