#include "platform/sdl/sdl_events.h"

#include <SDL.h>

#include <algorithm>

#include "platform/key_codes.h"

namespace marlit {

namespace {

std::optional<int16_t> keyCode(SDL_Keycode key) {
    switch (key) {
        case SDLK_UP:
            return kKeyCodeUp;
        case SDLK_DOWN:
            return kKeyCodeDown;
        case SDLK_LEFT:
            return kKeyCodeLeft;
        case SDLK_RIGHT:
            return kKeyCodeRight;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            return kKeyCodeStart;
        case SDLK_z:
            return kKeyCodeA;
        case SDLK_x:
        case SDLK_ESCAPE:
            return kKeyCodeB;
        case SDLK_c:
            return kKeyCodeC;
        case SDLK_MENU:
        case SDLK_APPLICATION:
            return kKeyCodeMenu;
        default:
            // The other letters and digits by their upper-case codes, for
            // the keys a user chooses in the menu.
            if (key >= SDLK_a && key <= SDLK_z)
                return static_cast<int16_t>('A' + (key - SDLK_a));
            if (key >= SDLK_0 && key <= SDLK_9)
                return static_cast<int16_t>('0' + (key - SDLK_0));
            return std::nullopt;
    }
}

std::optional<int16_t> buttonCode(uint8_t button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return kKeyCodeUp;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return kKeyCodeDown;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return kKeyCodeLeft;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return kKeyCodeRight;
        case SDL_CONTROLLER_BUTTON_A:
            return kKeyCodeA;
        case SDL_CONTROLLER_BUTTON_B:
            return kKeyCodeB;
        case SDL_CONTROLLER_BUTTON_X:
            return kKeyCodeC;
        case SDL_CONTROLLER_BUTTON_BACK:
            return kKeyCodeStart;
        case SDL_CONTROLLER_BUTTON_START:
            return kKeyCodeMenu;
        default:
            return std::nullopt;
    }
}

Event keyEvent(bool down, int16_t code) {
    return Event{down ? EventType::KeyDown : EventType::KeyUp, code, 0, 0};
}

}  // namespace

SdlEvents::~SdlEvents() {
    for (SDL_GameController* c : controllers_)
        SDL_GameControllerClose(c);
}

std::optional<Event> SdlEvents::poll() {
    display_.service();
    if (!posted_.empty()) {
        Event e = posted_.front();
        posted_.pop_front();
        return e;
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (auto event = translate(e))
            return event;
    }
    return std::nullopt;
}

std::optional<Event> SdlEvents::translate(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            return Event{EventType::Close, 0, 0, 0};
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE)
                return Event{EventType::Close, 0, 0, 0};
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED)
                return Event{EventType::Paint, 0, 0, 0};
            display_.markChanged();
            return std::nullopt;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (auto code = keyCode(e.key.keysym.sym))
                return keyEvent(e.type == SDL_KEYDOWN, *code);
            return std::nullopt;
        case SDL_CONTROLLERDEVICEADDED:
            if (SDL_GameController* c = SDL_GameControllerOpen(e.cdevice.which)) {
                controllers_.push_back(c);
            }
            return std::nullopt;
        case SDL_CONTROLLERDEVICEREMOVED:
            for (auto it = controllers_.begin(); it != controllers_.end(); ++it) {
                SDL_Joystick* j = SDL_GameControllerGetJoystick(*it);
                if (j && SDL_JoystickInstanceID(j) == e.cdevice.which) {
                    SDL_GameControllerClose(*it);
                    controllers_.erase(it);
                    break;
                }
            }
            return std::nullopt;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (auto code = buttonCode(e.cbutton.button)) {
                return keyEvent(e.type == SDL_CONTROLLERBUTTONDOWN, *code);
            }
            return std::nullopt;
        case SDL_MOUSEBUTTONDOWN:
            // The border around a scaled picture is not the screen.
            if (e.button.button != SDL_BUTTON_LEFT ||
                !display_.insidePicture(e.button.x, e.button.y)) {
                return std::nullopt;
            }
            stylusDown_ = true;
            return stylusEvent(EventType::StylusDown, e.button.x, e.button.y);
        case SDL_MOUSEMOTION:
            // A stylus cannot hover: only drags move it.
            if (!stylusDown_)
                return std::nullopt;
            return stylusEvent(EventType::StylusMove, e.motion.x, e.motion.y);
        case SDL_MOUSEWHEEL: {
            int notches = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
                notches = -notches;
            if (notches == 0)
                return std::nullopt;
            return Event{EventType::Wheel, notches, 0, 0};
        }
        case SDL_MOUSEBUTTONUP:
            if (e.button.button != SDL_BUTTON_LEFT || !stylusDown_)
                return std::nullopt;
            stylusDown_ = false;
            return stylusEvent(EventType::StylusUp, e.button.x, e.button.y);
        default:
            return std::nullopt;
    }
}

Event SdlEvents::stylusEvent(EventType type, int x, int y) const {
    Event event{type, 0, 0, 0};
    display_.toDevice(x, y, event.x, event.y);
    return event;
}

}  // namespace marlit
