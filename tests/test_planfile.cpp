#include "document/planfile.h"
#include "document/plandocument.h"
#include "tests/testsupport.h"

#include <wx/app.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <ostream>
#include <regex>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// A toolkit assertion must fail the test, not open a dialog nobody answers.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str().data(), line)
        << "wx assertion " << cond << " in " << func << ": " << msg;
}

class AssertEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { wxSetAssertHandler(FailOnAssert); }
};
const ::testing::Environment* const g_assertEnvironment =
    ::testing::AddGlobalTestEnvironment(new AssertEnvironment);

/// Answers a message box with OK and records what it said.
class RecordMessage : public wxExpectModalBase<wxMessageDialog, RecordMessage>
{
public:
    RecordMessage(wxString* message, wxString* caption, long* style)
        : m_message(message), m_caption(caption), m_style(style) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        *m_message = dlg->GetMessage();
        *m_caption = dlg->GetCaption();
        *m_style = dlg->GetMessageDialogStyle();
        return wxID_OK;
    }

private:
    wxString* m_message;
    wxString* m_caption;
    long* m_style;
};

std::string ReadBytes(const wxString& path)
{
    wxFFile file(path, "rb");
    wxString ignored;
    std::string bytes;
    if (!file.IsOpened())
        return bytes;
    char buffer[4096];
    size_t n;
    while ((n = file.Read(buffer, sizeof buffer)) > 0)
        bytes.append(buffer, n);
    return bytes;
}

void WriteBytes(const wxString& path, const std::string& bytes)
{
    wxFFile file(path, "wb");
    ASSERT_TRUE(file.IsOpened());
    ASSERT_EQ(bytes.size(), file.Write(bytes.data(), bytes.size()));
}

std::string MaskSaveDate(const std::string& bytes)
{
    return std::regex_replace(bytes, std::regex("savedate=\"[^\"]*\""), "savedate=\"*\"");
}

PlanEvent* AddEvent(PlanDocument& doc, const wxDateTime& date, const wxString& text,
                    const wxString& colour)
{
    PlanEvent* event = new PlanEvent;
    event->m_date = date;
    event->m_text = text;
    event->m_colour = colour;
    doc.m_events[doc.m_nextEventId++] = event;
    return event;
}

wxDateTime Day(int day, wxDateTime::Month month, int year)
{
    return wxDateTime(day, month, year);
}

/// Loads a file expected to load; a message box fails the test.
bool Load(PlanDocument& doc, const wxString& path)
{
    bool loaded = false;
    wxString message, caption;
    long style = 0;
    wxTEST_DIALOG(loaded = doc.OnOpenDocument(path),
                  RecordMessage(&message, &caption, &style).Optional());
    EXPECT_EQ("", message) << "unexpected message box loading " << path;
    return loaded;
}

/// Saves a plan expected to save; a message box fails the test.
bool Save(PlanDocument& doc, const wxString& path)
{
    bool saved = false;
    wxString message, caption;
    long style = 0;
    wxTEST_DIALOG(saved = doc.OnSaveDocument(path),
                  RecordMessage(&message, &caption, &style).Optional());
    EXPECT_EQ("", message) << "unexpected message box saving " << path;
    return saved;
}

/// Loads a file written as a plan root with the given attributes and content.
void LoadPlanText(PlanDocument& doc, const std::string& rootAttributes, const std::string& body)
{
    const wxString path = MakeTempDir() + "/plan.tovendal";
    WriteBytes(path, "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<tovendal " + rootAttributes
                         + ">" + body + "</tovendal>\n");
    ASSERT_TRUE(Load(doc, path));
}

std::vector<PlanEvent*> EventsInKeyOrder(const PlanDocument& doc)
{
    std::vector<PlanEvent*> events;
    for (long key = 0; key < doc.m_nextEventId; ++key) {
        PlanEventMap::const_iterator it = doc.m_events.find(key);
        events.push_back(it == doc.m_events.end() ? nullptr : it->second);
    }
    return events;
}

const std::string THIS_YEAR = wxString::Format("%d", wxDateTime::Now().GetYear()).ToStdString();

} // namespace

// ---------------------------------------------------------------------------
// The saved bytes

struct GoldenCase
{
    const char* name;
    std::function<void(PlanDocument&)> fill;
    const char* expected;
};

/// Names the case in test listings instead of dumping its bytes.
void PrintTo(const GoldenCase& c, std::ostream* os)
{
    *os << c.name;
}

