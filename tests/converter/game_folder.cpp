#include "tests/converter/game_folder.h"

#include <filesystem>
#include <fstream>

#include "converter/bitmap.h"
#include "tests/support/sound_files.h"
#include "tools/crx/crx_writer.h"

namespace marlit::test {

std::vector<uint8_t> crxPicture(int width, int height, int seed, bool alpha, bool lzType) {
    Bitmap b = makeBitmap(width, height, alpha ? 4 : 3);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = b.row(y);
        for (int x = 0; x < width; ++x) {
            uint8_t* p = row + x * b.bytesPerPixel;
            p[0] = static_cast<uint8_t>(x * 3 + seed);
            p[1] = static_cast<uint8_t>(y * 5 + seed * 7);
            p[2] = static_cast<uint8_t>((x ^ y) + seed * 13);
            if (alpha)
                p[3] = static_cast<uint8_t>(x < width / 2 ? 255 : x * 2);
        }
    }
    crx::CrxWriteOptions options;
    options.compression = lzType ? crx::CrxCompression::Lz : crx::CrxCompression::Zlib;
    auto bytes = crx::writeCrx(crx::directPicture(b), options);
    return bytes ? *bytes : std::vector<uint8_t>();
}

GameFolder::GameFolder(std::string root) : root_(std::move(root)) {}

void GameFolder::put(const std::string& relative, const std::vector<uint8_t>& bytes) const {
    std::filesystem::path path = std::filesystem::path(root_) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void GameFolder::putText(const std::string& relative, const std::string& text) const {
    put(relative, std::vector<uint8_t>(text.begin(), text.end()));
}

void GameFolder::addProgram() const {
    putText("ZERIVAD.exe", "MZ");
}

void GameFolder::addPictures() const {
    put("title.crx", crxPicture(800, 600, 1, false, true));
    put("AdvData/GRP/BG/bg01.CRX", crxPicture(800, 600, 2, false, false));
    put("AdvData/GRP/chr/girl01.crx", crxPicture(300, 500, 3, true, false));
    put("AdvData/GRP/system/Messwin.crx", crxPicture(200, 40, 4, false, true));
    put("Voice/face.crx", crxPicture(64, 64, 5, false, true));
    put("StartUp.crx", crxPicture(100, 100, 6, false, true));
    putText("AdvData/mes/a01.mes", "script\r\n");
    putText("AdvData/map01.MAP", "map");
    putText("readme.txt", "not converted");
}

void GameFolder::addSound(const std::string& relative) const {
    auto samples = sine(22050, 2, 2.0, 440.0, 8000.0);
    put(relative, rawSoundFile(22050, 2, samples));
}

}  // namespace marlit::test
