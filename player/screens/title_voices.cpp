#include "player/screens/title_voices.h"

#include <filesystem>
#include <fstream>

#include "base/format.h"

namespace marlit {

std::string TitleVoices::name(int situation, int character) const {
    const size_t row = static_cast<size_t>(character % kRows);
    if (row >= patterns_.size() || patterns_[row].empty())
        return {};
    return formatText(patterns_[row], {static_cast<int32_t>(situation)});
}

void TitleVoices::play(int situation) {
    const std::string voice = name(situation, random_.next());
    last_ = voice;
    if (!voice.empty())
        sound_.playTitleVoice(voice);
}

std::vector<std::string> readTitleVoices(const std::string& hostPath,
                                         std::vector<std::string>& warnings) {
    std::vector<std::string> rows;
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        warnings.push_back(hostPath + ": cannot be read; the title is silent (put the file " +
                           "with its 18 voice patterns in the data folder)");
        return rows;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (rows.size() == TitleVoices::kRows) {
            warnings.push_back(hostPath + ":" + std::to_string(number) +
                               ": more than 18 rows; the rest are not read");
            break;
        }
        const size_t at = line.find("%z2");
        if (at == std::string::npos || line.find('%', at + 3) != std::string::npos) {
            warnings.push_back(hostPath + ":" + std::to_string(number) +
                               ": a pattern needs exactly one %z2 for the situation number; " +
                               "this row is silent");
            line.clear();
        }
        rows.push_back(line);
    }
    return rows;
}

std::string titleVoiceFile(const std::vector<std::string>& folders) {
    constexpr const char* kName = "title_voices.txt";
    std::string file;
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        file = (std::filesystem::path(folder) / kName).string();
        std::error_code ec;
        if (std::filesystem::exists(file, ec))
            break;
    }
    return file;
}

}  // namespace marlit