class SavedFile : public ::testing::TestWithParam<GoldenCase>
{
};

TEST_P(SavedFile, HasExactlyTheseBytes)
{
    PlanDocument doc;
    GetParam().fill(doc);
    const wxString path = MakeTempDir() + "/golden.tovendal";
    ASSERT_TRUE(Save(doc, path));
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(GetParam().expected, MaskSaveDate(bytes));
    EXPECT_TRUE(std::regex_search(
        bytes, std::regex("savedate=\"\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\+00:00\"")));
}

const GoldenCase GOLDEN_CASES[] = {
    {"EmptyPlan",
     [](PlanDocument& doc) {
         doc.m_year = "2015";
         doc.m_yearEnd = "2015";
     },
     "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
     "<!-- Generated by Tovendal Printer V:4.0.0 -->\n"
     "<!-- &#xA9; Tovendal Printer. All rights reserved. -->\n"
     "<tovendal title=\"Tovendal\" year=\"2015\" yearend=\"2015\" incUKbankhols=\"true\""
     " daysacross=\"false\" startmonth=\"0\" firstdayofweek=\"0\" noofyears=\"1\" savedate=\"*\">\n"
     "    <dates />\n"
     "</tovendal>\n"},
    {"SmallPlan",
     [](PlanDocument& doc) {
         doc.m_title = "Family & <Friends>";
         doc.m_year = "2015";
         doc.m_yearEnd = "2016";
         doc.m_incUKbankhols = false;
         doc.m_daysAcross = true;
         doc.m_startMonth = 3;
         doc.m_firstDayOfWeek = 6;
         doc.m_comments = "Line one\n  two";
         AddEvent(doc, Day(1, wxDateTime::Mar, 2015), "Gamma", "RED")->m_annual = true;
         PlanEvent* alpha = AddEvent(doc, Day(10, wxDateTime::Jan, 2015), "Alpha", "");
         alpha->m_textColour = "WHITE";
         alpha->m_toDate = Day(12, wxDateTime::Jan, 2015);
         alpha->m_hasToDate = true;
         alpha->m_firstDayOnly = true;
         // First-day-only without an end date is not written.
         AddEvent(doc, Day(5, wxDateTime::Feb, 2015), "", "BLUE")->m_firstDayOnly = true;
     },
     "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
     "<!-- Generated by Tovendal Printer V:4.0.0 -->\n"
     "<!-- &#xA9; Tovendal Printer. All rights reserved. -->\n"
     "<tovendal title=\"Family &amp; &lt;Friends&gt;\" year=\"2015\" yearend=\"2016\""
     " incUKbankhols=\"false\" daysacross=\"true\" startmonth=\"3\" firstdayofweek=\"6\""
     " noofyears=\"2\" savedate=\"*\">\n"
     "    <dates>\n"
     "        <event date=\"2015-01-10\" todate=\"2015-01-12\" fstdayonly=\"yes\" colour=\"\""
     " textcolour=\"WHITE\">Alpha</event>\n"
     "        <event date=\"2015-02-05\" colour=\"BLUE\"></event>\n"
     "        <event date=\"2015-03-01\" colour=\"RED\" annual=\"yes\">Gamma</event>\n"
     "    </dates>\n"
     "    <comments>\n"
     "        <![CDATA[Line one\n  two]]>\n"
     "</comments>\n"
     "</tovendal>\n"},
    {"NonAsciiAndCommentEndMarker",
     [](PlanDocument& doc) {
         doc.m_title = wxString::FromUTF8("Pl\xc3\xa5n \xe2\x82\xac");
         doc.m_year = wxString::FromUTF8("2015\xc3\xa9");
         doc.m_yearEnd = "2017";
         doc.m_comments = "a ]]> b";
         AddEvent(doc, Day(2, wxDateTime::Jan, 2016), wxString::FromUTF8("Caf\xc3\xa9"),
                  wxString::FromUTF8("R\xc3\x89" "D"));
     },
     "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
     "<!-- Generated by Tovendal Printer V:4.0.0 -->\n"
     "<!-- &#xA9; Tovendal Printer. All rights reserved. -->\n"
     "<tovendal title=\"Pl\xc3\xa5n \xe2\x82\xac\" year=\"2015_\" yearend=\"2017\""
     " incUKbankhols=\"true\" daysacross=\"false\" startmonth=\"0\" firstdayofweek=\"0\""
     " noofyears=\"3\" savedate=\"*\">\n"
     "    <dates>\n"
     "        <event date=\"2016-01-02\" colour=\"R_D\">Caf\xc3\xa9</event>\n"
     "    </dates>\n"
     "    <comments>a ]]&gt; b</comments>\n"
     "</tovendal>\n"},
};

