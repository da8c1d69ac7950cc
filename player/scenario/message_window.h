// The message window: its picture and pieces (picture slot 1, sprites 1-6),
// the page of glyphs typed into it, the speaker line, the typing clock, the
// page-wait mark, the reader's hiding and the text recall. Positions are
// design coordinates scaled to the screen; the glyph cells are in screen
// pixels. The text is drawn over the composed frame by the message-text
// drawer (none in tests that only look at the layout).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "player/core/settings.h"
#include "player/graphics/graphics_ops.h"
#include "player/graphics/message_text.h"
#include "player/scenario/backlog_list.h"
#include "player/scenario/message_page.h"

namespace marlit {

class MessageWindow {
  public:
    static constexpr int kPicture = 1;
    static constexpr int kPageMark = 256;
    static constexpr int kFontHeight = 32;  // design pixels
    static constexpr int kPerLine = 24;
    static constexpr uint32_t kBaseDelayMs = 20;

    // The window body's and the choice bar's alpha (of 256) for a
    // MESSAGE_WIN_TRANS setting.
    static int opacity(int setting);

    MessageWindow(GraphicsOps& graphics, const Settings& settings, MessageTextDrawer* drawer);

    // BuildWindow: the picture and its pieces, hidden, and an empty page.
    void build();
    // FreeWindow: the pieces, the picture and the recorded pages go.
    void free();
    bool built() const { return built_; }

    // ShowWindow; a change clears the reader's hiding.
    void show(bool on);
    bool shown() const { return shown_; }

    // The speaker line, laid out at once above the message text.
    void setSpeaker(std::string_view name);
    const std::string& speaker() const { return speaker_; }

    // Starts typing a message (Shift-JIS, "/" for line breaks).
    void startText(std::string text);
    // Lays out what is due by now; `atOnce` (a click, the skip) lays out the
    // rest. True when the whole text is laid out. Typing pauses while the
    // reader has hidden the window or the recall is open.
    bool typeText(bool atOnce);
    const std::string& text() const { return text_; }
    bool typingDone() const { return typed_ >= text_.size(); }

    // The pen back to the top-left of the page, no glyphs (the speaker line
    // goes with them).
    void resetPage();
    // The pen to the start of the next line.
    void nextLine();

    const GlyphPage& page() const { return page_; }
    // The page for a save, and the page of a loaded save put back (its
    // glyphs drawn again; a glyph outside the screen is left out).
    MessagePage savedPage() const;
    void restorePage(const MessagePage& page);
    // The page's characters as UTF-8, lines joined by "\n".
    std::string pageText() const;

    // --- the page wait ---
    void showPageMark(bool on);
    bool pageMarkShown() const { return pageMark_; }
    // The reader hides the window (sprites and mark) and brings it back.
    void hideByUser();
    void showAgain();
    bool hiddenByUser() const { return hiddenByUser_; }
    // Keeps the page with its voice and empties it.
    void recordPage(const std::string& voice);
    BacklogList& backlog() { return backlog_; }
    size_t backlogSize() const { return backlog_.size(); }

    // The recall view: the recorded page `back` pages before the newest is
    // drawn in grey instead of the current page.
    void openRecall(size_t back);
    void closeRecall();
    bool recallOpen() const { return recallOpen_; }
    size_t recallIndex() const { return recallIndex_; }

    // The choice texts, drawn whole over the choice boxes.
    GlyphPage& choiceText() { return choiceText_; }
    void redrawTextBox();

    // The compositor's overlay: the text over the composed frame.
    void overlay(const Surface& backBuffer, std::span<const Rect> recomposed);

  private:
    void placeGlyph(uint16_t code);
    void lineBreak();
    void markAllToDraw(GlyphPage& page);
    void setPiecesVisible(bool visible);
    int origin(int design) const { return graphics_.toScreen(design); }

    GraphicsOps& graphics_;
    const Settings& settings_;
    MessageTextDrawer* drawer_;
    bool built_ = false;
    bool shown_ = false;
    bool hiddenByUser_ = false;
    bool pageMark_ = false;
    bool recallOpen_ = false;
    size_t recallIndex_ = 0;

    GlyphPage page_;
    GlyphPage recallPage_;
    GlyphPage choiceText_;
    BacklogList backlog_;
    std::string speaker_;

    // The pen, screen pixels.
    int penX_ = 0;
    int penY_ = 0;
    int lineStartX_ = 0;
    int charsInLine_ = 0;
    int lines_ = 0;
    uint32_t colour_ = kTextWhite;

    // The message being typed and the clock of its last glyph.
    std::string text_;
    size_t typed_ = 0;
    uint32_t lastGlyph_ = 0;
};

}  // namespace marlit
