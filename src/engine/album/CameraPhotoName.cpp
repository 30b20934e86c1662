#include "album/CameraPhotoName.h"

#include "shell/StringTable.h"
#include "shell/UserSettings.h"

#include <cstdio>

namespace gp {

namespace {

constexpr const char* kMonths[12]
    = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
constexpr char kMarkers[] = "_#-^$~";

} // namespace

int cameraDateStamp(const std::tm& date)
{
    return date.tm_mday + 100 * date.tm_mon + 100;
}

std::string cameraPhotoFileName(int counter, const std::tm& date)
{
    const int month = date.tm_mon >= 0 && date.tm_mon < 12 ? date.tm_mon : 0;
    const char marker = counter < 100 ? kMarkers[((date.tm_year + 3) % 5 + 5) % 5] : char('0' + counter / 100 % 10);
    char name[32];
    std::snprintf(name, sizeof name, "%s%02d%c%02d.jpg", kMonths[month], date.tm_mday % 100, marker, counter % 100);
    return name;
}

std::filesystem::path nextCameraPhotoPath(
    UserSettings& settings, ProfileFile& file, const std::filesystem::path& dataDir, const std::tm& today)
{
    const int stamp = cameraDateStamp(today);
    int counter = settings.currCamNum;
    if (counter < 1 || counter > 999 || settings.currCamDate != stamp)
        counter = 1;
    const std::string name = cameraPhotoFileName(counter, today);
    settings.currCamNum = counter + 1;
    settings.currCamDate = stamp;
    writeUserInt(file, StringId::KeyCurrCamNum, settings.currCamNum);
    writeUserInt(file, StringId::KeyCurrCamDate, settings.currCamDate);
    return dataDir / text(StringId::PhotosFolder) / name;
}

} // namespace gp
