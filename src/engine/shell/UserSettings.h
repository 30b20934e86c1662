#pragma once
// The program's own settings: the keys of section USER of GLMPRESS.INI with their defaults and
// clamps, read in the program's order at start and partly written back at shut-down.

#include "base/Rgb.h"
#include "shell/ProfileFile.h"
#include "shell/StringTable.h"

#include <array>
#include <string>
#include <vector>

namespace gp {

struct UserSettings {
    int showFirst = 1;
    int effectMode = 1;
    std::array<int, 3> gamma{1000, 1000, 1000}; // red, green, blue × 1000
    Rgb active{255, 255, 255};
    Rgb alternate{0, 0, 255};
    int brushShape = 1;
    int brushSize = 8;
    int brushSpeed = 20;
    int showBrush = 0;
    int showColorPal = 0;
    std::string albumName;
    std::string stampName = "rectangl.stm";
    int scanCalFlag = 0;
    int scanCalChannel = 0;
    std::vector<int> scanCalParam;
    int printCalFlag = 0;
    int printCalChannel = 0;
    int blackGeneration = 33;
    int underColorRemoval = 20;
    int totalInkLimit = 400;
    int memoryScan = 0;
    int multiScan = 0;
    int currCamNum = 0;
    int currCamDate = 0;
    int margin = 5;
    int colorProfiles = 1; // 1 converts pictures with an embedded colour profile to sRGB on reading
};

// Reads every USER key in the program's order, applying defaults and clamps.
UserSettings readUserSettings(const ProfileFile& file);

// The value of one USER key, as the readers of other subsystems take it.
int readUserInt(const ProfileFile& file, StringId key, int def);
std::string readUserString(const ProfileFile& file, StringId key, std::string_view def);
bool writeUserInt(ProfileFile& file, StringId key, int value);
bool writeUserString(ProfileFile& file, StringId key, std::string_view value);

// The shut-down subset: Version = 201, EffectMode and the active colour (stopping at the first
// failed write), then the last directory and the recent files, which are always written.
// Returns false when any write failed.
bool writeShutdownSettings(ProfileFile& file, const UserSettings& settings, const std::array<std::string, 5>& recent);

} // namespace gp
