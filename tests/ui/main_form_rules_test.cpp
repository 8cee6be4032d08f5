#include <gtest/gtest.h>

#include <set>

#include "ui/commands.h"
#include "ui/hints.h"
#include "ui/input_rule.h"
#include "ui/main_form_rules.h"
#include "ui/resource.h"

namespace skimdex {
namespace {

// 終了 = 8F 49 97 B9; ポ = 83 7C and ポイ = 83 7C 83 43: a trail byte 7C is "|".
constexpr char kEnd[] = "\x8F\x49\x97\xB9";
constexpr char kPo[] = "\x83\x7C";

TEST(SplitHint, SplitsAtTheFirstBarThatStartsACharacter) {
  const struct {
    std::string hint, short_part, long_part;
  } cases[] = {
      {std::string(kEnd) + "|", kEnd, ""},
      {kEnd, kEnd, kEnd},
      {"a|b|c", "a", "b|c"},
      {"|b", "", "b"},
      {"", "", ""},
      {kPo, kPo, kPo},
      {std::string(kPo) + "|" + kPo, kPo, kPo},
      {std::string(kPo) + "\x83\x43|x", std::string(kPo) + "\x83\x43", "x"},
  };
  for (const auto& c : cases) {
    const HintParts parts = SplitHint(c.hint);
    EXPECT_EQ(parts.short_part, c.short_part) << ::testing::PrintToString(c.hint);
    EXPECT_EQ(parts.long_part, c.long_part) << ::testing::PrintToString(c.hint);
  }
}

TEST(Toolbar, ButtonsSitLeftToRightInsideThePanelEachWithItsOwnGlyph) {
  std::set<int> glyphs, commands;
  int right = 0;
  for (const ToolbarButton& button : ToolbarButtons()) {
    EXPECT_GE(button.left, right - 1) << button.name;  // neighbours may share their border pixel
    right = button.left + button.width;
    EXPECT_FALSE(SplitHint(button.hint).short_part.empty()) << button.name;
    glyphs.insert(button.glyph);
    commands.insert(button.command);
  }
  EXPECT_LE(right, 207);
  EXPECT_EQ(glyphs.size(), static_cast<std::size_t>(kGlyphCount));
  EXPECT_EQ(*glyphs.rbegin(), kGlyphCount - 1);
  EXPECT_EQ(commands.size(), ToolbarButtons().size());
}

TEST(MenuItemHint, EveryMenuCommandHasOneAndOthersNone) {
  for (int command = IDM_SCAN_FOLDER; command <= IDM_EXIT; ++command) {
    // The toolbar's run button has no menu item: "実行(&G)" is the Start button's command.
    EXPECT_EQ(MenuItemHint(command).empty(), command == IDM_NEW_RUN) << command;
  }
  EXPECT_EQ(MenuItemHint(0), "");
  EXPECT_EQ(MenuItemHint(IDM_EXIT + 1), "");
}

TEST(StartClickAction, OnlyTheExactFinishCaptionCloses) {
  EXPECT_EQ(StartClickAction("Finish"), StartAction::CloseProgram);
  for (const char* caption : {"Start", "Seeking", "Writing", "finish", "Finish ", "", "Finis"}) {
    EXPECT_EQ(StartClickAction(caption), StartAction::Run) << caption;
  }
}

TEST(SaveChoiceOf, TakesTheBareNameAndTheFolderARootKeepingItsSeparator) {
  const struct {
    std::string chosen, name, folder;
  } cases[] = {
      {"C:\\Out\\index.html", "index.html", "C:\\Out"},
      {"D:\\index.html", "index.html", "D:\\"},
      {"C:\\\xE8\xA1\xA8\\x.html", "x.html", "C:\\\xE8\xA1\xA8"},  // 表, in UTF-8 as chosen
      {"\\\\server\\share\\a.htm", "a.htm", "\\\\server\\share"},
      {"C:\\Out\\noextension", "noextension", "C:\\Out"},
  };
  for (const auto& c : cases) {
    const SaveChoice choice = SaveChoiceOf(c.chosen);
    EXPECT_EQ(choice.save_file_name, c.name) << c.chosen;
    EXPECT_EQ(choice.save_file_path, c.folder) << c.chosen;
  }
}

// Input given during a run is dropped then and afterwards; input given after the run ended acts, also
// across the tick counter's wrap.
TEST(DropsInput, EverythingGivenBeforeTheLastRunEnded) {
  constexpr std::uint32_t kWrapped = 0xFFFFFFF0u;
  const struct {
    std::uint32_t given_at;
    bool under_way;
    std::optional<std::uint32_t> ended_at;
    bool dropped;
  } cases[] = {
      {100, true, std::nullopt, true}, {100, false, std::nullopt, false}, {100, true, 50, true},
      {99, false, 100, true},          {100, false, 100, false},          {101, false, 100, false},
      {kWrapped, false, 5, true},      {5, false, kWrapped, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DropsInput(c.given_at, c.under_way, c.ended_at), c.dropped)
        << c.given_at << " " << c.under_way << " " << c.ended_at.value_or(0);
  }
}

}  // namespace
}  // namespace skimdex
