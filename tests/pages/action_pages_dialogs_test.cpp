#include <gtest/gtest.h>
#include <QPlainTextEdit>
#include <functional>

#include "battle/string_helpers.h"
#include "pages/action_pages_support.h"
#include "pages/actions_page.h"
#include "pages/neutral_behavior_page.h"

namespace vk7 {
namespace {

using test::Find;
using test::ScriptedSeam;
using Runner = std::function<void(BattleConfig&, StarSystem&)>;

// Each "Dialogs" button opens its box on the right lists with the right title and captions;
// the box's "Ok" stores the lines even though the page is then cancelled.
TEST(ActionPagesDialogs, BoxesStoreTheirLinesWhateverThePageDoes) {
  const Runner actions = [](BattleConfig& c, StarSystem& s) { ActionsPage::Run(nullptr, c, s); };
  const Runner neutrals = [](BattleConfig& c, StarSystem& s) {
    NeutralBehaviorPage::Run(nullptr, c, s);
  };
  using E = DialogEvent;
  const struct {
    const char* page;
    Runner run;
    const char *group, *box, *title;
    std::vector<std::pair<const char*, E>> lists;
  } cases[] = {
      // clang-format off
      {"ACTIONBOX", actions, "Friend Warp In", "DIALOGSBOX2", "Sol Friends Warp In Dialog ",
       {{" Friends Warp In Dialog ", E::FriendWarpInDialog}}},
      {"ACTIONBOX", actions, "Enemy Warp In", "DIALOGSBOX2", "Sol Enemies Warp In Dialog ",
       {{" Enemies Warp In Dialog ", E::EnemyWarpInDialog}}},
      {"ACTIONBOX", actions, "Enemy Warp Out", "DIALOGSBOX2", "Sol Enemies Warp Out Dialog ",
       {{" Enemies Warp Out Dialog ", E::EnemyWarpOutDialog}}},
      {"ACTIONBOX", actions, "Friend Warp Out & Escort", "DIALOGSBOX1",
       "Sol Friends Warp Out and Join Escort Dialogs ",
       {{" Friends Warp Out Dialog ", E::FriendWarpOutDialog},
        {" Friends Join Escort Dialog ", E::FriendJoinEscortDialog}}},
      {"NBEHAVIORBOX", neutrals, "Neutral Warp In", "DIALOGSBOX2", "Sol Neutrals Warp In Dialog ",
       {{" Neutrals Warp In Dialog ", E::NeutralWarpInDialog}}},
      {"NBEHAVIORBOX", neutrals, "Neutral Warp Out", "DIALOGSBOX2",
       "Sol Neutrals Warp Out Dialog ", {{" Neutrals Warp Out Dialog ", E::NeutralWarpOutDialog}}},
      {"NBEHAVIORBOX", neutrals, "Neutrall Behavior", "DIALOGSBOX1",
       "Sol Neutral Behavior Dialogs ",
       {{" Neutrals Become Friends Dialog ", E::NeutralToFriendDialog},
        {" Neutrals Become Enemies Dialog ", E::NeutralToEnemyDialog}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    StarSystem s;
    s.name = "Sol";
    BattleConfig config;
    ScriptedSeam seam;
    seam.Expect(c.page,
                [&](QDialog& page) {
                  test::Click(test::Group(page, c.group), "Dialogs");
                  test::Click(page, "Cancel");
                })
        .Expect(c.box, [&](QDialog& box) {
          EXPECT_EQ(box.windowTitle(), c.title);
          for (const auto& [caption, event] : c.lists) {
            Find<QPlainTextEdit>(box, caption).setPlainText(QString("Lead: ") + caption);
          }
          test::Click(box, "Ok");
        });
    c.run(config, s);
    std::size_t total = 0;
    for (const auto& list : s.dialogs) total += list.size();
    EXPECT_EQ(total, c.lists.size()) << c.group;
    for (const auto& [caption, event] : c.lists) {
      ASSERT_EQ(s.Dialogs(event).size(), 1u) << c.group;
      EXPECT_EQ(s.Dialogs(event)[0].text, Trim(caption)) << c.group;
    }
  }
}

}  // namespace
}  // namespace vk7
