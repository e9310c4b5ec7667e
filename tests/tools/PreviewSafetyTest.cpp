// morrowset-preview loads only its own stand-in, writes only pages of its own, and leaves no
// copy of the plugin behind, whatever the machine and the admin give it.
#include <filesystem>
#include <fstream>

#include "PreviewRun.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace morrowset::test {
namespace {

namespace fs = std::filesystem;

#if defined(_WIN32)
const char* const kStandInName = "ZelApi.dll";
#else
const char* const kStandInName = "libZelApi.so";
#endif

// Returns a shell prefix that puts folder first in the loader's search path.
std::string SearchPathFirst(const std::string& folder) {
#if defined(_WIN32)
  return "set \"PATH=" + folder + ";%PATH%\" && ";
#else
  return "LD_LIBRARY_PATH=" + Quote(folder) + " ";
#endif
}

// Decoys named like the framework in the current folder, in the server folder, and first in the
// loader's search path; a preview beside a decoy and no stand-in; a stand-in that is a decoy.
TEST(PreviewSafety, LoadsOnlyItsOwnStandInByItsFullPath) {
  const std::string dir = ServerFolder("preview-decoys", kBerlinWeekdays);
  const std::string args = " --server-dir . --from \"2027-01-04 00:00\" --for 1h --day-length 0";
  std::string out;
  EXPECT_EQ(
      RunCommand(CdInto(dir) + SearchPathFirst(dir) + Quote(ProgramPath("morrowset-preview")) + args, out),
      kExitOnServerFolder)
      << out;
  EXPECT_EQ(Marks(dir), std::vector<std::string>{}) << out;

  const std::string alone = CopyOfThePreview("preview-alone");
  const fs::path aloneDir = fs::path(alone).parent_path();
  fs::copy_file(MORROWSET_MARKER_LIBRARY, aloneDir / kStandInName);
  EXPECT_EQ(RunCommand(CdInto(dir) + SearchPathFirst(dir) + Quote(alone) + args, out), 1) << out;
  EXPECT_EQ(LinesStartingWith(out, "morrowset-preview: no stand-in of the framework at ").size(), 1u) << out;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
  EXPECT_EQ(Marks(dir), std::vector<std::string>{}) << out;
  EXPECT_EQ(Marks(aloneDir.string()), std::vector<std::string>{}) << out;

  fs::create_directories(aloneDir / "stand-in");
  fs::copy_file(MORROWSET_MARKER_LIBRARY, aloneDir / "stand-in" / kStandInName);
  EXPECT_EQ(RunCommand(CdInto(dir) + Quote(alone) + args, out), 1) << out;
  EXPECT_NE(out.find("is not Morrowset's stand-in of the framework (it names none), so it was not loaded"),
            std::string::npos)
      << out;
  EXPECT_EQ(Marks(dir), std::vector<std::string>{}) << "the plugin or a decoy ran: " << out;
  EXPECT_EQ(Marks(aloneDir.string()), std::vector<std::string>{})
      << "the decoy was loaded to be refused: " << out;

  // The stand-in of another release: told by the name it carries, before it is loaded.
  std::string standIn;
  {
    std::ifstream in(MORROWSET_STANDIN_PATH, std::ios::binary);
    standIn.assign(std::istreambuf_iterator<char>(in), {});
  }
  const std::string mark = "@(#)Morrowset stand-in " MORROWSET_VERSION;
  ASSERT_NE(standIn.find(mark), std::string::npos);
  standIn.replace(standIn.find(mark) + mark.size() - 1, 1, "9");
  std::ofstream(aloneDir / "stand-in" / kStandInName, std::ios::binary | std::ios::trunc) << standIn;
  EXPECT_EQ(RunCommand(CdInto(dir) + Quote(alone) + args, out), 1) << out;
  EXPECT_NE(out.find("it is the stand-in of Morrowset " + std::string(MORROWSET_VERSION).substr(0, 4) +
                     "9, not of " + MORROWSET_VERSION + ", so it was not loaded"),
            std::string::npos)
      << out;
  fs::remove_all(dir);
  fs::remove_all(aloneDir);
}

// A page goes only where no file or only a page of ours stands; anything else stays whole.
TEST(PreviewSafety, HtmlReplacesOnlyItsOwnPages) {
  const std::string dir = ServerFolder("preview-html", kBerlinWeekdays);
  const std::string args = "--from \"2027-01-04 00:00\" --for 1h --day-length 0 --html ";
  const std::string notes = testing::TempDir() + "preview-notes.txt";
  std::ofstream(notes) << "the admin's notes\n";
  std::string out;
  EXPECT_EQ(Preview(dir, args + Quote(notes), out), 2) << out;
  EXPECT_NE(out.find("is not a page morrowset-preview wrote; it stays as it is"), std::string::npos) << out;
  EXPECT_EQ(LinesStartingWith(out, "2027-"), std::vector<std::string>{}) << "it ran before refusing";
  std::ifstream kept(notes);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "the admin's notes\n");

