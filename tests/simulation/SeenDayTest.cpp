// The day players see: what shows a day, who wrote it, and the footer of a run.
#include <gtest/gtest.h>

#include "SeenDay.h"

namespace {

using Kind = DevHost::Event::Kind;

DevHost::Event At(Kind kind, const std::string& source, int32_t day) {
  DevHost::Event event;
  event.kind = kind;
  event.source = source;
  event.day = day;
  return event;
}

// A write shows nothing until the network update; the day cycle writes and shows at once; an
// update of the same day is shown but changes nothing.
TEST(SeenDay, OnlyAnUpdateOrTheDayCycleShowsADay) {
  SeenDay seen(1);
  auto take = [&seen](Kind kind, const char* source, int32_t day) {
    const SeenDay::Seen s = seen.Take(At(kind, source, day));
    return std::to_string(s.write) + std::to_string(s.shown) + std::to_string(s.changed) + " day " +
           std::to_string(seen.Day());
  };
  EXPECT_EQ(take(Kind::Day, "forceday", 5), "100 day 1");
  EXPECT_EQ(take(Kind::Update, "forceday", 5), "011 day 5");
  EXPECT_EQ(take(Kind::Day, "forceday", 5), "100 day 5");
  EXPECT_EQ(take(Kind::Update, "forceday", 5), "010 day 5");
  EXPECT_EQ(take(Kind::Dawn, "dawn", 6), "111 day 6");
  EXPECT_EQ(take(Kind::Register, "load", 0), "000 day 6");
  EXPECT_EQ(take(Kind::None, "host", 9), "000 day 6");
}

// Writers are listed in the order of their first write with their counts; a fault is kept by its
// name, and counts as no write.
TEST(SeenDay, WritersInTheOrderTheyFirstWroteAndTheFooter) {
  SeenDay seen(3);
  for (const auto& [kind, source] : std::vector<std::pair<Kind, std::string>>{{Kind::Dawn, "dawn"},
                                                                              {Kind::Day, "forceday"},
                                                                              {Kind::Update, "forceday"},
                                                                              {Kind::Day, "forceday"},
                                                                              {Kind::Dawn, "dawn"},
                                                                              {Kind::Day, "console"}})
    seen.Take(At(kind, source, 4));
  std::string writers;
  for (const SeenDay::Writer& writer : seen.Writers())
    writers += writer.source + "=" + std::to_string(writer.writes) + " ";
  EXPECT_EQ(writers, "dawn=2 forceday=2 console=1 ");
  EXPECT_EQ(SeenDayFooter("", seen.Day()), "writes: none\nday at the end: 4\n");
  EXPECT_EQ(SeenDayFooter("dawn 2", -7), "writes: dawn 2\nday at the end: -7\n");
  seen.StartAt(9);
  EXPECT_EQ(seen.Day(), 9);
  EXPECT_TRUE(seen.Faults().empty());
  DevHost::Event fault = At(Kind::Fault, "host", 0);
  fault.text = "buffer freed twice";
  seen.Take(fault);
  seen.Take(At(Kind::Day, "forceday", 5));
  EXPECT_EQ(seen.Faults(), std::vector<std::string>{fault.Name()});
  EXPECT_EQ(seen.Writers()[1].source + "=" + std::to_string(seen.Writers()[1].writes),
            "forceday=3");  // no fault wrote
}

}  // namespace
