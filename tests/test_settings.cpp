// The Preferences dialog and its command against a real configuration file.
#include "app/settings.h"
#include "app/app.h"
#include "app/mainframe.h"
#include "view/docmanager.h"

#include <wx/bookctrl.h>
#include <wx/fileconf.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

const char* const kDays[7] = { "Mo", "Tu", "We", "Th", "Fr", "Sa", "Su" };
const char* const kMonths[12] = { "January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December" };

// Answers the Preferences dialog as a person would: looks at the boxes,
// types into some of them and presses OK or Cancel.
class ExpectSettings : public wxExpectModalBase<appSettings, ExpectSettings>
{
public:
    ExpectSettings(std::function<void(appSettings*)> edit, int answer)
        : m_edit(std::move(edit)), m_answer(answer)
    {
    }

protected:
    int OnInvoked(appSettings* dialog) const override
    {
        dialog->TransferDataToWindow();
        m_edit(dialog);
        if (m_answer == wxID_OK)
            dialog->TransferDataFromWindow();
        return m_answer;
    }

private:
    std::function<void(appSettings*)> m_edit;
    int m_answer;
};

wxTextCtrl* Box(wxWindow* dialog, int id)
{
    return wxDynamicCast(dialog->FindWindow(id), wxTextCtrl);
}

class Preferences : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TovendalApp& app = wxGetApp();
        app.m_config = new wxFileConfig("Tovendal", "Halvorix", "", "",
                                        wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_GLOBAL_FILE);
        app.m_dayNames.clear();
        app.m_monthNames.clear();
        for (const char* day : kDays)
            app.m_dayNames.push_back(day);
        for (const char* month : kMonths)
            app.m_monthNames.push_back(month);
        m_manager = new myDocManager;
        m_frame = new TovendalMain(m_manager, nullptr, ID_MAIN_FRAME, "Tovendal", wxDefaultPosition,
                                   wxSize(400, 500), wxDEFAULT_FRAME_STYLE);
    }

    void TearDown() override
    {
        m_frame->Destroy();
        wxTheApp->ProcessIdle();
        delete m_manager;
        delete wxGetApp().m_config;
        wxGetApp().m_config = nullptr;
    }

    void RunPreferences()
    {
        wxCommandEvent event(wxEVT_MENU, wxID_PREFERENCES);
        m_frame->OnPreferences(event);
    }

    // The entries of a names group, as the store holds them: name -> value.
    std::map<wxString, long> Group(const wxString& path)
    {
        wxConfigBase* config = wxGetApp().m_config;
        std::map<wxString, long> entries;
        config->SetPath(path);
        wxString name;
        long cookie;
        for (bool more = config->GetFirstEntry(name, cookie); more;
             more = config->GetNextEntry(name, cookie))
            entries[name] = config->ReadLong(name, -1);
        config->SetPath("/");
        return entries;
    }

    myDocManager* m_manager = nullptr;
    TovendalMain* m_frame = nullptr;
};

} // namespace

TEST_F(Preferences, DialogShowsEveryNameOnItsPage)
{
    appSettings dialog;
    dialog.SetMondayName("Mon");
    dialog.SetDecemberName("Dec");
    dialog.Create(m_frame, ID_SETTINGS_DIALOG, "Program Options");
    dialog.TransferDataToWindow();

    wxBookCtrlBase* book = dialog.GetBookCtrl();
    ASSERT_EQ(2u, book->GetPageCount());
    EXPECT_EQ("Day Names", book->GetPageText(0));
    EXPECT_EQ("Month Names", book->GetPageText(1));
    EXPECT_EQ("Mon", Box(&dialog, ID_MONDAY_TEXT)->GetValue());
    EXPECT_EQ("Dec", Box(&dialog, ID_DECEMBER_TEXT)->GetValue());
    EXPECT_EQ(ID_DAY_NAMES_PANEL, book->GetPage(0)->GetId());
    EXPECT_EQ(ID_MONTH_NAMES_PANEL, book->GetPage(1)->GetId());

    // Each text box sits on its labelled row, in table order.
    const int dayIds[7] = { ID_MONDAY_TEXT,   ID_TUESDAY_TEXT,  ID_WEDNESDAY_TEXT, ID_THURSDAY_TEXT,
                            ID_FRIDAY_TEXT,   ID_SATURDAY_TEXT, ID_SUNDAY_TEXT };
    const wxWindowList& children = book->GetPage(0)->GetChildren();
    ASSERT_EQ(14u, children.size());
    int row = 0;
    for (auto it = children.begin(); it != children.end(); ++it, ++row) {
        wxStaticText* label = wxDynamicCast(*it, wxStaticText);
        ASSERT_NE(nullptr, label);
        ++it;
        EXPECT_EQ(dayIds[row], (*it)->GetId()) << label->GetLabel();
    }
    EXPECT_EQ("Monday:", wxDynamicCast(children.front(), wxStaticText)->GetLabel());
}

