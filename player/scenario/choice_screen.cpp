// The choice screen of command 9: up to four boxes from the window picture
// with their texts, a highlight moved by the up and down keys or set by a
// tap, and a click to choose.
#include <algorithm>

#include "player/graphics/text_layout.h"
#include "player/scenario/message_window.h"
#include "player/scenario/scenario_engine.h"
#include "player/scenario/text_commands.h"

namespace marlit {

namespace {

constexpr int kNone = 100;
constexpr int kHighlight = 72;
constexpr int kBoxX = 140;
constexpr int kBoxY = 200;
constexpr int kBoxStep = 56;
constexpr int kBoxWidth = 520;
constexpr int kBoxHeight = 40;

void setUp(ScenarioEngine& e, int count) {
    GraphicsOps& g = e.services.graphics;
    if (e.window)
        e.window->choiceText().clear();
    for (int i = 0; i < count; ++i) {
        // The boxes come from the choice bar, which takes the window's
        // opacity; the highlight is opaque.
        if (g.showPicture(64 + 2 * i, MessageWindow::kPicture, {98, 224, 518, 40},
                          {kBoxX, kBoxY + kBoxStep * i}, 9))
            g.setSpriteAlpha(64 + 2 * i,
                             MessageWindow::opacity(e.services.settings.messageWinTrans));
        if (!e.window)
            continue;
        TextLayout layout;
        layout.x = g.toScreen(172);
        layout.y = g.toScreen(204 + kBoxStep * i);
        layout.size = g.toScreen(MessageWindow::kFontHeight);
        layout.advance = layout.size;
        layout.lineHeight = layout.size;
        layout.perLine = 48;
        layoutText(e.window->choiceText(), e.state.choice.texts[static_cast<size_t>(i)], layout);
    }
    e.choiceCursor = kNone;
}

void tearDown(ScenarioEngine& e, int count) {
    GraphicsOps& g = e.services.graphics;
    g.removeSprite(kHighlight);
    for (int i = 0; i < count; ++i) {
        g.removeSprite(64 + 2 * i);
        g.removeSprite(65 + 2 * i);
    }
    if (e.window)
        e.window->choiceText().clear();
    g.redrawScreen();
}

}  // namespace

int choiceStep(ScenarioEngine& e, bool first) {
    const int count = std::clamp(e.state.choice.count, 0, ChoiceSet::kMax);
    if (first) {
        setUp(e, count);
        return -1;
    }
    if (count == 0) {
        // Nothing to choose from: the script goes on with no choice made.
        e.fault(e.state.position, "the choice has no choices (no \"M\" after 8)");
        return -1;
    }
    InputState& in = e.services.input;
    GraphicsOps& g = e.services.graphics;
    int& cursor = e.choiceCursor;
    const int before = cursor;
    if (in.press[kPressUp] == 1) {
        in.press[kPressUp] = 2;
        cursor = (cursor >= 1 && cursor <= 99) ? cursor - 1 : count - 1;
    }
    if (in.press[kPressDown] == 1) {
        in.press[kPressDown] = 2;
        cursor = cursor > 99 ? 0 : (cursor + 1) % count;
    }
    if (in.tap == 1) {
        cursor = kNone;
        for (int i = 0; i < count; ++i) {
            const int left = g.toScreen(kBoxX);
            const int top = g.toScreen(kBoxY + kBoxStep * i);
            if (in.stylusX >= left && in.stylusX < left + g.toScreen(kBoxWidth) &&
                in.stylusY >= top && in.stylusY < top + g.toScreen(kBoxHeight))
                cursor = i;
        }
    }
    if (cursor != before) {
        g.removeSprite(kHighlight);
        if (cursor != kNone)
            g.showPicture(kHighlight, MessageWindow::kPicture, {98, 264, 518, 40},
                          {kBoxX, kBoxY + kBoxStep * cursor}, 7);
    }
    if (!e.clicked())
        return -1;
    e.clearClick();
    if (cursor == kNone)
        return -1;
    tearDown(e, count);
    return cursor;
}

}  // namespace marlit
