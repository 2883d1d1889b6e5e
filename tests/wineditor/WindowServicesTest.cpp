// The window's services: menus, dialogs, folders, the cursor and resizing.
#include "gui/IPopupMenu.h"
#include "tests/wineditor/EditorWindowFixture.h"

TEST_F(EditorWindow, ServicesThatNeedAWindowReportFailureWithoutOne)
{
  ASSERT_NE(gui, nullptr);
  std::string file = "preset.kw", dir;
  gui->PromptForFile(file, IGraphics::kFileOpen, dir, "kw bgp");
  EXPECT_EQ(file, "");
  EditorColour c{255, 1, 2, 3};
  EXPECT_FALSE(gui->PromptForColour(c, "Colour"));
  EXPECT_EQ(c, (EditorColour{255, 1, 2, 3}));
  EditorRect r{0, 0, 10, 10};
  IPopupMenu menu;
  EXPECT_EQ(gui->CreatePopupMenu(menu, r), nullptr);
}

TEST_F(EditorWindow, FoldersAndTheHiddenCursor)
{
  ASSERT_NE(gui, nullptr);
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string folder = exe;
  folder.erase(folder.rfind('\\') + 1);
  std::string hostPath, pluginPath, desktop;
  gui->HostPath(hostPath);
  gui->PluginPath(pluginPath);  // linked into this program, so its module is the program
  gui->DesktopPath(desktop);
  EXPECT_EQ(hostPath, folder);
  EXPECT_EQ(pluginPath, folder);
  EXPECT_FALSE(desktop.empty());

  SetCursorPos(100, 120);
  gui->HideMouseCursor();
  SetCursorPos(300, 310);
  gui->HideMouseCursor();  // already hidden: the first position stays
  gui->ShowMouseCursor();
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 120);
}

namespace {

std::string WindowText(HWND w)
{
  char text[256] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

std::string TempFolder()
{
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return folder;
}

void Press(HWND dialog, int button) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

// Keys for a menu being tracked; its loop reads them from the thread's queue.
void Keys(HWND menu, std::initializer_list<WPARAM> keys)
{
  for (WPARAM k : keys) PostMessageA(menu, WM_KEYDOWN, k, 0);
}

struct MenuItemSeen
{
  std::string text;
  UINT state;
};

std::vector<MenuItemSeen> ItemsOf(HWND menuWindow)
{
  std::vector<MenuItemSeen> items;
  HMENU h = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
  for (int i = 0; i < GetMenuItemCount(h); ++i) {
    char text[64] = {};
    GetMenuStringA(h, UINT(i), text, sizeof text, MF_BYPOSITION);
    items.push_back({text, GetMenuState(h, UINT(i), MF_BYPOSITION)});
  }
  return items;
}

// Alpha, Beta with the submenu One and Two, a separator, Gamma (checked), numbered "%02d: %s".
IPopupMenu SampleMenu()
{
  IPopupMenu menu;
  menu.SetPrefix(IPopupMenu::kTwoDigits);
  menu.AddItem("Alpha");
  IPopupMenu* beta = new IPopupMenu;
  beta->AddItem("One");
  beta->AddItem("Two");
  menu.AddItem("Beta", 0, beta);
  menu.AddItem("", IPopupMenu::kSeparator);
  menu.AddItem("Gamma", IPopupMenu::kChecked);
  return menu;
}

}  // namespace

TEST_F(EditorWindow, PopupMenusReportTheChosenItemOfTheirOwnMenu)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  const EditorRect at{100, 100, 160, 120};
  IPopupMenu menu = SampleMenu();
  std::vector<MenuItemSeen> seen;
  AnswerWhenShown("#32768", [&](HWND m) {
    seen = ItemsOf(m);
    Keys(m, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});  // the separator is stepped over
  });
  EXPECT_EQ(gui->CreatePopupMenu(menu, at), &menu);
  ASSERT_TRUE(Answered());
  EXPECT_EQ(menu.GetChosenItemIdx(), 3);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].text, "01: Alpha");
  EXPECT_EQ(seen[1].text, "02: Beta");
  EXPECT_TRUE(seen[1].state & MF_POPUP);
  EXPECT_TRUE(seen[2].state & MF_SEPARATOR);
  EXPECT_EQ(seen[3].text, "04: Gamma");
  EXPECT_TRUE(seen[3].state & MF_CHECKED);

  IPopupMenu again = SampleMenu();
  AnswerWhenShown("#32768", [](HWND m) { Keys(m, {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}); });
  IPopupMenu* chosen = gui->CreatePopupMenu(again, at);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen, again.GetItem(1)->submenu.get()) << "the submenu holds the choice";
  EXPECT_EQ(chosen->GetChosenItemIdx(), 1);
  EXPECT_EQ(again.GetChosenItemIdx(), -1);

  IPopupMenu dismissed = SampleMenu();
  AnswerWhenShown("#32768", [](HWND m) { Keys(m, {VK_ESCAPE}); });
  EXPECT_EQ(gui->CreatePopupMenu(dismissed, at), nullptr);
  EXPECT_EQ(gui->CapturedControl(), -1);
}

