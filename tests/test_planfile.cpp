#include "document/plandocument.h"
#include "document/planfile.h"
#include "tests/testsupport.h"

#include <wx/dir.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <tinyxml.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <dlfcn.h>
#include <grp.h>
#include <unistd.h>
#include <vector>

// The save's system calls, interposed for the whole test program: a test can refuse mode and
// owner changes as a vfat stick does, and see the order of renames and folder syncs.
namespace {
bool g_refuseModeAndOwner = false;
std::vector<std::string> g_fileSteps;

template <typename Function>
Function Real(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}
} // namespace

extern "C" int fchmod(int fd, mode_t mode) noexcept
{
    static const auto real = Real<int (*)(int, mode_t)>("fchmod");
    if (g_refuseModeAndOwner) {
        errno = EPERM;
        return -1;
    }
    return real(fd, mode);
}

extern "C" int fchown(int fd, uid_t owner, gid_t group) noexcept
{
    static const auto real = Real<int (*)(int, uid_t, gid_t)>("fchown");
    if (g_refuseModeAndOwner) {
        errno = EPERM;
        return -1;
    }
    return real(fd, owner, group);
}

extern "C" int rename(const char* from, const char* to) noexcept
{
    static const auto real = Real<int (*)(const char*, const char*)>("rename");
    g_fileSteps.push_back("rename");
    return real(from, to);
}

extern "C" int fsync(int fd)
{
    static const auto real = Real<int (*)(int)>("fsync");
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode))
        g_fileSteps.push_back("sync folder");
    return real(fd);
}

namespace {

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
bool Apply(PlanDocument& doc, Step step, const wxString& path, wxString* shown = nullptr)
{
    // A toolkit assertion must fail the test, not open a dialog nobody answers.
    wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                          const wxString&) { ADD_FAILURE_AT(file.utf8_str(), line) << cond; });
    wxString box;
    bool ok = false;
    wxTEST_DIALOG(ok = step == SAVE ? doc.OnSaveDocument(path) : doc.OnOpenDocument(path),
                  RecordMessage(shown ? shown : &box).Optional());
    return ok && box.empty();
}

