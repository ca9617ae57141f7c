#include "document/plandates.h"

#include <tinyxml.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

wxDateTime DateReader::Read(const TiXmlElement* element, const char* name)
{
    const char* value = element->Attribute(name);
    if (!value)
        return wxInvalidDateTime;
    int year, month, day;
    if (IsPlainDate(value, year, month, day)) {
        // The toolkit's dates begin on 24 November of the year -4713: earlier days are
        // no dates (its free-form parser would drop the minus sign).
        if (year < -4713 || (year == -4713 && (month < 11 || (month == 11 && day < 24))))
            return wxInvalidDateTime;
        const long key = (long(year) * 16 + month) * 32 + day;
        std::map<long, wxDateTime>::const_iterator found = m_days.find(key);
        if (found != m_days.end())
            return found->second;
        time_t midnight;
        const wxDateTime date = m_zoneRead && LocalMidnight(year, month, day, midnight)
                                    ? wxDateTime(midnight)
                                    : wxDateTime(wxDateTime::wxDateTime_t(day),
                                                 wxDateTime::Month(month - 1), year);
        // The toolkit's first date of the load that goes to mktime (1970 to 2037) has the
        // C library read the time zone again: the days after it are found in that zone.
        m_zoneRead = m_zoneRead || (year >= 1970 && year <= 2037);
        m_days[key] = date;
        return date;
    }
    wxDateTime date;
    wxString::const_iterator end;
    if (!date.ParseDate(wxString(value, wxConvISO8859_1), &end))
        return wxInvalidDateTime;
    return date;
}

bool DateReader::IsPlainDate(const char* text, int& year, int& month, int& day)
{
    const bool negative = text[0] == '-';
    const char* p = text + negative;
    int digits = 0;
    year = 0;
    for (; p[digits] >= '0' && p[digits] <= '9'; ++digits) {
        if (digits == 6)
            return false;
        year = year * 10 + (p[digits] - '0');
    }
    p += digits;
    for (int i = 0; i < 6; ++i) {
        const bool dash = i == 0 || i == 3;
        if (dash ? p[i] != '-' : (p[i] < '0' || p[i] > '9'))
            return false;
    }
    if (digits < 4 || p[6] != '\0')
        return false;
    if (negative)
        year = -year;
    month = (p[1] - '0') * 10 + (p[2] - '0');
    day = (p[4] - '0') * 10 + (p[5] - '0');
    return month >= 1 && month <= 12 && day >= 1
        && day <= wxDateTime::GetNumberOfDays(wxDateTime::Month(month - 1), year);
}

bool DateReader::LocalMidnight(int year, int month, int day, time_t& midnight)
{
    if (year < 1970 || year > 2037)
        return false;
    // Days from 1970-01-01 to the date in the proleptic Gregorian calendar.
    const int y = year - (month <= 2);
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const time_t utcMidnight = time_t(era * 146097 + dayOfEra - 719468) * 86400;
    struct tm at;
    if (!localtime_r(&utcMidnight, &at))
        return false;
    midnight = utcMidnight - at.tm_gmtoff;
    const time_t before = midnight - 26 * 3600, after = midnight + 26 * 3600;
    struct tm earlier, later;
    if (midnight == time_t(-1) || !localtime_r(&midnight, &at)
        || !localtime_r(&before, &earlier) || !localtime_r(&after, &later))
        return false;
    return at.tm_year == year - 1900 && at.tm_mon == month - 1 && at.tm_mday == day
        && at.tm_hour == 0 && at.tm_min == 0 && at.tm_sec == 0
        && earlier.tm_gmtoff == at.tm_gmtoff && later.tm_gmtoff == at.tm_gmtoff
        && earlier.tm_isdst == at.tm_isdst && later.tm_isdst == at.tm_isdst;
}

std::string FormatDate(const wxDateTime& date)
{
    // Four digits or more before 0 too, where the toolkit's "%Y" writes "-001": the load reads
    // the year as written.
    const wxDateTime::Tm tm = date.GetTm();
    char text[32];
    std::snprintf(text, sizeof text, "%s%04d-%02d-%02d", tm.year < 0 ? "-" : "", std::abs(tm.year),
                  tm.mon + 1, int(tm.mday));
    return text;
}
