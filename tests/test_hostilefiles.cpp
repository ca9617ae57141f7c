// Plan files from elsewhere: hostile, damaged or odd files must neither crash, hang nor lose
// anything silently, and whatever a save writes must read back as it was.
#include "document/planreader.h"
#include "tests/planfilesupport.h"
#include "tests/testsupport.h"

#include <tinyxml.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

const std::string kStart = "<?xml version=\"1.0\"?>\n<tovendal year=\"2015\" yearend=\"2015\"";

std::string Repeat(const std::string& piece, int times)
{
    std::string out;
    while (times-- > 0)
        out += piece;
    return out;
}

double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The anchor is TinyXML as the system builds it; under the sanitizers the program's own
// code runs unoptimised and checked, several times slower.
#ifdef __SANITIZE_ADDRESS__
const double kOwnCodeSlowdown = 3.0;
#else
const double kOwnCodeSlowdown = 1.0;
#endif

/// The best of runs of work, in seconds.
double Best(int runs, const std::function<void()>& work)
{
    double fastest = Seconds(work);
    while (--runs > 0)
        fastest = std::min(fastest, Seconds(work));
    return fastest;
}

const int kAnchorSize = 2 << 20;

/// Bytes of a plan file of about kAnchorSize bytes: a head, as many pieces as fit, a tail.
std::string Fill(const std::string& head, const std::string& piece, const std::string& tail)
{
    return head + Repeat(piece, int((kAnchorSize - head.size() - tail.size()) / piece.size())) + tail;
}

const std::string kDates = kStart + "><dates>", kDatesEnd = "</dates></tovendal>";

/// A plain plan of kAnchorSize bytes, as the program writes one.
const std::string& PlainPlan()
{
    static const std::string plain = Fill(
        kDates, "\n        <event date=\"2015-01-01\" colour=\"RED\">Event of the plan</event>", kDatesEnd);
    return plain;
}

/// What costs are judged by, measured in the same run: TinyXML parsing the plain plan.
double AnchorSeconds()
{
    static const double anchor = Best(3, [] {
        TiXmlDocument xml;
        xml.Parse(PlainPlan().c_str());
        EXPECT_FALSE(xml.Error());
    });
    return anchor;
}

} // namespace

TEST(HostileFiles, AreRefusedQuicklyWithTheLoadError)
{
    const off_t huge = off_t(3) << 30; // 3 GB, sparse: nothing is really written
    std::string attributes;
    for (int i = 0; i < 40000; ++i)
        attributes += " a" + std::to_string(i) + "=\"\"";
    const struct { const char* what; std::string bytes; off_t size; } cases[] = {
        {"40,000 nested elements", kStart + "><dates>" + Repeat("<x>", 40000) + Repeat("</x>", 40000) +
                                       "</dates></tovendal>", 0},
        {"40,000 attributes", kStart + attributes + "/>", 0},
        {"10 MB of empty elements", kStart + "><dates>" + Repeat("<x/>", 10 << 18) + "</dates></tovendal>", 0},
        {"a NUL byte after the root",
         kStart + "><dates><event date=\"2015-01-01\">a</event></dates></tovendal>" + std::string(1, '\0') +
             "<event date=\"2015-01-02\">b</event>", 0},
        {"a reference to character 0", kStart + "><dates><event date=\"2015-01-01\">a&#x00;b</event></dates></tovendal>", 0},
        {"a reference that wraps round to character 0",
         kStart + " title=\"a&#x10000000000000000;b\"><dates/></tovendal>", 0},
        {"a reference to character 256 in a one-byte encoding",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><tovendal title=\"a&#256;b\"/>", 0},
        {"markup after text behind the root", "<a/>words<tovendal year=\"2015\"/>", 0},
        // TinyXML reads "&#x" up to the next ";" but checks only the digits before it.
        {"40,000 nested elements behind a reference that jumps", kStart + " title=\"&#x\"/><!-- x;\">" +
             Repeat("<x>", 40000) + Repeat("</x>", 40000) + "</tovendal> -->", 0},
        {"a reference without its semicolon", kStart + " title=\"&#65\"/>", 0},
        {"a plan of one-word events just over 24 MB",
         kDates + Repeat("<event date=\"2015-01-01\">word</event>\n", (24 << 20) / 38 + 1) +
             kDatesEnd, 0},
        {"3 GB that are not XML", "Just words, and then a long run of nothing.", huge},
        {"3 GB that start as XML", kStart + "><dates>", huge},
        {"an empty file", "", 0},
        {"a file cut off", "<?xml version=\"1.0\"?>\n<tovendal title=\"a\">\n  <dates>\n  <ev", 0},
        {"words", "just some words, not XML at all\n", 0},
        {"an unclosed element", "<tovendal><dates></tovendal>", 0},
        {"a picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe\0\x01", 20), 0},
    };
    // Missing, a folder, and a pipe that would block a reader forever.
    const wxString dir = MakeTempDir();
    std::vector<std::pair<std::string, wxString>> files = {
        {"missing", dir + "/missing.tovendal"}, {"a folder", dir}, {"a pipe", dir + "/pipe.tovendal"}};
    ASSERT_EQ(0, mkfifo(files.back().second.fn_str(), 0600));
    for (const auto& c : cases)
        files.emplace_back(c.what, WriteFile(c.bytes, c.size));
    struct rusage usage;
    const auto maxResidentKilobytes = [&usage] {
        return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : 0;
    };
    AnchorSeconds();
    for (const auto& [what, path] : files) {
        const long memoryBefore = maxResidentKilobytes();
        PlanDocument doc;
        wxString shown;
        bool loaded = true;
        const double seconds = Seconds([&] { loaded = Apply(doc, LOAD, path, &shown); });
        EXPECT_FALSE(loaded) << what;
        EXPECT_EQ("Load Error: This is not a correct Tovendal.", shown) << what;
        // Measured: 0.8 times the anchor at most, for the file refused at the node limit.
        EXPECT_LT(seconds, 4 * kOwnCodeSlowdown * AnchorSeconds()) << what << ": " << seconds << " s";
        EXPECT_LT(maxResidentKilobytes() - memoryBefore, 100 * 1024) << what;
        EXPECT_EQ(0u, doc.m_events.size()) << what;
    }
}

