// Scenarios of the run as the window hosts it, driving the real Skimdex.exe: the window keeps
// answering during a run over a big tree, input given meanwhile never acts, a double-click on Start
// runs one index and leaves the program open at "Finish", and other presses at "Finish" close it.
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

#include "gui/scenario.h"
#include "support/killed_runs.h"
#include "support/samples.h"
#include "support/unicode_tree.h"

namespace skimdex::gui {
namespace {

constexpr int kBigTreeFolders = 200;
constexpr int kPagesPerFolder = 100;

class RunInTheWindow : public Scenario {
 protected:
  // The tree of 20,000 pages, made once for the scenarios that need it.
  static const testing::TempFolder& BigTree() {
    if (!big_) {
      big_ = std::make_unique<testing::TempFolder>();
      for (int folder = 0; folder < kBigTreeFolders; ++folder) {
        const std::string name = std::to_string(folder);
        big_->Folder(name);
        for (int page = 0; page < kPagesPerFolder; ++page)
          big_->File(name + "\\" + std::to_string(page) + ".html", "<title>P</title>");
      }
    }
    return *big_;
  }
  static void TearDownTestSuite() { big_.reset(); }

  // The console's run over the big tree, and the same settings stored for the window.
  testing::Outcome ConsoleRunOverTheBigTree() {
    tree = BigTree().Path();
    const testing::Outcome console = ConsoleRun("2", out + "\\big.html");
    StoreRunSettings("2", out + "\\big.html");
    DeleteFileA((out + "\\big.html").c_str());
    return console;
  }

  static inline std::unique_ptr<testing::TempFolder> big_;
};

// Clicks on Start and on the toolbar's run button and the menu keys Alt+F, G, all during the run.
void PressEverythingThatRuns(Program& program) {
  MouseClick(StartButton(program));
  MouseClick(FindById(program.Main(), IDM_NEW_RUN));
  PressKey('F', VK_MENU);
  PressKey('G');
}

// Input while the tree is walked and while the pages are written: none of it acts, then or later.
TEST_F(RunInTheWindow, BigTreeKeepsTheWindowAnsweringAndInputDuringTheRunNeverActs) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  ULONGLONG begin = GetTickCount64();
  const testing::Outcome console = ConsoleRunOverTheBigTree();
  const ULONGLONG console_ms = GetTickCount64() - begin;

  Program program(SkimdexPath(), out);
  begin = GetTickCount64();
  MouseClick(StartButton(program));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(StartButton(program)) != testing::kCaptionStart; }));
  PressEverythingThatRuns(program);
  ASSERT_TRUE(program.WaitText(StartButton(program), testing::kCaptionWriting, 60000));
  PressEverythingThatRuns(program);
  EXPECT_NE(TextOf(StartButton(program)), testing::kCaptionFinish) << "the run ended before the input came";
  ULONGLONG slowest_reply = 0;
  while (TextOf(StartButton(program)) != testing::kCaptionFinish && GetTickCount64() - begin < 60000) {
    const ULONGLONG sent = GetTickCount64();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(program.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    slowest_reply = std::max(slowest_reply, GetTickCount64() - sent);
    Sleep(200);
  }
  const ULONGLONG window_ms = GetTickCount64() - begin;
  EXPECT_LT(slowest_reply, 1000u);
  EXPECT_LE(window_ms, console_ms * 3 / 2 + 3000) << "the console took " << console_ms << " ms";
  std::printf("20,000 pages: console %llu ms, window %llu ms, slowest reply %llu ms\n", console_ms, window_ms,
              slowest_reply);

  EXPECT_EQ(MemoOnceFilled(program, MemoAfter(console.out)), MemoAfter(console.out));
  EXPECT_FALSE(program.WaitExit(GetDoubleClickTime() + 500));
  EXPECT_EQ(TextOf(StartButton(program)), testing::kCaptionFinish);
  EXPECT_EQ(ProgressOf(program), ProgressAfter(console.out));
}