TEST_F(Preferences, TypingStopsAtTheNameLengthButLongerStoredNamesStayWhole)
{
    appSettings dialog;
    dialog.SetMondayName("Monday");
    dialog.Create(m_frame, ID_SETTINGS_DIALOG, "Program Options");
    dialog.TransferDataToWindow();

    wxTextCtrl* monday = Box(&dialog, ID_MONDAY_TEXT);
    EXPECT_EQ("Monday", monday->GetValue());
    ASSERT_TRUE(dialog.TransferDataFromWindow());
    EXPECT_EQ("Monday", dialog.GetMondayName());

    // A typed character is refused once the box holds its limit, unless it replaces a selection.
    auto typed = [](wxTextCtrl* box, int key) {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_keyCode = key;
        event.m_uniChar = key;
        event.SetEventObject(box);
        return !box->GetEventHandler()->ProcessEvent(event);
    };
    wxTextCtrl* tuesday = Box(&dialog, ID_TUESDAY_TEXT);
    tuesday->ChangeValue("Tu");
    EXPECT_TRUE(typed(tuesday, 'e'));
    tuesday->ChangeValue("Tue");
    EXPECT_FALSE(typed(tuesday, 's'));
    EXPECT_TRUE(typed(tuesday, WXK_BACK));
    tuesday->SetSelection(0, 1);
    EXPECT_TRUE(typed(tuesday, 'X'));

    wxTextCtrl* september = Box(&dialog, ID_SEPTEMBER_TEXT);
    september->ChangeValue("123456789");
    EXPECT_TRUE(typed(september, 'x'));
    september->ChangeValue("1234567890");
    EXPECT_FALSE(typed(september, 'x'));
}

TEST_F(Preferences, CancelChangesNeitherListsNorStore)
{
    wxTEST_DIALOG(RunPreferences(), ExpectSettings(
                                        [](appSettings* d) {
                                            Box(d, ID_MONDAY_TEXT)->ChangeValue("Lun");
                                            Box(d, ID_MAY_TEXT)->ChangeValue("Mai");
                                        },
                                        wxID_CANCEL));
    EXPECT_EQ("Mo", wxGetApp().m_dayNames[0]);
    EXPECT_EQ("May", wxGetApp().m_monthNames[4]);
    EXPECT_FALSE(wxGetApp().m_config->Exists("/DayNames"));
    EXPECT_FALSE(wxGetApp().m_config->Exists("/MonthNames"));
}

TEST_F(Preferences, OkStoresEveryNameWithItsPosition)
{
    wxTEST_DIALOG(RunPreferences(), ExpectSettings(
                                        [](appSettings* d) {
                                            Box(d, ID_MONDAY_TEXT)->ChangeValue("Lun");
                                            Box(d, ID_MAY_TEXT)->ChangeValue("Mai");
                                        },
                                        wxID_OK));
    TovendalApp& app = wxGetApp();
    EXPECT_EQ("Lun", app.m_dayNames[0]);
    EXPECT_EQ("Su", app.m_dayNames[6]);
    EXPECT_EQ("Mai", app.m_monthNames[4]);
    ASSERT_EQ(7u, app.m_dayNames.size());
    ASSERT_EQ(12u, app.m_monthNames.size());

    std::map<wxString, long> days = Group("/DayNames");
    ASSERT_EQ(7u, days.size());
    EXPECT_EQ(0, days["Lun"]);
    EXPECT_EQ(6, days["Su"]);
    std::map<wxString, long> months = Group("/MonthNames");
    ASSERT_EQ(12u, months.size());
    EXPECT_EQ(4, months["Mai"]);
    EXPECT_EQ(11, months["December"]);

    // Written to the file at once, not only when the program ends.
    wxFileConfig reread("Tovendal", "Halvorix", "", "", wxCONFIG_USE_LOCAL_FILE);
    EXPECT_EQ(4, reread.ReadLong("/MonthNames/Mai", -1));
}

TEST_F(Preferences, OkRewritesTheGroupsFromScratch)
{
    wxConfigBase* config = wxGetApp().m_config;
    config->Write("/DayNames/Stale", 3L);
    config->Write("/DayNames/Nested/Deep", 1L);
    wxTEST_DIALOG(RunPreferences(), ExpectSettings([](appSettings*) {}, wxID_OK));
    std::map<wxString, long> days = Group("/DayNames");
    EXPECT_EQ(7u, days.size());
    EXPECT_EQ(0u, days.count("Stale"));
    EXPECT_FALSE(config->Exists("/DayNames/Nested"));
}

TEST_F(Preferences, DuplicateAndSlashNamesLeaveTheirGroupShort)
{
    wxTEST_DIALOG(RunPreferences(), ExpectSettings(
                                        [](appSettings* d) {
                                            Box(d, ID_SATURDAY_TEXT)->ChangeValue("We");
                                            Box(d, ID_JUNE_TEXT)->ChangeValue("Ju/ne");
                                        },
                                        wxID_OK));
    TovendalApp& app = wxGetApp();
    EXPECT_EQ("We", app.m_dayNames[2]);
    EXPECT_EQ("We", app.m_dayNames[5]);
    EXPECT_EQ("Ju/ne", app.m_monthNames[5]);

    std::map<wxString, long> days = Group("/DayNames");
    EXPECT_EQ(6u, days.size());
    EXPECT_EQ(5, days["We"]);
    std::map<wxString, long> months = Group("/MonthNames");
    EXPECT_EQ(11u, months.size());
    EXPECT_EQ(5, app.m_config->ReadLong("/MonthNames/Ju/ne", -1));
}
