#include "platform/font/font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace marlit {

namespace {

struct ConfigDeleter {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};
struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};

using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// The first font (in fontconfig's listing order, made stable by taking the
// smallest file name) that matches `pattern`.
std::optional<std::string> firstFile(FcConfig* config, FcPattern* pattern) {
    std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(
        FcObjectSetBuild(FC_FILE, FC_SPACING, static_cast<char*>(nullptr)));
    std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(config, pattern, objects.get()));
    if (!fonts)
        return std::nullopt;
    std::optional<std::string> best;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
            continue;
        // Fixed pitch: monospaced, or dual width (half-width and full-width
        // characters), as a Japanese gothic is. Proportional faces are not.
        int spacing = FC_PROPORTIONAL;
        FcPatternGetInteger(fonts->fonts[i], FC_SPACING, 0, &spacing);
        if (spacing < FC_DUAL)
            continue;
        std::string name(reinterpret_cast<const char*>(file));
        if (!best || name < *best)
            best = std::move(name);
    }
    return best;
}

std::optional<std::string> lookUp(std::string* error) {
    std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
    if (!config) {
        *error =
            "fontconfig could not be set up, so no font was found; name a Japanese gothic font "
            "file with --font FILE";
        return std::nullopt;
    }
    Pattern preferred(FcPatternCreate());
    FcPatternAddString(preferred.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(kPreferredGothicFamily));
    if (auto file = firstFile(config.get(), preferred.get()))
        return file;

    Pattern japanese(FcPatternCreate());
    std::unique_ptr<FcLangSet, decltype(&FcLangSetDestroy)> langs(FcLangSetCreate(),
                                                                  &FcLangSetDestroy);
    FcLangSetAdd(langs.get(), reinterpret_cast<const FcChar8*>("ja"));
    FcPatternAddLangSet(japanese.get(), FC_LANG, langs.get());
    if (auto file = firstFile(config.get(), japanese.get()))
        return file;

    *error =
        "no fixed-pitch Japanese font is installed (looked for IPAGothic, then any monospaced "
        "font covering Japanese); install fonts-ipafont-gothic or name a font file with --font "
        "FILE";
    return std::nullopt;
}

}  // namespace

std::optional<std::string> findGothicFont(std::string* error) {
    // Reading fontconfig's configuration takes tens of milliseconds; the
    // answer does not change while the program runs.
    struct Answer {
        std::optional<std::string> file;
        std::string error;
    };
    static const Answer answer = [] {
        Answer a;
        a.file = lookUp(&a.error);
        return a;
    }();
    if (!answer.file)
        *error = answer.error;
    return answer.file;
}

}  // namespace marlit
