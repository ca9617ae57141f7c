#ifndef TOVENDAL_VIEW_BANKHOLIDAYS_H
#define TOVENDAL_VIEW_BANKHOLIDAYS_H

/// Stores the day (1-31) and month (3 or 4) of Easter Sunday of a Gregorian year.
void EasterSunday(int year, int* day, int* month);

#endif // TOVENDAL_VIEW_BANKHOLIDAYS_H
