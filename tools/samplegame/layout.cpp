#include "tools/samplegame/layout.h"

#include <algorithm>
#include <cstdio>

#include "tools/samplegame/catalogue.h"

namespace marlit::sample {

namespace layout {

Rect waitMark(int frame) {
    return {738, 224 + 24 * frame, 23, 24};
}
Rect windowDigit(int n) {
    return {(n + 27) * 16, 360, 16, 24};
}
Rect windowWeekday(int weekday) {
    return {weekday * 32 + 432, 338, 32, 22};
}
Rect placeCell(int place) {
    return {192 * (place / 16), 32 * (place % 16), 192, 32};
}
Rect placeCaption(int place) {
    const Rect c = placeCell(place);
    return {c.x + 1, c.y + 1, 190, 30};
}
Rect dayDigit(int digit) {
    return {16 * digit, 0, 16, 24};
}
Rect dayWeekday(int weekday) {
    return {208 + 48 * weekday, 0, 48, 24};
}
Rect petalFrame(int kind, int frame) {
    if (kind == 0)
        return {32 * frame, 140, 32, 24};
    if (kind == 1)
        return {32 * frame, 57, 32, 23};
    return {32 * frame, 0, 32, 24};
}
int petalFrames(int kind) {
    return kind == 0 ? 8 : kind == 1 ? 6 : 7;
}
Rect icon(int index) {
    return {(index % 8) * 56, (index / 8) * 56, 56, 56};
}
Rect mapPreview(int place) {
    return {(place % 3) * 224, (place / 3) * 168, 224, 168};
}
Rect mapButton(int place, bool lit) {
    return {lit ? 832 : 672, 32 * (place + 1), 152, 32};
}
MapSpot mapPointer(int variant, int place) {
    static constexpr MapSpot kSpots[2][9] = {{{200, 206},
                                              {344, 218},
                                              {580, 404},
                                              {690, 224},
                                              {460, 328},
                                              {500, 158},
                                              {324, 104},
                                              {652, 96},
                                              {716, 142}},
                                             {{532, 390},
                                              {652, 150},
                                              {460, 350},
                                              {396, 366},
                                              {332, 286},
                                              {370, 328},
                                              {308, 366},
                                              {218, 238},
                                              {282, 318}}};
    return kSpots[variant & 1][place];
}
Rect dayChoice(int choice, bool lit) {
    return {216 * choice, lit ? 32 : 0, 216, 32};
}
Rect dayChoicePicture(int choice) {
    static constexpr Rect kPictures[3] = {
        {474, 66, 262, 190}, {280, 280, 248, 264}, {0, 280, 280, 184}};
    return kPictures[choice];
}
Rect titleItem(int row, bool lit) {
    return {lit ? 184 : 0, 40 * row, 184, 40};
}
Rect tab(int t, int look) {
    if (look == 2)
        return {(t % 6) * 120 + 1, (t / 6) * 96 + 65, 118, 30};
    return {(t % 6) * 120 + 1, ((t / 6) * 3 + look) * 32 + 1, 118, 30};
}
Rect pageButton(int index, bool lit) {
    return {(lit ? 193 : 1) + 48 * index, 427, 46, 32};
}
Rect bigDigit(int digit) {
    return {digit * 16 + 523, 460, 14, 32};
}
Rect smallDigit(int digit) {
    return {digit * 16 + 363, 460, 14, 24};
}
Rect dateBadge(int month, int day) {
    return {month * 56 + 609, day * 24 - 23, 54, 22};
}
Rect thumbnail(int n, bool lit) {
    return {(n % 8) * 96 + 2, (n / 8) * 72 + 2 + (lit ? 288 : 0), 94, 70};
}
Rect sceneBar(int i, bool lit) {
    return {1, 32 * i + 1 + (lit ? 256 : 0), 254, 30};
}
Rect musicNumber(int c, bool lit) {
    return {(c % 16) * 40, (c / 16) * 32 + (lit ? 752 : 656), 40, 32};
}
Rect musicTitleCell(int c, bool lit) {
    // Title row 18 of the sheet is never used: pieces after the 18th move
    // one row on.
    const int t = c > 17 ? c + 1 : c;
    return {(t / 19 + (lit ? 2 : 0)) * 256, (t % 19) * 32, 256, 32};
}
Rect nowPlaying(int d) {
    if (d > 35)
        return {210, 730, 340, 20};
    return {(d / 18) * 352 + 2, (d % 18) * 32 + 75, 340, 20};
}

}  // namespace layout

namespace {

std::string numbered(const char* what, int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s %d", what, n);
    return buf;
}

SystemPicture whole(std::string path, int w, int h, std::string screen) {
    return {std::move(path), w, h, false, std::move(screen), {{"whole picture", {0, 0, w, h}}}};
}

// The dates the scene gallery shows: the months of the story and month 7
// for scenes without a date.
std::vector<std::pair<int, int>> badgeDates() {
    std::vector<std::pair<int, int>> dates;
    for (int h = 0; h < 2; ++h) {
        for (const SceneEntry& s : scenesOf(h))
            dates.push_back({s.date / 100, s.date % 100});
    }
    dates.push_back({7, 1});
    return dates;
}

}  // namespace

std::vector<SystemPicture> systemPictures() {
    using namespace layout;
    const std::string sys = "AdvData\\GRP\\system\\";
    std::vector<SystemPicture> out;

    out.push_back(whole("AdvData\\GRP\\Vantor2.crx", 800, 600, "logo"));
    out.push_back(whole(sys + "titlesc.crx", 800, 1200, "title: scrolled up by 600"));
    for (const char* name : {"titlebk", "title", "titleb1", "titleb2"})
        out.push_back(whole(sys + name + ".crx", 800, 600, "title build-up"));

    SystemPicture menu{sys + "titlemn.crx", 368, 480, true, "title and extras menus", {}};
    for (int row = 0; row < 12; ++row) {
        if (row == 10)
            continue;  // no item shows picture row 10
        menu.cuts.push_back({numbered("menu row", row), titleItem(row, false)});
        menu.cuts.push_back({numbered("menu row lit", row), titleItem(row, true)});
    }
    out.push_back(menu);

    SystemPicture window{
        sys + "Messwin.crx", 768, 416, true, "message window, choices, map date", {}};
    window.cuts = {{"window body", kWindowBody},
                   {"button panel", kButtonPanel},
                   {"choice bar", kChoiceBar},
                   {"choice bar lit", kChoiceBarLit},
                   {"page-wait mark", {736, 224, 24, 24}}};
    for (int i = 0; i < 4; ++i)
        window.cuts.push_back({numbered("button", i + 3), kWindowButtons[i]});
    for (int f = 0; f < 8; ++f)
        window.cuts.push_back({numbered("page-wait frame", f), waitMark(f)});
    for (int n = 0; n <= 12; ++n)
        window.cuts.push_back({numbered("map number", n), windowDigit(n)});
    for (int w = 0; w < 7; ++w)
        window.cuts.push_back({numbered("map weekday", w), windowWeekday(w)});
    out.push_back(window);

    SystemPicture place{sys + "place.crx", 576, 512, true, "place caption", {}};
    for (const Place& p : places())
        place.cuts.push_back({std::string("caption of ") + p.background, placeCaption(p.number)});
    out.push_back(place);

    SystemPicture day{sys + "iday.crx", 544, 24, true, "day card date", {}};
    for (int d = 0; d < 10; ++d)
        day.cuts.push_back({numbered("digit", d), dayDigit(d)});
    day.cuts.push_back({"month sign", kDayMonthSign});
    day.cuts.push_back({"day sign", kDayDaySign});
    for (int w = 0; w < 7; ++w)
        day.cuts.push_back({numbered("weekday", w), dayWeekday(w)});
    out.push_back(day);

    for (const char* name : {"sacra01", "sacra02"}) {
        SystemPicture petals{sys + name + ".crx", 256, 168, true, "falling petals", {}};
        for (int k = 0; k < 3; ++k) {
            for (int f = 0; f < petalFrames(k); ++f)
                petals.cuts.push_back(
                    {numbered(("kind " + std::to_string(k) + " frame").c_str(), f),
                     petalFrame(k, f)});
        }
        out.push_back(petals);
    }

    SystemPicture icons{sys + "saveicon.crx", 448, 168, true, "map icons and pointer", {}};
    for (int i : {0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 20})
        icons.cuts.push_back({numbered("icon", i), icon(i)});
    icons.cuts.push_back({"pointer", kMapPointer});
    out.push_back(icons);

    for (const char* map : {"map_a", "map_p"}) {
        out.push_back(whole(sys + map + ".crx", 800, 600, "map"));
        SystemPicture chip{sys + map + "chip.crx", 984, 504, true, "map places", {}};
        chip.cuts.push_back({"date head", kMapDate});
        for (int p = 0; p < 9; ++p) {
            chip.cuts.push_back({numbered("preview", p), mapPreview(p)});
            chip.cuts.push_back({numbered("name button", p), mapButton(p, false)});
            chip.cuts.push_back({numbered("name button lit", p), mapButton(p, true)});
        }
        out.push_back(chip);
    }

    out.push_back(whole(sys + "TimerBack.crx", 800, 600, "day change"));
    SystemPicture timer{sys + "timerchip.crx", 736, 544, true, "day-change choices", {}};
    timer.cuts.push_back({"panel", kDayPanel});
    for (int c = 0; c < 3; ++c) {
        timer.cuts.push_back({numbered("choice", c), dayChoice(c, false)});
        timer.cuts.push_back({numbered("choice lit", c), dayChoice(c, true)});
        timer.cuts.push_back({numbered("choice picture", c), dayChoicePicture(c)});
    }
    out.push_back(timer);

    out.push_back(whole(sys + "cg.crx", 800, 600, "picture gallery"));
    out.push_back(whole(sys + "sc.crx", 800, 600, "scene gallery"));
    for (const char* parts : {"cgparts", "scparts"}) {
        const bool scenes = std::string(parts) == "scparts";
        SystemPicture p{sys + parts + ".crx",
                        scenes ? 1056 : 720,
                        scenes ? 744 : 492,
                        true,
                        scenes ? "scene gallery parts" : "picture gallery parts",
                        {}};
        for (int t = 0; t < 14; ++t) {
            for (int look = 0; look < 3; ++look)
                p.cuts.push_back({numbered(("tab look " + std::to_string(look) + " of").c_str(), t),
                                  tab(t, look)});
        }
        for (int b = scenes ? 0 : 1; b < (scenes ? 4 : 3); ++b) {
            p.cuts.push_back({numbered("page button", b), pageButton(b, false)});
            p.cuts.push_back({numbered("page button lit", b), pageButton(b, true)});
        }
        p.cuts.push_back({"back", kBackButton});
        p.cuts.push_back({"back lit", kBackButtonLit});
        for (int d = 0; d <= 10; ++d)
            p.cuts.push_back({numbered("page digit", d), bigDigit(d)});
        for (int d = 0; d < 10; ++d)
            p.cuts.push_back({numbered("page count digit", d), smallDigit(d)});
        if (scenes) {
            p.cuts.push_back({"scene not seen", kSceneLocked});
            for (auto [month, day] : badgeDates())
                p.cuts.push_back({numbered(("date " + std::to_string(month) + "/").c_str(), day),
                                  dateBadge(month, day)});
        }
        out.push_back(p);
    }
    for (const Heroine& h : heroines()) {
        SystemPicture sheet{sys + "sam_" + h.code + ".crx", 768, 504, true,
                            "gallery thumbnails",           {}};
        for (size_t n = 0; n < galleryOf(h.route).size(); ++n) {
            sheet.cuts.push_back({numbered("thumbnail", static_cast<int>(n)),
                                  thumbnail(static_cast<int>(n), false)});
            sheet.cuts.push_back({numbered("thumbnail lit", static_cast<int>(n)),
                                  thumbnail(static_cast<int>(n), true)});
        }
        sheet.cuts.push_back({"locked", kThumbnailLocked});
        out.push_back(sheet);
        SystemPicture page{sys + h.code + "_01.crx", 256, 512, true, "scene list page 1", {}};
        for (size_t i = 0; i < scenesOf(h.route).size(); ++i) {
            page.cuts.push_back(
                {numbered("scene bar", static_cast<int>(i)), sceneBar(static_cast<int>(i), false)});
            page.cuts.push_back({numbered("scene bar lit", static_cast<int>(i)),
                                 sceneBar(static_cast<int>(i), true)});
        }
        out.push_back(page);
    }

    out.push_back(whole(sys + "music.crx", 800, 600, "music room"));
    SystemPicture chip{sys + "musicchip.crx", 768, 848, true, "music room parts", {}};
    for (int b = 0; b < 4; ++b) {
        const MusicButton& m = kMusicButtons[b];
        chip.cuts.push_back({numbered("button", b), m.normal});
        chip.cuts.push_back({numbered("button lit", b), {m.litX, m.litY, m.normal.w, m.normal.h}});
    }
    for (int i = 0; i < 3; ++i)
        chip.cuts.push_back({numbered("label", i), kMusicLabels[i]});
    for (int c = 0; c < 37; ++c) {
        chip.cuts.push_back({numbered("number", c + 1), musicNumber(c, false)});
        chip.cuts.push_back({numbered("number lit", c + 1), musicNumber(c, true)});
        chip.cuts.push_back({numbered("now playing", c + 1), nowPlaying(c)});
    }
    out.push_back(chip);
    SystemPicture titles{sys + "musictitle.crx", 1024, 608, true, "music room titles", {}};
    for (int c = 0; c < 37; ++c) {
        titles.cuts.push_back({numbered("title", c + 1), musicTitleCell(c, false)});
        titles.cuts.push_back({numbered("title lit", c + 1), musicTitleCell(c, true)});
    }
    out.push_back(titles);
    return out;
}

namespace {

std::string rectText(const Rect& r) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%d, %d, %d×%d)", r.x, r.y, r.w, r.h);
    return buf;
}

