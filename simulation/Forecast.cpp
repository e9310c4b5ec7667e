// The forecast timeline: one line per change of the day clients see, rewrites counted.
#include "Forecast.h"

#include <cstdio>

#include "DevHost.h"
#include "Duration.h"
#include "WallClock.h"

void Forecast::Start(std::chrono::seconds duration, const GameClock& clock, double dayLengthSeconds) {
  const auto start = WallClock::Now();
  const char* format = "%Y-%m-%d %H:%M:%S %Z";
  char settings[128];
  int used = std::snprintf(settings, sizeof settings, "timer round every %g s, ",
                           std::chrono::duration<double>(clock.Interval()).count());
  if (dayLengthSeconds > 0)
    std::snprintf(settings + used, sizeof settings - used, "in-game day every %g s", dayLengthSeconds);
  else
    std::snprintf(settings + used, sizeof settings - used, "day cycle off");
  out_ << "forecast " << cli::DurationText(duration) << ": " << DevHost::LocalTime(start, format) << " to "
       << DevHost::LocalTime(start + duration, format) << ", " << settings << "\n";
  shown_ = {start, "start", DevHost::ReplicatedDay(), 0};
  end_ = start + duration;
  seen_.StartAt(shown_.day);
}

void Forecast::OnEvent(const DevHost::Event& event) {
  if (SeenDay::Concerns(event) && event.at >= end_) return;  // the span ends before its last instant
  const SeenDay::Seen seen = seen_.Take(event);
  if (!seen.shown) return;
  if (!seen.changed) {
    ++shown_.rewrites;
    return;
  }
  Print(shown_);
  shown_ = {event.at, event.source, event.day, 0};
}

void Forecast::Print(const Change& change) {
  char line[160];
  std::snprintf(line, sizeof line, "%s %-5s %s  %-13s day=%d",
                DevHost::LocalTime(change.at, "%Y-%m-%d %H:%M:%S").c_str(),
                DevHost::LocalTime(change.at, "%Z").c_str(), DevHost::LocalTime(change.at, "%a").c_str(),
                change.source.c_str(), change.day);
  out_ << line;
  if (change.rewrites > 0) out_ << "  (then rewritten " << change.rewrites << "x)";
  out_ << "\n";
}

int Forecast::Finish() {
  Print(shown_);
  std::string writes;
  for (const SeenDay::Writer& writer : seen_.Writers())
    writes += (writes.empty() ? "" : ", ") + writer.source + " " + std::to_string(writer.writes);
  out_ << SeenDayFooter(writes, seen_.Day());
  for (const auto& fault : seen_.Faults()) out_ << fault << "\n";
  return seen_.Faults().empty() ? 0 : 1;
}

int RunForecast(Forecast& forecast, GameClock& clock, std::chrono::seconds duration,
                double dayLengthSeconds) {
  forecast.Start(duration, clock, dayLengthSeconds);
  clock.Advance(duration);
  return forecast.Finish();
}
