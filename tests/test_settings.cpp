// The Preferences dialog and its command against a real configuration file.
#include "app/settings.h"
#include "app/app.h"
#include "app/mainframe.h"
#include "view/docmanager.h"

#include <wx/fileconf.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <map>

namespace {

using Typed = std::map<int, wxString>;

wxTextCtrl* Box(wxWindow* dialog, int id)
{
    return wxDynamicCast(dialog->FindWindow(id), wxTextCtrl);
}

/// Answers the Preferences dialog as a person would: types into boxes, then OK or Cancel.
struct ExpectSettings : wxExpectModalBase<appSettings, ExpectSettings>
{
    ExpectSettings(Typed typed, int answer) : m_typed(std::move(typed)), m_answer(answer) {}
    int OnInvoked(appSettings* dialog) const override
    {
        dialog->TransferDataToWindow();
        for (const auto& box : m_typed)
            Box(dialog, box.first)->ChangeValue(box.second);
        return m_answer == wxID_OK && dialog->TransferDataFromWindow() ? wxID_OK : wxID_CANCEL;
    }
    Typed m_typed;
    int m_answer;
};

class Preferences : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wxGetApp().m_config = new wxFileConfig("Tovendal", "Halvorix");
        wxGetApp().m_dayNames = wxSplit("Mo Tu We Th Fr Sa Su", ' ');
        wxGetApp().m_monthNames = wxSplit("Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov December", ' ');
    }

    void TearDown() override
    {
        m_frame->Destroy();
        wxTheApp->ProcessIdle();
        delete wxGetApp().m_config;
        wxGetApp().m_config = nullptr;
    }

    myDocManager m_manager;
    TovendalMain* m_frame = new TovendalMain(&m_manager, nullptr, ID_MAIN_FRAME, "Tovendal", wxDefaultPosition,
                                             wxSize(400, 500), wxDEFAULT_FRAME_STYLE);
};

} // namespace

TEST_F(Preferences, TypingStopsAtTheNameLengthButLongerStoredNamesStayWhole)
{
    appSettings dialog;
    dialog.SetMondayName("Monday");
    dialog.Create(m_frame, ID_SETTINGS_DIALOG, "Program Options");
    dialog.TransferDataToWindow();
    EXPECT_EQ("Monday", Box(&dialog, ID_MONDAY_TEXT)->GetValue());
    ASSERT_TRUE(dialog.TransferDataFromWindow());
    EXPECT_EQ("Monday", dialog.GetMondayName());

    // Whether a key typed into a box holding text is let through; a selection is typed over.
    const auto typed = [&dialog](int id, const wxString& text, int key, long selectionEnd = 0) {
        wxTextCtrl* box = Box(&dialog, id);
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

TEST_F(Preferences, CancelChangesNeitherNamesNorStore)
{
    wxTEST_DIALOG(m_frame->ProcessCommand(wxID_PREFERENCES), ExpectSettings({{ID_MONDAY_TEXT, "Lun"}}, wxID_CANCEL));
    EXPECT_EQ("Mo", wxGetApp().m_dayNames[0]);
    EXPECT_FALSE(wxGetApp().m_config->Exists("/DayNames"));
}

TEST_F(Preferences, OkRewritesBothGroupsInTheFileWithDuplicateAndSlashNamesAsTyped)
{
    wxGetApp().m_config->Write("/DayNames/Stale/Deep", 3L);
    const Typed typed = {{ID_MONDAY_TEXT, "Lun"}, {ID_SATURDAY_TEXT, "We"}, {ID_JUNE_TEXT, "Ju/ne"}};
    wxTEST_DIALOG(m_frame->ProcessCommand(wxID_PREFERENCES), ExpectSettings(typed, wxID_OK));
    EXPECT_EQ("Lun We", wxGetApp().m_dayNames[0] + " " + wxGetApp().m_dayNames[5]);
    EXPECT_EQ("Ju/ne", wxGetApp().m_monthNames[5]);

    // The file holds each name with its position; a later duplicate overwrites the earlier one.
    wxFileConfig stored("Tovendal", "Halvorix");
    stored.SetPath("/DayNames");
    EXPECT_EQ(6u, stored.GetNumberOfEntries());
    EXPECT_EQ(0u, stored.GetNumberOfGroups());
    EXPECT_EQ(0, stored.ReadLong("Lun", -1));
    EXPECT_EQ(5, stored.ReadLong("We", -1));
    stored.SetPath("/MonthNames");
    EXPECT_EQ(11u, stored.GetNumberOfEntries());
    EXPECT_EQ(5, stored.ReadLong("Ju/ne", -1));
    EXPECT_EQ(11, stored.ReadLong("December", -1));
}
