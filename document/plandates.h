#ifndef TOVENDAL_DOCUMENT_PLANDATES_H
#define TOVENDAL_DOCUMENT_PLANDATES_H

#include <wx/datetime.h>

#include <ctime>
#include <map>
#include <string>

class TiXmlElement;

/// Reads date attributes for one load. The form the save writes, "%Y-%m-%d"
/// with a real calendar day, is taken directly and each day computed once:
/// making a local date asks the C library for the time zone every time, which
/// dominates a large plan's load. Anything else goes to the toolkit's
/// free-form parser.
// Hand-written: bench_planfile's BM_LoadBesideTinyXml is 2x slower with wxDateTime::ParseISODate.
class DateReader
{
public:
    /// Parses the attribute; invalid when absent or not a date.
    wxDateTime Read(const TiXmlElement* element, const char* name);

private:
    /// The save's form: a year of four to six digits (after a minus sign before year 0),
    /// then "-%m-%d" with a real calendar day.
    static bool IsPlainDate(const char* text, int& year, int& month, int& day);

    /// The time of local midnight starting the day, as the toolkit's date constructor
    /// finds it with mktime, which checks the zone file on disk for every call. Taken
    /// only in the years the toolkit gives to mktime, and only where the offset from
    /// UTC is the same a day before and after, so that midnight is one unique time.
    static bool LocalMidnight(int year, int month, int day, time_t& midnight);

    std::map<long, wxDateTime> m_days;
    bool m_zoneRead = false;
};

/// Writes a date as "%Y-%m-%d" in local time.
std::string FormatDate(const wxDateTime& date);

#endif // TOVENDAL_DOCUMENT_PLANDATES_H
