#include "player/scenario/scenario_report.h"

#include <cstdio>

#include "base/encoding.h"
#include "formats/mes_command_text.h"
#include "player/scenario/message_window.h"
#include "player/scenario/scene_pictures.h"

namespace marlit {

namespace {

// A JSON string of UTF-8 text.
std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (unsigned char ch : utf8) {
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (ch < 0x20) {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "\\u%04X", ch);
                    out += hex;
                } else {
                    out += static_cast<char>(ch);
                }
        }
    }
    return out + "\"";
}

// Game paths and labels are Shift-JIS.
std::string jsonSjis(std::string_view sjis) {
    return jsonString(sjisToUtf8(sjis));
}

class JsonObject {
  public:
    void add(const std::string& key, const std::string& value) {
        text_ += (text_.empty() ? "{" : ",") + jsonString(key) + ":" + value;
    }
    void add(const std::string& key, int64_t value) { add(key, std::to_string(value)); }
    std::string done() const { return text_.empty() ? "{}" : text_ + "}"; }

  private:
    std::string text_;
};

std::string jsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + items[i];
    return out + "]";
}

std::string pair(int a, int b) {
    return "[" + std::to_string(a) + "," + std::to_string(b) + "]";
}

}  // namespace

std::string traceLine(const TraceEntry& entry) {
    return std::to_string(entry.frame) + " " + std::string(entry.scriptName) + " " +
           std::to_string(entry.command->position) + " " +
           commandText(*entry.script, entry.command->position);
}

std::string scenarioStateJson(ScenarioEngine& e, uint64_t frames) {
    const ScenarioState& s = e.state;
    JsonObject o;
    o.add("frames", static_cast<int64_t>(frames));
    o.add("mode", s.mode);
    o.add("substate", s.subState);
    o.add("script", jsonSjis(s.scriptName));
    o.add("position", s.position);
    o.add("repeat", s.repeat);
    o.add("condition", s.condition);
    o.add("message", s.message);
    o.add("day_end_selector", s.dayEndSelector);
    o.add("ending", s.ending);

    JsonObject vars;
    const auto& all = e.vars.all();
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i] != 0)
            vars.add(std::to_string(i), all[i]);
    }
    o.add("vars", vars.done());

    o.add("background", pair(s.backgroundX, s.backgroundY));
    o.add("shake", pair(e.services.shakeX, e.services.shakeY));
    JsonObject petals;
    petals.add("kind", e.petals.kind());
    petals.add("period", e.petals.period());
    petals.add("alive", e.petals.alive());
    o.add("petals", petals.done());
    JsonObject caption;
    caption.add("place", e.caption.place());
    caption.add("last_place", e.caption.lastPlace());
    caption.add("phase", e.caption.phase());
    o.add("caption", caption.done());

    JsonObject choice;
    choice.add("pending", s.choice.pending);
    choice.add("count", s.choice.count);
    choice.add("last", s.choice.last);
    std::vector<std::string> texts, labels;
    for (int i = 0; i < ChoiceSet::kMax; ++i) {
        texts.push_back(jsonSjis(s.choice.texts[static_cast<size_t>(i)]));
        labels.push_back(jsonSjis(s.choice.labels[static_cast<size_t>(i)]));
    }
    choice.add("texts", jsonArray(texts));
    choice.add("labels", jsonArray(labels));
    o.add("choice", choice.done());

    if (e.window) {
        const MessageWindow& w = *e.window;
        JsonObject window;
        window.add("shown", w.shown() ? 1 : 0);
        window.add("speaker", jsonSjis(w.speaker()));
        window.add("text", jsonString(w.pageText()));
        window.add("typed", static_cast<int64_t>(w.page().size()));
        window.add("typing_done", w.typingDone() ? 1 : 0);
        window.add("page_wait", w.pageMarkShown() ? 1 : 0);
        window.add("hidden_by_user", w.hiddenByUser() ? 1 : 0);
        window.add("recall", w.recallOpen() ? 1 : 0);
        window.add("voice", jsonSjis(e.voiceName));
        o.add("window", window.done());
        o.add("backlog", static_cast<int64_t>(w.backlogSize()));
    }

    JsonObject slots;
    for (int slot = 0; slot < PictureSlots::kCount; ++slot) {
        if (e.pictures.holds(slot))
            slots.add(std::to_string(slot), jsonSjis(e.pictures.path(slot)));
    }
    o.add("slots", slots.done());

    std::vector<std::string> sprites;
    Compositor& compositor = e.services.graphics.compositor();
    for (int id = 0; id < Compositor::kSpriteSlots; ++id) {
        const Sprite* sp = compositor.sprite(id);
        if (!sp)
            continue;
        const int picture = sp->command.picture;
        const DesignPoint at = e.pictures.position(id).value_or(DesignPoint{});
        JsonObject one;
        one.add("id", id);
        one.add("slot", picture < 0 ? -1 : picture);
        one.add("picture", jsonSjis(picture < 0 ? std::string_view{} : e.pictures.path(picture)));
        one.add("x", at.x);
        one.add("y", at.y);
        one.add("layer", sp->layer);
        one.add("alpha", sp->command.opacity);
        one.add("visible", sp->visible ? "true" : "false");
        sprites.push_back(one.done());
    }
    o.add("sprites", jsonArray(sprites));
    o.add("music", jsonSjis(e.services.sound.musicName()));
    o.add("voice", jsonSjis(e.voiceName));
    o.add("window_shown", s.windowShown);
    o.add("manner_hidden", s.mannerHidden);
    o.add("month", e.vars.get(var::kMonth));
    o.add("day", e.vars.get(var::kDay));
    o.add("weekday", e.vars.get(var::kWeekday));
    return o.done();
}

}  // namespace marlit
