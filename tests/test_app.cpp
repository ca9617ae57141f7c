// The application object: name groups, start-up state, hand-over server, shut-down.
#include "app/app.h"
#include "app/ipc.h"
#include "app/mainframe.h"
#include "document/planevent.h"
#include "tests/testsupport.h"
#include "view/docmanager.h"

#include <wx/colour.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/gdicmn.h>
#include <wx/sstream.h>
#include <wx/textfile.h>

#include <gtest/gtest.h>

namespace {

wxArrayString Names(std::initializer_list<const char*> names)
{
    wxArrayString result;
    for (const char* name : names)
        result.Add(name);
    return result;
}

wxArrayString NumberedDefaults(size_t count)
{
    wxArrayString defaults;
    for (size_t i = 0; i < count; ++i)
        defaults.Add(wxString::Format("default%zu", i));
    return defaults;
}

// Writes the user's configuration file the program reads at start.
void WriteConfig(const wxString& text)
{
    wxFile file(wxFileName(TestHome(), ".Tovendal").GetFullPath(), wxFile::write);
    ASSERT_TRUE(file.IsOpened());
    file.Write(text);
}

wxString ReadConfig()
{
    wxString text;
    wxFile file(wxFileName(TestHome(), ".Tovendal").GetFullPath());
    if (file.IsOpened())
        file.ReadAll(&text);
    return text;
}

} // namespace

struct NameGroupCase
{
    const char* what;
    const char* config;
    size_t count;
    std::vector<const char*> expected; // empty: the defaults
};

class NameGroupRule : public ::testing::TestWithParam<NameGroupCase>
{};

TEST_P(NameGroupRule, ReadsNamesByIndexOrFallsBackToDefaults)
{
    const NameGroupCase& c = GetParam();
    wxStringInputStream input(c.config);
    wxFileConfig config(input);
    const wxArrayString defaults = NumberedDefaults(c.count);
    wxArrayString names;
    names.Add("stale");

    ReadNameGroup(&config, "/Names", c.count, defaults, names);

    wxArrayString expected = defaults;
    if (!c.expected.empty()) {
        expected.Clear();
        for (const char* name : c.expected)
            expected.Add(name);
    }
    EXPECT_EQ(expected, names) << c.what;
}

void PrintTo(const NameGroupCase& c, std::ostream* os)
{
    *os << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameGroupRule,
    ::testing::Values(
        NameGroupCase{"group absent", "[Other]\na=1\n", 3, {}},
        NameGroupCase{"one entry too few", "[Names]\na=0\nb=1\n", 3, {}},
        NameGroupCase{"one entry too many", "[Names]\na=0\nb=1\nc=2\nd=0\n", 3, {}},
        NameGroupCase{"entries in any order", "[Names]\nthird=2\nfirst=0\nsecond=1\n", 3,
                      {"first", "second", "third"}},
        NameGroupCase{"index out of range", "[Names]\nfirst=0\nsecond=1\nbad=3\n", 3,
                      {"first", "second", ""}},
        NameGroupCase{"negative index", "[Names]\nfirst=0\nsecond=1\nbad=-2\n", 3,
                      {"first", "second", ""}},
        NameGroupCase{"value not a number", "[Names]\nfirst=0\nbad=x1\nthird=2\n", 3,
                      {"first", "", "third"}},
        NameGroupCase{"later entry wins", "[Names]\nfirst=0\nearly=1\nlate=1\n", 3,
                      {"first", "late", ""}},
        NameGroupCase{"subgroups do not count", "[Names]\na=0\nb=1\nc=2\n[Names/Sub]\nd=0\n", 3,
                      {"a", "b", "c"}}),
    [](const ::testing::TestParamInfo<NameGroupCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name) {
            if (ch == ' ')
                ch = '_';
        }
        return name;
    });

class Startup : public ::testing::Test
{
protected:
    void TearDown() override { StopTovendal(); }
};