INSTANTIATE_TEST_SUITE_P(Plans, SavedFile, ::testing::ValuesIn(GOLDEN_CASES),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(PlanSave, SetsTitleFileNameAndSavedStateAndYearCount)
{
    PlanDocument doc;
    doc.m_year = "2015";
    doc.m_yearEnd = "2017";
    doc.Modify(true);
    const wxString path = MakeTempDir() + "/My Plan.tovendal";
    ASSERT_TRUE(Save(doc, path));
    EXPECT_EQ(3, doc.m_noOfYears);
    EXPECT_EQ("My Plan", doc.GetTitle());
    EXPECT_EQ(path, doc.GetFilename());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.GetDocumentSaved());
    EXPECT_NE(std::string::npos, ReadBytes(path).find("noofyears=\"3\""));
}

TEST(PlanSave, YearCountTakesLeadingDigitsAndIsUnbounded)
{
    const struct { const char* year; const char* yearEnd; int expected; } cases[] = {
        {"", "2016", 2017},        {"2016", "", -2015}, {" +2015x", "2015", 1},
        {"abc", "def", 1},         {"2017", "2015", -1}, {"-5", "5", 11},
    };
    for (const auto& c : cases) {
        PlanDocument doc;
        doc.m_year = c.year;
        doc.m_yearEnd = c.yearEnd;
        ASSERT_TRUE(Save(doc, MakeTempDir() + "/p.tovendal"));
        EXPECT_EQ(c.expected, doc.m_noOfYears) << c.year << " .. " << c.yearEnd;
    }
}

TEST(PlanSave, SaveDateIsUniversalTimeWhateverTheLocalZone)
{
    const char* oldZone = std::getenv("TZ");
    const std::string saved = oldZone ? oldZone : "";
    setenv("TZ", "XXX-5:30", 1); // five and a half hours ahead of UTC, no daylight time
    tzset();
    PlanDocument doc;
    const wxString path = MakeTempDir() + "/p.tovendal";
    const time_t before = std::time(nullptr);
    ASSERT_TRUE(Save(doc, path));
    const time_t after = std::time(nullptr);
    if (oldZone)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();

    std::smatch match;
    const std::string bytes = ReadBytes(path);
    ASSERT_TRUE(std::regex_search(bytes, match, std::regex("savedate=\"([^\"]*)\"")));
    wxDateTime stamp;
    wxString::const_iterator end;
    const wxString text = match[1].str();
    ASSERT_TRUE(stamp.ParseFormat(text, "%Y-%m-%dT%H:%M:%S+00:00", &end));
    const time_t written = stamp.FromTimezone(wxDateTime::UTC).GetTicks();
    EXPECT_GE(written, before - 1) << text;
    EXPECT_LE(written, after + 1) << text;
}

// ---------------------------------------------------------------------------
// Round trips