// "map number 12" → "map number"; a cut without a number is its own group.
std::string groupOf(const std::string& what) {
    const size_t space = what.find_last_of(' ');
    if (space == std::string::npos ||
        what.find_first_not_of("0123456789", space + 1) != std::string::npos)
        return what;
    return what.substr(0, space);
}

}  // namespace

std::string layoutTable() {
    std::string out =
        "| Picture | Size | Key | Shown by | The player cuts (x, y, w×h) |\n"
        "|---|---|---|---|---|\n";
    for (const SystemPicture& p : systemPictures()) {
        // Cuts grouped by their name without its number, in order of first
        // appearance.
        std::vector<std::pair<std::string, std::vector<const Cut*>>> groups;
        for (const Cut& cut : p.cuts) {
            const std::string group = groupOf(cut.what);
            auto it = std::find_if(groups.begin(), groups.end(),
                                   [&](const auto& g) { return g.first == group; });
            if (it == groups.end() || group == cut.what)
                groups.push_back({group, {&cut}});
            else
                it->second.push_back(&cut);
        }
        std::string cuts;
        for (const auto& [group, members] : groups) {
            if (!cuts.empty())
                cuts += "; ";
            if (members.size() == 1)
                cuts += members.front()->what + " " + rectText(members.front()->rect);
            else
                cuts += group + " ×" + std::to_string(members.size()) + " " +
                        rectText(members.front()->rect) + " … " + rectText(members.back()->rect);
        }
        std::string name = p.path;
        for (char& ch : name) {
            if (ch == '\\')
                ch = '/';
        }
        out += "| " + name + " | " + std::to_string(p.width) + "×" + std::to_string(p.height) +
               " | " + (p.keyed ? "magenta" : "") + " | " + p.screen + " | " + cuts + " |\n";
    }
    return out;
}

}  // namespace marlit::sample
