// The keys of the seven signals from their names; a name no key carries keeps the default.
#include "app/keymap.h"

#include <gtest/gtest.h>

#include "app/commandline.h"
#include "app/mainform.h"

namespace kipkip {
namespace {

TEST(KeyMap, NamesBecomeTheirKeysAndUnknownNamesKeepTheDefault)
{
    const std::array<std::string, 7> names = {"w", "s", "a", "d", "z", "no-such-key", "return"};
    KeyMap map = ResolveKeys(names, TMainForm::kDefaultKeys);
    EXPECT_EQ(map.keys, (InputState{0x11, 0x1F, 0x1E, 0x20, 0x2C, 0x30, 0x1C}));
    ASSERT_EQ(map.complaints.size(), 1u);
    EXPECT_EQ(map.complaints[0],
              "no key of this keyboard is called \"no-such-key\"; the default key stays");
}

TEST(KeyMap, TheDefaultNamesGiveTheDefaultKeys)
{
    KeyMap map = ResolveKeys(Options{}.keyNames, TMainForm::kDefaultKeys);
    EXPECT_EQ(map.keys, TMainForm::kDefaultKeys);
    EXPECT_TRUE(map.complaints.empty());
}

}  // namespace
}  // namespace kipkip