TEST(PlanRoundTrip, EveryFieldReadsBackUnchanged)
{
    const wxString titles[] = {wxString::FromUTF8("Pl\xc3\xa5n f\xc3\xbcr \xe2\x82\xac & <\"'>"),
                               "  padded title  ", "two\nlines\ttab", ""};
    const wxString comments[] = {"  leading blanks\nsecond line\n\n  indented\n",
                                 "ends with ]]> inside and ]]>",
                                 wxString::FromUTF8("\xc3\xa9t\xc3\xa9 ]]]]>>"), "x"};
    for (size_t i = 0; i < WXSIZEOF(titles); ++i) {
        PlanDocument doc;
        doc.m_title = titles[i];
        doc.m_year = "2014";
        doc.m_yearEnd = "2016";
        doc.m_startMonth = 11;
        doc.m_firstDayOfWeek = 6;
        doc.m_incUKbankhols = false;
        doc.m_daysAcross = true;
        doc.m_comments = comments[i];
        PlanEvent* full = AddEvent(doc, Day(28, wxDateTime::Feb, 2015),
                                   wxString::FromUTF8("D\xc3\xa9j\xc3\xa0 vu <&> \"q\""), "RED");
        full->m_textColour = "#ff00ff";
        full->m_toDate = Day(3, wxDateTime::Mar, 2015);
        full->m_hasToDate = true;
        full->m_firstDayOnly = true;
        full->m_annual = true;
        AddEvent(doc, Day(1, wxDateTime::Jan, 2015), " spaced\nout ", "");

        const wxString path = MakeTempDir() + "/round.tovendal";
        ASSERT_TRUE(Save(doc, path));
        PlanDocument back;
        ASSERT_TRUE(Load(back, path));

        SCOPED_TRACE(i);
        EXPECT_EQ(doc.m_title, back.m_title);
        EXPECT_EQ("2014", back.m_year);
        EXPECT_EQ("2016", back.m_yearEnd);
        EXPECT_EQ(11, back.m_startMonth);
        EXPECT_EQ(6, back.m_firstDayOfWeek);
        EXPECT_FALSE(back.m_incUKbankhols);
        EXPECT_TRUE(back.m_daysAcross);
        EXPECT_EQ(3, back.m_noOfYears);
        EXPECT_EQ(doc.m_comments, back.m_comments);
        ASSERT_EQ(2u, back.m_events.size());

        // Keys follow the file, which is in date order.
        const PlanEvent* first = back.m_events[0];
        EXPECT_EQ(Day(1, wxDateTime::Jan, 2015), first->m_date);
        EXPECT_EQ(" spaced\nout ", first->m_text);
        EXPECT_EQ("", first->m_colour);
        EXPECT_EQ("", first->m_textColour);
        EXPECT_FALSE(first->m_hasToDate);
        EXPECT_FALSE(first->m_toDate.IsValid());
        EXPECT_FALSE(first->m_annual);

        const PlanEvent* second = back.m_events[1];
        EXPECT_EQ(full->m_date, second->m_date);
        EXPECT_EQ(full->m_text, second->m_text);
        EXPECT_EQ("RED", second->m_colour);
        EXPECT_EQ("#ff00ff", second->m_textColour);
        EXPECT_TRUE(second->m_hasToDate);
        EXPECT_EQ(full->m_toDate, second->m_toDate);
        EXPECT_TRUE(second->IsFirstDayOnly());
        EXPECT_TRUE(second->m_annual);
        EXPECT_EQ(2, back.m_nextEventId);
    }
}

TEST(PlanRoundTrip, SaveOverwritesAnExistingPlanAndKeepsItsPermissions)
{
    const wxString path = MakeTempDir() + "/plan.tovendal";
    WriteBytes(path, "old contents");
    ASSERT_EQ(0, chmod(path.fn_str(), 0640));
    PlanDocument doc;
    doc.m_title = "new";
    ASSERT_TRUE(Save(doc, path));
    struct stat st;
    ASSERT_EQ(0, stat(path.fn_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 07777);
    PlanDocument back;
    ASSERT_TRUE(Load(back, path));
    EXPECT_EQ("new", back.m_title);

    wxArrayString files;
    wxDir::GetAllFiles(wxFileName(path).GetPath(), &files, "", wxDIR_FILES | wxDIR_HIDDEN);
    EXPECT_EQ(1u, files.size()) << "no temporary file may stay behind";
}

// ---------------------------------------------------------------------------
// Load rules

struct LoadCase
{
    const char* name;
    std::string rootAttributes;
    std::string body;
    std::function<void(const PlanDocument&)> check;
};

/// Names the case in test listings instead of dumping its bytes.
void PrintTo(const LoadCase& c, std::ostream* os)
{
    *os << c.name;
}

class PlanLoad : public ::testing::TestWithParam<LoadCase>
{
};

TEST_P(PlanLoad, ReadsTheFileAsTheRulesSay)
{
    PlanDocument doc;
    LoadPlanText(doc, GetParam().rootAttributes, GetParam().body);
    GetParam().check(doc);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.GetDocumentSaved());
    EXPECT_EQ("plan", doc.GetTitle());
}

