// glimmer-skin-builder OUTPUT_DIR [ICON_DIR]: draws the program's interface artwork and writes the skin
// files, the bar and list backgrounds, the copies pictures and the screen background files in
// the formats the program reads, for both screen modes and at two densities (the "@2x" files
// hold the same pictures drawn with twice the pixels each way, for high-density screens); the
// single-photo page's backgrounds; and, given ICON_DIR, the program's icon in the icon theme's
// sizes.

#include "AppIcon.h"
#include "Artwork.h"
#include "Backgrounds.h"
#include "SkinWriter.h"
#include "codecs/BmpWriter.h"
#include "gfx/QtImage.h"

#include <QGuiApplication>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

using namespace gp;
using namespace gp::skin;

namespace {

std::vector<std::uint8_t> packedOf(const QImage& image)
{
    const auto converted = gfx::fromQImage(image);
    if (!converted)
        return {};
    const auto packed = converted->packed();
    return { packed.begin(), packed.end() };
}

Rect scaledRect(const Rect& r, double scale)
{
    return Rect { int(r.left * scale + 0.5), int(r.top * scale + 0.5), int(r.right * scale + 0.5),
        int(r.bottom * scale + 0.5) };
}

// The three images of every button of a page; sliders give their track and knob. The places
// are in the mode's window coordinates (scale); the pictures have density times their pixels.
std::vector<EntryImage> buttonEntries(std::span<const ui::ButtonSpec> page, double scale, int density)
{
    const double drawn = scale * density;
    std::vector<EntryImage> entries;
    for (const ui::ButtonSpec& buttonSpec : page) {
        if (buttonSpec.kind == ui::ButtonKind::Area)
            continue;
        const bool slider = buttonSpec.kind == ui::ButtonKind::Slider || buttonSpec.kind == ui::ButtonKind::SliderControl;
        for (ButtonState state : { ButtonState::Normal, ButtonState::Pressed, ButtonState::Hover }) {
            EntryImage entry;
            entry.kind = slider ? 2 : 0;
            entry.rect = scaledRect(buttonSpec.rect, scale);
            entry.parameter = slider ? 100 : 0;
            const QImage image = slider                   ? sliderImage(buttonSpec, state, drawn)
                : buttonSpec.kind == ui::ButtonKind::OwnerDrawn ? listRowImage(buttonSpec, state, drawn)
                                                          : buttonImage(buttonSpec, state, drawn);
            entry.packed = packedOf(image);
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

bool writeBmp(const std::filesystem::path& path, const QImage& image)
{
    const auto converted = gfx::fromQImage(image);
    return converted && writeBmpFile(path.string(), *converted) == WriteResult::Written;
}

// Writes one screen mode's files at one density: "button.800" at 1, "button@2x.800" at 2.
bool buildMode(const std::filesystem::path& out, bool mode640, int density)
{
    const double scale = mode640 ? 0.8 : 1.0;
    // Places stay in window coordinates; pictures are drawn at `drawn`.
    const double drawn = scale * density;
    const std::string ext = std::string(density == 2 ? "@2x" : "") + (mode640 ? ".640" : ".800");
    const std::filesystem::path ui = out / "ui";
    bool ok = true;

    std::vector<std::vector<EntryImage>> framePages;
    for (int page = 0; page < ui::kFramePages; ++page) {
        framePages.push_back(buttonEntries(ui::framePage(page), scale, density));
        ok &= writeBmp(ui / ("screen" + std::to_string(page) + ext), frameBackground(page, drawn));
    }
    ok &= writeFile(ui / ("button" + ext), skinFileBytes(framePages));

    ok &= writeFile(ui / ("auxbar" + ext),
        skinFileBytes({ buttonEntries(ui::auxiliaryPage(0), scale, density),
            buttonEntries(ui::auxiliaryPage(1), scale, density) }));
    // A bar's background has the pixels of its place at 1x, twice each way at 2x.
    const auto barSize = [&](const Rect& r) {
        return QSize(int(r.width() * scale) * density, int(r.height() * scale) * density);
    };
    ok &= writeBmp(ui / ("templatelogo" + ext), barBackground(barSize(ui::kTemplateBarRect), {}, drawn));
    ok &= writeBmp(
        ui / ("sliderlogo" + ext), barBackground(barSize(ui::kOptionBarRect), QStringLiteral("Photo Size"), drawn));

    ok &= writeFile(ui / ("Listbtn" + ext), skinFileBytes({ buttonEntries(ui::listPage(), scale, density) }));
    for (const char* name : { "layoutlistlogo", "getlistlogo", "croplistlogo", "editlistlogo", "framelistlogo" })
        ok &= writeBmp(ui / (name + ext), barBackground(barSize(ui::kCategoryListRect), {}, drawn));
    ok &= writeBmp(ui / ("blankrectlogo" + ext), blankPanel(drawn));

    // The copies pictures: one entry per count, 1..99.
    std::vector<EntryImage> copies;
    for (int count = 1; count <= 99; ++count) {
        EntryImage entry;
        entry.rect = scaledRect(ui::kCopiesRect, scale);
        entry.packed = packedOf(copiesImage(count, drawn));
        copies.push_back(std::move(entry));
    }
    ok &= writeFile(ui / ("copies" + ext), skinFileBytes({ copies }));

    const char* screens[] = { "LAYOUT", "ALBUM", "CROPIT", "EDITIT", "FRAMEIT" };
    for (int screen = 0; screen < 5; ++screen) {
        const std::string name = screens[screen] + std::string(density == 2 ? "@2x" : "") + (mode640 ? ".LO6" : ".LOG");
        ok &= writeBmp(out / name, screenBackdrop(screen, drawn));
    }
    return ok;
}

// The single-photo page's backgrounds as JPEG pictures in template/, and their catalogue
// template/template.lst naming each one's portrait and landscape picture.
bool buildBackgrounds(const std::filesystem::path& out)
{
    const std::filesystem::path folder = out / "template";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return false;
    const auto& arts = backgroundArt();
    std::ofstream list(folder / "template.lst", std::ios::binary | std::ios::trunc);
    list << "; Backgrounds of the single-photo page: a display name and a picture for the portrait and the\n"
            "; landscape page, relative to the program folder.\n"
            "[TempList]\n"
            "Files=" << arts.size() << "\n";
    bool ok = true;
    for (std::size_t i = 0; i < arts.size(); ++i) {
        const std::string stem = arts[i].fileStem.toStdString();
        const std::string portrait = "template/" + stem + "-port.jpg";
        const std::string landscape = "template/" + stem + "-land.jpg";
        ok &= backgroundImage(i, QSize(600, 780)).save(QString::fromStdString((out / portrait).string()), "JPG", 90);
        ok &= backgroundImage(i, QSize(780, 600)).save(QString::fromStdString((out / landscape).string()), "JPG", 90);
        const std::size_t n = i + 1;
        list << "Name" << n << '=' << arts[i].name.toStdString() << "\nPort" << n << '=' << portrait << "\nLand" << n
             << '=' << landscape << '\n';
    }
    list.close();
    return ok && list.good();
}

// The icon theme's pictures: ICON_DIR/hicolor/NxN/apps/<name>.png for the usual sizes.
bool buildIcons(const std::filesystem::path& iconDir)
{
    bool ok = true;
    for (int size : { 16, 22, 24, 32, 48, 64, 128, 256 }) {
        const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path folder = iconDir / "hicolor" / sizeName / "apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        ok &= !error
            && appIcon(size).save(QString::fromStdString((folder / "org.glimmerpress.Glimmerpress.png").string()), "PNG");
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: glimmer-skin-builder OUTPUT_DIR [ICON_DIR]\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code error;
    std::filesystem::create_directories(out / "ui", error);
    if (error || !buildMode(out, false, 1) || !buildMode(out, true, 1) || !buildMode(out, false, 2)
        || !buildMode(out, true, 2) || !buildBackgrounds(out)
        || (argc == 3 && !buildIcons(argv[2]))) {
        std::cerr << "glimmer-skin-builder: cannot write the artwork to " << out << '\n';
        return 1;
    }
    return 0;
}