/// The file's bytes, its save date written "*" when it is a UTC time taken since from.
std::string ReadMasked(const wxString& path, time_t from)
{
    std::ifstream in(path.fn_str(), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    char stamp[40];
    for (time_t t = from; t <= std::time(nullptr); ++t) {
        const size_t length =
            std::strftime(stamp, sizeof stamp, "savedate=\"%Y-%m-%dT%H:%M:%S+00:00\"", std::gmtime(&t));
        if (bytes.find(stamp) != std::string::npos)
            bytes.replace(bytes.find(stamp), length, "savedate=\"*\"");
    }
    return bytes;
}

/// Saves doc, checks the bytes and the saved state, and that the file reads back into a
/// plan that saves the same bytes.
void CheckSave(PlanDocument& doc, const std::string& expected)
{
    const wxString path = MakeTempDir() + "/My Plan.tovendal";
    const time_t before = std::time(nullptr);
    doc.Modify(true);
    ASSERT_TRUE(Apply(doc, SAVE, path));
    const std::string bytes = ReadMasked(path, before);
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ("My Plan", doc.GetTitle());
    EXPECT_FALSE(doc.IsModified());
    PlanDocument back;
    ASSERT_TRUE(Apply(back, LOAD, path));
    ASSERT_TRUE(Apply(back, SAVE, path + "2"));
    EXPECT_EQ(bytes, ReadMasked(path + "2", before));
}

/// The plan's fields, then its events in key order ("-" for an unused key), in UTF-8.
std::string Describe(PlanDocument& doc)
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

const std::string HEADER = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
                           "<!-- Generated by Tovendal Printer V:4.0.0 -->\n"
                           "<!-- &#xA9; Tovendal Printer. All rights reserved. -->\n<tovendal ";

/// The file a save writes, as TinyXML prints it with one element per event, the
/// events sorted by the toolkit list with CompareDateSortItems; save date "*".
std::string ElementPerEventBytes(const PlanDocument& doc)
{
    const auto utf8 = [](const wxString& text) { return std::string(text.utf8_str().data()); };
    const auto ascii = [](const wxString& text) {
        std::string bytes;
        for (const wxUniChar c : text)
            bytes += c.GetValue() < 128 ? char(c.GetValue()) : '_';
        return bytes;
    };
    TiXmlBase::SetCondenseWhiteSpace(false);
    TiXmlDocument xml;
    xml.Parse("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>"
              "<!-- Generated by Tovendal Printer V:4.0.0 -->"
              "<!-- &#xA9; Tovendal Printer. All rights reserved. -->"
              "<tovendal />");
    TiXmlElement* root = xml.FirstChildElement("tovendal");
    root->SetAttribute("title", utf8(doc.m_title));
    root->SetAttribute("year", ascii(doc.m_year));
    root->SetAttribute("yearend", ascii(doc.m_yearEnd));
    root->SetAttribute("incUKbankhols", doc.m_incUKbankhols ? "true" : "false");
    root->SetAttribute("daysacross", doc.m_daysAcross ? "true" : "false");
    root->SetAttribute("startmonth", doc.m_startMonth);
    root->SetAttribute("firstdayofweek", doc.m_firstDayOfWeek);
    root->SetAttribute("noofyears", doc.m_noOfYears);
    root->SetAttribute("savedate", "*");

    MyDateSortList sorted;
    sorted.DeleteContents(true);
    for (PlanEventMap::const_iterator it = doc.m_events.begin(); it != doc.m_events.end(); ++it)
        sorted.Append(new DateSortItem{it->first, it->second ? it->second->m_date : wxDateTime()});
    sorted.Sort(CompareDateSortItems);
    TiXmlElement* dates = new TiXmlElement("dates");
    for (const DateSortItem* item : sorted) {
        const PlanEvent* e = doc.m_events.find(item->m_id)->second;
        if (!e)
            continue;
        TiXmlElement* event = new TiXmlElement("event");
        event->SetAttribute("date", e->m_date.IsValid() ? e->m_date.Format("%Y-%m-%d").utf8_string() : "");
        if (e->m_hasToDate && e->m_toDate.IsValid()) {
            event->SetAttribute("todate", e->m_toDate.Format("%Y-%m-%d").utf8_string());
            if (e->m_firstDayOnly)
                event->SetAttribute("fstdayonly", "yes");
        }
        event->SetAttribute("colour", ascii(e->m_colour));
        if (!e->m_textColour.empty())
            event->SetAttribute("textcolour", ascii(e->m_textColour));
        if (e->m_annual)
            event->SetAttribute("annual", "yes");
        event->LinkEndChild(new TiXmlText(utf8(e->m_text)));
        dates->LinkEndChild(event);
    }
    root->LinkEndChild(dates);
    if (!doc.m_comments.empty()) {
        TiXmlText* text = new TiXmlText(utf8(doc.m_comments));
        text->SetCDATA(doc.m_comments.Find("]]>") == wxNOT_FOUND);
        root->LinkEndChild(new TiXmlElement("comments"))->LinkEndChild(text);
    }
    char* buffer = nullptr;
    size_t length = 0;
    FILE* out = open_memstream(&buffer, &length);
    xml.SaveFile(out);
    std::fclose(out);
    const std::string bytes(buffer, length);
    std::free(buffer);
    return bytes;
}

} // namespace

