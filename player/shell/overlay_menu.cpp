#include "player/shell/overlay_menu.h"

#include <algorithm>
#include <cstring>

#include "base/format.h"
#include "player/core/screen_copy.h"
#include "player/persist/config_keys.h"
#include "player/persist/save_thumbnail.h"
#include "player/shell/menu_commands.h"
#include "player/shell/menu_marks.h"
#include "player/shell/menu_screen.h"

namespace marlit {

using namespace menu_panel;

OverlayMenu::OverlayMenu(MenuServices services, MenuCommandServices commands)
    : s_(std::move(services)),
      places_(buildMenuTree(tree_)),
      commands_(std::move(commands), tree_),
      text_(s_.glyphs, s_.screen, s_.display.properties),
      thumbnails_(kSaveSlotItems) {
    for (int k = 0; k < kPlayerKeyCount; ++k)
        MenuTree::appendItem(places_.keys, kCommandKeyFirst + k, MenuItemKind::Command, "");
    MenuTree::appendItem(places_.keys, 0, MenuItemKind::Separator, "");
    MenuTree::appendItem(places_.keys, kCommandKeyDefaults, MenuItemKind::Command,
                         menuText("初期設定に戻す"));
    showKeyLabels();
}

void OverlayMenu::open() {
    if (open_)
        return;
    surface_ = std::make_unique<Display>(s_.geometry.width, s_.geometry.height);
    surface_->properties = s_.display.properties;
    text_.setDisplayProperties(s_.display.properties);
    shown_ = tree_.root();
    selection_ = -1;
    titles_.assign(1, kRootTitle);
    openedFrom_.clear();
    learning_ = -1;
    showKeyLabels();
    refreshSaveItems();
    readScreen(s_.screen, *surface_);
    const uint8_t* pixels = surface_->backBuffer();
    saved_.assign(pixels, pixels + static_cast<size_t>(surface_->pitch()) * surface_->height());
    open_ = true;
    redraw();
}

void OverlayMenu::close() {
    if (!open_)
        return;
    std::memcpy(surface_->backBuffer(), saved_.data(), saved_.size());
    present();
    saved_.clear();
    saved_.shrink_to_fit();
    surface_.reset();
    open_ = false;
    learning_ = -1;
    showKeyLabels();
}

void OverlayMenu::handleInput() {
    if (!open_)
        return;
    const MenuLevel* level = shown_;
    const int selection = selection_;
    const int learning = learning_;
    if (!stylus())
        keyInput();
    if (!open_)
        return;
    if (level != shown_ || selection != selection_ || learning != learning_ ||
        clockLine() != clock_)
        redraw();
}

bool OverlayMenu::stylus() {
    InputState& in = s_.input;
    if (in.tap == 0 && in.release == 0 && in.stylusHeld == 0)
        return false;
    const bool released = in.release != 0;
    const int x = in.stylusX;
    const int y = in.stylusY;
    const int row = y >= kFirstItemY ? (y - kFirstItemY) / kItemHeight : -1;
    if (x > 10 && x < size_.width - 11 && row >= 0 && row < shown_->count()) {
        const MenuItem& item = shown_->items[static_cast<size_t>(row)];
        if (!item.selectable()) {
            select(-1);
        } else {
            select(row);
            if (released && item.kind == MenuItemKind::Submenu)
                openSub(row);
            else if (released)
                choose(row);
        }
    } else if (x <= size_.width && y <= kTitleAreaBottom) {
        select(-1);
        if (released)
            goBack();
    } else if (x > size_.width || y > size_.height) {
        select(-1);
        if (released)
            close();
    } else {
        select(-1);
    }
    return true;
}

void OverlayMenu::keyInput() {
    InputState& in = s_.input;
    auto pressed = [&in](int key) {
        if (in.press[static_cast<size_t>(key)] != 1)
            return false;
        in.press[static_cast<size_t>(key)] = 0;
        return true;
    };
    const MenuItem* item =
        selection_ >= 0 ? &shown_->items[static_cast<size_t>(selection_)] : nullptr;
    if (pressed(kPressUp)) {
        select(stepSelection(*shown_, selection_, -1));
    } else if (pressed(kPressDown)) {
        select(stepSelection(*shown_, selection_, 1));
    } else if (pressed(kPressLeft)) {
        goBack();
    } else if (pressed(kPressRight) || pressed(kPressStart)) {
        // The centre key decides as right does (beyond the handheld's menu,
        // for a desktop's Enter).
        if (item && item->kind == MenuItemKind::Submenu)
            openSub(selection_);
        else if (item)
            choose(selection_);
    } else if (pressed(kPressC)) {
        if (item && item->kind == MenuItemKind::Command)
            choose(selection_);
    } else if (pressed(kPressA)) {
        goBack();
    } else if (pressed(kPressB)) {
        close();
    }
}

void OverlayMenu::select(int index) {
    if (index >= 0 && !shown_->items[static_cast<size_t>(index)].selectable())
        index = -1;
    selection_ = index;
}

void OverlayMenu::choose(int index) {
    const MenuItem& item = shown_->items[static_cast<size_t>(index)];
    if (!item.selectable() || item.kind != MenuItemKind::Command)
        return;
    if (keyCommand(item.id))
        return;
    const int id = item.id;
    close();
    s_.events.post(Event{EventType::Command, id, 0, 0});
}

void OverlayMenu::goBack() {
    if (titles_.size() <= 1 || !shown_->parent) {
        close();
        return;
    }
    selection_ = openedFrom_.back();
    openedFrom_.pop_back();
    titles_.pop_back();
    shown_ = shown_->parent;
    learning_ = -1;
    showKeyLabels();
}

void OverlayMenu::openSub(int index) {
    const MenuItem& item = shown_->items[static_cast<size_t>(index)];
    if (!item.sub || !item.enabled())
        return;
    titles_.push_back(item.label);
    openedFrom_.push_back(index);
    shown_ = item.sub;
    selection_ = -1;
}

std::string OverlayMenu::titleLine() const {
    std::string line;
    for (size_t i = 0; i < titles_.size(); ++i) {
        if (i > 0)
            line += "->";
        line += "[" + titles_[i] + "]";
    }
    return line;
}

std::string OverlayMenu::clockLine() {
    const DateTime t = s_.localTime.now();
    const int32_t battery = s_.power.batteryLifePercent();
    return formatText("[%z4-%z2-%z2 %z2:%z2][%d%c]",
                      {int32_t{t.year}, int32_t{t.month}, int32_t{t.day}, int32_t{t.hour},
                       int32_t{t.minute}, battery, int32_t{'%'}});
}

void OverlayMenu::redraw() {
    if (!surface_)
        return;
    std::memcpy(surface_->backBuffer(), saved_.data(), saved_.size());
    const Surface s{surface_->backBuffer(), surface_->width(), surface_->height(),
                    surface_->pitch()};
    clock_ = clockLine();
    const PanelView view{shown_, titleLine(), clock_, selection_};
    size_ = panelSize(view);
    drawPanel(s, text_, view, size_);
    if (selection_ >= 0 && (shown_ == places_.load || shown_ == places_.save)) {
        const auto& file = thumbnails_[static_cast<size_t>(selection_)];
        if (!file.empty()) {
            if (auto picture = readThumbnail(file))
                drawThumbnail(s, *picture, size_.width + 4, itemTop(selection_));
        }
    }
    present();
}

void OverlayMenu::present() {
    if (!open_ || !surface_)
        return;
    writeScreen(*surface_, s_.screen);
}

bool OverlayMenu::runCommand(int id) {
    return commands_.run(id);
}

void OverlayMenu::settingApplied(const ConfigKey& key) {
    showSetting(tree_, s_.settings, key.field);
}

void OverlayMenu::showSettings() {
    showAllSettings(tree_, s_.settings);
}

void OverlayMenu::refreshSaveItems() {
    const bool allowed = saveItemsAllowed_ && (!s_.storyRunning || s_.storyRunning());
    for (int i = 0; i < kSaveSlotItems; ++i)
        tree_.setEnabled(kCommandSaveFirst + i, allowed);
}

void OverlayMenu::showSlots(std::span<const SlotItem> slots) {
    for (size_t i = 0; i < slots.size() && i < thumbnails_.size(); ++i) {
        const int n = static_cast<int>(i);
        tree_.setLabel(kCommandLoadFirst + n, slots[i].text);
        tree_.setLabel(kCommandSaveFirst + n, slots[i].text);
        tree_.setEnabled(kCommandLoadFirst + n, slots[i].present);
        thumbnails_[i] = slots[i].thumbnail;
    }
    if (open_)
        redraw();
}

}  // namespace marlit
