#pragma once

#include "shell/SettingKey.h"

// Varnock's title, which is also the application name its settings live under.
inline constexpr char VarnockTitle[] = "Varnock";

// Every key Varnock stores. Placement defaults that depend on the screen
// (the centring Top and Left) read as empty and are worked out by the window.
namespace VarnockSettings {

inline constexpr SettingKey HowMany{"Options", "HowMany", "500"};
inline constexpr SettingKey HowManyGenetic{"Options", "HowManyGenetic", "10"};
inline constexpr SettingKey Mutations{"Options", "Mutations", "1"};
inline constexpr SettingKey DirectSave{"Options", "DirectSave", "False"};
// On systems without drive letters the window proposes a path of its own.
inline constexpr SettingKey DirectSaveFile{"Options", "DirectSaveFile", "C:\\fdkdsfk.txt"};
inline constexpr SettingKey KillDupes{"Options", "KillDupes", "True"};
inline constexpr SettingKey FastMode{"Options", "FastMode", "True"};
inline constexpr SettingKey MatchCase{"Options", "Case", "False"};
inline constexpr SettingKey Sort{"Options", "Sort", "True"};
inline constexpr SettingKey UseDiphthongi{"Options", "UseDiphthongi", "True"};
inline constexpr SettingKey RealityMode{"Options", "RealityMode", "True"};

// The placement keys of one window: section "Window" for the main window,
// "Genetic" for the genetic creator.
struct PlacementKeys {
    SettingKey WindowState, Height, Width, Top, Left;
};
constexpr PlacementKeys placementKeys(const char *section)
{
    return {{section, "WindowState", "2"},
            {section, "Height", "4320"},
            {section, "Width", "3015"},
            {section, "Top", ""},
            {section, "Left", ""}};
}
inline constexpr PlacementKeys MainWindow = placementKeys("Window");
inline constexpr PlacementKeys GeneticWindow = placementKeys("Genetic");

// The filter history: one key per entry, named by its index ("0", "1", ...).
inline constexpr char HistorySection[] = "List";

} // namespace VarnockSettings
