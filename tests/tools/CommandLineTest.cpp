// The admin tools' command line on Windows: a double-click told from a prompt, and a quote a
// trailing backslash swallowed.
#include <gtest/gtest.h>

#include "CommandLine.h"
#include "support/ServerProcess.h"

namespace morrowset::test {
namespace {

// Only a program started with no arguments, alone on its console, is taken for a double-click in
// Explorer: a command prompt, a script or a service shares its console or has none.
TEST(DoubleClick, NeedsNoArgumentsAndAConsoleOfItsOwn) {
  EXPECT_TRUE(StartedByDoubleClick(0, 1));
  EXPECT_FALSE(StartedByDoubleClick(0, 2));  // cmd.exe and the program
  EXPECT_FALSE(StartedByDoubleClick(0, 0));  // no console: a service, a pipe, not Windows
  EXPECT_FALSE(StartedByDoubleClick(1, 1));  // dragged a file onto it, or a shortcut with arguments
}

// --server-dir "C:\Game Server\" --for 1d reaches the program as one argument, the quote kept and
// the rest taken in: the admin is told to drop the backslash, in one line.
TEST(CommandLine, AQuoteSwallowedByATrailingBackslashIsNamed) {
  EXPECT_EQ(QuoteSwallowed({"morrowset-check", "--server-dir", "C:\\Game Server"}), "");
  const std::string said = QuoteSwallowed({"morrowset-check", "--server-dir", "C:\\Game Server\" --for 1d"});
  EXPECT_EQ(said.rfind("an argument holds a double quote (C:\\Game Server\" --for 1d): ", 0), 0u) << said;
  EXPECT_NE(said.find("drop the last backslash: \"C:\\Game Server\""), std::string::npos) << said;
  EXPECT_EQ(said.find('\n'), std::string::npos);
#if defined(_WIN32)
  std::string out;  // Windows' own reading of the command line, through the built program
  EXPECT_EQ(
      RunCommand(Quote(ProgramPath("morrowset-check")) + " --server-dir \"C:\\Game Server\\\" --strict", out),
      2);
  EXPECT_NE(out.find("drop the last backslash"), std::string::npos) << out;
#endif
}

}  // namespace
}  // namespace morrowset::test
