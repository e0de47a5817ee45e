#include <gtest/gtest.h>

#include <set>
#include <string>
#include <xkbcommon/xkbcommon.h>

#include "shell/qt/layout_keys.h"

namespace volleon::qt {
namespace {

// X key codes of the evdev key codes, by key name.
constexpr std::uint32_t ESC = 9, AE04 = 13, AE11 = 20, AD01 = 24, AD02 = 25, AD06 = 29, AD11 = 34, AC01 = 38,
                        AC11 = 48, TLDE = 49, BKSL = 51, AB01 = 52, AB10 = 61;

struct Row {
    const char* layout;
    const char* variant;
    std::uint32_t group;
    LayoutKeys keys;  // 65, 90, 222, 191, 27
};

// A failing row is printed by its layout, not as its bytes.
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.layout;
    if (*row.variant != '\0') {
        *os << '(' << row.variant << ')';
    }
    *os << " group " << row.group;
}

// Where a layout types a character unshifted, that key; otherwise the key at
// the character's place on a US keyboard.
const Row kRows[] = {
    {"us", "", 0, {AC01, AB01, AC11, AB10, ESC}},
    // The apostrophe key is a dead key; no key types an apostrophe unshifted.
    {"us", "intl", 0, {AC01, AB01, AC11, AB10, ESC}},
    {"gb", "", 0, {AC01, AB01, AC11, AB10, ESC}},
    // QWERTZ; apostrophe (Shift+#) and slash (Shift+7) only shifted.
    {"de", "", 0, {AC01, AD06, AC11, AB10, ESC}},
    // AZERTY; apostrophe on the 4 key, slash only shifted.
    {"fr", "", 0, {AD01, AD02, AE04, AB10, ESC}},
    {"es", "", 0, {AC01, AB01, AE11, AB10, ESC}},
    {"it", "", 0, {AC01, AB01, AE11, AB10, ESC}},
    {"se", "", 0, {AC01, AB01, BKSL, AB10, ESC}},
    // ABNT2: apostrophe left of 1; slash on the extra key by right Shift,
    // which a US keyboard lacks.
    {"br", "", 0, {AC01, AB01, TLDE, AB10, ESC}},
    {"tr", "", 0, {AC01, AB01, AC11, AB10, ESC}},
    // Slash unshifted only on the key left of Z, which a US keyboard lacks.
    {"ru", "", 0, {AC01, AB01, AC11, AB10, ESC}},
    {"ua", "", 0, {AC01, AB01, TLDE, AB10, ESC}},
    {"gr", "", 0, {AC01, AB01, AC11, AB10, ESC}},
    {"il", "", 0, {AC01, AB01, AD02, AD01, ESC}},
    {"us", "dvorak", 0, {AC01, AB10, AD01, AD11, ESC}},
    {"us", "colemak", 0, {AC01, AB01, AC11, AB10, ESC}},
    // Z stands at the US place of the slash, which this layout types only
    // shifted: the slash takes the place Z left.
    {"no", "dvorak", 0, {AC01, AB10, AD11, AB01, ESC}},
    // The second group of a two-layout keymap.
    {"ru,de", "", 1, {AC01, AD06, AC11, AB10, ESC}},
};

class LayoutKeysTest : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override {
        context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        ASSERT_NE(context_, nullptr);
        us_ = compileKeymap(context_, "us");
        ASSERT_TRUE(us_);
    }
    void TearDown() override { xkb_context_unref(context_); }

    xkb_context* context_ = nullptr;
    KeymapPtr us_;
};

TEST_P(LayoutKeysTest, EachCodeOnItsKeyAllOnDistinctKeys) {
    const Row& row = GetParam();
    const KeymapPtr keymap = compileKeymap(context_, row.layout, row.variant);
    ASSERT_TRUE(keymap);
    const LayoutKeys keys = layoutKeys(keymap.get(), row.group, us_.get());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i], row.keys[i]) << "code " << kLayoutKeyCodes[i];
        EXPECT_EQ(layoutKeyCode(keys, keys[i]), kLayoutKeyCodes[i]);
        // A key that types something without Shift in this group.
        const xkb_keysym_t* syms = nullptr;
        EXPECT_GT(xkb_keymap_key_get_syms_by_level(keymap.get(), keys[i], row.group, 0, &syms), 0)
            << "code " << kLayoutKeyCodes[i];
    }
    EXPECT_EQ(std::set<std::uint32_t>(keys.begin(), keys.end()).size(), keys.size());
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutKeysTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             std::string name = std::string(info.param.layout) + info.param.variant;
                             for (char& c : name) {
                                 c = c == ',' ? '_' : c;
                             }
                             return name;
                         });

}  // namespace
}  // namespace volleon::qt