TEST_F(EditorWindow, TheFileDialogOffersThePresetExtensions)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  const std::string folder = TempFolder();
  std::string file, directory = folder, types;
  AnswerWhenShown("#32770", [&](HWND d) {
    types = WindowText(GetDlgItem(d, cmb1));
    SetDlgItemTextA(d, cmb13, "new preset");  // the file name box of the explorer-style dialog
    Press(d, IDOK);
  });
  gui->PromptForFile(file, IGraphics::kFileSave, directory, "kw bgp");
  ASSERT_TRUE(Answered());
  EXPECT_EQ(types, "*.kw;*.bgp");
  EXPECT_EQ(file, folder + "new preset.kw") << "the first extension is the default";
  EXPECT_EQ(directory, folder);

  std::string kept = "kept.kw", keptDir = folder;
  AnswerWhenShown("#32770", [](HWND d) { Press(d, IDCANCEL); });
  gui->PromptForFile(kept, IGraphics::kFileOpen, keptDir, "kw bgp");
  ASSERT_TRUE(Answered());
  EXPECT_EQ(kept, "kept.kw") << "a cancelled dialog changes nothing";
  EXPECT_EQ(keptDir, folder);
}

TEST_F(EditorWindow, ColourDialogTitleAndMessageBoxOwner)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  std::string title;
  AnswerWhenShown("#32770", [&](HWND d) {
    title = WindowText(d);
    Press(d, IDOK);
  });
  EditorColour c{255, 10, 20, 30};
  EXPECT_TRUE(gui->PromptForColour(c, "Curve colour"));
  EXPECT_EQ(title, "Curve colour");
  EXPECT_EQ(c, (EditorColour{255, 10, 20, 30}));

  HWND owner = nullptr;
  AnswerWhenShown("#32770", [&](HWND d) {
    owner = GetWindow(d, GW_OWNER);
    title = WindowText(d);
    Press(d, IDNO);
  });
  EXPECT_EQ(gui->ShowMessageBox("Really?", "Skarvel", MB_YESNO), IDNO);
  EXPECT_EQ(owner, host.Handle()) << "owned by the host's top-level window";
  EXPECT_EQ(title, "Skarvel");

  // Declining the confirmation opens nothing.
  AnswerWhenShown("#32770", [](HWND d) { Press(d, IDNO); });
  EXPECT_FALSE(gui->OpenURL("https://example.invalid/", "Open the web site?", nullptr, "Skarvel"));
  EXPECT_TRUE(Answered());
}

TEST_F(EditorWindow, ResizingGrowsTheWindowByTheDifference)
{
  HWND editor = Open();
  ASSERT_NE(editor, nullptr);
  RECT hostBefore;
  GetWindowRect(host.Handle(), &hostBefore);
  gui->Resize(600, 500);
  RECT r;
  GetClientRect(editor, &r);
  EXPECT_EQ(r.right, 600);
  EXPECT_EQ(r.bottom, 500);
  RECT hostAfter;
  GetWindowRect(host.Handle(), &hostAfter);
  EXPECT_EQ(hostAfter.right - hostAfter.left, hostBefore.right - hostBefore.left)
    << "a top-level parent is the host's";
  gui->Resize(600, 500);  // the same size again changes nothing
  GetClientRect(editor, &r);
  EXPECT_EQ(r.right, 600);
}
