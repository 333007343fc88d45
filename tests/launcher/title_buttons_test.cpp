// The title buttons' decisions over a substitute title list and substitute controls.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "launcher/title_buttons.h"
#include "launcher/title_names.h"
#include "resources/resource.h"

namespace {

struct Title {
  int button;
  bool installed;
  bool listed;
  bool starts = true;
};

class FakeTitles : public TitleList {
 public:
  explicit FakeTitles(std::vector<Title> titles) : titles_(std::move(titles)) {}

  uint32_t Count() const override { return static_cast<uint32_t>(titles_.size()); }
  int ButtonId(uint32_t index) const override { return titles_.at(index).button; }
  bool IsInstalled(uint32_t index) const override { return titles_.at(index).installed; }
  bool IsInPackageList(uint32_t index) const override {
    asked_listed.push_back(index);
    return titles_.at(index).installed && titles_.at(index).listed;
  }
  bool Launch(uint32_t index) const override {
    launched.push_back(index);
    return titles_.at(index).starts;
  }

  mutable std::vector<uint32_t> asked_listed;
  mutable std::vector<uint32_t> launched;

 private:
  std::vector<Title> titles_;
};

class FakeControls : public ButtonControls {
 public:
  void Enable(int control_id, bool enabled) override {
    enabled_[control_id] = enabled;
    ++writes_[control_id];
  }
  // "on", "off", or "unset" for a control never written.
  std::string State(int id) const {
    auto found = enabled_.find(id);
    return found == enabled_.end() ? "unset" : found->second ? "on" : "off";
  }
  int Writes(int id) const {
    auto found = writes_.find(id);
    return found == writes_.end() ? 0 : found->second;
  }
  size_t WrittenControls() const { return enabled_.size(); }

 private:
  std::map<int, bool> enabled_;
  std::map<int, int> writes_;
};

constexpr int kInstall = IDC_INSTALL;
constexpr int kUninstall = IDC_UNINSTALL;
constexpr int kOk = 1;

struct RefreshRow {
  const char* situation;
  std::vector<Title> titles;
  std::vector<std::string> title_states;  // in list order
  std::string install;
  std::string uninstall;
};

const RefreshRow kRefreshRows[] = {
    {"nothing installed",
     {{1017, false, false}, {1018, false, false}, {1019, false, false}},
     {"off", "off", "off"},
     "on",
     "off"},
    {"all installed, none listed",
     {{1017, true, false}, {1018, true, false}, {1019, true, false}},
     {"on", "on", "on"},
     "off",
     "off"},
    {"all installed, one listed",
     {{1017, true, false}, {1018, true, true}, {1019, true, false}},
     {"on", "on", "on"},
     "off",
     "on"},
    {"some installed, none listed",
     {{1017, true, false}, {1018, false, false}, {1019, true, false}},
     {"on", "off", "on"},
     "on",
     "off"},
    // A listed title that is not installed counts as not installed, for both command buttons.
    {"listed but not installed",
     {{1017, false, true}, {1018, true, false}},
     {"off", "on"},
     "on",
     "off"},
    {"no titles", {}, {}, "off", "off"},
};

TEST(RefreshButtons, EnabledStatesFollowTheTitles) {
  for (const RefreshRow& row : kRefreshRows) {
    SCOPED_TRACE(row.situation);
    FakeTitles titles(row.titles);
    FakeControls controls;
    RefreshButtons(titles, controls);

    for (size_t i = 0; i < row.titles.size(); ++i) {
      EXPECT_EQ(controls.State(row.titles[i].button), row.title_states[i]) << "title " << i;
    }
    EXPECT_EQ(controls.State(kInstall), row.install);
    EXPECT_EQ(controls.State(kUninstall), row.uninstall);
    // Nothing but the titles' buttons and the two command buttons changes.
    EXPECT_EQ(controls.WrittenControls(), row.titles.size() + 2);
    for (uint32_t index : titles.asked_listed) {
      EXPECT_TRUE(row.titles[index].installed) << "package list asked of missing title " << index;
    }
  }
}

TEST(RefreshButtons, WritesEveryStateOnEveryRefresh) {
  FakeTitles titles({{1017, true, true}, {1018, false, false}});
  FakeControls controls;
  RefreshButtons(titles, controls);
  RefreshButtons(titles, controls);
  for (int id : {1017, 1018, kInstall, kUninstall}) EXPECT_EQ(controls.Writes(id), 2) << id;
}

constexpr unsigned kClicked = BN_CLICKED;

TEST(LaunchTitleForCommand, AClickStartsTheTitleOfThatButton) {
  FakeTitles titles({{1017, true, false}, {1018, false, false}, {1019, true, false}});
  EXPECT_TRUE(LaunchTitleForCommand(titles, kClicked, 1019));
  EXPECT_EQ(titles.launched, std::vector<uint32_t>{2});

  // No installed check on this path: a disabled button sends no click.
  titles.launched.clear();
  EXPECT_TRUE(LaunchTitleForCommand(titles, kClicked, 1018));
  EXPECT_EQ(titles.launched, std::vector<uint32_t>{1});
}

TEST(LaunchTitleForCommand, OtherCommandsStartNothing) {
  FakeTitles titles({{1017, true, false}, {1018, true, false}});
  EXPECT_FALSE(LaunchTitleForCommand(titles, kClicked, kInstall));
  EXPECT_FALSE(LaunchTitleForCommand(titles, kClicked, kOk));
  // BN_SETFOCUS and the like carry a title's id with a notification code: not a click.
  EXPECT_FALSE(LaunchTitleForCommand(titles, 6, 1017));
  EXPECT_TRUE(titles.launched.empty());
}

TEST(LaunchTitleForCommand, AFailedStartTriesTheRemainingTitlesThenFallsThrough) {
  FakeTitles titles({{1017, true, false, false}, {1018, true, false}, {1017, true, false, true}});
  EXPECT_TRUE(LaunchTitleForCommand(titles, kClicked, 1017));
  EXPECT_EQ(titles.launched, (std::vector<uint32_t>{0, 2}));

  FakeTitles failing({{1017, true, false, false}});
  EXPECT_FALSE(LaunchTitleForCommand(failing, kClicked, 1017));
  EXPECT_EQ(failing.launched, std::vector<uint32_t>{0});
}

// The catalogue's names are Shift-JIS bytes whatever the process's code page.
TEST(TitleDisplayName, ReadsTheNarrowFormAsShiftJis) {
  const exlib::Tu_text shift_jis("\x83\x68\x83\x89\x83\x94\x83\x46\x83\x8B\x32");
  EXPECT_EQ(TitleDisplayName(shift_jis), u"ドラヴェル2");
  EXPECT_EQ(TitleDisplayName(exlib::Tu_text(u"Brisel...")), u"Brisel...");
}

}  // namespace