TEST(HostileFiles, TextsThatAreNotUtf8ComeOutEmptyAndTheRestIsRead)
{
    const char* const cases[][4] = {
        // title in the file, dates content before a last event; title and those events read
        {"Caf\xe9", "", "", ""}, {"\xe9", "", "", ""}, {"\xf4\x9e\x99\x8b above U+10FFFF", "", "", ""},
        {"\xed\xa0\x80 surrogate", "", "", ""}, {"\xc0\xaf overlong", "", "", ""},
        {"\xe0\x80\xaf overlong", "", "", ""}, {"\xf0\x80\x80\xaf overlong", "", "", ""},
        {"\xf8\x88\x80\x80\x80 five bytes", "", "", ""},
        {"\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf\xef\xbf\xbd", "",
         "\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf\xef\xbf\xbd", ""},
        {"t", "<event date=\"2015-01-01\">Caf\xe9</event>", "t", "2015-01-01||000|||\n"},
        {"t", "<event date=\"2015-01-01\">\xf4\x9e\x99\x8b</event><!-- Caf\xe9-->", "t",
         "2015-01-01||000|||\n"},
        // Other attributes keep their bytes, but for a broken lead byte before a quote.
        {"t", "<event date=\"2015-01-01\" colour=\"Caf\xe9s\" textcolour=\"\xe9xy\">\xf0</event>", "t",
         "2015-01-01||000|Caf\xc2\x80s|\xc3\xa9xy|\n"},
    };
    // Comments in the file, and what they read as.
    const std::pair<std::string, std::string> comments[] = {
        {"", "kept"}, {"<comments>\xf4\x9e\x99\x8b</comments>", ""},
        {"<comments><![CDATA[x\xe9]]></comments>", ""}, {"<comments>\xc3\xa9\xe9</comments>", ""}};
    for (const auto& c : cases) {
        for (const auto& comment : comments) {
            PlanDocument doc;
            doc.m_comments = "kept";
            ASSERT_TRUE(Apply(doc, LOAD, WriteFile(kStart + " title=\"" + c[0] + "\"><dates>" + c[1] +
                                                   "<event date=\"2015-01-02\">next</event></dates>" +
                                                   comment.first + "</tovendal>")))
                << c[0] << c[1] << comment.first;
            EXPECT_EQ(std::string(c[2]) + "|2015|2015|1|00|0|0|" + comment.second + "\n" + c[3] +
                          "2015-01-02||000|||next\n",
                      Describe(doc))
                << c[0] << c[1] << comment.first;
        }
    }
}

