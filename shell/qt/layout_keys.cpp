#include "layout_keys.h"

#include <algorithm>
#include <cstring>
#include <xkbcommon/xkbcommon.h>

namespace volleon::qt {

namespace {

// What each code types on the key that carries it, in the order of
// kLayoutKeyCodes: letters in their unshifted (small) form.
constexpr std::array<xkb_keysym_t, kLayoutKeyCodes.size()> kCharacters = {
    XKB_KEY_a, XKB_KEY_z, XKB_KEY_apostrophe, XKB_KEY_slash, XKB_KEY_Escape};

// The keys that ISO, Brazilian and Japanese keyboards have beyond a US one
// (left of Z, left of right Shift, left of Backspace). A character typed
// there would be out of reach on the many keyboards without that key, so
// such a key does not count and the character's US position does.
bool onUsKeyboard(xkb_keymap* keymap, xkb_keycode_t key) {
    const char* name = xkb_keymap_key_get_name(keymap, key);
    if (name == nullptr) {
        return false;
    }
    constexpr const char* kExtraKeys[] = {"LSGT", "AB11", "AE13"};
    return std::none_of(std::begin(kExtraKeys), std::end(kExtraKeys),
                        [name](const char* extra) { return std::strcmp(name, extra) == 0; });
}

bool typesUnshifted(xkb_keymap* keymap, xkb_keycode_t key, xkb_layout_index_t group, xkb_keysym_t character) {
    if (!onUsKeyboard(keymap, key)) {
        return false;
    }
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, key, group, 0, &syms);
    return std::any_of(syms, syms + std::max(count, 0),
                       [character](xkb_keysym_t sym) { return xkb_keysym_to_lower(sym) == character; });
}

// The keys that type the character unshifted, lowest key code first.
template <typename Visit>
void forEachKeyTyping(xkb_keymap* keymap, xkb_layout_index_t group, xkb_keysym_t character, Visit visit) {
    for (xkb_keycode_t key = xkb_keymap_min_keycode(keymap); key <= xkb_keymap_max_keycode(keymap); ++key) {
        if (typesUnshifted(keymap, key, group, character) && !visit(key)) {
            return;
        }
    }
}

// The key of keymap standing where the US keyboard types the character.
xkb_keycode_t usPosition(xkb_keymap* keymap, xkb_keymap* usKeymap, xkb_keysym_t character) {
    xkb_keycode_t found = XKB_KEYCODE_INVALID;
    forEachKeyTyping(usKeymap, 0, character, [&](xkb_keycode_t key) {
        if (const char* name = xkb_keymap_key_get_name(usKeymap, key)) {
            found = xkb_keymap_key_by_name(keymap, name);
        }
        return found == XKB_KEYCODE_INVALID;
    });
    return found;
}

}  // namespace

void KeymapDeleter::operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }

KeymapPtr compileKeymap(xkb_context* context, const char* layout, const char* variant) {
    const xkb_rule_names names{nullptr, nullptr, layout, variant, nullptr};
    return KeymapPtr(xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

bool isLayoutKeyCode(int virtualKey) {
    return std::find(kLayoutKeyCodes.begin(), kLayoutKeyCodes.end(), virtualKey) != kLayoutKeyCodes.end();
}

LayoutKeys layoutKeys(xkb_keymap* keymap, std::uint32_t group, xkb_keymap* usKeymap) {
    constexpr std::size_t kCount = kLayoutKeyCodes.size();
    LayoutKeys keys{};
    std::array<xkb_keycode_t, kCount> us{};
    const auto owner = [&keys](xkb_keycode_t key) {
        return static_cast<std::size_t>(std::find(keys.begin(), keys.end(), key) - keys.begin());
    };
    // First the keys that type the characters; of several, the one at the
    // US position, else the lowest key code.
    for (std::size_t i = 0; i < kCount; ++i) {
        us[i] = usPosition(keymap, usKeymap, kCharacters[i]);
        xkb_keycode_t chosen = XKB_KEYCODE_INVALID;
        forEachKeyTyping(keymap, group, kCharacters[i], [&](xkb_keycode_t key) {
            if (chosen == XKB_KEYCODE_INVALID || key == us[i]) {
                chosen = key;
            }
            return chosen != us[i];
        });
        if (chosen != XKB_KEYCODE_INVALID && owner(chosen) == kCount) {
            keys[i] = chosen;
        }
    }
    // Then the US positions for the others. A position already taken by a
    // character that moved there leaves that character's own US position
    // free: follow the chain.
    for (std::size_t i = 0; i < kCount; ++i) {
        std::size_t from = i;
        for (std::size_t step = 0; keys[i] == 0 && step < kCount; ++step) {
            const xkb_keycode_t candidate = us[from];
            if (candidate == XKB_KEYCODE_INVALID) {
                break;
            }
            from = owner(candidate);
            if (from == kCount) {
                keys[i] = candidate;
            }
        }
    }
    return keys;
}

int layoutKeyCode(const LayoutKeys& keys, std::uint32_t keycode) {
    if (keycode == 0) {
        return 0;
    }
    const auto found = std::find(keys.begin(), keys.end(), keycode);
    return found == keys.end() ? 0 : kLayoutKeyCodes[static_cast<std::size_t>(found - keys.begin())];
}

}  // namespace volleon::qt