// The second click lands in the run over the big tree, and after the short run on "Finish".
TEST_F(RunInTheWindow, DoubleClickOnStartRunsOnceAndLeavesTheProgramOpen) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  const std::string big_list = ConsoleRunOverTheBigTree().out;
  {
    Program program(SkimdexPath(), out);
    MouseClick(StartButton(program));
    MouseClick(StartButton(program));
    ASSERT_TRUE(program.WaitText(StartButton(program), testing::kCaptionFinish, 60000));
    EXPECT_FALSE(program.WaitExit(GetDoubleClickTime() + 500));
    EXPECT_EQ(MemoOnceFilled(program, MemoAfter(big_list)), MemoAfter(big_list));
  }
  temp.File("tree\\a.html");
  tree = temp.Path() + "\\tree";
  StoreRunSettings("2", "small.html");
  Program program(SkimdexPath(), out);
  MouseClick(StartButton(program));
  const ULONGLONG clicked = GetTickCount64();
  ASSERT_TRUE(program.WaitText(StartButton(program), testing::kCaptionFinish));
  MouseClick(StartButton(program));
  ASSERT_LT(GetTickCount64() - clicked, GetDoubleClickTime()) << "the short run took too long to test this";
  EXPECT_FALSE(program.WaitExit(GetDoubleClickTime() + 500));
  EXPECT_EQ(TextOf(Memo(program)), MemoAfter("1" + tree + "\\a.html\r\n0\r\n"));
  MouseClick(StartButton(program));  // now a click of its own: "Finish" closes
  EXPECT_TRUE(program.WaitExit());
}

// Enter, Space and a programmatic click are no double-click: on "Finish" they close the program,
// however soon after the press that started a short run.
TEST_F(RunInTheWindow, OtherPressesOnFinishCloseAtOnce) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  temp.File("tree\\a.html");
  const std::pair<const char*, std::function<void(Program&)>> presses[] = {
      {"Enter", [](Program&) { PressKey(VK_RETURN); }},
      {"Space", [](Program&) { PressKey(VK_SPACE); }},
      {"BM_CLICK", [](Program& program) { Click(StartButton(program)); }},
  };
  for (const auto& [name, press] : presses) {
    StoreRunSettings("2", std::string(name) + ".html");  // a new page: no overwrite question
    Program program(SkimdexPath(), out);
    SetForegroundWindow(program.Main());
    ASSERT_TRUE(WaitFocus(StartButton(program))) << name;
    press(program);
    ASSERT_TRUE(program.WaitText(StartButton(program), testing::kCaptionFinish)) << name;
    press(program);
    EXPECT_TRUE(program.WaitExit(GetDoubleClickTime())) << name;
  }
}

// The memo shows every name as it is; the window's pages are the console's, byte for byte.
TEST_F(RunInTheWindow, UnicodeNamesShowInTheMemoAsTheyAre) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  testing::BuildUnicodeTree(temp);
  const std::string depth = std::to_string(testing::kUnicodeTreeDepth);
  const testing::Outcome console = ConsoleRun(depth, out + "\\console.html");
  StoreRunSettings(depth, out + "\\window.html");
  Program program(SkimdexPath(), out);
  Click(StartButton(program));
  ASSERT_TRUE(program.WaitText(StartButton(program), testing::kCaptionFinish));
  const std::wstring memo = UnicodeTextOf(Memo(program));
  EXPECT_NE(memo.find(L"\\\u6771\u4EAC\u301C\u5927\u962A.html\r\n"), std::wstring::npos);  // 東京〜大阪
  EXPECT_NE(memo.find(L"\\\u97F3\u697D\u2665\\p.html"), std::wstring::npos);               // 音楽♥
  // Through the code page with "?" for what it lacks, the memo is the console's scan list.
  std::string lossy(
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, memo.c_str(), -1, nullptr, 0, "?", nullptr), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, memo.c_str(), -1, lossy.data(),
                      static_cast<int>(lossy.size()), "?", nullptr);
  EXPECT_EQ(lossy.c_str() + std::string("\r\n"), console.out);
  EXPECT_EQ(testing::ReadWholeFile(out + "\\window_sub.html"),
            testing::ReadWholeFile(out + "\\console_sub.html"));
}

// The window's run ended from outside, after the overwrite question, leaves each page whole.
TEST_F(RunInTheWindow, KilledRunsLeaveThePreviousPagesOrTheNewOnesWhole) {
  SKIMDEX_REQUIRE_TEST_PREFIX();
  for (int i = 0; i < testing::KillPages(1500); ++i)
    temp.File("tree\\" + std::to_string(i) + ".html", "<title>T</title>");
  const std::string frame = out + "\\index.html";
  const testing::Pages before{"<HTML>an older frame page</HTML>", "<HTML>an older listing page</HTML>"};
  const ULONGLONG begin = GetTickCount64();
  ASSERT_EQ(ConsoleRun("2", frame).status, 0u);
  const auto run_ms = static_cast<DWORD>(GetTickCount64() - begin);
  const testing::Pages after = testing::ReadPages(frame);
  StoreRunSettings("2", frame);
  std::optional<Program> program;
  testing::ExpectKilledRunsLeaveWholePages(frame, before, after, testing::KillMoments(4), run_ms, [&] {
    program.emplace(SkimdexPath(), out);
    Click(StartButton(*program));
    program->AnswerMessageBox(testing::OverwriteBox("").title, IDOK);
    return program->ProcessHandle();
  });
}

}  // namespace
}  // namespace skimdex::gui
