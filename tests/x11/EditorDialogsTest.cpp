#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "gui/IControl.h"
#include "gui/IGraphics.h"
#include "gui/IPopupMenu.h"
#include "skarvel/Skarvel.h"
#include "tests/x11/EditorWindowFixture.h"

using Kind = PanelLayout::Kind;

namespace {

std::string ReadFile(const std::string& path)
{
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The folder's entries, sorted.
std::vector<std::string> FilesIn(const std::string& dir)
{
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') names.push_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool Exists(const std::string& path)
{
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

}  // namespace

// The preset file buttons with a stand-in for the desktop's dialog program: a script on PATH
// that records its arguments and answers with the contents of a file, or cancels without one;
// it says no to every question.
class EditorDialogsTest : public EditorWindowTest
{
protected:
  void SetUp() override
  {
    char dirTemplate[] = "/tmp/skarvel-dialogs-XXXXXX";
    ASSERT_TRUE(mkdtemp(dirTemplate));
    dir = dirTemplate;
    if (const char* p = std::getenv("PATH")) savedPath = p;
    EditorWindowTest::SetUp();
    // Nothing else on PATH: no real dialog program may answer.
    setenv("PATH", dir.c_str(), 1);
  }
  void TearDown() override
  {
    EditorWindowTest::TearDown();
    setenv("PATH", savedPath.c_str(), 1);
    std::system(("rm -rf '" + dir + "'").c_str());
  }

  void InstallDialogProgram(const char* name)
  {
    const std::string path = dir + "/" + name;
    std::ofstream(path) << "#!/bin/sh\nPATH=/usr/bin:/bin\nprintf '%s\\n' \"$@\" > '" << dir
                        << "/args'\n[ \"$1\" = --question ] && exit 1\n[ -f '" << dir
                        << "/answer' ] || exit 1\ncat '" << dir << "/answer'\n";
    chmod(path.c_str(), 0755);
  }
  void Answer(const std::string& text) { std::ofstream(dir + "/answer") << text << "\n"; }
  void Cancel() { unlink((dir + "/answer").c_str()); }
  std::string Arguments() { return ReadFile(dir + "/args"); }
  std::vector<std::string> Files() { return FilesIn(dir); }

  void ClickLoad() { Click(ControlRect(Kind::FileSelector, -1, 0)); }
  void ClickSave() { Click(ControlRect(Kind::FileSelector, -1, 1)); }
  void Click(const EditorRect& r)
  {
    const auto [x, y] = Centre(r);
    ClickAt(x, y);
  }
  // The in-process twin's surface with its window open, for the services no button reaches.
  IGraphics& OpenTwin()
  {
    const unsigned long parent = editor->Container();
    EXPECT_EQ(Reference().Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t(parent)), 0.0f), 1);
    return *Reference().GetGUI();
  }
  std::vector<float> Parameters()
  {
    std::vector<float> v;
    for (int i = 0; i < kNumParams; ++i) v.push_back(host->GetParameter(i));
    return v;
  }

  std::string dir;
  std::string savedPath;
};

TEST_F(EditorDialogsTest, SavingAndLoadingGoThroughZenityWithTheFilterAndTheOverwriteQuestion)
{
  InstallDialogProgram("zenity");
  host->SetParameter(kFilterCutoff, 0.25f);
  Answer(dir + "/mine");
  ClickSave();
  const std::string saveArgs = Arguments();
  EXPECT_NE(saveArgs.find("--file-selection\n"), std::string::npos);
  EXPECT_NE(saveArgs.find("--save\n--confirm-overwrite\n"), std::string::npos);
  EXPECT_NE(saveArgs.find("--file-filter=*.kw;*.bgp | *.kw *.bgp\n"), std::string::npos);
  ASSERT_TRUE(Exists(dir + "/mine.kw")) << "a name without an extension gets the first one";

  host->SetParameter(kFilterCutoff, 0.75f);
  Answer(dir + "/mine.kw");
  ClickLoad();
  EXPECT_EQ(Arguments().find("--save"), std::string::npos);
  EXPECT_EQ(host->GetParameter(kFilterCutoff), 0.25f);
}

TEST_F(EditorDialogsTest, AnExtensionAddedAfterTheDialogStillAsksBeforeReplacingAFile)
{
  InstallDialogProgram("zenity");
  host->SetParameter(kFilterCutoff, 0.25f);
  Answer(dir + "/mine");
  ClickSave();
  ASSERT_TRUE(Exists(dir + "/mine.kw"));
  host->SetParameter(kFilterCutoff, 0.75f);
  editor->Pump(500);  // not a double-click
  ClickSave();
  EXPECT_NE(Arguments().find("--question\n"), std::string::npos);

  Answer(dir + "/mine.kw");
  ClickLoad();
  EXPECT_EQ(host->GetParameter(kFilterCutoff), 0.25f) << "the refused save left the file alone";
}

TEST_F(EditorDialogsTest, KdialogServesWhenZenityIsMissing)
{
  InstallDialogProgram("kdialog");
  Answer(dir + "/other.bgp");
  ClickSave();
  EXPECT_NE(Arguments().find("--getsavefilename\n"), std::string::npos);
  EXPECT_NE(Arguments().find("*.kw *.bgp|*.kw;*.bgp\n"), std::string::npos);
  EXPECT_TRUE(Exists(dir + "/other.bgp"));
}

TEST_F(EditorDialogsTest, ACancelledDialogChangesNothing)
{
  InstallDialogProgram("zenity");
  Cancel();
  const std::vector<float> before = Parameters();
  ClickLoad();
  ClickSave();
  EXPECT_NE(Arguments().find("--save"), std::string::npos) << "both dialogs were shown";
  EXPECT_EQ(Parameters(), before);
  EXPECT_EQ(Files(), (std::vector<std::string>{"args", "zenity"})) << "nothing was saved";
}

TEST_F(EditorDialogsTest, WithoutADialogProgramTheButtonsDoNothingAndTheEditorGoesOn)
{
  const std::vector<float> before = Parameters();
  ClickLoad();
  ClickSave();
  EXPECT_EQ(Parameters(), before);
  const auto [x, y] = Centre(ControlRect(Kind::Switch, kBypassFX));
  ClickAt(x, y);
  EXPECT_NE(host->GetParameter(kBypassFX), before[kBypassFX]);
}

TEST_F(EditorDialogsTest, TheColourTextAndMenuPromptsTakeTheDialogsAnswers)
{
  InstallDialogProgram("zenity");
  IGraphics& gui = OpenTwin();
  EditorColour colour(255, 1, 2, 3);
  Answer("rgb(10,20,30)");
  ASSERT_TRUE(gui.PromptForColour(colour, "Pick"));
  EXPECT_EQ(colour, EditorColour(255, 10, 20, 30));
  EXPECT_NE(Arguments().find("--color=rgb(1,2,3)\n"), std::string::npos);
  Cancel();
  EXPECT_FALSE(gui.PromptForColour(colour, "Pick"));
  EXPECT_EQ(colour, EditorColour(255, 10, 20, 30));

  IPopupMenu menu;
  menu.AddItem("A");
  menu.AddItem("B");
  Answer("1");
  EXPECT_EQ(gui.CreatePopupMenu(menu, EditorRect()), &menu);
  EXPECT_EQ(menu.GetChosenItemIdx(), 1);

  // The cutoff knob's text entry: what the entry would have refused is dropped.
  IControl* knob = nullptr;
  for (int i = 0; i < gui.NControls(); ++i)
    if (gui.GetControl(i)->ParamIdx() == kFilterCutoff) knob = gui.GetControl(i);
  ASSERT_TRUE(knob);
  IPlugParam* cutoff = Reference().GetParam(kFilterCutoff);
  Answer("0.25 Hz");
  gui.CreateTextEntry(knob, knob->GetTextStyle(), knob->GetRECT(), "10", cutoff);
  EXPECT_NE(Arguments().find("--entry-text=10\n"), std::string::npos);
  EXPECT_EQ(knob->GetValue(), cutoff->ToNormalized(0.25));
  EXPECT_EQ(cutoff->value, 0.25);
}

TEST_F(EditorDialogsTest, AddressesOpenThroughXdgOpenAndAFailureIsReported)
{
  InstallDialogProgram("zenity");
  const std::string opener = dir + "/xdg-open";
  std::ofstream(opener) << "#!/bin/sh\nPATH=/usr/bin:/bin\necho \"$1\" > '" << dir << "/url.tmp'\nmv '" << dir
                        << "/url.tmp' '" << dir << "/url'\n";
  chmod(opener.c_str(), 0755);
  IGraphics& gui = OpenTwin();

  EXPECT_FALSE(gui.OpenURL("https://example.org/", "Open the page?", nullptr, "Skarvel"))
    << "the question is answered no";
  EXPECT_NE(Arguments().find("--question\n"), std::string::npos);
  ASSERT_TRUE(gui.OpenURL("https://example.org/a b", nullptr, nullptr, "Skarvel"));
  for (int i = 0; i < 200 && !Exists(dir + "/url"); ++i) usleep(10000);
  EXPECT_EQ(ReadFile(dir + "/url"), "https://example.org/a b\n");

  unlink(opener.c_str());
  EXPECT_FALSE(gui.OpenURL("https://example.org/", nullptr, "No browser", "Skarvel"));
  EXPECT_NE(Arguments().find("--info\n--title=Skarvel\n--text=No browser\n"), std::string::npos);
}
