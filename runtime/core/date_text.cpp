#include "runtime/core/date_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "runtime/core/number_format.h"

namespace rt {
namespace {

constexpr double kFirstDay = -657434;  // 1 January 100
constexpr double kLastDay = 2958465;   // 31 December 9999
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kDaysFrom1899To1970 = 25569;

struct CivilDate {
  int64_t year;
  int64_t month;
  int64_t day;
};

// The proleptic Gregorian date of a day counted from 1 January 1970, through 400-year
// eras that begin on 1 March so that the leap day ends each year.
CivilDate DateOfDay(int64_t days_since_1970) {
  const int64_t z = days_since_1970 + 719468;  // days since 1 March of year 0
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t day_of_era = z - era * 146097;
  const int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int64_t march_based_month = (5 * day_of_year + 2) / 153;
  const int64_t day = day_of_year - (153 * march_based_month + 2) / 5 + 1;
  const int64_t month = march_based_month < 10 ? march_based_month + 3 : march_based_month - 9;
  const int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  return {year, month, day};
}

void AppendPart(std::string& text, int64_t number, const char* unit) {
  text += FormatInteger(number);
  text += unit;
}

}  // namespace

std::string FormatOleDate(double days) {
  if (std::isnan(days)) return {};
  const double clamped = std::clamp(days, kFirstDay, kLastDay);
  // Before 30 December 1899 the fraction still counts forward from midnight: -1.25 is
  // 29 December 1899, 6 o'clock.
  const double whole_days = std::trunc(clamped);
  int64_t day = static_cast<int64_t>(whole_days);
  int64_t seconds = std::llround(std::fabs(clamped - whole_days) * kSecondsPerDay);
  if (seconds == kSecondsPerDay) {  // rounded up to the next midnight
    ++day;
    seconds = 0;
  }
  const CivilDate date = DateOfDay(day - kDaysFrom1899To1970);
  const int64_t hour = seconds / 3600;
  const int64_t minute = seconds / 60 % 60;
  const int64_t second = seconds % 60;

  std::string text;
  AppendPart(text, date.year, "年");
  AppendPart(text, date.month, "月");
  AppendPart(text, date.day, "日");
  if (seconds == 0) return text;
  AppendPart(text, hour, "时");
  if (minute == 0 && second == 0) return text;
  AppendPart(text, minute, "分");
  if (second != 0) AppendPart(text, second, "秒");
  return text;
}

}  // namespace rt
