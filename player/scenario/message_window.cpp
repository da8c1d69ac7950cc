#include "player/scenario/message_window.h"

#include <algorithm>
#include <cstring>

#include "base/encoding.h"

namespace marlit {

namespace {

// The pieces of the window picture: source rectangle, position, layer.
struct Piece {
    DesignRect source;
    DesignPoint at;
    int layer;
};
constexpr Piece kPieces[] = {
    {{0, 0, 760, 214}, {20, 384}, 3},    {{0, 216, 96, 158}, {696, 440}, 2},
    {{97, 305, 70, 22}, {720, 440}, 1},  {{167, 305, 86, 22}, {704, 504}, 1},
    {{257, 305, 86, 22}, {704, 536}, 1}, {{345, 305, 86, 22}, {664, 568}, 1},
};
constexpr DesignRect kTextBox{20, 384, 760, 214};
constexpr DesignPoint kTextOrigin{10, 58};
constexpr int kSpeakerY = 12;
constexpr int kLineGap = 3;

// Shift-JIS codes as the records keep them (lead byte low).
constexpr uint16_t sjisCode(uint8_t lead, uint8_t trail) {
    return static_cast<uint16_t>(lead | trail << 8);
}
constexpr uint16_t kComma = sjisCode(0x81, 0x41);           // 、
constexpr uint16_t kFullStop = sjisCode(0x81, 0x42);        // 。
constexpr uint16_t kCloseQuote = sjisCode(0x81, 0x76);      // 」
constexpr uint16_t kOpenGuillemet = sjisCode(0x81, 0xE1);   // ≪
constexpr uint16_t kCloseGuillemet = sjisCode(0x81, 0xE2);  // ≫

}  // namespace

int MessageWindow::opacity(int setting) {
    switch (setting) {
        case 0:
            return 16;
        case 1:
            return 64;
        case 2:
            return 96;
        case 4:
            return 192;
        default:
            return 128;
    }
}

MessageWindow::MessageWindow(GraphicsOps& graphics, const Settings& settings,
                             MessageTextDrawer* drawer)
    : graphics_(graphics), settings_(settings), drawer_(drawer) {}

void MessageWindow::build() {
    graphics_.loadPicture(kPicture, "AdvData\\grp\\system\\Messwin.rbp", true);
    const int alpha = opacity(settings_.messageWinTrans);
    int id = 1;
    for (const Piece& piece : kPieces) {
        if (Sprite* s = graphics_.showPicture(id, kPicture, piece.source, piece.at, piece.layer)) {
            // The body and its choice bar take the window's opacity.
            if (id == 1)
                graphics_.setSpriteAlpha(id, alpha);
            s->visible = false;
        }
        ++id;
    }
    if (drawer_)
        drawer_->setFontSize(origin(kFontHeight));
    built_ = true;
    shown_ = false;
    hiddenByUser_ = false;
    recallOpen_ = false;
    backlog_.clear();
    text_.clear();
    typed_ = 0;
    resetPage();
}

void MessageWindow::applyOpacity() {
    if (built_)
        graphics_.setSpriteAlpha(1, opacity(settings_.messageWinTrans));
}

void MessageWindow::free() {
    if (!built_)
        return;
    graphics_.removeSprites(1, 6);
    graphics_.removeSprite(kPageMark);
    graphics_.freePicture(kPicture);
    backlog_.clear();
    page_.clear();
    choiceText_.clear();
    speaker_.clear();
    built_ = shown_ = hiddenByUser_ = pageMark_ = recallOpen_ = false;
    graphics_.redrawScreen();
}

void MessageWindow::setPiecesVisible(bool visible) {
    for (int id = 1; id <= 6; ++id)
        graphics_.setSpriteVisible(id, visible);
}

void MessageWindow::show(bool on) {
    graphics_.redrawScreen();
    if (shown_ == on)
        return;
    shown_ = on;
    setPiecesVisible(on);
    if (on)
        markAllToDraw(page_);
    hiddenByUser_ = false;
}

void MessageWindow::markAllToDraw(GlyphPage& page) {
    for (GlyphRecord& r : page.records()) {
        if (r.state < kGlyphKept)
            r.state = kGlyphToDraw;
    }
}

void MessageWindow::resetPage() {
    page_.clear();
    speaker_.clear();
    lineStartX_ = origin(kTextBox.x) + origin(kTextOrigin.x);
    penX_ = lineStartX_;
    penY_ = origin(kTextBox.y) + origin(kTextOrigin.y);
    charsInLine_ = 0;
    lines_ = 0;
}

MessagePage MessageWindow::savedPage() const {
    MessagePage p;
    p.speaker = speaker_;
    p.glyphs.assign(page_.records().begin(), page_.records().end());
    p.penX = penX_;
    p.penY = penY_;
    p.lineStartX = lineStartX_;
    p.charsInLine = charsInLine_;
    p.lines = lines_;
    p.colour = colour_;
    return p;
}

void MessageWindow::restorePage(const MessagePage& p) {
    resetPage();
    const ScreenGeometry& screen = graphics_.screen();
    const auto onScreen = [&screen](const Rect& r) {
        return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
               r.right <= screen.width && r.bottom <= screen.height;
    };
    for (GlyphRecord g : p.glyphs) {
        if (g.size <= 0 || g.size > screen.height || !onScreen(g.cell))
            continue;
        g.state = kGlyphToDraw;
        if (!page_.add(g))
            break;
    }
    speaker_ = p.speaker;
    // A pen off the screen (a damaged save) stays where a new page starts.
    if (p.penX >= 0 && p.penX < screen.width && p.penY >= 0 && p.penY < screen.height &&
        p.lineStartX >= 0 && p.lineStartX < screen.width) {
        penX_ = p.penX;
        penY_ = p.penY;
        lineStartX_ = p.lineStartX;
        charsInLine_ = std::clamp(p.charsInLine, 0, kPerLine + 1);
        lines_ = std::max(p.lines, 0);
    }
    colour_ = p.colour;
    text_.clear();
    typed_ = 0;
    redrawTextBox();
}

void MessageWindow::lineBreak() {
    penX_ = lineStartX_;
    penY_ += origin(kFontHeight) + origin(kLineGap);
    charsInLine_ = 0;
    ++lines_;
}

void MessageWindow::nextLine() {
    lineBreak();
}

void MessageWindow::placeGlyph(uint16_t code) {
    // A page holds 256 glyphs; a longer one goes on from a fresh page.
    if (page_.full())
        resetPage();
    const int size = origin(kFontHeight);
    GlyphRecord r;
    r.state = kGlyphToDraw;
    r.character = code;
    r.size = size;
    r.colour = colour_;
    r.cell = Rect{penX_, penY_, penX_ + size, penY_ + size};
    page_.add(r);
    penX_ += size;
    graphics_.dirtyMarker()(r.cell);
}

void MessageWindow::setSpeaker(std::string_view name) {
    speaker_ = std::string(name);
    const int savedX = lineStartX_;
    const int savedY = penY_;
    const int savedChars = charsInLine_;
    const int length = static_cast<int>(name.size());
    lineStartX_ = origin(kTextBox.x) + origin(128 - 8 * length);
    penX_ = lineStartX_;
    penY_ = origin(kTextBox.y) + origin(kSpeakerY);
    colour_ = kTextWhite;
    for (size_t pos = 0; pos < name.size();) {
        const TextCharacter ch = characterAt(name, pos);
        if (ch.bytes == 0)
            break;
        if (ch.code != ' ')
            placeGlyph(ch.code);
        pos += static_cast<size_t>(ch.bytes);
    }
    lineStartX_ = origin(kTextBox.x) + origin(kTextOrigin.x);
    penX_ = lineStartX_;
    penY_ = savedY;
    charsInLine_ = savedChars;
    (void)savedX;
}

void MessageWindow::startText(std::string text) {
    text_ = std::move(text);
    typed_ = 0;
    colour_ = kTextWhite;
    lastGlyph_ = graphics_.now();
}

bool MessageWindow::typeText(bool atOnce) {
    const uint32_t now = graphics_.now();
    if (hiddenByUser_ || recallOpen_) {
        lastGlyph_ = now;
        return false;
    }
    const uint32_t delay =
        atOnce ? 0 : kBaseDelayMs * static_cast<uint32_t>(std::max(settings_.messageSpeed, 0));
    const std::string_view text = text_;
    while (true) {
        const TextCharacter ch = characterAt(text, typed_);
        if (ch.bytes == 0) {
            typed_ = text_.size();
            charsInLine_ = 0;
            return true;
        }
        const size_t bytes = static_cast<size_t>(ch.bytes);
        if (ch.code == ' ') {
            typed_ += bytes;
            continue;
        }
        if (ch.code == '@') {
            typed_ = std::min(text_.size(), typed_ + 2);
            continue;
        }
        if (ch.code == kOpenGuillemet || ch.code == kCloseGuillemet) {
            typed_ += bytes;
            continue;
        }
        if (ch.code == '$' && typed_ + 1 < text_.size() && text_[typed_ + 1] == 'n') {
            const std::string_view name(settings_.name,
                                        strnlen(settings_.name, sizeof settings_.name));
            for (size_t pos = 0; pos < name.size();) {
                const TextCharacter n = characterAt(name, pos);
                if (n.bytes == 0)
                    break;
                placeGlyph(n.code);
                ++charsInLine_;
                pos += static_cast<size_t>(n.bytes);
            }
            typed_ += 2;
            continue;
        }
        if (ch.code == '/') {
            lineBreak();
            typed_ += bytes;
            continue;
        }
        if (now < lastGlyph_ + delay)
            return false;
        if (charsInLine_ >= kPerLine && ch.code != kComma && ch.code != kFullStop &&
            ch.code != kCloseQuote)
            lineBreak();
        placeGlyph(ch.code);
        lastGlyph_ += delay;
        ++charsInLine_;
        typed_ += bytes;
    }
}

std::string MessageWindow::pageText() const {
    std::string sjis;
    int lastY = -1;
    for (const GlyphRecord& r : page_.records()) {
        if (lastY >= 0 && r.cell.top != lastY)
            sjis += '\n';
        lastY = r.cell.top;
        sjis += static_cast<char>(r.character & 0xFF);
        if (r.character > 0xFF)
            sjis += static_cast<char>(r.character >> 8);
    }
    return sjisToUtf8(sjis);
}

void MessageWindow::redrawTextBox() {
    graphics_.redraw(kTextBox);
}

void MessageWindow::showPageMark(bool on) {
    pageMark_ = on;
    if (!on) {
        graphics_.removeSprite(kPageMark);
        return;
    }
    if (!graphics_.showPicture(kPageMark, kPicture, {736, 224, 24, 24}, {672, 544}, 1))
        return;
    graphics_.keepSpriteBrightness(kPageMark, true);
    std::vector<AnimationFrame> frames;
    for (int i = 0; i < 8; ++i)
        frames.push_back(AnimationFrame{kPicture, 738, 224 + 24 * i, 23, 24, 0, 0, 100});
    graphics_.animateSprite(kPageMark, std::move(frames));
    graphics_.setSpriteVisible(kPageMark, !hiddenByUser_ && shown_);
}

void MessageWindow::hideByUser() {
    hiddenByUser_ = true;
    setPiecesVisible(false);
    graphics_.setSpriteVisible(kPageMark, false);
    redrawTextBox();
}

void MessageWindow::showAgain() {
    hiddenByUser_ = false;
    shown_ = true;
    setPiecesVisible(true);
    graphics_.setSpriteVisible(kPageMark, pageMark_);
    markAllToDraw(page_);
    graphics_.redrawScreen();
}

void MessageWindow::recordPage(const std::string& voice) {
    backlog_.record(page_, voice);
}

void MessageWindow::openRecall(size_t back) {
    const BacklogPage* page = backlog_.fromNewest(back);
    if (!page)
        return;
    recallPage_ = page->glyphs;
    for (GlyphRecord& r : recallPage_.records()) {
        r.state = kGlyphToDraw;
        r.colour = kRecallGrey;
    }
    recallOpen_ = true;
    recallIndex_ = back;
    redrawTextBox();
}

void MessageWindow::closeRecall() {
    recallOpen_ = false;
    recallIndex_ = 0;
    markAllToDraw(page_);
    redrawTextBox();
}

void MessageWindow::overlay(const Surface& backBuffer, std::span<const Rect> recomposed) {
    if (!drawer_ || !built_)
        return;
    TextStyle style;
    style.level = std::clamp(settings_.transMode, 0, 3);
    style.shadow = settings_.messageShadow != 0;
    drawer_->redraw(choiceText_.records(), backBuffer, recomposed, style);
    if (!shown_ || hiddenByUser_)
        return;
    if (recallOpen_) {
        style.recall = true;
        drawer_->redraw(recallPage_.records(), backBuffer, recomposed, style);
        return;
    }
    drawer_->redraw(page_.records(), backBuffer, recomposed, style);
}

}  // namespace marlit
