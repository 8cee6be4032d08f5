#include "ui/help.h"

#include <shellapi.h>

#include "text/directory.h"
#include "text/wide.h"
#include "ui/help_ids.h"

namespace skimdex {
namespace {

constexpr char kHelpFileName[] = "Skimdex.hlp";
constexpr wchar_t kNoKeyword[] = L"";

// Each request's page of the manual, and what the help engine is asked instead.
struct HelpRoute {
  const char* page;
  UINT command;
  ULONG_PTR data;
};

HelpRoute RouteOf(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::Contents:
      return {kHelpPageContents, HELP_FINDER, 0};
    case HelpTopic::Keywords:
      return {kHelpPageKeywords, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(kNoKeyword)};
    case HelpTopic::HowToUse:
      return {kHelpPageHowToUse, HELP_HELPONHELP, 0};
    case HelpTopic::ConfigDialog:
      break;
  }
  return {kHelpPageConfig, HELP_CONTEXT, kHelpContextConfig};
}

}  // namespace

void THelp::Show(HWND owner, HelpTopic topic) {
  const HelpRoute route = RouteOf(topic);
  const std::string page = folder_ + kHelpFolder + "\\" + route.page;
  // A page that no program opens (no browser for .html) goes to the help engine like a missing one.
  if (IsExistingFile(page) &&
      reinterpret_cast<INT_PTR>(
          ShellExecuteW(owner, L"open", Wide(page).c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32) {
    return;
  }
  help_engine_used_ = true;
  WinHelpW(owner, Wide(folder_ + kHelpFileName).c_str(), route.command, route.data);
}

void THelp::Quit(HWND owner) {
  if (help_engine_used_) WinHelpW(owner, Wide(folder_ + kHelpFileName).c_str(), HELP_QUIT, 0);
}

}  // namespace skimdex