TEST(PlanFile, SavesExactlyTheseBytesAndReadsThemBack)
{
    // Five and a half hours ahead of UTC: the save date must not be local time.
    setenv("TZ", "XXX-5:30", 1);
    tzset();
    const wxString input = MakeTempDir() + "/in.tovendal";
    std::ofstream(input.fn_str(), std::ios::binary)
        << "<tovendal title=\"Family &amp; &lt;Friends&gt;\" year=\"2015\" yearend=\"2016\""
           " daysacross=\"true\" startmonth=\"3\" firstdayofweek=\"6\"><dates>"
           "<event date=\"2015-03-01\" colour=\"RED\" annual=\"yes\">Gamma</event>"
           "<event date=\"2015-01-10\" todate=\"2015-01-12\" fstdayonly=\"yes\""
           " textcolour=\"WHITE\">Alpha</event><event date=\"2015-02-05\"/></dates>"
           "<comments>Line one\n  two</comments></tovendal>";
    PlanDocument small;
    ASSERT_TRUE(Apply(small, LOAD, input));
    CheckSave(small, HEADER + "title=\"Family &amp; &lt;Friends&gt;\" year=\"2015\" yearend=\"2016\""
                              " incUKbankhols=\"false\" daysacross=\"true\" startmonth=\"3\""
                              " firstdayofweek=\"6\" noofyears=\"2\" savedate=\"*\">\n    <dates>\n"
                              "        <event date=\"2015-01-10\" todate=\"2015-01-12\""
                              " fstdayonly=\"yes\" colour=\"\" textcolour=\"WHITE\">Alpha</event>\n"
                              "        <event date=\"2015-02-05\" colour=\"\"></event>\n"
                              "        <event date=\"2015-03-01\" colour=\"RED\" annual=\"yes\">Gamma"
                              "</event>\n    </dates>\n    <comments>\n"
                              "        <![CDATA[Line one\n  two]]>\n</comments>\n</tovendal>\n");
    // Texts in UTF-8, other attributes with "_"; comments holding "]]>" as plain text.
    PlanDocument odd;
    odd.m_title = wxString::FromUTF8("Pl\xc3\xa5n \xe2\x82\xac");
    odd.m_year = wxString::FromUTF8("2015\xc3\xa9");
    odd.m_yearEnd = "2017";
    odd.m_comments = "  a ]]> b\n ]]]]>>";
    PlanEvent* event = new PlanEvent;
    event->m_date = wxDateTime(2, wxDateTime::Jan, 2015);
    event->m_text = wxString::FromUTF8("Caf\xc3\xa9");
    odd.m_events[odd.m_nextEventId++] = event;
    CheckSave(odd, HEADER + "title=\"Pl\xc3\xa5n \xe2\x82\xac\" year=\"2015_\" yearend=\"2017\""
                            " incUKbankhols=\"true\" daysacross=\"false\" startmonth=\"0\""
                            " firstdayofweek=\"0\" noofyears=\"3\" savedate=\"*\">\n    <dates>\n"
                            "        <event date=\"2015-01-02\" colour=\"\">Caf\xc3\xa9</event>\n"
                            "    </dates>\n    <comments>  a ]]&gt; b&#x0A; ]]]]&gt;&gt;</comments>\n</tovendal>\n");
    unsetenv("TZ");
    tzset();
}

TEST(PlanFile, SaveWritesWhatTinyXmlPrintsWithOneElementPerEvent)
{
    // Texts with markup, quotes, control and non-ASCII characters; a NUL ends a text.
    const wxString texts[] = {"", "plain", "a & b < c > d \"q\" 'a'", "tab\there\x01\x1f end",
                              wxString::FromUTF8("Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"),
                              wxString("cut\0off", 7), "   ", "]]> in text"};
    const wxString colours[] = {"", "RED", "Light Grey", "#123456", "say \"red\"", "it's & <x>",
                                wxString::FromUTF8("r\xc3\xb8" "d")};
    const wxString comments[] = {"", "Line one\n  two", "  a ]]> b\n ]]]]>>", "tab\tand & <b>"};
    std::mt19937 random(13);
    for (int plan = 0; plan < 8; ++plan) {
        PlanDocument doc;
        doc.m_title = texts[plan % 8];
        doc.m_year = plan % 3 ? "2015" : "20\"15";
        doc.m_yearEnd = wxString::FromUTF8("2017\xc3\xa9");
        doc.m_incUKbankhols = plan % 2;
        doc.m_daysAcross = plan % 3 == 1;
        doc.m_startMonth = plan;
        doc.m_firstDayOfWeek = 6 - plan % 7;
        doc.m_comments = comments[plan % 4];
        // Few days for many events, so that days repeat; the map grows past its first size.
        const int events = plan == 0 ? 0 : plan * 90;
        for (int i = 0; i < events; ++i) {
            PlanEvent* e = new PlanEvent;
            e->m_date = wxDateTime(1, wxDateTime::Jan, 2015) + wxDateSpan::Days(random() % (20 * plan));
            if (i % 11 == 5) // a time of day does not move an event within its day
                e->m_date += wxTimeSpan::Minutes(random() % (24 * 60));
            e->m_text = texts[random() % 8];
            e->m_colour = colours[random() % 7];
            e->m_textColour = colours[random() % 7];
            e->m_hasToDate = random() % 3 == 0;
            e->m_toDate = e->m_date + wxDateSpan::Days(random() % 40);
            e->m_firstDayOnly = random() % 2;
            e->m_annual = random() % 4 == 0;
            if (i == 17)
                e->m_date = wxDateTime(); // no start date: written empty, first
            doc.m_events[doc.m_nextEventId++] = e;
            if (i == 30)
                doc.m_events[doc.m_nextEventId++] = nullptr; // a key without a record: not written
        }
        const wxString path = MakeTempDir() + "/plan.tovendal";
        const time_t before = std::time(nullptr);
        ASSERT_TRUE(Apply(doc, SAVE, path));
        EXPECT_EQ(ElementPerEventBytes(doc), ReadMasked(path, before)) << "plan " << plan;
    }
}

