#pragma once
// Names of photos that the acquisition and capture commands store for an album: the data
// folder's "photos" folder and eight characters plus ".jpg": the month ("Jan".."Dec"), the
// day in two digits, a marker and a two-digit counter. The counter is the setting CurrCamNum;
// it restarts at 1 when it is outside 1..999 or when CurrCamDate is not today's stamp (day +
// 100 × month index + 100). Below 100 the marker is the character of "_#-^$~" at (years since
// 1900 + 3) mod 5; from 100 on it is the counter's hundreds digit.

#include <ctime>
#include <filesystem>
#include <string>

namespace gp {

class ProfileFile;
struct UserSettings;

// The eight-character name with ".jpg" for a counter and a date.
std::string cameraPhotoFileName(int counter, const std::tm& date);

// Today's stamp as CurrCamDate keeps it.
int cameraDateStamp(const std::tm& date);

// The next name for today: takes the counter from the settings, stores the incremented counter
// and today's stamp (in memory and in the settings file) and returns dataDir/photos/NAME.
std::filesystem::path nextCameraPhotoPath(
    UserSettings& settings, ProfileFile& file, const std::filesystem::path& dataDir, const std::tm& today);

} // namespace gp
