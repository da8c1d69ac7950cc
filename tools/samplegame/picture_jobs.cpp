#include "tools/samplegame/picture_jobs.h"

#include <cstdio>

#include "tools/samplegame/backgrounds.h"
#include "tools/samplegame/catalogue.h"
#include "tools/samplegame/event_pictures.h"
#include "tools/samplegame/extras_pictures.h"
#include "tools/samplegame/heroine.h"
#include "tools/samplegame/map_pictures.h"
#include "tools/samplegame/overlays.h"
#include "tools/samplegame/palette.h"
#include "tools/samplegame/staff_pictures.h"
#include "tools/samplegame/title_pictures.h"
#include "tools/samplegame/window_pictures.h"

namespace marlit::sample {

namespace {

using crx::CrxCompression;
using crx::CrxWriteOptions;

CrxWriteOptions zlib(int filter = -1) {
    return {CrxCompression::Zlib, filter};
}
CrxWriteOptions lz() {
    return {CrxCompression::Lz, -1};
}

// Character sprites: the figure a little larger than life in the frame.
constexpr Placement kSpritePlacement{{400, 200}, 1.3f};

}  // namespace

std::vector<PictureJob> pictureJobs(bool small) {
    std::vector<PictureJob> jobs;
    auto add = [&jobs](std::string path, Storage storage, CrxWriteOptions options,
                       std::function<Canvas(const Font&)> paint) {
        jobs.push_back({std::move(path), storage, options, std::move(paint)});
    };
    const std::string bg = "AdvData\\GRP\\BG\\";
    const std::string sys = "AdvData\\GRP\\system\\";
    const std::string staff = "AdvData\\GRP\\STAFF\\";

    // The splash the converter leaves out, as the game's own is.
    add("startup.CRX", Storage::Indexed, lz(),
        [](const Font& f) { return paintLogo(f).scaled(400, 300); });
    add("AdvData\\GRP\\Vantor2.crx", Storage::Opaque, zlib(0), paintLogo);

    // Backgrounds, with every row filter and both compression types.
    int n = 0;
    for (const Place& p : places()) {
        const std::string name = p.background;
        static constexpr int kFilters[6] = {-1, 1, 2, -1, 3, 0};
        add(bg + name + ".crx", Storage::Opaque, n % 4 == 3 ? lz() : zlib(kFilters[n % 6]),
            [name](const Font& f) { return backgroundOf(name, f); });
        ++n;
    }
    add(bg + "sora_01.crx", Storage::Opaque, zlib(0),
        [](const Font& f) { return backgroundOf("sora_01", f); });
    for (const char* name : {"ev_n01", "ev_n01b", "ev_n01c", "ev_n02", "ev_s01", "ev_s02"}) {
        const std::string event = name;
        add(bg + event + ".crx", Storage::Opaque, event.back() == '2' ? lz() : zlib(),
            [event](const Font& f) { return paintEvent(event, f); });
    }
    // Day cards: the two heroines and the general card, each keeping its
    // date line's height clear.
    add(bg + "i_duzo.crx", Storage::Opaque, zlib(2),
        [](const Font& f) { return paintDayCard(0, 400, f); });
    add(bg + "i_sela.crx", Storage::Opaque, zlib(3),
        [](const Font& f) { return paintDayCard(1, 300, f); });
    add(bg + "i_etc.crx", Storage::Opaque, lz(),
        [](const Font& f) { return paintDayCard(-1, 344, f); });

    // Character sprites: 灯 with soft alpha edges, 小夜 on the magenta key
    // (her file names are in the converter's key list).
    const Pose poses[2][4] = {
        {{Expression::Normal},
         {Expression::Smile},
         {Expression::Surprised},
         {Expression::Troubled}},
        {{Expression::Normal}, {Expression::Smile}, {Expression::Troubled, true}, {}}};
    for (int h = 0; h < 2; ++h) {
        for (int e = 0; e < (h == 0 ? 4 : 3); ++e) {
            const Pose pose = poses[h][e];
            add(std::string("AdvData\\GRP\\CHR\\") + heroines()[h].code + "_1" +
                    std::to_string(e + 1) + ".crx",
                h == 0 ? Storage::Alpha : Storage::Keyed,
                h == 0 ? zlib(e == 3 ? 4 : -1) : (e == 1 ? lz() : zlib(4)), [h, pose](const Font&) {
                    Canvas c(800, 600);
                    drawHeroine(c, h, kSpritePlacement, pose);
                    return c;
                });
        }
    }
    // Overlays: a splash of sea water over the left-hand character, and
    // the right-hand one's blush ("bsteff" names go in front of the right
    // character).
    add("AdvData\\GRP\\CHR\\ov_splash.crx", Storage::Alpha, zlib(),
        [](const Font&) { return paintSplash(); });
    add("AdvData\\GRP\\bsteff01.crx", Storage::Alpha, zlib(1),
        [](const Font&) { return paintBlush(); });

    // System pictures at the geometry the player cuts.
    add(sys + "titlesc.crx", Storage::Opaque, zlib(),
        [](const Font&) { return paintTitleScroll(); });
    for (int stage = 0; stage < 4; ++stage) {
        static const char* const kNames[4] = {"titlebk", "title", "titleb1", "titleb2"};
        add(sys + kNames[stage] + ".crx", Storage::Opaque, stage == 2 ? lz() : zlib(),
            [stage](const Font& f) { return paintTitle(f, stage); });
    }
    add(sys + "titlemn.crx", Storage::Keyed, lz(), paintTitleMenu);
    add(sys + "Messwin.crx", Storage::Keyed, zlib(), paintMessageWindow);
    add(sys + "place.crx", Storage::Keyed, lz(), paintPlaceNames);
    add(sys + "iday.crx", Storage::Keyed, zlib(4), paintDayGlyphs);
    add(sys + "sacra01.crx", Storage::Keyed, zlib(),
        [](const Font&) { return paintPetalSheet(1); });
    add(sys + "sacra02.crx", Storage::Keyed, lz(), [](const Font&) { return paintPetalSheet(2); });
    add(sys + "saveicon.crx", Storage::Keyed, zlib(), paintIcons);
    for (int v = 0; v < 2; ++v) {
        const std::string map = v ? "map_p" : "map_a";
        add(sys + map + ".crx", Storage::Opaque, v ? lz() : zlib(),
            [v](const Font& f) { return paintMap(f, v); });
        add(sys + map + "chip.crx", Storage::Keyed, zlib(),
            [v](const Font& f) { return paintMapChip(f, v); });
    }
    add(sys + "TimerBack.crx", Storage::Opaque, zlib(), paintDayChangeBack);
    add(sys + "timerchip.crx", Storage::Keyed, zlib(), paintDayChangeChip);
    const char* const backs[3] = {"cg", "sc", "music"};
    for (int s = 0; s < 3; ++s)
        add(sys + backs[s] + ".crx", Storage::Opaque, zlib(),
            [s](const Font& f) { return paintExtrasBack(f, s); });
    add(sys + "cgparts.crx", Storage::Keyed, zlib(),
        [](const Font& f) { return paintExtrasParts(f, false); });
    add(sys + "scparts.crx", Storage::Keyed, zlib(),
        [](const Font& f) { return paintExtrasParts(f, true); });
    for (int h = 0; h < 2; ++h) {
        const std::string code = heroines()[h].code;
        add(sys + "sam_" + code + ".crx", Storage::Keyed, zlib(),
            [h](const Font& f) { return paintThumbnails(f, h); });
        add(sys + code + "_01.crx", Storage::Keyed, h ? lz() : zlib(),
            [h](const Font& f) { return paintScenePage(f, h); });
    }
    add(sys + "musicchip.crx", Storage::Keyed, zlib(), paintMusicParts);
    add(sys + "musictitle.crx", Storage::Keyed, zlib(), paintMusicTitles);

    // The ending sequence and the staff roll.
    for (const char* name : {"ed_n01", "ed_n02", "ed_s01", "ed_s02"}) {
        const std::string ending = name;
        add(staff + ending + ".crx", Storage::Opaque, zlib(),
            [ending](const Font& f) { return paintEnding(ending, f); });
    }
    for (int k = 1; k <= 2; ++k)
        add(staff + "edroll0" + std::to_string(k) + ".crx", Storage::Indexed,
            k == 1 ? lz() : zlib(), [k](const Font& f) { return paintCreditPanel(f, k); });
    for (int k = 1; k <= 12; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "staff2_%02d.crx", k);
        add(staff + name, Storage::Indexed, k % 2 ? zlib() : lz(),
            [k](const Font& f) { return paintStaffRoll(f, k); });
    }
    (void)small;
    return jobs;
}

