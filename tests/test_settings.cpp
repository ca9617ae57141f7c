// The Preferences dialog and its command against a real configuration file.
#include "app/settings.h"
#include "app/app.h"
#include "tests/testsupport.h"

#include <wx/fileconf.h>
#include <wx/frame.h>
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

} // namespace

TEST(PreferencesDialog, TypingStopsAtTheNameLength)
{
    appSettings dialog;
    dialog.Create(nullptr, ID_SETTINGS_DIALOG, "Program Options");
    // Whether a key typed into a box holding text is let through; a selection is typed over.
    const auto typed = [&dialog](int id, const wxString& text, int key, long selectionEnd = 0) {
        wxTextCtrl* box = wxStaticCast(dialog.FindWindow(id), wxTextCtrl);
        box->ChangeValue(text);
        box->SetSelection(0, selectionEnd);
        wxKeyEvent event(wxEVT_CHAR);
        event.m_keyCode = event.m_uniChar = key;
        event.SetEventObject(box);
        return !box->GetEventHandler()->ProcessEvent(event);
    };
    EXPECT_TRUE(typed(ID_TUESDAY_TEXT, "Tu", 'e'));
    EXPECT_FALSE(typed(ID_TUESDAY_TEXT, "Tue", 's'));
    EXPECT_TRUE(typed(ID_TUESDAY_TEXT, "Tue", WXK_BACK));
    EXPECT_TRUE(typed(ID_TUESDAY_TEXT, "Tue", 'X', 1));
    EXPECT_TRUE(typed(ID_SEPTEMBER_TEXT, "123456789", 'x'));
    EXPECT_FALSE(typed(ID_SEPTEMBER_TEXT, "1234567890", 'x'));
}

TEST(PreferencesDialog, InsertedTextStopsAtTheNameLengthButStoredNamesShowInFull)
{
    appSettings dialog;
    dialog.SetTuesdayName("Tuesday");
    dialog.SetMayName("May");
    dialog.Create(nullptr, ID_SETTINGS_DIALOG, "Program Options");
    dialog.TransferDataToWindow();
    wxTextCtrl* tuesday = wxStaticCast(dialog.FindWindow(ID_TUESDAY_TEXT), wxTextCtrl);
    wxTextCtrl* may = wxStaticCast(dialog.FindWindow(ID_MAY_TEXT), wxTextCtrl);
    EXPECT_EQ("Tuesday", tuesday->GetValue());
    ASSERT_TRUE(InsertText(tuesday, "s", 7));
    EXPECT_EQ("Tuesday", tuesday->GetValue());
    ASSERT_TRUE(InsertText(may, "-September", 3));
    EXPECT_EQ("May-Septem", may->GetValue());
    wxTextCtrl* monday = wxStaticCast(dialog.FindWindow(ID_MONDAY_TEXT), wxTextCtrl);
    ASSERT_TRUE(InsertText(monday, wxString::FromUTF8("L\xc3\xbcnedi"), 0));
    EXPECT_EQ(wxString::FromUTF8("L\xc3\xbcn"), monday->GetValue());
    dialog.TransferDataFromWindow();
    EXPECT_EQ("May-Septem", dialog.GetMayName());
}

TEST_F(Preferences, CancelChangesNeitherNamesNorStore)
{
    RunPreferences(wxID_CANCEL);
    EXPECT_EQ("Mo", wxGetApp().m_dayNames[0]);
    EXPECT_FALSE(wxGetApp().m_config->Exists("/DayNames"));
}

TEST_F(Preferences, OkRewritesBothGroupsInTheFileAndTheNextStartReadsThem)
{
    wxGetApp().m_config->Write("/DayNames/Stale/Deep", 3L);
    RunPreferences(wxID_OK);
    EXPECT_EQ("Lun", wxGetApp().m_dayNames[0]);

    // Each name with its position, a name longer than a box allows kept whole;
    // a later duplicate overwrites the earlier one.
    wxFileConfig stored("Tovendal", "Halvorix");
    stored.SetPath("/DayNames");
    EXPECT_EQ(6u, stored.GetNumberOfEntries());
    EXPECT_EQ(0u, stored.GetNumberOfGroups());
    EXPECT_EQ(0, stored.ReadLong("Lun", -1));
    EXPECT_EQ(1, stored.ReadLong("Tuesday", -1));
    EXPECT_EQ(5, stored.ReadLong("We", -1));
    stored.SetPath("/MonthNames");
    // A name with "/" would land in another group: it is left out.
    EXPECT_EQ(11u, stored.GetNumberOfEntries());
    EXPECT_EQ(0u, stored.GetNumberOfGroups());
    EXPECT_EQ(-1, stored.ReadLong("Ju/ne", -1));

    // Short groups give the default names at the next start.
    StopTovendal();
    ASSERT_TRUE(StartTovendal());
    EXPECT_EQ("Mo", wxGetApp().m_dayNames[0]);
    EXPECT_EQ("June", wxGetApp().m_monthNames[5]);
}

namespace {

/// Notes every message the toolkit logs while it is installed.
class LogRecorder : public wxLog
{
public:
    LogRecorder() : m_previous(wxLog::SetActiveTarget(this)) {}
    ~LogRecorder() override { wxLog::SetActiveTarget(m_previous); }

    wxString m_messages;

protected:
    void DoLogTextAtLevel(wxLogLevel level, const wxString& text) override
    {
        if (level <= wxLOG_Message)
            m_messages += text + "\n";
    }

private:
    wxLog* m_previous;
};

} // namespace

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
