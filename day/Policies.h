// The scheduled day policies, each a timer callback that throttles itself on the system clock.
#pragma once

// "forceday": every 300 s, sets the day to DayToForce.
void ForceDayTick();
// "forceweekday": every 60 s, sets the weekday, Monday 1 to Sunday 7, in config.json's
// "TimeZone" or else the server's local time.
void ForceWeekDayTick();
// "resetdays": every 60 s, sets DayToSetWhenReset once the day has reached DayToReset.
void ResetDaysTick();
// "forcemonthday": every 300 s, sets the day of the month, 1 to 31, in the same zone.
void ForceMonthDayTick();
