// morrowset-preview on what another account or a careless hand plants: links, hard links and
// pipes under the page's names, a config swapped mid-run or nested past any stack, libraries that
// only pretend to be ours.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "PreviewRun.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace morrowset::test {
namespace {

namespace fs = std::filesystem;

const std::string kRun = "--from \"2027-01-04 00:00\" --for 1h --day-length 0 --html ";

// What may be planted under a name: a link to the config (symbolic where the platform makes
// them), a hard link to it, a pipe.
enum class Plant { SymbolicLink, HardLink, Pipe };

bool PlantAt(Plant plant, const fs::path& name, const fs::path& config) {
  std::error_code error;
  switch (plant) {
    case Plant::SymbolicLink:
#if defined(_WIN32)
      return false;
#else
      fs::create_symlink(config, name, error);
      return !error;
#endif
    case Plant::HardLink:
      fs::create_hard_link(config, name, error);
      return !error;
    case Plant::Pipe:
#if defined(_WIN32)
      return false;
#else
      return mkfifo(name.c_str(), 0600) == 0;
#endif
  }
  return false;
}

// A link or pipe planted under the name 1.3.0 wrote the page through, or under the page's own
// name: the config stays byte for byte, nothing waits on the pipe, and the page goes in place
// only where it was planted beside it.
TEST(PreviewEdges, NamesPlantedBeforeTheRunNeverRedirectThePage) {
  const std::string dir = ServerFolder("preview-planted", kBerlinWeekdays);
  const fs::path config = fs::absolute(fs::u8path(ConfigOf(dir)));
  const std::string bytes = ReadFile(config.u8string());
  const fs::path web = fs::path(testing::TempDir()) / "preview-planted-web";
  int planted = 0;  // what this platform can plant: hard links everywhere, the rest on Linux
  for (const Plant plant : {Plant::SymbolicLink, Plant::HardLink, Plant::Pipe}) {
    for (const char* name : {".page.html.writing", "page.html"}) {
      fs::remove_all(web);
      fs::create_directories(web);
      if (!PlantAt(plant, web / name, config)) continue;
      ++planted;
      std::string out;
      const bool beside = std::string(name) != "page.html";
      EXPECT_EQ(Preview(dir, kRun + Quote((web / "page.html").string()), out),
                beside ? kExitOnServerFolder : 2)
          << name << ": " << out;
      EXPECT_EQ(ReadFile(config.u8string()), bytes) << name << ": the config was written through";
      if (beside) {
        EXPECT_NE(ReadFile((web / "page.html").string()).find("<title>Morrowset preview"), std::string::npos);
      } else {
        EXPECT_EQ(out.rfind("morrowset-preview: --html: ", 0), 0u)
            << out;  // not ours, or the config's folder
      }
      EXPECT_TRUE(fs::exists(fs::symlink_status(web / name))) << name << ": the planted name was removed";
    }
  }
  EXPECT_GE(planted, 2);
  fs::remove_all(web);
  fs::remove_all(dir);
}

#if !defined(_WIN32)
// A link planted under the page's name while the run goes on: the page is not written through it.
TEST(PreviewEdges, ALinkPlantedDuringTheRunIsNotWrittenThrough) {
  const std::string dir = ServerFolder("preview-planted-late", kBerlinWeekdays);
  const std::string config = fs::absolute(fs::u8path(ConfigOf(dir))).string();
  const std::string bytes = ReadFile(config);
  const fs::path temp = fs::path(testing::TempDir()) / "preview-planted-temp";
  const std::string page = testing::TempDir() + "preview-planted-late.html";
  fs::remove(page);
  fs::remove_all(temp);
  fs::create_directories(temp);
  std::string out;
  // Planted once the run has its scratch folder, that is after the page's checks.
  const std::string script = "cd " + Quote(dir) + " && { TMPDIR=" + Quote(temp.string()) + " " +
                             Quote(ProgramPath("morrowset-preview")) + " --server-dir . --for 30d --html " +
                             Quote(page) + " >/dev/null 2>&1 & p=$!; for i in $(seq 400); do [ -e " +
                             Quote(temp.string()) +
                             "/morrowset-preview-*/TolvApi ] && break; sleep 0.05; done; ln -s " +
                             Quote(config) + " " + Quote(page) + "; wait $p; echo \"status=$?\"; }";
  RunCommand(script, out);
  EXPECT_NE(out.find("status=1"), std::string::npos) << out;
  EXPECT_EQ(ReadFile(config), bytes);
  EXPECT_TRUE(fs::is_symlink(page));
  fs::remove(page);
  fs::remove_all(dir);
}

// A config swapped between two while previews run: each run's header and days come from the
// same one (the header came from one reading of the file, the run from another).
TEST(PreviewEdges, AConfigSwappedDuringTheRunIsReadOnce) {
  const std::string dir = ServerFolder("preview-swapped", ConfigJson(true, false, false, "", 5));
  const fs::path folder = fs::u8path(ConfigOf(dir)).parent_path();
  std::ofstream(folder / "five.json") << ConfigJson(true, false, false, "", 5);
  std::ofstream(folder / "nine.json") << ConfigJson(true, false, false, "", 9);
  std::ofstream(folder / "swap.sh") << "python3 " << Quote(MORROWSET_SWAP_SCRIPT) << " "
                                    << Quote(folder.string()) << " five.json nine.json &\ns=$!\ncd "
                                    << Quote(dir) << "\nfor i in $(seq 30); do timeout 20 "
                                    << Quote(ProgramPath("morrowset-preview"))
                                    << " --server-dir . --for 10m --day-length 0 | grep -E "
                                       "'DayToForce=|day at the end'; done\nrm "
                                    << Quote((folder / "five.json").string()) << "\nwait $s\n";
  std::string out;
  RunCommand("bash " + Quote((folder / "swap.sh").string()), out);
  std::istringstream lines(out);
  int runs = 0;
  for (std::string held, end; std::getline(lines, held) && std::getline(lines, end); ++runs)
    EXPECT_EQ(held.substr(held.find('=') + 1), end.substr(end.find(": ") + 2)) << held << " / " << end;
  EXPECT_EQ(runs, 30) << out;
  fs::remove_all(dir);
}
#endif

// A config nested 100,000 levels deep is reported as the checker reports it, not a crash.
TEST(PreviewEdges, AConfigNestedPastAnyStackIsReported) {
  const std::string dir = ServerFolder("preview-deep", std::string(100'000, '[') + std::string(100'000, ']'));
  std::string out;
  EXPECT_EQ(Preview(dir, "--for 1h", out), 1) << out.substr(0, 300);
  EXPECT_NE(out.find("the file holds an array, not an object"), std::string::npos) << out.substr(0, 300);
  fs::remove_all(dir);
}

// A library that holds a release's build identity is no plugin for it: it must import from the
// framework as the plugin does. It is refused, and never loaded.
TEST(PreviewEdges, ALibraryHoldingTheBuildIdentityAloneIsRefused) {
  const std::string dir = ServerFolder("preview-pretender", kBerlinWeekdays);
  const fs::path library =
      DevHost::PluginFolder(dir, "MorrowsetVelde") + "/" + DevHost::LibraryFileName("MorrowsetVelde");
  fs::copy_file(MORROWSET_MARKER_LIBRARY, library, fs::copy_options::overwrite_existing);
  std::ofstream(library, std::ios::binary | std::ios::app)
      << std::string("@(#)Morrowset " MORROWSET_VERSION) + '\0';
  std::string out;
  EXPECT_EQ(Preview(dir, "--for 1h", out), 1) << out;
  EXPECT_NE(out.find("is not a Morrowset build (it names a Morrowset release but is no plugin library of the "
                     "framework)"),
            std::string::npos)
      << out;
  EXPECT_EQ(Marks(dir), std::vector<std::string>{}) << out;
  fs::remove_all(dir);
}

// A stand-in that offers its entry point but no table is refused in one line (it crashed the preview).
TEST(PreviewEdges, AStandInWithoutItsTableIsRefusedInOneLine) {
  const std::string dir = ServerFolder("preview-null-stand-in", kBerlinWeekdays);
  const std::string copy = CopyOfThePreview("preview-null-table");
  const fs::path folder = fs::path(copy).parent_path();
  fs::create_directories(folder / "stand-in");
  fs::copy_file(MORROWSET_NULL_STANDIN, folder / "stand-in" / fs::path(MORROWSET_STANDIN_PATH).filename());
  std::string out;
  EXPECT_EQ(RunCommand(CdInto(dir) + Quote(copy) + " --server-dir . --for 1h", out), 1);
  EXPECT_NE(out.find("is not Morrowset's stand-in of the framework (it offers no control table)"),
            std::string::npos)
      << out;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
  fs::remove_all(folder);
  fs::remove_all(dir);
}

#if defined(_WIN32)
// A page held open by another program without leave to delete it cannot be replaced: the run
// says why (it said "Success"), and the page stays whole.
TEST(PreviewEdges, APageThatCannotBeReplacedSaysWhy) {
  const std::string dir = ServerFolder("preview-held-page", kBerlinWeekdays);
  const std::string page = testing::TempDir() + "preview-held-page.html";
  fs::remove(page);
  std::string out;
  ASSERT_EQ(Preview(dir, kRun + Quote(page), out), kExitOnServerFolder) << out;
  const std::string before = ReadFile(page);
  HANDLE held = CreateFileW(fs::u8path(page).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Preview(dir, kRun + Quote(page), out), 1) << out;
  CloseHandle(held);
  const auto line = LinesStartingWith(out, "morrowset-preview: cannot put the page in place at ");
  ASSERT_EQ(line.size(), 1u) << out;
  std::string reason = line[0].substr(line[0].rfind(": ") + 2);
  std::transform(reason.begin(), reason.end(), reason.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  EXPECT_EQ(reason.find("success"), std::string::npos)
      << line[0];  // the reason of the last call, not the rename's
  EXPECT_EQ(ReadFile(page), before);
  fs::remove_all(dir);
}

// Windows' device names name no file in any folder: refused before the run, exit 2.
// A temporary folder that is none is named, with the variable that sets it.
TEST(PreviewEdges, ATemporaryFolderThatIsNoneIsNamed) {
  const std::string dir = ServerFolder("preview-no-temp", kBerlinWeekdays);
  const std::string missing = dir + "/no-such-folder";
#if defined(_WIN32)
  const std::string set = "set \"TEMP=" + missing + "\" && set \"TMP=" + missing + "\" && ";
  const char* variable = "set TEMP (or TMP)";
#else
  const std::string set = "TMPDIR=" + Quote(missing) + " ";
  const char* variable = "set TMPDIR";
#endif
  std::string out;
  EXPECT_EQ(
      RunCommand(CdInto(dir) + set + Quote(ProgramPath("morrowset-preview")) + " --server-dir . --for 1h",
                 out),
      1)
      << out;
  EXPECT_NE(out.find("morrowset-preview: the temporary folder "), std::string::npos) << out;
  EXPECT_NE(out.find(" is no folder this program can use: " + std::string(variable)), std::string::npos)
      << out;
  fs::remove_all(dir);
}

TEST(PreviewEdges, DeviceNamesAreRefusedBeforeTheRun) {
  const std::string dir = ServerFolder("preview-devices", kBerlinWeekdays);
  for (const char* name : {"NUL", "con", "aux.html", "COM1.htm"}) {
    std::string out;
    EXPECT_EQ(Preview(dir, kRun + name, out), 2) << name << ": " << out;
    EXPECT_NE(out.find("is a device name of Windows, not a file"), std::string::npos) << out;
    EXPECT_EQ(LinesStartingWith(out, "2027-"), std::vector<std::string>{}) << "it ran before refusing";
  }
  fs::remove_all(dir);
}
#endif

}  // namespace
}  // namespace morrowset::test
