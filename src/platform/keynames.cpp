#include "platform/keynames.h"

#include <algorithm>

#include "platform/asciicase.h"

namespace kipkip {
namespace {

struct NamedKey {
    std::string_view name;
    std::uint8_t code;
};

// In the order of SDL's scancodes; no two entries share a name or a code.
constexpr NamedKey kNamedKeys[] = {
    {"A", 0x1E},          {"B", 0x30},           {"C", 0x2E},          {"D", 0x20},
    {"E", 0x12},          {"F", 0x21},           {"G", 0x22},          {"H", 0x23},
    {"I", 0x17},          {"J", 0x24},           {"K", 0x25},          {"L", 0x26},
    {"M", 0x32},          {"N", 0x31},           {"O", 0x18},          {"P", 0x19},
    {"Q", 0x10},          {"R", 0x13},           {"S", 0x1F},          {"T", 0x14},
    {"U", 0x16},          {"V", 0x2F},           {"W", 0x11},          {"X", 0x2D},
    {"Y", 0x15},          {"Z", 0x2C},           {"1", 0x02},          {"2", 0x03},
    {"3", 0x04},          {"4", 0x05},           {"5", 0x06},          {"6", 0x07},
    {"7", 0x08},          {"8", 0x09},           {"9", 0x0A},          {"0", 0x0B},
    {"Return", 0x1C},     {"Escape", 0x01},      {"Backspace", 0x0E},  {"Tab", 0x0F},
    {"Space", 0x39},      {"-", 0x0C},           {"=", 0x0D},          {"[", 0x1A},
    {"]", 0x1B},          {"\\", 0x2B},          {";", 0x27},          {"'", 0x28},
    {"`", 0x29},          {",", 0x33},           {".", 0x34},          {"/", 0x35},
    {"CapsLock", 0x3A},   {"F1", 0x3B},          {"F2", 0x3C},         {"F3", 0x3D},
    {"F4", 0x3E},         {"F5", 0x3F},          {"F6", 0x40},         {"F7", 0x41},
    {"F8", 0x42},         {"F9", 0x43},          {"F10", 0x44},        {"F11", 0x57},
    {"F12", 0x58},        {"PrintScreen", 0xB7}, {"ScrollLock", 0x46}, {"Pause", 0xC5},
    {"Insert", 0xD2},     {"Home", 0xC7},        {"PageUp", 0xC9},     {"Delete", 0xD3},
    {"End", 0xCF},        {"PageDown", 0xD1},    {"Right", 0xCD},      {"Left", 0xCB},
    {"Down", 0xD0},       {"Up", 0xC8},          {"Numlock", 0x45},    {"Keypad /", 0xB5},
    {"Keypad *", 0x37},   {"Keypad -", 0x4A},    {"Keypad +", 0x4E},   {"Keypad Enter", 0x9C},
    {"Keypad 1", 0x4F},   {"Keypad 2", 0x50},    {"Keypad 3", 0x51},   {"Keypad 4", 0x4B},
    {"Keypad 5", 0x4C},   {"Keypad 6", 0x4D},    {"Keypad 7", 0x47},   {"Keypad 8", 0x48},
    {"Keypad 9", 0x49},   {"Keypad 0", 0x52},    {"Keypad .", 0x53},   {"Application", 0xDD},
    {"Left Ctrl", 0x1D},  {"Left Shift", 0x2A},  {"Left Alt", 0x38},   {"Left GUI", 0xDB},
    {"Right Ctrl", 0x9D}, {"Right Shift", 0x36}, {"Right Alt", 0xB8},  {"Right GUI", 0xDC},
};

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

std::uint8_t KeyCodeFromName(std::string_view name)
{
    for (const NamedKey& key : kNamedKeys) {
        if (SameIgnoringCase(key.name, name)) {
            return key.code;
        }
    }
    return 0;
}

std::string_view KeyNameOfCode(std::uint8_t code)
{
    for (const NamedKey& key : kNamedKeys) {
        if (key.code == code) {
            return key.name;
        }
    }
    return {};
}

}  // namespace kipkip
