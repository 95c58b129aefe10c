#include "editor/play/draw/button_table.h"

#include "editor/play/draw/play_layout.h"

namespace banmen::play {

int ButtonTable::add(int id, int look, unsigned flags, Point at, ButtonCallback callback) {
    if (id == 0) {
        return -1;
    }
    for (int i = 0; i < kSlots; ++i) {
        ButtonSlot& s = slot(i);
        if (s.id != 0) {
            continue;
        }
        const bool toggle = isToggleLook(look);
        s.id = id;
        s.look = look;
        s.flags = flags;
        s.rect = sized(at.x, at.y, toggle ? kToggleWidth : kButtonWidth,
                       toggle ? kToggleHeight : kButtonHeight);
        s.inset = toggle ? 0 : 16;
        s.callback = std::move(callback);
        s.drawn = true;
        return i;
    }
    return -1;
}

std::vector<Rect> ButtonTable::remove(int id) {
    std::vector<Rect> freed;
    for (ButtonSlot& s : slots_) {
        if (s.id != 0 && s.id == id) {
            freed.push_back(s.rect);
            s = ButtonSlot{};
        }
    }
    return freed;
}

std::vector<Rect> ButtonTable::removeAll() {
    std::vector<Rect> freed;
    for (ButtonSlot& s : slots_) {
        if (s.id != 0) {
            freed.push_back(s.rect);
            s = ButtonSlot{};
        }
    }
    return freed;
}

std::vector<Rect> ButtonTable::setLook(int id, int look) {
    std::vector<Rect> changed;
    for (ButtonSlot& s : slots_) {
        if (s.id != 0 && s.id == id && s.look != look) {
            s.look = look;
            changed.push_back(s.rect);
        }
    }
    return changed;
}

std::vector<Rect> ButtonTable::blink() {
    std::vector<Rect> changed;
    for (ButtonSlot& s : slots_) {
        if (s.id != 0 && (s.flags & kNoBlink) == 0) {
            s.drawn = !s.drawn;
            changed.push_back(s.rect);
        }
    }
    return changed;
}

int ButtonTable::hit(Point p, int id, unsigned flags) const {
    for (int i = 0; i < kSlots; ++i) {
        const ButtonSlot& s = slot(i);
        if (s.id == 0 || (s.flags & kNotClickable) != 0 || !s.rect.contains(p.x, p.y)) {
            continue;
        }
        if ((id != 0 && s.id == id) || (s.flags & flags) != 0) {
            return i;
        }
    }
    return -1;
}

bool ButtonTable::has(int id) const {
    for (const ButtonSlot& s : slots_) {
        if (s.id != 0 && s.id == id) {
            return true;
        }
    }
    return false;
}

int ButtonTable::count() const {
    int n = 0;
    for (const ButtonSlot& s : slots_) {
        n += s.id != 0 ? 1 : 0;
    }
    return n;
}

}  // namespace banmen::play