TEST(HostileFiles, HandEditedFilesThatTinyXmlReadsWholeAreRead)
{
    // Before the root, inside "dates" before and between events, inside "comments"; the comments read.
    const char* const cases[][5] = {
        {"<?xml-stylesheet type=\"text/xsl\" href=\"my plan.xsl\"?>", "", "", "", ""},
        {"<?editor saved with vim?>", "<?editor saved with vim?>", "<?editor  saved\twith vim?>", "", ""},
        {"", "<?xml-stylesheet href=\"my plan.xsl\" media=\"a > b\"?>", "", "", ""},
        {"<!DOCTYPE tovendal>", "<!-- HTML: write &#0; never -->", "<!-- &#x0; or &#; -->", "", ""},
        {"", "", "", "<![CDATA[write &#0; never]]><?editor saved?>", "write &#0; never"},
        // Attributes without quotes or blanks between them, an end tag with a blank, byte order marks.
        {"\xEF\xBB\xBF", "",
         "<event date=2015-01-03 colour='RED'textcolour=\"BLUE\">third</event\n>\xEF\xBB\xBF", "", ""},
    };
    for (const auto& c : cases) {
        PlanDocument doc;
        const std::string file = std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>") + c[0] +
                                 "\n<tovendal year=\"2015\" yearend=\"2015\"><dates>" + c[1] +
                                 "<event date=\"2015-01-01\">first</event>" + c[2] +
                                 "<event date=\"2015-01-02\">next</event></dates><comments>" + c[3] +
                                 "</comments></tovendal>";
        ASSERT_TRUE(Apply(doc, LOAD, WriteFile(file))) << file;
        const std::string third = std::strstr(c[2], "third") ? "2015-01-03||000|RED|BLUE|third\n" : "";
        EXPECT_EQ(std::string("|2015|2015|1|00|0|0|") + c[4] + "\n2015-01-01||000|||first\n" + third +
                      "2015-01-02||000|||next\n",
                  Describe(doc))
            << file;
    }
}

