// First-letter access keys of menus without ampersands.
#include <gtest/gtest.h>

#include "platform/MenuAccess.h"
#include "app/Menus.h"

namespace pw {
namespace {

// The Edit menu as it drops down: entries in order, with their enabled flags.
std::vector<MenuKeyEntry> EditMenu(bool hasSelection, bool hasText) {
    return {
        {"Undo\tCtrl+U", false, true},  {"", true, true},
        {"Cut\tCtrl+X", false, hasSelection}, {"Copy\tCtrl+C", false, hasSelection},
        {"Paste\tCtrl+V", false, true}, {"Delete\tCtrl+D", false, hasSelection},
        {"", true, true},               {"Select All\tCtrl+A", false, hasText},
        {"", true, true},               {"Find...\tCtrl+F", false, hasText},
        {"Replace...\tCtrl+R", false, hasText}, {"", true, true},
        {"Font...\tCtrl+L", false, true},
    };
}

TEST(MenuAccess, AccessKeyIsTheFirstLetterOrDigitUpperCased) {
    EXPECT_EQ(AccessKeyOf("Select All\tCtrl+A"), 'S');
    EXPECT_EQ(AccessKeyOf("about"), 'A');
    EXPECT_EQ(AccessKeyOf("  3D view"), '3');
    EXPECT_EQ(AccessKeyOf("-"), 0);
    EXPECT_EQ(AccessKeyOf("\tCtrl+A"), 0);   // a shortcut is not part of the caption
    // Captions with a marked key (the system menu's) keep it.
    EXPECT_EQ(AccessKeyOf("Mi&nimize"), 'N');
    EXPECT_EQ(AccessKeyOf("Save && &quit"), 'Q');
    EXPECT_EQ(AccessKeyOf("Fish && chips"), 'F');
}

TEST(MenuAccess, SystemMenuKeepsItsOwnKeys) {
    const std::vector<MenuKeyEntry> sys = {
        {"&Restore", false, false}, {"&Move", false, true}, {"&Size", false, true},
        {"Mi&nimize", false, true}, {"Ma&ximize", false, true}, {"", true, true},
        {"&Close\tAlt+F4", false, true},
    };
    MenuKeyAnswer m = MenuKeyFor(sys, 'm', -1);
    EXPECT_EQ(m.kind, MenuKeyAnswer::Execute);
    EXPECT_EQ(m.index, 1);
    EXPECT_EQ(MenuKeyFor(sys, 'x', -1).index, 4);
    EXPECT_EQ(MenuKeyFor(sys, 'r', -1).kind, MenuKeyAnswer::Ignore);
}

TEST(MenuAccess, UniqueLetterChoosesItsEntryWhateverTheCase) {
    auto menu = EditMenu(true, true);
    for (char key : {'s', 'S'}) {
        MenuKeyAnswer a = MenuKeyFor(menu, key, -1);
        EXPECT_EQ(a.kind, MenuKeyAnswer::Execute);
        EXPECT_EQ(a.index, 7);
    }
    EXPECT_EQ(MenuKeyFor(menu, 'u', 0).index, 0);
    EXPECT_EQ(MenuKeyFor(menu, 'z', -1).kind, MenuKeyAnswer::Ignore);
    EXPECT_EQ(MenuKeyFor(menu, '\0', -1).kind, MenuKeyAnswer::Ignore);
}

TEST(MenuAccess, GreyedEntriesAreNeverReached) {
    auto menu = EditMenu(false, false);
    EXPECT_EQ(MenuKeyFor(menu, 'd', -1).kind, MenuKeyAnswer::Ignore);   // Delete greyed
    EXPECT_EQ(MenuKeyFor(menu, 's', -1).kind, MenuKeyAnswer::Ignore);   // Select All greyed
    EXPECT_EQ(MenuKeyFor(menu, 'c', -1).kind, MenuKeyAnswer::Ignore);   // Cut and Copy greyed
    // Find... greyed leaves Font... the only F: chosen at once.
    MenuKeyAnswer f = MenuKeyFor(menu, 'f', -1);
    EXPECT_EQ(f.kind, MenuKeyAnswer::Execute);
    EXPECT_EQ(f.index, 12);
}

TEST(MenuAccess, SharedLetterCyclesThroughItsEntriesWithoutChoosing) {
    auto menu = EditMenu(true, true);
    MenuKeyAnswer a = MenuKeyFor(menu, 'c', -1);
    EXPECT_EQ(a.kind, MenuKeyAnswer::Select);
    EXPECT_EQ(a.index, 2);                        // Cut
    EXPECT_EQ(MenuKeyFor(menu, 'c', 2).index, 3); // then Copy
    EXPECT_EQ(MenuKeyFor(menu, 'c', 3).index, 2); // then Cut again
    EXPECT_EQ(MenuKeyFor(menu, 'c', 7).index, 2); // from further down: wraps to the first
    EXPECT_EQ(MenuKeyFor(menu, 'f', 4).index, 9); // Find... before Font...
    EXPECT_EQ(MenuKeyFor(menu, 'f', 9).index, 12);
}

TEST(MenuAccess, DownStepsSkipSeparatorsAndWrap) {
    auto menu = EditMenu(true, true);
    EXPECT_EQ(DownStepsTo(menu, -1, 0), 1);   // the first press highlights the first entry
    EXPECT_EQ(DownStepsTo(menu, -1, 2), 2);   // Undo, Cut
    EXPECT_EQ(DownStepsTo(menu, 0, 2), 1);    // over the separator
    EXPECT_EQ(DownStepsTo(menu, 9, 12), 2);   // Replace..., Font...
    EXPECT_EQ(DownStepsTo(menu, 12, 2), 2);   // wraps: Undo, Cut
    EXPECT_EQ(DownStepsTo(menu, 3, 3), 0);
    EXPECT_EQ(DownStepsTo(menu, 0, 1), 0);    // a separator is never a target
}

TEST(MenuAccess, EveryMenuOfTheMainWindowReachesEachEntryByLetter) {
    // File, Edit, View and Help on the menu bar have distinct letters, and inside each menu
    // (and each menu within one) every entry is reachable: by its own letter, or by cycling
    // through a shared one.
    const std::vector<MenuItem> items = MainMenu();
    std::vector<MenuKeyEntry> bar;
    std::vector<std::vector<MenuKeyEntry>> menus;
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& it = items[i];
        if (it.level == 0 && it.visible) bar.push_back({it.caption});
        // The entries right under this one, when it opens a menu.
        std::vector<MenuKeyEntry> menu;
        for (size_t j = i + 1; j < items.size() && items[j].level > it.level; ++j)
            if (items[j].level == it.level + 1) menu.push_back({items[j].caption, std::string(items[j].caption) == "-"});
        if (it.level != kKeyOnly && !menu.empty()) menus.push_back(menu);
    }
    ASSERT_EQ(bar.size(), 4u);
    ASSERT_EQ(menus.size(), 6u) << "File, Edit, View, Zoom, Help and the tray pop-up";
    for (char key : {'f', 'e', 'v', 'h'}) EXPECT_EQ(MenuKeyFor(bar, key, -1).kind, MenuKeyAnswer::Execute) << key;
    for (const auto& menu : menus) {
        for (int i = 0; i < static_cast<int>(menu.size()); ++i) {
            if (menu[static_cast<size_t>(i)].separator) continue;
            const char key = AccessKeyOf(menu[static_cast<size_t>(i)].caption);
            int current = -1;
            bool reached = false;
            for (int press = 0; press < 4 && !reached; ++press) {
                MenuKeyAnswer a = MenuKeyFor(menu, key, current);
                reached = a.index == i;
                current = a.index;
            }
            EXPECT_TRUE(reached) << menu[static_cast<size_t>(i)].caption;
        }
    }
}

}  // namespace
}  // namespace pw
