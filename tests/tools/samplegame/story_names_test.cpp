// STORY.md is what the scripts will be written from: every picture and
// voice it names must be in the game mksample writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

#include "converter/voice_archive.h"
#include "tests/support/run_program.h"
#include "tests/tools/samplegame/sample_folder.h"
#include "tools/samplegame/catalogue.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

std::string storyText() {
    return test::readFileText(std::string(MARLIT_SOURCE_DIR) + "/tools/samplegame/STORY.md");
}

bool nameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Every name (letters, digits, "_") that follows `prefix` in the text, with
// the prefix.
std::vector<std::string> namesAfter(const std::string& text, const std::string& prefix) {
    std::vector<std::string> out;
    for (size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at + 1)) {
        if (prefix.back() != '\\' && at > 0 && nameChar(text[at - 1]))
            continue;
        size_t end = at + prefix.size();
        while (end < text.size() && nameChar(text[end]))
            ++end;
        if (end > at + prefix.size())
            out.push_back(text.substr(at, end - at));
    }
    return out;
}

// A clip's file name without folder and extension.
std::string clipStem(const std::string& clip) {
    const size_t slash = clip.rfind('\\') + 1;
    return clip.substr(slash, clip.rfind('.') - slash);
}

TEST(Story, EveryPictureItNamesIsInTheGame) {
    const std::string story = storyText();
    ASSERT_FALSE(story.empty());
    const std::string& game = test::smallSampleFolder();
    // Script operands ("BG\eki_01", "CHR\duzo_12", "bsteff01") are under
    // "AdvData\GRP\"; the ending's records name "STAFF\" pictures.
    size_t checked = 0;
    for (const char* prefix : {"BG\\", "CHR\\", "STAFF\\", "bsteff"}) {
        for (std::string name : namesAfter(story, prefix)) {
            if (name.back() == '_')
                continue;  // a pattern such as "BG\i_…"
            std::replace(name.begin(), name.end(), '\\', '/');
            EXPECT_TRUE(fs::exists(game + "/AdvData/GRP/" + name + ".crx")) << name;
            ++checked;
        }
    }
    EXPECT_GT(checked, 40u);
}

TEST(Story, EveryVoiceItNamesIsInTheArchiveAndEveryLineIsUsed) {
    const std::string story = storyText();
    std::string error;
    auto archive = VoiceArchive::open(test::smallSampleFolder() + "/voice.dat", &error);
    ASSERT_TRUE(archive) << error;
    std::set<std::string> clips;
    for (const VoiceClip& c : archive->clips())
        clips.insert(clipStem(c.name));
    size_t checked = 0;
    for (const char* prefix : {"duz", "sel", "gaya_", "SYSTEM01_", "SYSTEM02_"}) {
        for (const std::string& name : namesAfter(story, prefix)) {
            // "duz0001", not the file code "duzo_12" or a word like "selector".
            const std::string rest = name.substr(std::strlen(prefix));
            const bool lineNumber = std::strlen(prefix) == 3;
            if (lineNumber &&
                (rest.size() != 4 || !std::all_of(rest.begin(), rest.end(), ::isdigit)))
                continue;
            EXPECT_TRUE(clips.count(name)) << name;
            ++checked;
        }
    }
    EXPECT_GT(checked, 30u);
    for (const sample::VoiceLine& line : sample::voiceLines()) {
        const std::string name = clipStem(line.clip);
        if (name.rfind("SYSTEM", 0) != 0) {
            EXPECT_NE(story.find(name), std::string::npos) << name << " is not in STORY.md";
        }
    }
}

}  // namespace
}  // namespace marlit