const LoadCase LOAD_CASES[] = {
    {"MissingYearEndComesFromYearCount", "year=\"2015\" noofyears=\"3\"", "",
     [](const PlanDocument& doc) {
         EXPECT_EQ("2015", doc.m_year);
         EXPECT_EQ("2017", doc.m_yearEnd);
         EXPECT_EQ(3, doc.m_noOfYears);
     }},
    {"NoYearsAtAllGiveThisYear", "", "",
     [](const PlanDocument& doc) {
         EXPECT_EQ(THIS_YEAR, doc.m_year.ToStdString());
         EXPECT_EQ(THIS_YEAR, doc.m_yearEnd.ToStdString());
         EXPECT_EQ(1, doc.m_noOfYears);
         EXPECT_EQ("", doc.m_title);
     }},
    {"YearCountBelowOneCountsAsOne", "year=\"2015\" noofyears=\"-4\"", "",
     [](const PlanDocument& doc) {
         EXPECT_EQ(1, doc.m_noOfYears);
         EXPECT_EQ("2015", doc.m_yearEnd);
     }},
    {"GivenYearEndWinsOverYearCount", "year=\"2015\" yearend=\"2020\" noofyears=\"2\"", "",
     [](const PlanDocument& doc) { EXPECT_EQ("2020", doc.m_yearEnd); }},
    {"YearBytesAreTakenOneCharacterEach", "year=\"20\xe9xx\" yearend=\"x\"", "",
     [](const PlanDocument& doc) {
         EXPECT_EQ(wxString(L"20\u00e9xx"), doc.m_year);
         EXPECT_EQ("x", doc.m_yearEnd);
     }},
    {"TitleThatIsNotUtf8IsEmpty", "title=\"Caf\xe9xx lait\"", "",
     [](const PlanDocument& doc) { EXPECT_EQ("", doc.m_title); }},
    {"OptionsAbsentAreOffAndJanuaryMonday", "", "",
     [](const PlanDocument& doc) {
         EXPECT_FALSE(doc.m_incUKbankhols);
         EXPECT_FALSE(doc.m_daysAcross);
         EXPECT_EQ(0, doc.m_startMonth);
         EXPECT_EQ(0, doc.m_firstDayOfWeek);
         EXPECT_FALSE(doc.m_savedIncUKbankhols);
     }},
    {"YesAndTrueSwitchOptionsOn", "incUKbankhols=\"yes\" daysacross=\"true\"", "",
     [](const PlanDocument& doc) {
         EXPECT_TRUE(doc.m_incUKbankhols);
         EXPECT_TRUE(doc.m_daysAcross);
     }},
    {"LetterCaseCounts", "incUKbankhols=\"True\" daysacross=\"YES\"", "",
     [](const PlanDocument& doc) {
         EXPECT_FALSE(doc.m_incUKbankhols);
         EXPECT_FALSE(doc.m_daysAcross);
     }},
    {"NumbersOutOfRangeAreKept", "startmonth=\"14\" firstdayofweek=\"-2\"", "",
     [](const PlanDocument& doc) {
         EXPECT_EQ(14, doc.m_startMonth);
         EXPECT_EQ(-2, doc.m_firstDayOfWeek);
         EXPECT_EQ(14, doc.m_savedStartMonth);
     }},
    {"NonNumbersKeepJanuaryMonday", "startmonth=\"May\" firstdayofweek=\"\" noofyears=\"x\"", "",
     [](const PlanDocument& doc) {
         EXPECT_EQ(0, doc.m_startMonth);
         EXPECT_EQ(0, doc.m_firstDayOfWeek);
         EXPECT_EQ(1, doc.m_noOfYears);
     }},
    {"SkippedEventsUseNoKey", "",
     "<dates><event date=\"2015-01-05\">a</event><event>no date</event>"
     "<event date=\"soon\">bad date</event><event date=\"2015-01-07\">b</event></dates>",
     [](const PlanDocument& doc) {
         ASSERT_EQ(2u, doc.m_events.size());
         EXPECT_EQ(2, doc.m_nextEventId);
         const std::vector<PlanEvent*> events = EventsInKeyOrder(doc);
         EXPECT_EQ("a", events[0]->m_text);
         EXPECT_EQ("b", events[1]->m_text);
         EXPECT_EQ(Day(7, wxDateTime::Jan, 2015), events[1]->m_date);
     }},
    {"KeysFollowFileOrderNotDateOrder", "",
     "<dates><event date=\"2016-05-01\">late</event><event date=\"2014-01-01\">early</event>"
     "</dates>",
     [](const PlanDocument& doc) {
         const std::vector<PlanEvent*> events = EventsInKeyOrder(doc);
         ASSERT_EQ(2u, events.size());
         EXPECT_EQ("late", events[0]->m_text);
         EXPECT_EQ("early", events[1]->m_text);
     }},
    {"ElementsAfterTheFirstEventCountWhateverTheirName", "",
     "<dates><note date=\"2015-01-01\">before</note><event date=\"2015-01-02\">first</event>"
     "<note date=\"2015-01-03\">after</note><!-- c --><x date=\"2015-01-04\"/></dates>",
     [](const PlanDocument& doc) {
         const std::vector<PlanEvent*> events = EventsInKeyOrder(doc);
         ASSERT_EQ(3u, events.size());
         EXPECT_EQ("first", events[0]->m_text);
         EXPECT_EQ("after", events[1]->m_text);
         EXPECT_EQ("", events[2]->m_text);
     }},
    {"EndDateRules", "",
     "<dates>"
     "<event date=\"2015-01-01\" todate=\"2015-01-04\" fstdayonly=\"yes\" annual=\"yes\"/>"
     "<event date=\"2015-01-01\" todate=\"never\" fstdayonly=\"yes\" annual=\"true\"/>"
     "<event date=\"2015-01-01\" fstdayonly=\"yes\"/>"
     "<event date=\"2015-01-01\" todate=\"2015-01-04\" fstdayonly=\"Yes\"/>"
     "</dates>",
     [](const PlanDocument& doc) {
         const std::vector<PlanEvent*> events = EventsInKeyOrder(doc);
         ASSERT_EQ(4u, events.size());
         EXPECT_TRUE(events[0]->m_hasToDate);
         EXPECT_EQ(Day(4, wxDateTime::Jan, 2015), events[0]->m_toDate);
         EXPECT_TRUE(events[0]->IsFirstDayOnly());
         EXPECT_TRUE(events[0]->m_annual);
         for (int i = 1; i <= 2; ++i) {
             EXPECT_FALSE(events[i]->m_hasToDate) << i;
             EXPECT_FALSE(events[i]->m_toDate.IsValid()) << i;
             EXPECT_FALSE(events[i]->m_firstDayOnly) << i;
         }
         EXPECT_FALSE(events[1]->m_annual);
         EXPECT_TRUE(events[3]->m_hasToDate);
         EXPECT_FALSE(events[3]->m_firstDayOnly);
     }},
    {"WhiteSpaceOnlyDescriptionIsEmpty", "",
     "<dates><event date=\"2015-01-01\">   \n  </event>"
     "<event date=\"2015-01-02\"><b>bold</b></event></dates>",
     [](const PlanDocument& doc) {
         const std::vector<PlanEvent*> events = EventsInKeyOrder(doc);
         ASSERT_EQ(2u, events.size());
         EXPECT_EQ("", events[0]->m_text);
         EXPECT_EQ("", events[1]->m_text);
     }},
    {"CommentsAsPlainTextOrCdata", "",
     "<dates/><comments>  plain &amp; text\n</comments>",
     [](const PlanDocument& doc) { EXPECT_EQ("  plain & text\n", doc.m_comments); }},
    {"CommentsWithoutTextAreEmpty", "", "<comments><p>x</p></comments>",
     [](const PlanDocument& doc) { EXPECT_EQ("", doc.m_comments); }},
};

