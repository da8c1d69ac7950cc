// Where the player finds its data and keeps its saves: filled with the
// program folder and the default names at start-up, replaced from the
// configuration file.
#pragma once

#include <string>

namespace marlit {

struct DataPaths {
    std::string saveFolder;
    std::string picturePack;
    std::string picturePack2;
    std::string soundEffectFolder;
    std::string voicePack;
    std::string musicFolder;
    std::string movieFolder;

    // The defaults under a program folder (a system path ending with "\").
    static DataPaths defaults(const std::string& programFolder, bool vga) {
        DataPaths p;
        p.saveFolder = programFolder;
        p.picturePack = programFolder + (vga ? "1\\grpack_v.mlz" : "1\\grpack.mlz");
        p.picturePack2 = p.picturePack;
        p.soundEffectFolder = programFolder + "1\\";
        p.voicePack = programFolder + "1\\voice.mlz";
        p.musicFolder = programFolder + "1\\";
        p.movieFolder = programFolder;
        return p;
    }
};

}  // namespace marlit