TEST(PlanFile, LoadFollowsTheRules)
{
    // Root attributes, root content, and the plan read (Y: this year).
    const char* const cases[][3] = {
        {"", "", "|Y|Y|1|00|0|0|\n"},
        {"year=\"2015\" noofyears=\"3\" incUKbankhols=\"yes\" daysacross=\"true\" startmonth=\"14\""
         " firstdayofweek=\"-2\"", "", "|2015|2017|3|11|14|-2|\n"},
        {"year=\"2015\" noofyears=\"-4\" incUKbankhols=\"True\" daysacross=\"YES\" startmonth=\"May\""
         " firstdayofweek=\"\"", "", "|2015|2015|1|00|0|0|\n"},
        // A given year end wins; years are read a byte a character; a title not in UTF-8 is empty.
        {"title=\"Caf\xe9xx lait\" year=\"20\xe9xx\" yearend=\"x\" noofyears=\"2\"", "",
         "|20\xc3\xa9xx|x|2|00|0|0|\n"},
        // Skipped events use no key; keys follow the file, not the dates.
        {"", "<dates><event date=\"2016-05-01\">late</event><event>no date</event><event"
             " date=\"2015-02-30\">bad</event><event date=\"2014-01-07\">early</event></dates>",
         "|Y|Y|1|00|0|0|\n2016-05-01||000|||late\n2014-01-07||000|||early\n"},
        // From the first "event" on, every element is an event whatever its name.
        {"", "<dates><note date=\"2015-01-01\">before</note><event date=\"2015-01-02\">first</event>"
             "<note date=\"2015-01-03\">after</note><!-- c --><x date=\"2015-01-04\"/></dates>",
         "|Y|Y|1|00|0|0|\n2015-01-02||000|||first\n2015-01-03||000|||after\n2015-01-04||000|||\n"},
        {"", "<dates><event date=\"2015-01-01\" todate=\"2015-01-04\" fstdayonly=\"yes\" annual=\"yes\"/>"
             "<event date=\"2015-01-01\" todate=\"never\" fstdayonly=\"yes\" annual=\"true\"/>"
             "<event date=\"2015-01-01\" todate=\"2015-01-04\" fstdayonly=\"Yes\" colour=\"a&#x01;\""
             " textcolour=\"\t\n\">   \n  </event><event date=\"2015-01-01\"><b>x</b></event></dates>",
         "|Y|Y|1|00|0|0|\n2015-01-01|2015-01-04|111|||\n2015-01-01||000|||\n"
         "2015-01-01|2015-01-04|100|a\x01|\t\n|\n2015-01-01||000|||\n"},
        // Comments are the first child of the first "comments" when it is text.
        {"", "<comments>  plain &amp; text\n</comments>", "|Y|Y|1|00|0|0|  plain & text\n\n"},
        {"", "<comments><p>x</p></comments><comments>second</comments>", "|Y|Y|1|00|0|0|\n"},
    };
    for (const auto& c : cases) {
        const wxString path = MakeTempDir() + "/plan.tovendal";
        std::ofstream(path.fn_str(), std::ios::binary)
            << "<?xml version=\"1.0\"?>\n<tovendal " << c[0] << ">" << c[1] << "</tovendal>\n";
        PlanDocument doc;
        ASSERT_TRUE(Apply(doc, LOAD, path)) << c[0] << c[1];
        const std::string thisYear = std::to_string(wxDateTime::Now().GetYear());
        EXPECT_EQ(std::regex_replace(c[2], std::regex("Y"), thisYear), Describe(doc)) << c[0] << c[1];
    }
}