INSTANTIATE_TEST_SUITE_P(Rules, PlanLoad, ::testing::ValuesIn(LOAD_CASES),
                         [](const ::testing::TestParamInfo<LoadCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(PlanLoadFile, AnotherRootGivesTheNewPlanTitledByTheFile)
{
    const wxString path = MakeTempDir() + "/Other Root.xml";
    WriteBytes(path, "<?xml version=\"1.0\"?><plan title=\"x\" year=\"1999\"/>");
    PlanDocument doc;
    ASSERT_TRUE(Load(doc, path));
    EXPECT_EQ("Tovendal", doc.m_title);
    EXPECT_EQ(THIS_YEAR, doc.m_year.ToStdString());
    EXPECT_TRUE(doc.m_incUKbankhols);
    EXPECT_EQ("Other Root", doc.GetTitle());
    EXPECT_EQ(path, doc.GetFilename());
}

TEST(PlanLoadFile, BadFilesAreRefusedWithTheLoadErrorMessage)
{
    static const char BINARY[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe\0\x01";
    const wxString dir = MakeTempDir();
    const struct { const char* name; std::string bytes; } cases[] = {
        {"empty", ""},
        {"truncated", "<?xml version=\"1.0\"?>\n<tovendal title=\"a\">\n    <dates>\n        <ev"},
        {"text", "just some words, not XML at all\n"},
        {"binary", std::string(BINARY, sizeof BINARY - 1)},
        {"unclosed", "<tovendal><dates></tovendal>"},
    };
    std::vector<wxString> paths;
    for (const auto& c : cases) {
        paths.push_back(dir + "/" + c.name + ".tovendal");
        WriteBytes(paths.back(), c.bytes);
    }
    paths.push_back(dir + "/missing.tovendal");
    paths.push_back(dir); // a folder
    paths.push_back(dir + "/pipe.tovendal"); // would block a reader forever
    ASSERT_EQ(0, mkfifo(paths.back().fn_str(), 0600));

    for (const wxString& path : paths) {
        PlanDocument doc;
        bool loaded = true;
        wxString message, caption;
        long style = 0;
        wxTEST_DIALOG(loaded = doc.OnOpenDocument(path), RecordMessage(&message, &caption, &style));
        EXPECT_FALSE(loaded) << path;
        EXPECT_EQ("This is not a correct Tovendal.", message) << path;
        EXPECT_EQ("Load Error", caption) << path;
        EXPECT_TRUE(style & wxICON_ERROR) << path;
        EXPECT_TRUE(style & wxOK) << path;
        EXPECT_EQ("Tovendal", doc.m_title) << path;
        EXPECT_EQ("", doc.GetFilename()) << path;
        EXPECT_TRUE(doc.m_events.empty()) << path;
    }
}

TEST(PlanLoadFile, SurprisingContentLoadsWithoutTrouble)
{
    std::string body = "<dates>";
    for (int i = 0; i < 5000; ++i)
        body += "<event date=\"2015-01-" + std::to_string(1 + i % 28) + "\" colour=\"RED\">e"
                + std::to_string(i) + "</event>";
    body += "<event date=\"2015-02-30\">impossible day</event>";
    body += "<event date=\"2015-01-01\" colour=\"a&#x01;b&#x1F;\" textcolour=\"\t\n\">ctl</event>";
    body += "<event date=\"2015-01-01\">" + std::string(1 << 20, 'x') + "</event>";
    body += "</dates><comments><![CDATA[" + std::string(1 << 20, 'c') + "]]></comments>";

    PlanDocument doc;
    LoadPlanText(doc, "title=\"" + std::string(100000, 't') + "\" year=\"99999999999\"", body);
    EXPECT_GE(doc.m_events.size(), 5002u);
    EXPECT_EQ(100000u, doc.m_title.length());
    EXPECT_EQ(size_t(1) << 20, doc.m_comments.length());
    const PlanEvent* control = nullptr;
    for (PlanEventMap::const_iterator it = doc.m_events.begin(); it != doc.m_events.end(); ++it) {
        if (it->second->m_text == "ctl")
            control = it->second;
    }
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(wxString("a\x01" "b\x1f"), control->m_colour);
    EXPECT_EQ("\t\n", control->m_textColour);

    // And the plan saves and reads back as it was.
    const wxString path = MakeTempDir() + "/big.tovendal";
    ASSERT_TRUE(Save(doc, path));
    PlanDocument back;
    ASSERT_TRUE(Load(back, path));
    EXPECT_EQ(doc.m_events.size(), back.m_events.size());
    EXPECT_EQ(doc.m_comments, back.m_comments);
}

// ---------------------------------------------------------------------------
// Failed saves

namespace {

struct FailedSave
{
    bool saved = true;
    wxString message;
    wxString caption;
    long style = 0;
};

FailedSave SaveExpectingFailure(PlanDocument& doc, const wxString& path)
{
    FailedSave result;
    wxTEST_DIALOG(result.saved = doc.OnSaveDocument(path),
                  RecordMessage(&result.message, &result.caption, &result.style));
    return result;
}

void ExpectUnchangedDocument(const PlanDocument& doc, const wxString& title,
                             const wxString& filename)
{
    EXPECT_EQ(title, doc.GetTitle());
    EXPECT_EQ(filename, doc.GetFilename());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.GetDocumentSaved());
}

} // namespace

TEST(PlanSaveFailure, MissingFolderIsReportedAndChangesNothing)
{
    PlanDocument doc;
    doc.SetTitle("unsaved");
    doc.Modify(true);
    const wxString path = MakeTempDir() + "/no such folder/plan.tovendal";
    const FailedSave result = SaveExpectingFailure(doc, path);
    EXPECT_FALSE(result.saved);
    EXPECT_NE(wxNOT_FOUND, result.message.Find(path)) << result.message;
    EXPECT_TRUE(result.style & wxICON_ERROR);
    ExpectUnchangedDocument(doc, "unsaved", "");
    EXPECT_FALSE(wxFileName::DirExists(wxFileName(path).GetPath()));
}

TEST(PlanSaveFailure, WriteThatRunsOutOfSpaceKeepsTheOldFile)
{
    const wxString dir = MakeTempDir();
    const wxString path = dir + "/plan.tovendal";
    PlanDocument old;
    old.m_title = "old plan";
    ASSERT_TRUE(Save(old, path));
    const std::string oldBytes = ReadBytes(path);

    PlanDocument doc;
    doc.SetTitle("new");
    doc.SetFilename(path);
    doc.m_comments = wxString('c', 200000);
    doc.Modify(true);

    // A file size limit makes the write fail part way, as a full disk would.
    struct rlimit oldLimit;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &oldLimit));
    struct rlimit limit = oldLimit;
    limit.rlim_cur = oldBytes.size() + 4096;
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &limit));
    const FailedSave result = SaveExpectingFailure(doc, path);
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result.saved);
    EXPECT_NE(wxNOT_FOUND, result.message.Find(path)) << result.message;
    ExpectUnchangedDocument(doc, "new", path);
    EXPECT_EQ(oldBytes, ReadBytes(path));

    wxArrayString files;
    wxDir::GetAllFiles(dir, &files, "", wxDIR_FILES | wxDIR_HIDDEN);
    EXPECT_EQ(1u, files.size()) << "the partial temporary file must be removed";
}