  const std::string page = testing::TempDir() + "preview-own.html";
  fs::remove(page);
  ASSERT_EQ(Preview(dir, args + Quote(page), out), kExitOnServerFolder) << out;
  std::ofstream(page, std::ios::app) << "<!-- an old run -->";
  ASSERT_EQ(Preview(dir, args + Quote(page), out), kExitOnServerFolder) << out;
  std::string text;  // read and closed again: Windows renames nothing over an open file
  {
    std::ifstream written(page);
    text.assign(std::istreambuf_iterator<char>(written), {});
  }
  EXPECT_EQ(text.find("an old run"), std::string::npos) << "its own page was not replaced";
  EXPECT_NE(text.find("<p class=\"written\">written 20"), std::string::npos) << "the page says not when";

  // The config no longer loads: its own page now says why, and no calendar; the notes stay.
  std::ofstream(ConfigOf(dir)) << "{\"ForceDay\": 1}";
  EXPECT_EQ(Preview(dir, args + Quote(page), out), 1) << out;
  EXPECT_NE(out.find("says why the preview did not run"), std::string::npos) << out;
  std::ifstream failed(page);
  const std::string why(std::istreambuf_iterator<char>(failed), {});
  EXPECT_NE(why.find("type must be boolean, but is number"), std::string::npos) << why;
  EXPECT_EQ(why.find("data-date"), std::string::npos) << why;
  EXPECT_EQ(Preview(dir, args + Quote(notes), out), 1) << out;
  std::ifstream untouched(notes);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(untouched), {}), "the admin's notes\n");
  EXPECT_EQ(fs::directory_iterator(fs::path(page).parent_path()) == fs::directory_iterator(), false);
  for (const auto& entry : fs::directory_iterator(fs::path(page).parent_path()))
    EXPECT_EQ(entry.path().filename().string().find(".writing"), std::string::npos) << entry.path();
  fs::remove_all(dir);
}

// A config.json over 1 MiB, or one that is a pipe, is refused in one line before it is read.
TEST(PreviewSafety, AConfigNoServerCouldReadIsRefusedUnread) {
  const std::string dir = ServerFolder("preview-refused-config", kBerlinWeekdays);
  const fs::path config = fs::u8path(ConfigOf(dir));
  fs::resize_file(config, 1ull << 30);
  std::string out;
  EXPECT_EQ(Preview(dir, "--for 1h", out), 1) << out;
  EXPECT_EQ(
      out, Shown(ConfigOf(".")) +
               " is 1073741824 bytes, more than the 1024 KiB a config.json may be (the default is well under "
               "1 KiB); not read\n");
#if !defined(_WIN32)
  fs::remove(config);
  ASSERT_EQ(mkfifo(config.c_str(), 0600), 0);
  EXPECT_EQ(Preview(dir, "--for 1h", out), 1) << out;  // and it returns: the pipe is never opened
  EXPECT_EQ(out.rfind(Shown(ConfigOf(".")) + " is not a file but a pipe", 0), 0u) << out;
#endif
  fs::remove_all(dir);
}

// Holds a leftover's lock as a living run does, while it lives.
class HeldLock {
 public:
  explicit HeldLock(const fs::path& file) {
#if defined(_WIN32)
    handle_ = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
#else
    fd_ = open(file.c_str(), O_RDWR | O_CREAT, 0600);
    flock(fd_, LOCK_EX);
#endif
  }
  ~HeldLock() {
#if defined(_WIN32)
    CloseHandle(handle_);
#else
    close(fd_);
#endif
  }