TEST(PlanFile, BadFilesAreRefusedWithTheLoadErrorMessage)
{
    const std::string files[] = {"", "<?xml version=\"1.0\"?>\n<tovendal title=\"a\">\n  <dates>\n  <ev",
                                 "just some words, not XML at all\n", "<tovendal><dates></tovendal>",
                                 std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe\0\x01", 20)};
    // Missing, a folder, and a pipe that would block a reader forever.
    const wxString dir = MakeTempDir();
    std::vector<wxString> paths = {dir + "/missing.tovendal", dir, dir + "/pipe.tovendal"};
    ASSERT_EQ(0, mkfifo(paths.back().fn_str(), 0600));
    for (const std::string& bytes : files) {
        paths.push_back(wxString::Format("%s/%zu.tovendal", dir, paths.size()));
        std::ofstream(paths.back().fn_str(), std::ios::binary) << bytes;
    }
    for (const wxString& path : paths) {
        PlanDocument doc;
        wxString shown;
        EXPECT_FALSE(Apply(doc, LOAD, path, &shown)) << path;
        EXPECT_EQ("Load Error: This is not a correct Tovendal.", shown) << path;
    }
}

TEST(PlanFile, FailedSaveKeepsTheOldFileAndChangesNothing)
{
    const wxString path = MakeTempDir() + "/plan.tovendal";
    PlanDocument old;
    const time_t before = std::time(nullptr);
    ASSERT_TRUE(Apply(old, SAVE, path));
    const std::string oldBytes = ReadMasked(path, before);
    PlanDocument doc;
    doc.m_comments = wxString('c', 200000);
    doc.Modify(true);
    // A file size limit makes the write fail part way, as a full disk would.
    struct rlimit oldLimit;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &oldLimit));
    const struct rlimit limit = {oldBytes.size() + 4096, oldLimit.rlim_max};
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &limit));
    wxString shown;
    EXPECT_FALSE(Apply(doc, SAVE, path, &shown));
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(wxNOT_FOUND, shown.Find(path)) << shown;
    EXPECT_EQ(oldBytes, ReadMasked(path, before));
    EXPECT_EQ("", doc.GetFilename());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.GetDocumentSaved());
}

