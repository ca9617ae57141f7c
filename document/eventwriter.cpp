#include "document/eventwriter.h"
#include "document/plandates.h"
#include "document/textcodec.h"

#include <tinyxml.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <vector>

namespace {

/// Appends text as TinyXML's printer writes it: up to its first NUL, with the
/// five markup characters as entities and control characters as references. U+FEFF,
/// U+FFFE and U+FFFF go as references too: TinyXML skips them among blanks, so a
/// text of nothing else would be lost.
void AppendEncoded(std::string& out, const std::string& text)
{
    static const char HEX[] = "0123456789ABCDEF";
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == 0xEF && text.compare(i, 3, "\xEF\xBB\xBF") == 0) {
            out += "&#xFEFF;";
            i += 2;
            continue;
        }
        if (c == 0xEF && (text.compare(i, 3, "\xEF\xBF\xBE") == 0 || text.compare(i, 3, "\xEF\xBF\xBF") == 0)) {
            out += text[i + 2] == '\xBE' ? "&#xFFFE;" : "&#xFFFF;";
            i += 2;
            continue;
        }
        switch (c) {
        case '\0': return;
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            if (c < 32) {
                const char reference[] = {'&', '#', 'x', HEX[c >> 4], HEX[c & 15], ';'};
                out.append(reference, sizeof reference);
            } else {
                out += ch;
            }
        }
    }
}

/// Appends ' name="value"' as TinyXML prints an attribute: quoted with
/// apostrophes when the value holds a quotation mark.
void AppendAttribute(std::string& out, const char* name, const std::string& value)
{
    const std::string::size_type end = value.find('\0');
    const char quote = value.find('"') < end ? '\'' : '"';
    out += ' ';
    out += name;
    out += '=';
    out += quote;
    AppendEncoded(out, value);
    out += quote;
}

/// The `dates` element of a save. It prints its events straight from the
/// plan's records, in start-date order and byte for byte as TinyXML prints one
/// `event` element per record, without building those elements: a large plan
/// would otherwise spend most of its save allocating and freeing them. Only
/// TinyXML's file printing (SaveFile, Print) shows the events; a visitor such
/// as TiXmlPrinter sees an empty element.
// Hand-written: bench_planfile's BM_SaveBesideTinyXml is 2.4x slower with a list sort and TinyXML elements.
class EventListElement : public TiXmlElement
{
public:
    explicit EventListElement(const PlanEventMap& events) : TiXmlElement("dates")
    {
        m_events.reserve(events.size());
        for (PlanEventMap::const_iterator it = events.begin(); it != events.end(); ++it) {
            if (!it->second)
                continue;
            const Day& day = DayOf(it->second->m_date);
            m_events.push_back({day.key, it->second, &day.text});
        }
        // The order of the toolkit list's sort with CompareDateSortItems: by
        // local calendar day, records of one day in the map's order (that sort
        // is the C library's merge sort, which keeps equal records in order).
        std::stable_sort(m_events.begin(), m_events.end(),
                         [](const Entry& a, const Entry& b) { return a.day < b.day; });
    }

    void Print(FILE* cfile, int depth) const override
    {
        std::string out;
        out.reserve(m_events.size() * 128 + 64);
        out.append(4 * depth, ' ');
        if (m_events.empty()) {
            out += "<dates />";
        } else {
            out += "<dates>";
            for (const Entry& entry : m_events) {
                out += '\n';
                out.append(4 * (depth + 1), ' ');
                AppendEvent(out, *entry.event, *entry.date);
            }
            out += '\n';
            out.append(4 * depth, ' ');
            out += "</dates>";
        }
        std::fwrite(out.data(), 1, out.size(), cfile);
    }

private:
    /// A local calendar day: its sort key and its "%Y-%m-%d" text.
    struct Day
    {
        long long key;
        std::string text;
    };

    struct Entry
    {
        long long day;
        const PlanEvent* event;
        const std::string* date;
    };

    /// The day of a date, worked out once per distinct time: the local-time
    /// conversion is the costly part of a date, and plans repeat their days.
    const Day& DayOf(const wxDateTime& date) const
    {
        if (!date.IsValid())
            return m_noDay;
        Day& day = m_days[date.GetValue().GetValue()];
        if (day.text.empty()) {
            const wxDateTime::Tm tm = date.GetTm();
            day.key = (static_cast<long long>(tm.year) * 16 + tm.mon) * 32 + tm.mday;
            day.text = FormatDate(date);
        }
        return day;
    }

    /// One event element as TinyXML prints it: its attributes in order, then its text.
    void AppendEvent(std::string& out, const PlanEvent& event, const std::string& date) const
    {
        out += "<event";
        AppendAttribute(out, "date", date);
        const bool hasToDate = event.m_hasToDate && event.m_toDate.IsValid();
        if (hasToDate)
            AppendAttribute(out, "todate", DayOf(event.m_toDate).text);
        if (hasToDate && event.m_firstDayOnly)
            out += " fstdayonly=\"yes\"";
        AppendAttribute(out, "colour", ToAscii(event.m_colour));
        if (!event.m_textColour.empty())
            AppendAttribute(out, "textcolour", ToAscii(event.m_textColour));
        if (event.m_annual)
            out += " annual=\"yes\"";
        out += '>';
        AppendEncoded(out, ToUtf8(event.m_text));
        out += "</event>";
    }

    // Invalid start dates sort first, as CompareDateSortItems puts them.
    const Day m_noDay = {LLONG_MIN, std::string()};
    mutable std::unordered_map<wxLongLong_t, Day> m_days;
    std::vector<Entry> m_events;
};

} // namespace

TiXmlElement* NewEventListElement(const PlanEventMap& events)
{
    return new EventListElement(events);
}

int RenderXml(const TiXmlDocument& xml, std::string& bytes)
{
    char* data = nullptr;
    size_t size = 0;
    FILE* stream = ::open_memstream(&data, &size);
    if (!stream)
        return errno ? errno : ENOMEM;
    const bool printed = xml.SaveFile(stream);
    const int error = std::fclose(stream) == 0 && printed ? 0 : (errno ? errno : ENOMEM);
    if (!error)
        bytes.assign(data, size);
    std::free(data);
    return error;
}
