#include "virtual_keys.h"

#include <utility>

namespace volleon::qt {

namespace {

// Keys whose code is not their Qt key code. The punctuation keys sit where a
// US layout has them; each shifted symbol maps to the key that types it.
constexpr std::pair<int, int> kKeyTable[] = {
    {Qt::Key_Backspace, 8},   {Qt::Key_Tab, 9},          {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},      {Qt::Key_Return, 13},      {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},      {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},      {Qt::Key_CapsLock, 20},    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},      {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},        {Qt::Key_Home, 36},        {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},         {Qt::Key_Right, 39},       {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},      {Qt::Key_Insert, 45},      {Qt::Key_Delete, 46},
    {Qt::Key_Meta, 91},       {Qt::Key_Super_L, 91},     {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, 93},       {Qt::Key_NumLock, 144},    {Qt::Key_ScrollLock, 145},
    // Shifted digits of a US layout.
    {Qt::Key_ParenRight, '0'}, {Qt::Key_Exclam, '1'},    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'}, {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    // Punctuation keys, plain and shifted.
    {Qt::Key_Semicolon, 186}, {Qt::Key_Colon, 186},      {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},      {Qt::Key_Comma, 188},      {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},     {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},   {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192}, {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219}, {Qt::Key_Backslash, 220},  {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
    // Function keys and the remaining modifiers.
    {Qt::Key_F1, 112},        {Qt::Key_F2, 113},         {Qt::Key_F3, 114},
    {Qt::Key_F4, 115},        {Qt::Key_F5, 116},         {Qt::Key_F6, 117},
    {Qt::Key_F7, 118},        {Qt::Key_F8, 119},         {Qt::Key_F9, 120},
    {Qt::Key_F10, 121},       {Qt::Key_F11, 122},        {Qt::Key_F12, 123},
    {Qt::Key_AltGr, 18},      {Qt::Key_Hyper_L, 91},     {Qt::Key_Hyper_R, 92},
};

// Keypad keys, told apart from the main keys by the keypad modifier.
int keypadCode(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return 96 + (qtKey - Qt::Key_0);
    }
    switch (qtKey) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;
    }
}

}  // namespace

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const int code = keypadCode(qtKey); code != 0) {
            return code;
        }
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;  // letters and digits share their codes with ASCII
    }
    if (qtKey >= Qt::Key_F13 && qtKey <= Qt::Key_F24) {
        return 124 + (qtKey - Qt::Key_F13);
    }
    for (const auto& [key, code] : kKeyTable) {
        if (key == qtKey) {
            return code;
        }
    }
    return 0;
}

}  // namespace volleon::qt