std::optional<std::vector<uint8_t>> encodePicture(const PictureJob& job, const Canvas& canvas,
                                                  std::string* error) {
    switch (job.storage) {
        case Storage::Alpha:
            return crx::writeCrx(crx::directPicture(canvas.toBitmap32()), job.options, error);
        case Storage::Keyed:
            return crx::writeCrx(crx::directPicture(canvas.toKeyedBitmap()), job.options, error);
        case Storage::Indexed: {
            auto indexed = crx::indexedPicture(reduceColours(canvas.toBitmap24()));
            if (!indexed) {
                if (error)
                    *error = "more than 256 colours for an indexed picture";
                return std::nullopt;
            }
            return crx::writeCrx(*indexed, job.options, error);
        }
        case Storage::Opaque:
            break;
    }
    return crx::writeCrx(crx::directPicture(canvas.toBitmap24()), job.options, error);
}

Bitmap previewBitmap(const PictureJob& job, const Canvas& canvas) {
    switch (job.storage) {
        case Storage::Alpha:
            return canvas.toBitmap32();
        case Storage::Keyed:
            return canvas.toKeyedBitmap();
        case Storage::Indexed:
            return reduceColours(canvas.toBitmap24());
        default:
            return canvas.toBitmap24();
    }
}

}  // namespace marlit::sample