namespace {

const uid_t NOBODY = 65534;

/// Runs the rest of its scope as user and group 65534 without other groups (the tests run as
/// root, who may write anything); root again at its end.
class AsNobody
{
public:
    AsNobody() : m_groups(getgroups(0, nullptr))
    {
        m_groups.resize(getgroups(m_groups.size(), m_groups.data()));
        m_dropped = setgroups(0, nullptr) == 0 && setegid(NOBODY) == 0 && seteuid(NOBODY) == 0;
    }
    ~AsNobody()
    {
        if (seteuid(0) != 0 || setegid(0) != 0 || setgroups(m_groups.size(), m_groups.data()) != 0)
            std::abort();
    }
    bool m_dropped;

private:
    std::vector<gid_t> m_groups;
};

std::string ReadFile(const wxString& path)
{
    std::ifstream in(path.fn_str(), std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(PlanSave, KeepsWhatTheFileIsForItsUserItsOwnerAndItsOtherNames)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    struct Case
    {
        const char* what;
        mode_t folderMode, fileMode;
        uid_t owner;
        bool secondName, asNobody, refuseModeAndOwner;
        bool saved, inPlace;
        mode_t modeAfter;
    };
    const Case cases[] = {
        {"read-only for its user", 0777, 0444, NOBODY, false, true, false, false, true, 0444},
        {"in a folder without room for a new file", 0555, 0666, NOBODY, false, true, false, true, true, 0666},
        {"with a second name", 0700, 0644, 0, true, false, false, true, true, 0644},
        {"of another owner, saved by root", 0700, 0640, NOBODY, false, false, false, true, false, 0640},
        {"of an owner the saver cannot give it", 0777, 0666, 0, false, true, false, true, true, 0666},
        {"on a stick that refuses mode and owner", 0700, 0644, 0, false, false, true, true, false, 0600},
    };
    for (const Case& c : cases) {
        const wxString dir = MakeTempDir();
        const wxString path = dir + "/plan.tovendal", second = dir + "/second name.tovendal";
        PlanDocument old;
        old.m_title = "Old";
        ASSERT_TRUE(Apply(old, SAVE, path));
        ASSERT_EQ(0, chown(path.fn_str(), c.owner, c.owner));
        ASSERT_EQ(0, chmod(path.fn_str(), c.fileMode));
        ASSERT_TRUE(!c.secondName || link(path.fn_str(), second.fn_str()) == 0);
        ASSERT_EQ(0, chmod(dir.fn_str(), c.folderMode));
        const std::string oldBytes = ReadFile(path);
        struct stat before, after;
        ASSERT_EQ(0, stat(path.fn_str(), &before));

        PlanDocument doc;
        doc.m_title = "New";
        wxString shown;
        bool saved;
        g_refuseModeAndOwner = c.refuseModeAndOwner;
        if (c.asNobody) {
            AsNobody nobody;
            ASSERT_TRUE(nobody.m_dropped);
            saved = Apply(doc, SAVE, path, &shown);
        } else {
            saved = Apply(doc, SAVE, path, &shown);
        }
        g_refuseModeAndOwner = false;
        chmod(dir.fn_str(), 0700);

        EXPECT_EQ(c.saved, saved) << c.what << ": " << shown;
        const std::string bytes = ReadFile(path);
        if (c.saved) {
            EXPECT_NE(std::string::npos, bytes.find("title=\"New\"")) << c.what;
        } else {
            EXPECT_EQ(oldBytes, bytes) << c.what;
            EXPECT_TRUE(shown.StartsWith("Save Error: ")) << c.what << ": " << shown;
            EXPECT_NE(wxNOT_FOUND, shown.Find(wxSysErrorMsgStr(EACCES))) << c.what << ": " << shown;
        }
        if (c.secondName) {
            EXPECT_EQ(bytes, ReadFile(second)) << c.what;
        }
        ASSERT_EQ(0, stat(path.fn_str(), &after));
        if (c.inPlace) {
            EXPECT_EQ(before.st_ino, after.st_ino) << c.what;
        }
        EXPECT_EQ(c.owner, after.st_uid) << c.what;
        EXPECT_EQ(c.owner, after.st_gid) << c.what;
        EXPECT_EQ(c.modeAfter, after.st_mode & 07777) << c.what;
        EXPECT_EQ(1u + c.secondName, after.st_nlink) << c.what;
        wxArrayString files;
        EXPECT_EQ(1u + c.secondName, wxDir::GetAllFiles(dir, &files)) << c.what << ": left behind";
    }
}

TEST(PlanSave, ThroughADanglingLinkCreatesItsTargetAndSyncsTheFolderAfterTheRename)
{
    const wxString dir = MakeTempDir();
    ASSERT_TRUE(wxMkdir(dir + "/sub"));
    const wxString link = dir + "/plan.tovendal", target = dir + "/sub/real.tovendal";
    ASSERT_EQ(0, symlink("sub/real.tovendal", link.fn_str()));
    PlanDocument doc;
    doc.m_title = "Linked";
    g_fileSteps.clear();
    ASSERT_TRUE(Apply(doc, SAVE, link));
    struct stat st;
    ASSERT_EQ(0, lstat(link.fn_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_NE(std::string::npos, ReadFile(target).find("title=\"Linked\""));
    EXPECT_EQ(link, doc.GetFilename());
    ASSERT_GE(g_fileSteps.size(), 2u);
    EXPECT_EQ((std::vector<std::string>{"rename", "sync folder"}),
              std::vector<std::string>(g_fileSteps.end() - 2, g_fileSteps.end()));
}
