#pragma once

#include "shell/SettingKey.h"

// Kestrin's title, which is also the application name its settings live under.
inline constexpr char KestrinTitle[] = "Kestrin";

// Every key Kestrin stores: the two charsets, both the plain alphabet until
// the user changes them.
namespace KestrinSettings {
inline constexpr char PlainAlphabet[] = "abcdefghijklmnopqrstuvwxyz";
inline constexpr SettingKey OriginalCharset{"Options", "OriginalCharset", PlainAlphabet};
inline constexpr SettingKey NewCharset{"Options", "NewCharset", PlainAlphabet};
} // namespace KestrinSettings
