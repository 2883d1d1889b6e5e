// The tool's files appear whole or not at all: killed while it renders or while it writes,
// refused a folder, or pointed at its own input, it leaves no partial file and overwrites
// nothing it reads.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/tool/ToolRun.h"
#include "tools/skarvel/OutputFile.h"

extern char** environ;

namespace {

std::set<std::string> Entries(const std::string& dir)
{
  std::set<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.insert(e->d_name);
    closedir(d);
  }
  return names;
}

std::string FileText(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteNoise(const std::string& path, int seconds)
{
  SF_INFO info = {};
  info.samplerate = 44100;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(f, nullptr);
  std::vector<float> block(2 * 44100);
  unsigned state = 1;
  for (int s = 0; s < seconds; ++s) {
    for (float& x : block)
      x = static_cast<float>((state = state * 1664525u + 1013904223u) >> 8) / 16777216.0f - 0.5f;
    sf_writef_float(f, block.data(), 44100);
  }
  sf_close(f);
}

pid_t StartTool(const std::vector<std::string>& args)
{
  std::vector<std::string> all = {SKARVEL_TOOL};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&quiet);
  return pid;
}

// True once the process holds an open file in `dir` that has no name yet: its output.
bool WritingUnnamedFileIn(pid_t pid, const std::string& dir)
{
  const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
  for (const std::string& fd : Entries(fds)) {
    char target[4096];
    const ssize_t n = readlink((fds + "/" + fd).c_str(), target, sizeof target - 1);
    if (n <= 0) continue;
    const std::string link(target, static_cast<size_t>(n));
    if (link.rfind(dir + "/", 0) == 0 && link.find("(deleted)") != std::string::npos) return true;
  }
  return false;
}

bool Running(pid_t pid)
{
  int status;
  return waitpid(pid, &status, WNOHANG) == 0;
}

long long FramesIn(const std::string& path)
{
  SF_INFO info = {};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  if (!f) return -1;
  sf_close(f);
  return info.frames;
}

}  // namespace

// Killed at moments spread over the render, and once for certain while the output is being
// written: afterwards the folder holds the input and the output, and the output is either the
// untouched older file or, when the render finished before the signal, a whole one.
TEST(OutputSafety, AKilledRenderLeavesNoPartialFile)
{
  const std::string dir = TempFolder();
  WriteNoise(dir + "/in.wav", 60);
  const std::string older = "an older render";
  std::ofstream(dir + "/out.flac") << older;
  const std::set<std::string> before = Entries(dir);
  const std::vector<std::string> args = {"render", dir + "/in.wav", dir + "/out.flac", "--preset",
                                         "Slow Phaser"};
  // Left alone, the render replaces the older file with a whole one; its length sets the
  // moments of the kills below.
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t whole = StartTool(args);
  ASSERT_GT(whole, 0);
  int status = 0;
  waitpid(whole, &status, 0);
  const auto renderTime = std::chrono::steady_clock::now() - t0;
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(FramesIn(dir + "/out.flac"), 60 * 44100);
  EXPECT_EQ(Entries(dir), before);

  int killedWhileWriting = 0, killedRenders = 0;
  for (int round = 0; round < 6; ++round) {
    std::ofstream(dir + "/out.flac", std::ios::trunc) << older;
    const pid_t pid = StartTool(args);
    ASSERT_GT(pid, 0);
    const auto start = std::chrono::steady_clock::now();
    if (round == 0) {
      // Wait for the unnamed output file, then kill in the middle of writing it.
      while (Running(pid) && !WritingUnnamedFileIn(pid, dir))
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      killedWhileWriting += WritingUnnamedFileIn(pid, dir);
    } else {
      std::this_thread::sleep_until(start + renderTime * round / 6);
    }
    kill(pid, round % 2 ? SIGTERM : SIGKILL);
    waitpid(pid, &status, 0);
    EXPECT_EQ(Entries(dir), before) << "round " << round;
    if (WIFSIGNALED(status) && FileText(dir + "/out.flac") == older) {
      ++killedRenders;
    } else {
      // The render finished before the signal, or the signal came after the whole file had
      // taken the output's name, while the tool was ending.
      EXPECT_EQ(FramesIn(dir + "/out.flac"), 60 * 44100) << "round " << round;
    }
  }
  EXPECT_EQ(killedWhileWriting, 1);
  EXPECT_GE(killedRenders, 3);
  for (const std::string& name : before) unlink((dir + "/" + name).c_str());  // 40 MB
}