TEST(HostileFiles, ReaderNeverTouchesBytesPastTheFile)
{
    // The text ends, with its closing zero, at a page that may not be read.
    const long page = sysconf(_SC_PAGESIZE);
    char* pages = static_cast<char*>(mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE,
                                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(MAP_FAILED, pages);
    ASSERT_EQ(0, mprotect(pages + page, page, PROT_NONE));
    // After a declaration that makes TinyXML read UTF-8; whether the text parses.
    const std::pair<std::string, bool> cases[] = {
        {"<tovendal title=\"\xf0", false}, {"<tovendal title=\"Caf\xe9", false},
        {"<tovendal>\xe0\xa0", false}, {"<!-- \xf4\x8f", false},
        {"<tovendal title=\"\xe9\"/>\xf0", true}, {"<tovendal title=\"Caf\xe9\"/> \xe9\xe9", true},
    };
    for (const auto& [tail, parses] : cases) {
        const std::string bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + tail;
        char* text = pages + page - bytes.size() - 1;
        std::memcpy(text, bytes.data(), bytes.size() + 1);
        TiXmlDocument xml;
        EXPECT_EQ(parses, ParsePlanXml(xml, text, bytes.size())) << tail;
    }
    munmap(pages, 2 * page);
}

TEST(HostileFiles, WhatTheSaveWritesReadsBackAsItWas)
{
    const wxUniChar last(0x10FFFF), bad(0xFFFD);
    const wxString odd = wxString("a") + wxUniChar(0x110000) + wxUniChar(0xD800) + "b" + last;
    const wxString replaced = wxString("a") + bad + bad + "b" + last;
    // Title, description and comments alike; year 0: comments alone.
    const struct { wxString text, readBack; int year, month, day; } cases[] = {
        {"line\r\nbreaks\rkept\n", "line\r\nbreaks\rkept\n", 2015, 3, 1}, {"\r x", "\r x", 1, 1, 1},
        {" ]]>\r\n", " ]]>\r\n", 23, 3, 1}, {"x", "x", 29, 2, 23}, {"x", "x", 24, 2, 29},
        {"x", "x", 999, 12, 31}, {"x", "x", 1000, 1, 1}, {"x", "x", 9999, 12, 31},
        {"x", "x", 12345, 6, 7}, {"x", "x", -1, 1, 1}, {"x", "x", -999, 12, 31},
        {odd, replaced, 2015, 1, 1},
        // Comments of blanks alone are kept too, their CR read as LF as in any XML text.
        {" \r\n\r", " \n\n", 0, 0, 0},
        // References in comments, which go as CDATA, are not read as references.
        {"HTML: write &#0; never", "HTML: write &#0; never", 2015, 1, 1},
        {"&#x0; &#; &#x;", "&#x0; &#; &#x;", 2015, 1, 1},
        // Marks that TinyXML skips like blanks, alone or among blanks.
        {wxString(wxUniChar(0xFEFF)), wxString(wxUniChar(0xFEFF)), 2015, 1, 1},
        {wxString(wxUniChar(0xFFFE)) + wxUniChar(0xFFFF), wxString(wxUniChar(0xFFFE)) + wxUniChar(0xFFFF), 2015, 1, 1},
        {wxString(" ") + wxUniChar(0xFEFF) + "\n", wxString(" ") + wxUniChar(0xFEFF) + "\n", 2015, 1, 1},
    };
    for (const auto& c : cases) {
        PlanDocument doc, back;
        doc.m_comments = c.text;
        PlanEvent* event = nullptr;
        if (c.year) {
            doc.m_title = c.text;
            event = doc.m_events[doc.m_nextEventId++] = new PlanEvent;
            event->m_date = wxDateTime(c.day, wxDateTime::Month(c.month - 1), c.year);
            event->m_toDate = event->m_date + wxDateSpan::Days(400);
            event->m_hasToDate = true;
            event->m_text = c.text;
        }
        const wxString path = MakeTempDir() + "/plan.tovendal";
        ASSERT_TRUE(Apply(doc, SAVE, path)) << c.year;
        ASSERT_TRUE(Apply(back, LOAD, path)) << c.year;
        EXPECT_EQ(c.readBack, back.m_comments) << c.year;
        ASSERT_EQ(event ? 1u : 0u, back.m_events.size()) << c.year;
        if (!event)
            continue;
        const PlanEvent* read = back.m_events.begin()->second;
        EXPECT_EQ(c.readBack, back.m_title) << c.year;
        EXPECT_EQ(c.readBack, read->m_text) << c.year;
        EXPECT_EQ(event->m_date, read->m_date) << c.year << " " << read->m_date.Format().utf8_str();
        EXPECT_EQ(event->m_toDate, read->m_toDate) << c.year;
    }
}

TEST(HostileFiles, CostlyFormsLoadWithinAFewTimesTinyXmlsParseOfAPlainPlan)
{
    // The forms that cost TinyXML most per byte, at the limits a plan file may reach, each
    // loaded beside TinyXML parsing a plain plan of the same size.
    std::string wide = "<x";
    for (int i = 0; i < 32; ++i)
        wide += std::string(" ") + char('a' + i / 26) + char('a' + i % 26) + "='123456'";
    const struct { const char* what; std::string bytes; } cases[] = {
        {"the plain plan", PlainPlan()},
        {"elements of 32 attributes", Fill(kDates, wide + "/>", kDatesEnd)},
        {"as many nodes as a plan may have", Fill(kDates, "<xy a='1234567890'/>", kDatesEnd)},
        {"elements 32 deep", Fill(kDates, Repeat("<xyz>", 30) + Repeat("</xyz>", 30), kDatesEnd)},
        {"dates that are no dates", Fill(kDates, "<event date=\"" + Repeat("1 ", 73) + "1\"/>", kDatesEnd)},
        {"one long date", Fill(kDates + "<event date=\"", "1 January ", "\"/>" + kDatesEnd)},
        {"character references", Fill(kStart + " title=\"", "&#x41;&#233;", "\"/>")},
        {"comments", Fill(kStart + "><dates/><comments>", "<!-- c -->", "</comments></tovendal>")},
        {"instructions", Fill(kDates, "<?editor saved with vim?>", kDatesEnd)},
    };
    for (const auto& c : cases) {
        const wxString path = WriteFile(c.bytes);
        bool loaded = false;
        const double seconds = Best(2, [&] {
            PlanDocument doc;
            loaded = Apply(doc, LOAD, path);
        });
        EXPECT_TRUE(loaded) << c.what;
        // Measured: the plain plan 1.5 times the anchor, the costliest form 3.
        EXPECT_LT(seconds, 6 * kOwnCodeSlowdown * AnchorSeconds()) << c.what << ": " << seconds << " s";
    }
}