TEST_F(Startup, MonthGroupsOfElevenOrThirteenEntriesGiveTheFullNames)
{
    for (int count : {11, 13}) {
        wxString text = "[MonthNames]\n";
        for (int i = 0; i < count; ++i)
            text += wxString::Format("M%d=%d\n", i, i % 12);
        WriteConfig(text);
        ASSERT_TRUE(StartTovendal());
        EXPECT_EQ(Names({"January", "February", "March", "April", "May", "June", "July",
                         "August", "September", "October", "November", "December"}),
                  wxGetApp().m_monthNames)
            << count << " entries";
        StopTovendal();
    }
}

TEST_F(Startup, ReadsStoredMonthNamesAndDefaultsTheDayNames)
{
    WriteConfig("[MonthNames]\nJan=0\nFeb=1\nMar=2\nApr=3\nMai=4\nJun=5\nJul=6\nAug=7\n"
                "Sep=8\nOkt=9\nNov=10\nDez=12\n");
    ASSERT_TRUE(StartTovendal());
    const TovendalApp& app = wxGetApp();
    EXPECT_EQ(Names({"Jan", "Feb", "Mar", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov",
                     ""}),
              app.m_monthNames);
    EXPECT_EQ(Names({"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"}), app.m_dayNames);
}

TEST_F(Startup, SharedStateIsReadyAndTheFrameIsOnTop)
{
    ASSERT_TRUE(StartTovendal());
    TovendalApp& app = wxGetApp();
    ASSERT_NE(nullptr, app.m_docManager);
    ASSERT_NE(nullptr, app.m_config);
    ASSERT_NE(nullptr, app.m_printData);
    ASSERT_NE(nullptr, app.m_pageSetupData);
    EXPECT_EQ(wxPAPER_A4, app.m_printData->GetPaperId());
    EXPECT_EQ(wxPoint(5, 5), app.m_pageSetupData->GetMarginTopLeft());
    EXPECT_EQ(wxPoint(5, 5), app.m_pageSetupData->GetMarginBottomRight());

    ASSERT_EQ(1u, app.m_docManager->GetTemplates().GetCount());
    wxDocTemplate* plan = static_cast<wxDocTemplate*>(app.m_docManager->GetTemplates()[0]);
    EXPECT_EQ("tovendal", plan->GetDefaultExtension());
    EXPECT_EQ("Plan Doc", plan->GetDocumentName());
    EXPECT_EQ("Text View", plan->GetViewName());

    TovendalMain* frame = wxDynamicCast(app.GetTopWindow(), TovendalMain);
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_EQ("Tovendal", frame->GetTitle());
    EXPECT_EQ(ID_MAIN_FRAME, frame->GetId());
    EXPECT_EQ("DDE Active.", frame->GetStatusBar()->GetStatusText(1));
    EXPECT_NE(nullptr, app.m_ddeServer);
}

TEST_F(Startup, ColourDatabaseKnowsTheProgramsColoursInAnyCase)
{
    ASSERT_TRUE(StartTovendal());
    EXPECT_EQ(wxColour(0, 153, 0), wxTheColourDatabase->Find("GREEN"));
    EXPECT_EQ(wxColour(153, 0, 0), wxTheColourDatabase->Find("maroon"));
    EXPECT_EQ(wxColour(204, 204, 204), wxTheColourDatabase->Find("Light Grey"));
    EXPECT_EQ(wxColour(0, 255, 255), wxTheColourDatabase->Find("AQUA"));
    EXPECT_EQ("NAVY", wxTheColourDatabase->FindName(wxColour(0, 0, 153)));
}

TEST_F(Startup, ShutDownSavesTheHistoryAndFreesTheHeldEvent)
{
    WriteConfig("[history]\nfile1=/plans/old.tovendal\n");
    ASSERT_TRUE(StartTovendal());
    TovendalApp& app = wxGetApp();
    app.m_docManager->AddFileToHistory("/plans/new.tovendal");
    app.m_eventClipboard = new PlanEvent;

    StopTovendal();

    EXPECT_EQ(nullptr, app.m_eventClipboard);
    EXPECT_EQ(nullptr, app.m_docManager);
    wxStringInputStream input(ReadConfig());
    wxFileConfig saved(input);
    EXPECT_EQ("/plans/new.tovendal", saved.Read("/history/file1"));
    EXPECT_EQ("/plans/old.tovendal", saved.Read("/history/file2"));
}