// ---------------------------------------------------------------------------
// Status line

TEST(PlanLoadStatus, FieldOneShowsTheOutcome)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "main");
    frame->CreateStatusBar(2);
    wxTheApp->SetTopWindow(frame);

    const wxString good = MakeTempDir() + "/good.tovendal";
    {
        PlanDocument doc;
        ASSERT_TRUE(Save(doc, good));
    }
    frame->SetStatusText("before", 1);
    frame->SetStatusText("help", 0);
    {
        PlanDocument doc;
        ASSERT_TRUE(Load(doc, good));
    }
    EXPECT_EQ("", frame->GetStatusBar()->GetStatusText(1));
    EXPECT_EQ("help", frame->GetStatusBar()->GetStatusText(0));
    {
        PlanDocument doc;
        wxString message, caption;
        long style = 0;
        wxTEST_DIALOG(doc.OnOpenDocument(good + ".missing"),
                      RecordMessage(&message, &caption, &style));
    }
    EXPECT_EQ("Load failed.", frame->GetStatusBar()->GetStatusText(1));

    // A top window with a single field is left alone.
    frame->SetStatusBar(nullptr);
    frame->CreateStatusBar(1);
    frame->SetStatusText("only", 0);
    {
        PlanDocument doc;
        ASSERT_TRUE(Load(doc, good));
    }
    EXPECT_EQ("only", frame->GetStatusBar()->GetStatusText(0));

    wxTheApp->SetTopWindow(nullptr);
    frame->Destroy();
    RunEventsFor(20);
}

TEST(PlanLoadFile, EventDatesReadAsTheToolkitParserReadsThem)
{
    const char* const texts[] = {"2015-01-10", "2016-02-29", "2015-12-31", "1999-07-04",
                                 "2015-1-5",   "2015-02-29", "2015-13-01", "0999-01-01",
                                 "2015/03/04", "2015-03-04 12:00", "  2015-03-04"};
    std::string body = "<dates>";
    for (const char* text : texts)
        body += std::string("<event date=\"") + text + "\">" + text + "</event>";
    body += "</dates>";
    PlanDocument doc;
    LoadPlanText(doc, "", body);

    for (const char* text : texts) {
        wxDateTime expected;
        wxString::const_iterator end;
        const bool parses = expected.ParseDate(wxString(text), &end);
        const PlanEvent* found = nullptr;
        for (PlanEventMap::const_iterator it = doc.m_events.begin(); it != doc.m_events.end(); ++it) {
            if (it->second->m_text == text)
                found = it->second;
        }
        ASSERT_EQ(parses, found != nullptr) << text;
        if (found) {
            EXPECT_EQ(expected, found->m_date) << text;
        }
    }
}
