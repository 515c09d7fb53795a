// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Calendar dates and times of day as the program reads and writes them: "dd/mm/yyyy" and "hh:mm:ss".

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace quaderna {

struct Date {
    int year = 1900;
    int month = 1;
    int day = 1;

    // Day, month and year separated by "/": a day and a month of one or two digits, a year of
    // four digits, blanks around the whole text ignored. Only dates of the Gregorian calendar pass.
    static std::optional<Date> parse(std::string_view text);
    static bool valid(int year, int month, int day);
    static bool leapYear(int year);
    static int daysInMonth(int year, int month);

    // "dd/mm/yyyy".
    std::string format() const;
    // Days since 1 January 1970 (negative before it).
    long long serial() const;
    static Date fromSerial(long long days);
    Date addDays(long long n) const { return fromSerial(serial() + n); }

    auto operator<=>(const Date&) const = default;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    // "hh:mm:ss", the long time format of the program.
    std::string format() const;
    auto operator<=>(const TimeOfDay&) const = default;
};

struct DateTime {
    Date date;
    TimeOfDay time;
};

// The local calendar date and time of this computer.
DateTime localNow();

} // namespace quaderna
