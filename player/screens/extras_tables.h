// The tables of the title's extras: the characters (the name in their
// sheets' file names and the pages of both galleries), the picture gallery
// (per character up to 64 entries of thumbnail number and picture) and the
// scene gallery (per character 146 records of date and script). They belong
// to the data, as text files read from the data set's folder (beside the
// packs) before the program's data folder, each time an extra screen opens.
//
// Text form, one row a line, fields split by blanks; blank lines and lines
// starting with "#" are skipped:
//   extras_characters.txt  character (0-13), name or "-", gallery pages
//                          (1-2), scene pages (1-18)        0 duzo 2 18
//   picture_gallery.txt    character, thumbnail (0-17), picture file in
//                          AdvData\GRP\BG\, in showing order  0 0 ev_n01.rbp
//   scene_gallery.txt      character, record (0-145), date (month x 100 +
//                          day, 0 a special date), script or "-"  0 0 223 0223a_f01
// A line that does not parse is reported as "FILE:LINE: what" and skipped.
#pragma once

#include <array>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

struct GalleryEntry {
    int thumbnail = 0;
    std::string picture;
};

struct SceneRecord {
    int date = -1;  // below 0: an empty place
    std::string script;
};

struct ExtrasTables {
    static constexpr int kCharacters = 14;
    static constexpr int kGalleryEntries = 64;
    static constexpr int kPlacesPerPage = 9;
    static constexpr int kGalleryPagesMax = 2;
    static constexpr int kPicturesPerPlace = 9;
    static constexpr int kSceneRecords = 146;
    static constexpr int kScenesPerPage = 8;
    static constexpr int kScenePagesMax = kSceneRecords / kScenesPerPage;  // 18

    struct Character {
        std::string name;  // empty: the character has no sheets
        int galleryPages = 1;
        int scenePages = 1;
    };

    std::array<Character, kCharacters> characters{};
    std::array<std::vector<GalleryEntry>, kCharacters> gallery{};
    std::array<std::array<SceneRecord, kSceneRecords>, kCharacters> scenes{};

    // The pictures of a thumbnail in showing order (empty when unused).
    std::vector<std::string> picturesOf(int character, int thumbnail) const;
    // A thumbnail with more pictures than a place can show stays locked.
    bool overfull(int character, int thumbnail) const;
    // The record of a scene place, or an empty one outside the table.
    const SceneRecord& scene(int character, int page, int place) const;
    int galleryPages(int character) const;
    int scenePages(int character) const;
    const std::string& name(int character) const;
};

struct ExtrasTableFiles {
    static constexpr const char* kCharacters = "extras_characters.txt";
    static constexpr const char* kGallery = "picture_gallery.txt";
    static constexpr const char* kScenes = "scene_gallery.txt";
};

// Each reader replaces its part of `tables`; false (nothing changed) when
// the file cannot be read. Warnings are "FILE:LINE: what; ...".
bool readExtrasCharacters(const std::string& hostPath, ExtrasTables& tables,
                          std::vector<std::string>& warnings);
bool readPictureGallery(const std::string& hostPath, ExtrasTables& tables,
                        std::vector<std::string>& warnings);
bool readSceneGallery(const std::string& hostPath, ExtrasTables& tables,
                      std::vector<std::string>& warnings);

// The three files, each from the first folder that has it; a file found in
// none leaves its part empty (one page, no names, no entries) with a line.
ExtrasTables loadExtrasTables(const std::vector<std::string>& folders,
                              std::vector<std::string>& warnings);

// Reads the tables afresh for each visit of an extra screen (the data set's
// folder may have moved with the configuration); a warning is said once.
class ExtrasTableSource {
  public:
    ExtrasTableSource(std::function<std::vector<std::string>()> folders,
                      std::function<void(const std::string&)> report)
        : folders_(std::move(folders)), report_(std::move(report)) {}
    // Tables given directly (tests): reload() keeps them.
    explicit ExtrasTableSource(ExtrasTables fixed) : tables_(std::move(fixed)) {}

    const ExtrasTables& reload();
    const ExtrasTables& tables() const { return tables_; }

  private:
    std::function<std::vector<std::string>()> folders_;
    std::function<void(const std::string&)> report_;
    ExtrasTables tables_;
    std::set<std::string> said_;
};

}  // namespace marlit
