// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/Date.h"

#include "core/text/Text.h"

#include <cstdio>
#include <ctime>

namespace quaderna {

namespace {

// Reads one to maxDigits digits at s[i]; advances i.
std::optional<int> readNumber(std::string_view s, std::size_t& i, std::size_t minDigits,
                              std::size_t maxDigits) {
    std::size_t start = i;
    int value = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - start < maxDigits) {
        value = value * 10 + (s[i] - '0');
        ++i;
    }
    const std::size_t n = i - start;
    if (n < minDigits || (i < s.size() && s[i] >= '0' && s[i] <= '9'))
        return std::nullopt;
    return value;
}

} // namespace

bool Date::leapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int Date::daysInMonth(int y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2 && leapYear(y))
        return 29;
    return kDays[m - 1];
}

bool Date::valid(int y, int m, int d) {
    return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= daysInMonth(y, m);
}

std::optional<Date> Date::parse(std::string_view text) {
    const std::string_view s = text::trimView(text);
    // The program's own "dd/mm/yyyy", read on the spot.
    const auto digit = [&](std::size_t k) { return static_cast<unsigned char>(s[k] - '0') <= 9; };
    if (s.size() == 10 && s[2] == '/' && s[5] == '/' && digit(0) && digit(1) && digit(3) && digit(4) &&
        digit(6) && digit(7) && digit(8) && digit(9)) {
        const int d = (s[0] - '0') * 10 + (s[1] - '0'), m = (s[3] - '0') * 10 + (s[4] - '0');
        const int y = (s[6] - '0') * 1000 + (s[7] - '0') * 100 + (s[8] - '0') * 10 + (s[9] - '0');
        if (!valid(y, m, d))
            return std::nullopt;
        return Date{y, m, d};
    }
    std::size_t i = 0;
    const auto d = readNumber(s, i, 1, 2);
    if (!d || i >= s.size() || s[i] != '/')
        return std::nullopt;
    ++i;
    const auto m = readNumber(s, i, 1, 2);
    if (!m || i >= s.size() || s[i] != '/')
        return std::nullopt;
    ++i;
    const auto y = readNumber(s, i, 4, 4);
    if (!y || i != s.size() || !valid(*y, *m, *d))
        return std::nullopt;
    return Date{*y, *m, *d};
}

std::string Date::format() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", day % 100, month % 100, year % 10000);
    return buf;
}

long long Date::serial() const {
    // Days from civil, proleptic Gregorian calendar.
    const long long y = year - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long mp = (month + 9) % 12;
    const long long doy = (153 * mp + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date Date::fromSerial(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = yoe + era * 400;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp < 10 ? mp + 3 : mp - 9;
    return Date{static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

std::string TimeOfDay::format() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hour % 100, minute % 100, second % 100);
    return buf;
}

DateTime localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return DateTime{Date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday},
                    TimeOfDay{tm.tm_hour, tm.tm_min, tm.tm_sec}};
}

} // namespace quaderna
