#include "tools/samplegame/game_writer.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "base/files.h"
#include "base/png.h"
#include "tools/samplegame/opening_movie.h"
#include "tools/samplegame/picture_jobs.h"
#include "tools/samplegame/sound_jobs.h"
#include "tools/samplegame/story_scripts.h"
#include "tools/samplegame/text.h"

namespace marlit::sample {

namespace {

namespace fs = std::filesystem;

std::string hostPathOf(const std::string& root, const std::string& gamePath) {
    std::string p = gamePath;
    std::replace(p.begin(), p.end(), '\\', '/');
    return root + "/" + p;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    if (!writeHostFileAtomic(path, bytes)) {
        if (error)
            *error = "cannot write " + path + " (check that the folder is writable)";
        return false;
    }
    return true;
}

PngImage toPng(const Bitmap& b) {
    PngImage png{b.width, b.height, b.bytesPerPixel, {}};
    png.pixels.resize(b.pixels.size());
    for (size_t i = 0; i + b.bytesPerPixel <= b.pixels.size(); i += b.bytesPerPixel) {
        png.pixels[i] = b.pixels[i + 2];
        png.pixels[i + 1] = b.pixels[i + 1];
        png.pixels[i + 2] = b.pixels[i];
        if (b.bytesPerPixel == 4)
            png.pixels[i + 3] = b.pixels[i + 3];
    }
    return png;
}

// One file to make: its path in the game folder and what makes its bytes.
struct FileJob {
    std::string path;
    std::function<bool(const Font&, std::vector<uint8_t>&, std::string*)> make;
};

}  // namespace

bool writeSampleGame(const SampleOptions& options, std::vector<WrittenFile>& written,
                     std::string* error) {
    const std::string fontPath = options.fontPath.empty() ? Font::defaultPath() : options.fontPath;
    const int threads = std::max(
        1, options.jobs > 0 ? options.jobs : static_cast<int>(std::thread::hardware_concurrency()));
    std::vector<FileJob> files;
    files.push_back({"ZERIVAD.exe", [](const Font&, std::vector<uint8_t>& out, std::string*) {
                         // Only looked for: it marks the folder as the game's.
                         const std::string text = "marlit sample game\r\n";
                         out.assign(text.begin(), text.end());
                         return true;
                     }});
    for (PictureJob& job : pictureJobs(options.small)) {
        files.push_back({job.path, [job, &options](const Font& font, std::vector<uint8_t>& out,
                                                   std::string* why) {
                             const Canvas canvas = job.paint(font);
                             auto bytes = encodePicture(job, canvas, why);
                             if (!bytes)
                                 return false;
                             out = std::move(*bytes);
                             if (!options.pngDir.empty()) {
                                 std::string png = hostPathOf(options.pngDir, job.path);
                                 png.replace(png.size() - 4, 4, ".png");
                                 std::error_code ec;
                                 fs::create_directories(fs::path(png).parent_path(), ec);
                                 if (!writePng(png, toPng(previewBitmap(job, canvas)), why))
                                     return false;
                             }
                             return true;
                         }});
    }
    for (SoundJob& job : soundJobs(options.small, threads)) {
        files.push_back({job.path, [job](const Font&, std::vector<uint8_t>& out, std::string* why) {
                             auto bytes = job.make(why);
                             if (!bytes)
                                 return false;
                             out = std::move(*bytes);
                             return true;
                         }});
    }
    // The opening movie and its sound: the converter does not make movies,
    // so they are written ready to play, for the data set's movie folder.
    files.push_back(
        {"Movie\\OP.jmv", [](const Font& font, std::vector<uint8_t>& out, std::string* why) {
             auto bytes = makeOpeningMovie(font, why);
             if (bytes)
                 out = std::move(*bytes);
             return bytes.has_value();
         }});
    files.push_back({"Movie\\OP.mp3", [](const Font&, std::vector<uint8_t>& out, std::string* why) {
                         auto bytes = makeOpeningSound(why);
                         if (bytes)
                             out = std::move(*bytes);
                         return bytes.has_value();
                     }});
    // The scripts are assembled (and their links checked) before anything
    // is drawn, so that a broken story fails at once.
    std::vector<AssembledScript> scripts;
    if (!assembleStory(scripts, error))
        return false;
    for (AssembledScript& script : scripts) {
        files.push_back({"AdvData\\mes\\" + script.label + ".mes",
                         [bytes = std::move(script.bytes)](const Font&, std::vector<uint8_t>& out,
                                                           std::string*) {
                             out = bytes;
                             return true;
                         }});
    }
    if (!options.only.empty()) {
        std::erase_if(files, [&](const FileJob& f) {
            return f.path.find(options.only) == std::string::npos;
        });
    }

    // Each file is made on its own, so the workers may take them in any
    // order: the bytes do not depend on it.
    std::vector<std::vector<uint8_t>> results(files.size());
    std::vector<std::string> failures(files.size());
    std::atomic<size_t> next{0};
    std::string fontError;
    std::mutex fontMutex;
    auto work = [&] {
        std::string why;
        auto font = Font::open(fontPath, &why);
        if (!font) {
            std::lock_guard lock(fontMutex);
            fontError = why;
            return;
        }
        for (size_t i = next++; i < files.size(); i = next++) {
            if (!files[i].make(*font, results[i], &why))
                failures[i] = files[i].path + ": " + why;
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (auto& t : pool)
        t.join();
    if (!fontError.empty()) {
        if (error)
            *error = fontError;
        return false;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        if (!failures[i].empty()) {
            if (error)
                *error = "cannot make " + failures[i];
            return false;
        }
        if (!writeFile(hostPathOf(options.outDir, files[i].path), results[i], error))
            return false;
        written.push_back({files[i].path, results[i].size()});
    }
    return true;
}

}  // namespace marlit::sample