// Root writes anywhere, so as root the tool runs as nobody for this test.
TEST(OutputSafety, AReadOnlyFolderGetsNoFile)
{
  const std::string dir = TempFolder();
  const std::string locked = dir + "/locked";
  ASSERT_EQ(mkdir(locked.c_str(), 0555), 0);
  ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
  ASSERT_EQ(RunTool("preset save " + dir + "/p.kw --preset 3").exitCode, 0);
  chmod((dir + "/p.kw").c_str(), 0644);
  const std::string outputs[] = {
    "render --demo " + locked + "/out.wav",
    "render --demo " + locked + "/out.wav --preset-file " + dir + "/p.kw",
    "preset save " + locked + "/p.kw",
    "curves " + locked + "/c.png",
  };
  for (const std::string& args : outputs) {
    const ToolResult r = geteuid() == 0 ? RunToolUnprivileged(args) : RunTool(args);
    EXPECT_EQ(r.exitCode, 2) << args << ": " << r.output;
    EXPECT_NE(r.output.find("cannot write"), std::string::npos) << r.output;
  }
  EXPECT_TRUE(Entries(locked).empty());
}

TEST(OutputSafety, NoCommandWritesOverThePresetFileItReads)
{
  const std::string dir = TempFolder();
  const std::string preset = dir + "/p.kw";
  ASSERT_EQ(RunTool("preset save " + preset + " --preset 12").exitCode, 0);
  const std::string original = FileText(preset);
  ASSERT_EQ(symlink(preset.c_str(), (dir + "/link.kw").c_str()), 0);
  const std::string commands[] = {
    "preset save " + preset + " --preset-file " + preset + " --set Gate=1",
    "preset save " + dir + "/link.kw --preset-file " + preset,
    "render --demo " + preset + " --preset-file " + preset,
    "curves " + preset + " --preset-file " + dir + "/link.kw",
  };
  for (const std::string& args : commands) {
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, 2) << args;
    EXPECT_NE(r.output.find("would overwrite"), std::string::npos) << r.output;
  }
  EXPECT_EQ(FileText(preset), original);
}

// --no-clobber: an existing output keeps its bytes, the command fails naming it and leaves
// nothing else behind.
TEST(OutputSafety, NoClobberKeepsAnExistingFile)
{
  const std::string dir = TempFolder();
  const std::string commands[] = {
    "render --demo " + dir + "/out.wav",
    "curves " + dir + "/out.png",
    "preset save " + dir + "/out.kw",
  };
  for (const std::string& args : commands) {
    const std::string out = args.substr(args.rfind(' ') + 1);
    std::ofstream(out) << "kept";
    const std::set<std::string> before = Entries(dir);
    const ToolResult r = RunTool(args + " --no-clobber");
    EXPECT_EQ(r.exitCode, 2) << args;
    EXPECT_EQ(r.output, "skarvel: '" + out + "' exists; --no-clobber leaves it as it is\n");
    EXPECT_EQ(FileText(out), "kept") << args;
    EXPECT_EQ(Entries(dir), before) << args;
  }
  ASSERT_EQ(RunTool("curves " + dir + "/new.png --no-clobber").exitCode, 0);
  EXPECT_EQ(FileText(dir + "/new.png").substr(1, 3), "PNG");
}

// The check and the naming are one step: a file that appears while the output is being
// written is kept as well, and the finished output goes nowhere.
TEST(OutputSafety, NoClobberKeepsAFileMadeDuringTheWrite)
{
  const std::string dir = TempFolder();
  const std::string path = dir + "/out.wav";
  {
    OutputFile file(path, OutputFile::Existing::Keep);
    ASSERT_TRUE(file.IsOpen());
    ASSERT_EQ(write(file.Descriptor(), "new", 3), 3);
    std::ofstream(path) << "made meanwhile";
    EXPECT_EQ(file.Commit(), "'" + path + "' exists; --no-clobber leaves it as it is");
  }
  EXPECT_EQ(FileText(path), "made meanwhile");
  EXPECT_EQ(Entries(dir), std::set<std::string>{"out.wav"});

  OutputFile replacing(path, OutputFile::Existing::Replace);
  ASSERT_EQ(write(replacing.Descriptor(), "new", 3), 3);
  EXPECT_EQ(replacing.Commit(), "");
  EXPECT_EQ(FileText(path), "new");
}
