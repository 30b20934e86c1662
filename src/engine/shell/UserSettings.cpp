#include "shell/UserSettings.h"

#include <algorithm>
#include <sstream>

namespace gp {

namespace {

std::string_view section() { return text(StringId::UserSection); }

std::uint8_t asByte(int value) { return static_cast<std::uint8_t>(value); }

} // namespace

int readUserInt(const ProfileFile& file, StringId key, int def)
{
    return file.readInt(section(), text(key), def);
}

std::string readUserString(const ProfileFile& file, StringId key, std::string_view def)
{
    return file.readString(section(), text(key), def);
}

bool writeUserInt(ProfileFile& file, StringId key, int value)
{
    return file.writeInt(section(), text(key), value);
}

bool writeUserString(ProfileFile& file, StringId key, std::string_view value)
{
    return file.writeString(section(), text(key), value);
}

UserSettings readUserSettings(const ProfileFile& file)
{
    UserSettings s;
    s.showFirst = readUserInt(file, StringId::KeyShowFirst, 1);
    s.effectMode = readUserInt(file, StringId::KeyEffectMode, 1);
    s.gamma[0] = readUserInt(file, StringId::KeyGammaR, 1000);
    s.gamma[1] = readUserInt(file, StringId::KeyGammaG, 1000);
    s.gamma[2] = readUserInt(file, StringId::KeyGammaB, 1000);
    // Colours are stored as bytes.
    s.active = {asByte(readUserInt(file, StringId::KeyActR, 255)), asByte(readUserInt(file, StringId::KeyActG, 255)),
                asByte(readUserInt(file, StringId::KeyActB, 255))};
    s.alternate = {asByte(readUserInt(file, StringId::KeyAltR, 0)), asByte(readUserInt(file, StringId::KeyAltG, 0)),
                   asByte(readUserInt(file, StringId::KeyAltB, 255))};
    s.brushShape = readUserInt(file, StringId::KeyBrushShape, 1);
    s.brushSize = readUserInt(file, StringId::KeyBrushSize, 8);
    s.brushSpeed = readUserInt(file, StringId::KeyBrushSpeed, 20);
    s.showBrush = readUserInt(file, StringId::KeyShowBrush, 0);
    s.showColorPal = readUserInt(file, StringId::KeyShowColorPal, 0);
    s.stampName = readUserString(file, StringId::KeyStampName, "rectangl.stm").substr(0, 14);
    s.scanCalFlag = readUserInt(file, StringId::KeyScanCalFlag, 0);
    s.scanCalChannel = std::clamp(readUserInt(file, StringId::KeyScanCalChannel, 0), 0, 4);
    std::istringstream params(readUserString(file, StringId::KeyScanCalParam, ""));
    for (int v; params >> v;)
        s.scanCalParam.push_back(std::clamp(v, -100, 100));
    s.printCalFlag = readUserInt(file, StringId::KeyPrintCalFlag, 0);
    s.printCalChannel = std::clamp(readUserInt(file, StringId::KeyPrintCalChannel, 0), 0, 4);
    s.blackGeneration = std::clamp(readUserInt(file, StringId::KeyBlackGeneration, 33), 0, 100);
    s.underColorRemoval = readUserInt(file, StringId::KeyUnderColorRemov, 20);
    s.totalInkLimit = readUserInt(file, StringId::KeyTotalInkLimit, 400);
    s.albumName = readUserString(file, StringId::KeyAlbumName, "");
    s.memoryScan = readUserInt(file, StringId::KeyMemoryScan, 0);
    s.multiScan = readUserInt(file, StringId::KeyMultiScan, 0);
    s.currCamNum = readUserInt(file, StringId::KeyCurrCamNum, 0);
    s.currCamDate = readUserInt(file, StringId::KeyCurrCamDate, 0);
    s.margin = readUserInt(file, StringId::KeyMargin, 5);
    s.colorProfiles = readUserInt(file, StringId::KeyColorProfiles, 1) != 0 ? 1 : 0;
    return s;
}

bool writeShutdownSettings(ProfileFile& file, const UserSettings& s, const std::array<std::string, 5>& recent)
{
    const bool firstGroup = writeUserInt(file, StringId::KeyVersion, 201) &&
                            writeUserInt(file, StringId::KeyEffectMode, s.effectMode) &&
                            writeUserInt(file, StringId::KeyActR, s.active.red) &&
                            writeUserInt(file, StringId::KeyActG, s.active.green) &&
                            writeUserInt(file, StringId::KeyActB, s.active.blue);
    const StringId recentKeys[] = {StringId::KeyLastDir, StringId::KeyFile1, StringId::KeyFile2, StringId::KeyFile3,
                                   StringId::KeyFile4};
    bool recentWritten = true;
    for (std::size_t i = 0; i < recent.size(); ++i)
        recentWritten = writeUserString(file, recentKeys[i], recent[i]) && recentWritten;
    return firstGroup && recentWritten;
}

} // namespace gp
