#include "tools/verify/references.h"

#include "base/format.h"
#include "player/scenario/script_names.h"
#include "player/sound/sound_requests.h"

namespace marlit {

namespace {

constexpr uint8_t kEffect = 5;
constexpr uint8_t kMusic = 6;
constexpr uint8_t kBackground = '.';
constexpr uint8_t kLeft = '3';
constexpr uint8_t kLeftOverlay = '4';
constexpr uint8_t kRight = 'F';
constexpr uint8_t kVoice = '5';
constexpr uint8_t kStop = 255;
// The title's situations: the logo, the title, the menu items, the time of day.
constexpr int kTitleSituations = 15;

bool namesCharacter(std::string_view s) {
    return !s.empty() && s != "-";
}

}  // namespace

const char* kindName(ResourceKind kind) {
    switch (kind) {
        case ResourceKind::Picture:
            return "picture";
        case ResourceKind::Music:
            return "music";
        case ResourceKind::Effect:
            return "effect";
        case ResourceKind::Voice:
            return "voice";
        case ResourceKind::Script:
            return "script";
    }
    return "?";
}

std::vector<Reference> scriptReferences(std::string_view label, const MesScript& script) {
    std::vector<Reference> out;
    const uint32_t end = static_cast<uint32_t>(script.stream().size());
    for (uint32_t at = 0; at < end;) {
        auto next = script.nextCommand(at);
        if (!next)
            break;
        const std::string where = std::string(label) + " at position " + std::to_string(at);
        const uint8_t op = script.byteAt(at);
        switch (op) {
            case kEffect:
                if (script.byteAt(at + 1) != kStop)
                    out.push_back(
                        {ResourceKind::Effect, effectFileName(script.byteAt(at + 1)), where});
                break;
            case kMusic:
                if (script.byteAt(at + 1) != kStop)
                    out.push_back(
                        {ResourceKind::Music, musicFileName(script.byteAt(at + 1)), where});
                break;
            case kBackground:
                if (!isMapBackground(script.stringOperand(at)))
                    out.push_back({ResourceKind::Picture,
                                   backgroundPicturePath(script.stringOperand(at)), where});
                break;
            case kLeft:
            case kLeftOverlay:
            case kRight:
                if (namesCharacter(script.stringOperand(at)))
                    out.push_back({ResourceKind::Picture,
                                   characterPicturePath(script.stringOperand(at)), where});
                break;
            case kVoice:
                if (!script.stringOperand(at).empty())
                    out.push_back(
                        {ResourceKind::Voice, voiceFileName(script.stringOperand(at)), where});
                break;
            default:
                break;
        }
        at = *next;
    }
    return out;
}

std::vector<Reference> scenarioTableReferences(const ScenarioTables& tables) {
    std::vector<Reference> out;
    for (const std::string& path : tables.manner)
        out.push_back({ResourceKind::Picture, path, "manner.txt", true});
    for (const PlaceRow& row : tables.places)
        out.push_back({ResourceKind::Picture, row.path, "places.txt", true});
    for (int heroine = 0; heroine < ScenarioTables::kHeroines; ++heroine) {
        if (!tables.dayCard[static_cast<size_t>(heroine)].name.empty()) {
            out.push_back({ResourceKind::Picture, tables.dayCardPicture(heroine),
                           "day_card.txt, heroine " + std::to_string(heroine)});
        }
    }
    // The general card, for every other heroine.
    out.push_back({ResourceKind::Picture, tables.dayCardPicture(-1), "day_card.txt"});
    return out;
}

std::vector<Reference> screenTableReferences(const ScreenTables& tables) {
    std::vector<Reference> out;
    for (size_t row = 0; row < tables.schedule.size(); ++row) {
        for (size_t place = 0; place < tables.schedule[row].size(); ++place) {
            const ScheduleCell& cell = tables.schedule[row][place];
            const std::string where =
                "map_schedule.txt, row " + std::to_string(row) + ", place " + std::to_string(place);
            if (!cell.script.empty()) {
                out.push_back({ResourceKind::Script, cell.script, where, false,
                               RowReach{RowReach::Kind::Map, static_cast<int>(row)}});
            }
            if (!cell.crowdVoice.empty())
                out.push_back({ResourceKind::Voice, cell.crowdVoice, where});
        }
    }
    for (size_t day = 0; day < tables.dayScripts.size(); ++day) {
        if (!tables.dayScripts[day].empty())
            out.push_back({ResourceKind::Script, tables.dayScripts[day],
                           "day_change.txt, day " + std::to_string(day), false,
                           RowReach{RowReach::Kind::DayChange, static_cast<int>(day)}});
    }
    for (size_t route = 0; route < tables.endings.size(); ++route) {
        const std::string where = "ending_sequences.txt, route " + std::to_string(route);
        for (const EndingRecord& r : tables.endings[route]) {
            for (const std::string* picture : {&r.full, &r.panel}) {
                if (!picture->empty())
                    out.push_back({ResourceKind::Picture, *picture, where});
            }
        }
        if (!tables.followUps[route].empty())
            out.push_back({ResourceKind::Script, tables.followUps[route],
                           "ending_scripts.txt, route " + std::to_string(route), false,
                           RowReach{RowReach::Kind::Ending, static_cast<int>(route)}});
    }
    return out;
}

std::vector<Reference> extrasTableReferences(const ExtrasTables& tables) {
    std::vector<Reference> out;
    for (int c = 0; c < ExtrasTables::kCharacters; ++c) {
        const std::string who = ", character " + std::to_string(c);
        for (const GalleryEntry& e : tables.gallery[static_cast<size_t>(c)]) {
            out.push_back({ResourceKind::Picture, "AdvData\\GRP\\BG\\" + e.picture,
                           std::string(ExtrasTableFiles::kGallery) + who});
        }
        for (const SceneRecord& r : tables.scenes[static_cast<size_t>(c)]) {
            if (r.date >= 0 && !r.script.empty())
                out.push_back(
                    {ResourceKind::Script, r.script, std::string(ExtrasTableFiles::kScenes) + who});
        }
    }
    return out;
}

std::vector<Reference> titleVoiceReferences(const std::vector<std::string>& patterns,
                                            std::string_view file) {
    std::vector<Reference> out;
    for (size_t row = 0; row < patterns.size(); ++row) {
        if (patterns[row].empty())
            continue;
        for (int situation = 1; situation <= kTitleSituations; ++situation) {
            out.push_back({ResourceKind::Voice, formatText(patterns[row], {situation}),
                           std::string(file) + ", row " + std::to_string(row + 1)});
        }
    }
    return out;
}

}  // namespace marlit
