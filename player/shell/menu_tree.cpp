#include "player/shell/menu_tree.h"

namespace marlit {

namespace {

MenuItem* findIn(MenuLevel* level, int32_t id) {
    if (!level)
        return nullptr;
    for (MenuItem& item : level->items) {
        if (item.kind != MenuItemKind::Separator && item.id == id)
            return &item;
        if (item.sub) {
            if (MenuItem* found = findIn(item.sub, id))
                return found;
        }
    }
    return nullptr;
}

}  // namespace

MenuLevel* MenuTree::createLevel(MenuLevel* parent, int itemIndex) {
    levels_.push_back(std::make_unique<MenuLevel>());
    MenuLevel* level = levels_.back().get();
    level->parent = parent;
    if (!parent) {
        if (!root_)
            root_ = level;
    } else if (itemIndex >= 0 && itemIndex < parent->count()) {
        parent->items[static_cast<size_t>(itemIndex)].sub = level;
    }
    return level;
}

int MenuTree::appendItem(MenuLevel* level, int32_t id, MenuItemKind kind, std::string_view label) {
    if (!level)
        return -1;
    if (level->count() >= MenuLevel::kMaxItems)
        return 0;
    MenuItem item;
    item.label = std::string(label);
    item.kind = kind;
    item.id = id;
    level->items.push_back(std::move(item));
    return level->count() - 1;
}

MenuLevel* MenuTree::appendSubmenu(MenuLevel* level, std::string_view label) {
    if (!level || level->count() >= MenuLevel::kMaxItems)
        return nullptr;
    const int index = appendItem(level, 0, MenuItemKind::Submenu, label);
    return createLevel(level, index);
}

MenuItem* MenuTree::find(int32_t id) {
    return findIn(root_, id);
}

bool MenuTree::setChecked(int32_t id, bool on) {
    MenuItem* item = find(id);
    if (!item)
        return false;
    item->state = on ? item->state | MenuItem::kChecked : item->state & ~MenuItem::kChecked;
    return true;
}

bool MenuTree::setEnabled(int32_t id, bool on) {
    MenuItem* item = find(id);
    if (!item)
        return false;
    item->state = on ? item->state | MenuItem::kEnabled : item->state & ~MenuItem::kEnabled;
    return true;
}

bool MenuTree::setLabel(int32_t id, std::string_view label) {
    MenuItem* item = find(id);
    if (!item)
        return false;
    item->label = std::string(label);
    return true;
}

int stepSelection(const MenuLevel& level, int from, int direction) {
    const int n = level.count();
    if (n == 0)
        return -1;
    int at = from;
    if (at < 0 || at >= n)
        at = direction > 0 ? -1 : n;
    for (int tried = 0; tried < n; ++tried) {
        at = ((at + direction) % n + n) % n;
        if (level.items[static_cast<size_t>(at)].selectable())
            return at;
    }
    return -1;
}

}  // namespace marlit
