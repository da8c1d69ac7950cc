#include "player/screens/extras_tables.h"

#include <charconv>
#include <filesystem>
#include <memory>
#include <optional>

#include "player/core/table_rows.h"

namespace marlit {

std::vector<std::string> ExtrasTables::picturesOf(int character, int thumbnail) const {
    std::vector<std::string> out;
    if (character < 0 || character >= kCharacters)
        return out;
    for (const GalleryEntry& e : gallery[static_cast<size_t>(character)]) {
        if (e.thumbnail == thumbnail)
            out.push_back(e.picture);
    }
    return out;
}

bool ExtrasTables::overfull(int character, int thumbnail) const {
    return static_cast<int>(picturesOf(character, thumbnail).size()) > kPicturesPerPlace;
}

const SceneRecord& ExtrasTables::scene(int character, int page, int place) const {
    static const SceneRecord empty;
    const int record = page * kScenesPerPage + place;
    if (character < 0 || character >= kCharacters || page < 0 || place < 0 ||
        place >= kScenesPerPage || record >= kSceneRecords)
        return empty;
    return scenes[static_cast<size_t>(character)][static_cast<size_t>(record)];
}

int ExtrasTables::galleryPages(int character) const {
    if (character < 0 || character >= kCharacters)
        return 1;
    return characters[static_cast<size_t>(character)].galleryPages;
}

int ExtrasTables::scenePages(int character) const {
    if (character < 0 || character >= kCharacters)
        return 1;
    return characters[static_cast<size_t>(character)].scenePages;
}

const std::string& ExtrasTables::name(int character) const {
    static const std::string none;
    if (character < 0 || character >= kCharacters)
        return none;
    return characters[static_cast<size_t>(character)].name;
}

namespace {

std::optional<int> numberIn(std::string_view text, int low, int high) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// The shared row reader, with the fields as views and the warnings kept in
// a list of their own.
bool eachLine(const std::string& hostPath, std::vector<std::string>& warnings,
              const std::function<std::string(const std::vector<std::string_view>&)>& row) {
    TableReport report;
    const bool ok = eachRow(hostPath, report, [&](const std::vector<std::string>& f) {
        return row(std::vector<std::string_view>(f.begin(), f.end()));
    });
    warnings.insert(warnings.end(), report.warnings.begin(), report.warnings.end());
    return ok;
}

std::string characterWrong(std::string_view field) {
    return "the character \"" + std::string(field) + "\" is not 0 to 13";
}

}  // namespace

bool readExtrasCharacters(const std::string& hostPath, ExtrasTables& tables,
                          std::vector<std::string>& warnings) {
    std::array<ExtrasTables::Character, ExtrasTables::kCharacters> rows{};
    const bool ok =
        eachLine(hostPath, warnings, [&](const std::vector<std::string_view>& f) -> std::string {
            if (f.size() != 4)
                return "expected a character, a name (or -), the gallery pages and the scene "
                       "pages";
            auto c = numberIn(f[0], 0, ExtrasTables::kCharacters - 1);
            if (!c)
                return characterWrong(f[0]);
            auto gallery = numberIn(f[2], 1, ExtrasTables::kGalleryPagesMax);
            if (!gallery)
                return "the gallery pages \"" + std::string(f[2]) + "\" are not 1 or 2";
            auto scenes = numberIn(f[3], 1, ExtrasTables::kScenePagesMax);
            if (!scenes)
                return "the scene pages \"" + std::string(f[3]) +
                       "\" are not 1 to 18 (8 records a page, 146 records)";
            rows[static_cast<size_t>(*c)] = {f[1] == "-" ? std::string() : std::string(f[1]),
                                             *gallery, *scenes};
            return {};
        });
    if (ok)
        tables.characters = rows;
    return ok;
}

bool readPictureGallery(const std::string& hostPath, ExtrasTables& tables,
                        std::vector<std::string>& warnings) {
    std::array<std::vector<GalleryEntry>, ExtrasTables::kCharacters> rows{};
    const bool ok =
        eachLine(hostPath, warnings, [&](const std::vector<std::string_view>& f) -> std::string {
            if (f.size() != 3)
                return "expected a character, a thumbnail number and a picture";
            auto c = numberIn(f[0], 0, ExtrasTables::kCharacters - 1);
            if (!c)
                return characterWrong(f[0]);
            const int lastThumbnail =
                ExtrasTables::kGalleryPagesMax * ExtrasTables::kPlacesPerPage - 1;
            auto n = numberIn(f[1], 0, lastThumbnail);
            if (!n)
                return "the thumbnail \"" + std::string(f[1]) + "\" is not 0 to 17 (two pages " +
                       "of nine)";
            auto& list = rows[static_cast<size_t>(*c)];
            if (list.size() >= ExtrasTables::kGalleryEntries)
                return "character " + std::to_string(*c) + " has 64 entries already";
            list.push_back({*n, std::string(f[2])});
            int behind = 0;
            for (const GalleryEntry& e : list)
                behind += e.thumbnail == *n ? 1 : 0;
            if (behind == ExtrasTables::kPicturesPerPlace + 1)
                return "thumbnail " + std::to_string(*n) + " of character " + std::to_string(*c) +
                       " has more than nine pictures; its place shows locked";
            return {};
        });
    if (ok)
        tables.gallery = std::move(rows);
    return ok;
}

bool readSceneGallery(const std::string& hostPath, ExtrasTables& tables,
                      std::vector<std::string>& warnings) {
    auto rows = std::make_unique<std::array<std::array<SceneRecord, ExtrasTables::kSceneRecords>,
                                            ExtrasTables::kCharacters>>();
    const bool ok =
        eachLine(hostPath, warnings, [&](const std::vector<std::string_view>& f) -> std::string {
            if (f.size() != 4)
                return "expected a character, a record number, a date and a script (or -)";
            auto c = numberIn(f[0], 0, ExtrasTables::kCharacters - 1);
            if (!c)
                return characterWrong(f[0]);
            auto r = numberIn(f[1], 0, ExtrasTables::kSceneRecords - 1);
            if (!r)
                return "the record \"" + std::string(f[1]) + "\" is not 0 to 145";
            auto date = numberIn(f[2], 0, 1231);
            if (!date || (*date != 0 && (*date / 100 < 1 || *date % 100 < 1 || *date % 100 > 31)))
                return "the date \"" + std::string(f[2]) +
                       "\" is not month x 100 + day (or 0 for a special date)";
            SceneRecord& rec = (*rows)[static_cast<size_t>(*c)][static_cast<size_t>(*r)];
            rec.date = *date;
            rec.script = f[3] == "-" ? std::string() : std::string(f[3]);
            if (rec.script.empty())
                return "record " + std::string(f[1]) + " of character " + std::to_string(*c) +
                       " has no script; the scene stays locked";
            return {};
        });
    if (ok)
        tables.scenes = *rows;
    return ok;
}

ExtrasTables loadExtrasTables(const std::vector<std::string>& folders,
                              std::vector<std::string>& warnings) {
    ExtrasTables tables;
    using Reader = bool (*)(const std::string&, ExtrasTables&, std::vector<std::string>&);
    const std::pair<const char*, Reader> files[] = {
        {ExtrasTableFiles::kCharacters, readExtrasCharacters},
        {ExtrasTableFiles::kGallery, readPictureGallery},
        {ExtrasTableFiles::kScenes, readSceneGallery},
    };
    for (const auto& [name, read] : files) {
        bool found = false;
        for (const std::string& folder : folders) {
            if (!folder.empty() &&
                read((std::filesystem::path(folder) / name).string(), tables, warnings)) {
                found = true;
                break;
            }
        }
        if (!found)
            warnings.push_back(std::string("the table ") + name +
                               " is in none of the data folders; the extras show it empty (put "
                               "it beside the packs or in the program's data folder)");
    }
    return tables;
}

const ExtrasTables& ExtrasTableSource::reload() {
    if (!folders_)
        return tables_;
    std::vector<std::string> warnings;
    tables_ = loadExtrasTables(folders_(), warnings);
    for (const std::string& w : warnings) {
        if (said_.insert(w).second && report_)
            report_(w);
    }
    return tables_;
}

}  // namespace marlit
