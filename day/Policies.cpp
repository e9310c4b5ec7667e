// The scheduled day policies: a next-due point each, moved before the game is touched.
#include "Policies.h"

#include <chrono>
#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <string_view>

#include "config/Config.h"
#include "day/Day.h"
#include "day/PolicyTable.h"

namespace {

// System-clock time as signed 64-bit counts of 100 ns since the clock's epoch.
using Ticks = std::chrono::duration<int64_t, std::ratio<1, 10000000>>;

// A policy's interval from its row of the table, in ticks.
constexpr int64_t IntervalOf(PolicyRow row) { return kDayPolicies[row].intervalSeconds * 10'000'000LL; }
constexpr int64_t ForceDayInterval = IntervalOf(kForceDay);
constexpr int64_t ForceWeekDayInterval = IntervalOf(kForceWeekDay);
constexpr int64_t ResetDaysInterval = IntervalOf(kResetDays);
constexpr int64_t ForceMonthDayInterval = IntervalOf(kForceMonthDay);
static_assert(ForceDayInterval == 3'000'000'000 && ResetDaysInterval == 600'000'000);

int64_t NextForceDay = 0;
int64_t NextForceWeekDay = 0;
int64_t NextResetDays = 0;
int64_t NextForceMonthDay = 0;

// Returns whether a policy is due at now, and if so moves its next-due point one interval on.
// A next-due point more than one interval ahead can only come from a clock set backwards:
// the policy is then due at once, so it does not stay silent until the clock catches up.
bool Due(int64_t& nextDue, int64_t interval, std::chrono::system_clock::time_point now) {
  using std::chrono::duration_cast;
  using Duration = std::chrono::system_clock::duration;
  // Compared in the clock's own unit (scaling up multiplies; only a due run divides).
  const std::chrono::system_clock::time_point due(duration_cast<Duration>(Ticks(nextDue)));
  if (now < due && due - now <= duration_cast<Duration>(Ticks(interval))) return false;
  nextDue = duration_cast<Ticks>(now.time_since_epoch()).count() + interval;
  return true;
}

// A calendar date as the two calendar policies write it.
struct CalendarDate {
  int weekday;   // Monday 1 ... Sunday 7
  int monthDay;  // 1 ... 31
};

// Returns the date at now in config.json's "TimeZone" when it names one, otherwise in the
// server's local time; false when the C library cannot convert the time.
bool DateAt(std::chrono::system_clock::time_point now, CalendarDate& date) {
  if (ConfigTimeZone) {
    const cctz::civil_second local = ConfigTimeZone->Local(now);
    date = {static_cast<int>(cctz::get_weekday(local)) + 1, local.day()};  // cctz counts from Monday, 0
    return true;
  }
  const std::time_t time = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
#if defined(_WIN32)
  if (localtime_s(&local, &time) != 0) return false;
#else
  if (localtime_r(&time, &local) == nullptr) return false;
#endif
  date = {local.tm_wday == 0 ? 7 : local.tm_wday, local.tm_mday};
  return true;
}

}  // namespace

void ForceDayTick() {
  if (!Due(NextForceDay, ForceDayInterval, std::chrono::system_clock::now())) return;
  SetDay(Settings.DayToForce);
}

void ForceWeekDayTick() {
  const auto now = std::chrono::system_clock::now();
  if (!Due(NextForceWeekDay, ForceWeekDayInterval, now)) return;
  CalendarDate date{};
  if (!DateAt(now, date)) return;
  SetDay(date.weekday);
}

void ResetDaysTick() {
  if (!Due(NextResetDays, ResetDaysInterval, std::chrono::system_clock::now())) return;
  AShooterGameState* gameState = GetGameState(ZelApi::GetApiUtils().CurrentWorld());
  if (gameState == nullptr) return;
  int32_t* day = DayNumberRef(gameState);
  if (day == nullptr || *day < Settings.DayToReset) return;
  WriteDay(gameState, *day, Settings.DayToSetWhenReset);
}

void ForceMonthDayTick() {
  const auto now = std::chrono::system_clock::now();
  if (!Due(NextForceMonthDay, ForceMonthDayInterval, now)) return;
  CalendarDate date{};
  if (!DateAt(now, date)) return;
  SetDay(date.monthDay);
}