 private:
#if defined(_WIN32)
  HANDLE handle_;
#else
  int fd_;
#endif
};

std::string WithTemporaryFolder(const std::string& folder) {
#if defined(_WIN32)
  return "set \"TMP=" + folder + "\" && set \"TEMP=" + folder + "\" && ";
#else
  return "TMPDIR=" + Quote(folder) + " ";
#endif
}

// A later run removes the folders of earlier runs that were killed, and only those: not one a
// living run holds, not one without our lock file, not another program's.
TEST(PreviewSafety, ALaterRunRemovesOnlyTheLeftoversOfKilledRuns) {
  const std::string dir = ServerFolder("preview-leftovers", kBerlinWeekdays);
  const fs::path temp = fs::path(testing::TempDir()) / "preview-temp";
  fs::remove_all(temp);
  for (const char* name : {"morrowset-preview-1", "morrowset-preview-2", "morrowset-preview-3", "other-4"}) {
    fs::create_directories(temp / name / "TolvApi");
    std::ofstream(temp / name / "TolvApi" / "copy") << "a copy\n";
  }
  std::ofstream(temp / "morrowset-preview-1" / "in-use");  // killed: nobody holds it
  std::ofstream(temp / "other-4" / "in-use");
  const HeldLock living(temp / "morrowset-preview-2" / "in-use");
  std::string out;
  ASSERT_EQ(
      RunCommand(CdInto(dir) + WithTemporaryFolder(temp.string()) + Quote(ProgramPath("morrowset-preview")) +
                     " --server-dir . --from \"2027-01-04 00:00\" --for 1h --day-length 0",
                 out),
      kExitOnServerFolder)
      << out;
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(temp)) left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"morrowset-preview-2", "morrowset-preview-3", "other-4"}));
  fs::remove_all(dir);
}

#if !defined(_WIN32)
// Ctrl-C, SIGTERM, Ctrl-\ and a reader gone from the pipe: the run stops, removes its folder and
// ends as the signal ends a program.
// SIGKILL leaves the folder, which the next run removes.
TEST(PreviewSafety, SignalsLeaveNoCopyOfThePluginBehind) {
  const std::string dir = ServerFolder(
      "preview-signals", WithMember(ConfigJson(true, true, true, "true"), "TimeZone", "\"UTC\""));
  const fs::path temp = fs::path(testing::TempDir()) / "preview-signal-temp";
  for (const auto& [signal, status] : std::vector<std::pair<std::string, int>>{
           {"INT", 130}, {"TERM", 143}, {"QUIT", 131}, {"PIPE", 141}, {"KILL", 137}}) {
    fs::remove_all(temp);
    fs::create_directories(temp);
    std::string out;
    const std::string script = "cd " + Quote(dir) + " && { TMPDIR=" + Quote(temp.string()) + " " +
                               Quote(ProgramPath("morrowset-preview")) +
                               " --server-dir . --for 1000d >/dev/null & p=$!; "
                               // until the copy of the plugin is loaded into the run, no longer
                               "for i in $(seq 400); do grep -q 'morrowset-preview-.*MorrowsetVelde' "
                               "/proc/$p/maps 2>/dev/null && break; sleep 0.05; done; kill -" +
                               signal + " $p; wait $p; echo \"status=$?\"; }";
    RunCommand(script, out);
    EXPECT_NE(out.find("status=" + std::to_string(status)), std::string::npos) << signal << ": " << out;
    const bool left = fs::directory_iterator(temp) != fs::directory_iterator();
    EXPECT_EQ(left, signal == "KILL") << signal;
  }
  std::string out;
  ASSERT_EQ(RunCommand("cd " + Quote(dir) + " && TMPDIR=" + Quote(temp.string()) + " " +
                           Quote(ProgramPath("morrowset-preview")) + " --server-dir . --for 1h",
                       out),
            0)
      << out;
  EXPECT_EQ(fs::directory_iterator(temp), fs::directory_iterator()) << "the killed run's folder stays";
  fs::remove_all(dir);
}
#endif

}  // namespace
}  // namespace morrowset::test
