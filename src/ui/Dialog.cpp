#include "ui/Dialog.h"

#include "ui/DialogHost.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cctype>

namespace {

constexpr int kFrameBorder = 1;
constexpr int kCaptionPadding = 10;
constexpr int kCaptionTextInset = 8;
constexpr int kShadowOffset = 4;
constexpr int kWheelRows = 3;
// Used for centring when the renderer cannot report its size.
constexpr int kFallbackWindowWidth = 1024;
constexpr int kFallbackWindowHeight = 768;
constexpr const char* kCloseGlyph = "\xC3\x97"; // multiplication sign

bool IsQuitRequest(const SDL_Event& event) {
    return event.type == SDL_QUIT ||
           (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
}

bool IsResize(const SDL_Event& event) {
    return event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_RESIZED ||
                                             event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED);
}

SDL_Point WindowSize(SDL_Renderer* renderer) {
    int width = 0;
    int height = 0;
    if (renderer == nullptr || SDL_GetRendererOutputSize(renderer, &width, &height) != 0 ||
        width <= 0 || height <= 0) {
        return {kFallbackWindowWidth, kFallbackWindowHeight};
    }
    return {width, height};
}

} // namespace

Dialog::Dialog(DialogHost& host, std::string caption, int widthUnits, int heightUnits)
    : host(host), caption(std::move(caption)), widthUnits(widthUnits), heightUnits(heightUnits) {}

Dialog::~Dialog() {
    if (host.RunningDialog() == this) {
        host.RunningDialog() = outer;
    }
}

template <class T> T& Dialog::Add(std::unique_ptr<T> control) {
    T& added = *control;
    controls.push_back(std::move(control));
    return added;
}

DialogStatic& Dialog::AddStatic(int id, const std::string& text, const SDL_Rect& units,
                                TextAlign align) {
    return Add(std::make_unique<DialogStatic>(id, units, text, align));
}

DialogEdit& Dialog::AddEdit(int id, const SDL_Rect& units) {
    return Add(std::make_unique<DialogEdit>(id, units));
}

DialogButton& Dialog::AddButton(int id, const std::string& caption, const SDL_Rect& units,
                                ButtonKind kind) {
    return Add(std::make_unique<DialogButton>(id, units, caption, kind));
}

DialogDropDown& Dialog::AddDropDown(int id, const SDL_Rect& units) {
    return Add(std::make_unique<DialogDropDown>(id, units));
}

DialogListView& Dialog::AddListView(int id, const SDL_Rect& units) {
    return Add(std::make_unique<DialogListView>(id, units));
}

DialogColorGrid& Dialog::AddColorGrid(int id, const SDL_Rect& units, int columns, int rows) {
    return Add(std::make_unique<DialogColorGrid>(id, units, columns, rows));
}

void Dialog::SetUnitsSize(int newWidthUnits, int newHeightUnits) {
    widthUnits = newWidthUnits;
    heightUnits = newHeightUnits;
}

DialogControl* Dialog::Control(int id) const {
    for (const auto& control : controls) {
        if (control->id == id) {
            return control.get();
        }
    }
    return nullptr;
}

int Dialog::IndexOf(const DialogControl* control) const {
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].get() == control) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string Dialog::Text(int id) const {
    const DialogControl* control = Control(id);
    return control != nullptr ? control->Text() : std::string();
}

void Dialog::SetText(int id, const std::string& text) {
    if (DialogControl* control = Control(id)) {
        control->SetText(text);
    }
}

bool Dialog::IsChecked(int id) const {
    const DialogButton* button = ControlAs<DialogButton>(id);
    return button != nullptr && button->IsChecked();
}

void Dialog::SetChecked(int id, bool checked) {
    if (DialogButton* button = ControlAs<DialogButton>(id)) {
        button->SetChecked(checked);
    }
}

bool Dialog::IsEnabled(int id) const {
    const DialogControl* control = Control(id);
    return control != nullptr && control->enabled;
}

void Dialog::Enable(int id, bool enabled) {
    DialogControl* control = Control(id);
    if (control == nullptr) {
        return;
    }
    control->enabled = enabled;
    if (!enabled) {
        control->CancelPress();
        control->ClosePopup();
        if (captured == control) {
            captured = nullptr;
        }
        if (focus == control) {
            MoveFocus(false);
            if (focus == control) {
                SetFocusTo(nullptr, false);
            }
        }
    }
}

int Dialog::Selection(int id) const {
    DialogControl* control = Control(id);
    if (const auto* list = dynamic_cast<const DialogDropDown*>(control)) {
        return list->Selection();
    }
    if (const auto* list = dynamic_cast<const DialogListView*>(control)) {
        return list->Current() >= 0 && list->IsSelected(list->Current()) ? list->Current() : -1;
    }
    if (const auto* grid = dynamic_cast<const DialogColorGrid*>(control)) {
        return grid->Selection();
    }
    return -1;
}

void Dialog::SetSelection(int id, int index) {
    DialogControl* control = Control(id);
    if (auto* list = dynamic_cast<DialogDropDown*>(control)) {
        list->SetSelection(index);
    } else if (auto* listView = dynamic_cast<DialogListView*>(control)) {
        listView->Select(index);
    } else if (auto* grid = dynamic_cast<DialogColorGrid*>(control)) {
        grid->SetSelection(index);
    }
}

void Dialog::SetFocus(int id) {
    SetFocusTo(Control(id), true);
}

int Dialog::FocusId() const {
    return focus != nullptr ? focus->id : kIdNone;
}

void Dialog::SetFocusTo(DialogControl* control, bool byKeyboard) {
    if (control == focus) {
        return;
    }
    if (focus != nullptr) {
        focus->CancelPress();
        focus->ClosePopup();
        focus->OnFocus(*this, false, false);
    }
    focus = control;
    if (focus != nullptr) {
        focus->OnFocus(*this, true, byKeyboard);
        // Tells an input method where the text goes.
        SDL_SetTextInputRect(&focus->rect);
    }
}

std::vector<DialogButton*> Dialog::RadioGroup(const DialogButton& radio) const {
    std::vector<DialogButton*> group;
    const int at = IndexOf(&radio);
    if (at < 0 || radio.Kind() != ButtonKind::Radio) {
        return group;
    }
    auto radioAt = [&](int index) -> DialogButton* {
        if (index < 0 || index >= static_cast<int>(controls.size())) {
            return nullptr;
        }
        auto* button = dynamic_cast<DialogButton*>(controls[static_cast<size_t>(index)].get());
        return button != nullptr && button->Kind() == ButtonKind::Radio ? button : nullptr;
    };
    int first = at;
    while (!radioAt(first)->StartsGroup() && radioAt(first - 1) != nullptr) {
        --first;
    }
    for (int index = first; radioAt(index) != nullptr; ++index) {
        if (index > first && radioAt(index)->StartsGroup()) {
            break;
        }
        group.push_back(radioAt(index));
    }
    return group;
}

void Dialog::CheckRadio(DialogButton& radio) {
    for (DialogButton* member : RadioGroup(radio)) {
        member->SetChecked(member == &radio);
    }
}

bool Dialog::IsTabStop(const DialogControl& control) const {
    if (!control.enabled || !control.CanTakeFocus()) {
        return false;
    }
    const auto* radio = dynamic_cast<const DialogButton*>(&control);
    if (radio == nullptr || radio->Kind() != ButtonKind::Radio) {
        return true;
    }
    // A radio group is one stop: its checked button, or its first enabled one.
    const std::vector<DialogButton*> group = RadioGroup(*radio);
    for (const DialogButton* member : group) {
        if (member->IsChecked() && member->enabled) {
            return member == radio;
        }
    }
    for (const DialogButton* member : group) {
        if (member->enabled) {
            return member == radio;
        }
    }
    return false;
}

void Dialog::MoveFocus(bool backwards) {
    const int count = static_cast<int>(controls.size());
    if (count == 0) {
        return;
    }
    int from = IndexOf(focus);
    // From inside a radio group, Tab leaves the whole group.
    if (auto* radio = dynamic_cast<DialogButton*>(focus);
        radio != nullptr && radio->Kind() == ButtonKind::Radio) {
        const std::vector<DialogButton*> group = RadioGroup(*radio);
        from = IndexOf(backwards ? group.front() : group.back());
    }
    if (from < 0) {
        from = backwards ? 0 : count - 1;
    }
    for (int step = 1; step <= count; ++step) {
        const int index = ((from + (backwards ? -step : step)) % count + count) % count;
        DialogControl* candidate = controls[static_cast<size_t>(index)].get();
        if (IsTabStop(*candidate)) {
            SetFocusTo(candidate, true);
            return;
        }
    }
}

void Dialog::EnsureFocusValid() {
    if (focus != nullptr && focus->enabled && focus->CanTakeFocus()) {
        return;
    }
    for (const auto& control : controls) {
        if (IsTabStop(*control)) {
            SetFocusTo(control.get(), true);
            return;
        }
    }
    SetFocusTo(nullptr, false);
}

DialogButton* Dialog::DefaultButton() const {
    for (const auto& control : controls) {
        auto* button = dynamic_cast<DialogButton*>(control.get());
        if (button != nullptr && button->Kind() == ButtonKind::DefaultPush) {
            return button;
        }
    }
    return nullptr;
}

DialogControl* Dialog::OpenPopupOwner() const {
    for (const auto& control : controls) {
        if (control->PopupOpen()) {
            return control.get();
        }
    }
    return nullptr;
}

DialogControl* Dialog::ControlAt(int x, int y) const {
    for (const auto& control : controls) {
        if (control->CanTakeFocus() && RectContains(control->rect, x, y)) {
            return control.get();
        }
    }
    return nullptr;
}

SDL_Rect Dialog::ControlRect(int id) const {
    const DialogControl* control = Control(id);
    return control != nullptr ? control->rect : SDL_Rect{0, 0, 0, 0};
}

SDL_Rect Dialog::CaptionRect() const {
    return {frame.x + kFrameBorder, frame.y + kFrameBorder, frame.w - 2 * kFrameBorder,
            captionHeight};
}

SDL_Rect Dialog::ClientRect() const {
    return {clientOrigin.x, clientOrigin.y, units.X(widthUnits), units.Y(heightUnits)};
}

SDL_Rect Dialog::CloseBoxRect() const {
    const SDL_Rect bar = CaptionRect();
    const int width = captionHeight * 3 / 2;
    return {bar.x + bar.w - width, bar.y, width, bar.h};
}

void Dialog::Place() {
    font = host.Font();
    units = MeasureDialogUnits(font);
    captionHeight = DialogLineHeight(font) + kCaptionPadding;
    frame.w = units.X(widthUnits) + 2 * kFrameBorder;
    frame.h = units.Y(heightUnits) + captionHeight + 2 * kFrameBorder;
    Centre();
}

void Dialog::Centre() {
    const SDL_Point size = WindowSize(host.Renderer());
    frame.x = std::clamp((size.x - frame.w) / 2 + dragOffset.x, 0, std::max(0, size.x - frame.w));
    frame.y = std::clamp((size.y - frame.h) / 2 + dragOffset.y, 0, std::max(0, size.y - frame.h));
    clientOrigin = {frame.x + kFrameBorder, frame.y + kFrameBorder + captionHeight};
    for (const auto& control : controls) {
        SDL_Rect placed = units.ToPixels(control->unitsRect);
        placed.x += clientOrigin.x;
        placed.y += clientOrigin.y;
        control->rect = placed;
        control->Layout(units, font);
    }
}

void Dialog::End(int value) {
    ended = true;
    result = value;
}

void Dialog::Notify(int id, DialogNotify notify) {
    if (onCommand && onCommand(*this, id, notify)) {
        return;
    }
    if (notify == DialogNotify::Clicked && id == kIdOk) {
        End(1);
    } else if (notify == DialogNotify::Clicked && id == kIdCancel) {
        End(0);
    }
}

int Dialog::RunModal() {
    if (host.Renderer() == nullptr) {
        return 0; // nothing to show the dialog in
    }
    outer = host.RunningDialog();
    host.RunningDialog() = this;
    ended = false;
    result = 0;
    passes = 0;
    dragOffset = {0, 0};
    Place();
    EnsureFocusValid();
    modifiers = static_cast<uint16_t>(SDL_GetModState());
    const bool textInputWasActive = SDL_IsTextInputActive() == SDL_TRUE;
    SDL_StartTextInput();

    bool resized = false;
    SDL_Event lastResize = {};
    while (!ended) {
        const uint32_t passStart = SDL_GetTicks();
        ++passes;
        if (host.PassHook()) {
            // A copy, so a script may replace the hook while it runs.
            const std::function<void(Dialog&)> hook = host.PassHook();
            hook(*this);
        }
        SDL_PumpEvents();
        if (!ended && host.CloseWhenIdle() && !SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) {
            End(0);
        }
        SDL_Event event;
        while (!ended && NextEvent(event)) {
            if (IsResize(event)) {
                resized = true;
                lastResize = event;
            }
            HandleEvent(event);
        }
        if (ended) {
            break;
        }
        if (host.Window() == nullptr ||
            (SDL_GetWindowFlags(host.Window()) & SDL_WINDOW_MINIMIZED) == 0) {
            DrawScene();
            SDL_RenderPresent(host.Renderer());
        }
        const uint32_t elapsed = SDL_GetTicks() - passStart;
        if (host.FramePeriodMs() > 0 && elapsed < static_cast<uint32_t>(host.FramePeriodMs())) {
            SDL_Delay(static_cast<uint32_t>(host.FramePeriodMs()) - elapsed);
        }
    }

    if (focus != nullptr) {
        focus->CancelPress();
        focus->ClosePopup();
    }
    captured = hovered = nullptr;
    draggingCaption = closeBoxPressed = closeBoxHovered = false;
    // The main loop lays the screen out again for a resize it did not see.
    if (resized) {
        SDL_PushEvent(&lastResize);
    }
    if (!textInputWasActive) {
        SDL_StopTextInput();
    }
    host.RunningDialog() = outer;
    outer = nullptr;
    return result;
}

bool Dialog::NextEvent(SDL_Event& event) {
    if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) {
        return false;
    }
    if (IsQuitRequest(event)) {
        // Left in the queue: the main loop (and every dialog below this one)
        // sees it next, so quitting still asks about unsaved work.
        End(0);
        return false;
    }
    return SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1;
}

void Dialog::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
        modifiers = event.key.keysym.mod;
        HandleKey(event.key);
        break;
    case SDL_KEYUP:
        modifiers = event.key.keysym.mod;
        if (focus != nullptr && focus->enabled) {
            focus->OnKeyUp(*this, event.key.keysym.sym);
        }
        break;
    case SDL_TEXTINPUT:
        HandleTextInput(event.text);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        HandleMouseButton(event.button, event.type == SDL_MOUSEBUTTONDOWN);
        break;
    case SDL_MOUSEMOTION:
        HandleMouseMotion(event.motion);
        break;
    case SDL_MOUSEWHEEL:
        HandleWheel(event.wheel);
        break;
    case SDL_WINDOWEVENT:
        if (IsResize(event)) {
            dragOffset = {0, 0};
            Centre();
        } else if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
            hovered = nullptr;
            closeBoxHovered = false;
        }
        break;
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
        // Nothing is opened while a dialog waits for an answer.
        SDL_free(event.drop.file);
        break;
    default:
        break;
    }
}

void Dialog::HandleKey(const SDL_KeyboardEvent& key) {
    const SDL_Keycode sym = key.keysym.sym;
    const uint16_t mod = key.keysym.mod;
    // A held Enter or Escape must not also answer the dialog its first press opened.
    if (key.repeat != 0 &&
        (sym == SDLK_RETURN || sym == SDLK_KP_ENTER || sym == SDLK_ESCAPE || sym == SDLK_SPACE)) {
        return;
    }
    if (DialogControl* owner = OpenPopupOwner()) {
        if (sym != SDLK_TAB) {
            owner->OnKey(*this, sym, mod);
            return;
        }
        owner->ClosePopup();
    }
    if (sym == SDLK_TAB && (mod & (KMOD_CTRL | KMOD_ALT)) == 0) {
        MoveFocus((mod & KMOD_SHIFT) != 0);
        return;
    }
    if (focus != nullptr && focus->enabled && focus->OnKey(*this, sym, mod)) {
        return;
    }
    if ((sym == SDLK_RETURN || sym == SDLK_KP_ENTER) && (mod & KMOD_ALT) == 0) {
        auto* focusedButton = dynamic_cast<DialogButton*>(focus);
        if (focusedButton != nullptr && focusedButton->IsPushButton() && focusedButton->enabled) {
            focusedButton->Press(*this);
        } else if (DialogButton* defaultButton = DefaultButton()) {
            if (defaultButton->enabled) {
                defaultButton->Press(*this);
            }
        } else {
            Notify(kIdOk, DialogNotify::Clicked);
        }
        return;
    }
    if (sym == SDLK_ESCAPE) {
        Notify(kIdCancel, DialogNotify::Clicked);
        return;
    }
    if ((mod & KMOD_ALT) != 0) {
        PressMnemonic(sym);
    }
}

void Dialog::HandleTextInput(const SDL_TextInputEvent& input) {
    if (DialogControl* owner = OpenPopupOwner()) {
        owner->OnTextInput(*this, input.text, input.timestamp);
        return;
    }
    if (focus != nullptr && focus->enabled && focus->TakesLetterKeys()) {
        focus->OnTextInput(*this, input.text, input.timestamp);
        return;
    }
    // Over buttons a plain letter presses the button it marks. Taken from the
    // text rather than the key so the letter cannot reach a dialog it opens.
    if (input.text[0] != '\0' && input.text[1] == '\0') {
        PressMnemonic(
            static_cast<SDL_Keycode>(std::tolower(static_cast<unsigned char>(input.text[0]))));
    }
}

bool Dialog::PressMnemonic(SDL_Keycode key) {
    if (key <= 0 || key > 0x7F || !std::isalnum(static_cast<int>(key))) {
        return false;
    }
    const char letter = static_cast<char>(std::tolower(static_cast<int>(key)));
    for (const auto& control : controls) {
        auto* button = dynamic_cast<DialogButton*>(control.get());
        if (button != nullptr && button->enabled && button->Mnemonic() == letter) {
            SetFocusTo(button, true);
            button->Press(*this);
            return true;
        }
    }
    return false;
}

void Dialog::HandleMouseButton(const SDL_MouseButtonEvent& button, bool down) {
    if (button.button != SDL_BUTTON_LEFT) {
        return;
    }
    DialogMouse mouse;
    mouse.x = button.x;
    mouse.y = button.y;
    mouse.clicks = std::max<int>(button.clicks, 1);
    mouse.modifiers = modifiers;
    mouse.timestamp = button.timestamp;
    if (!down) {
        if (closeBoxPressed) {
            closeBoxPressed = false;
            if (RectContains(CloseBoxRect(), mouse.x, mouse.y)) {
                End(0);
            }
            return;
        }
        draggingCaption = false;
        if (DialogControl* control = captured) {
            captured = nullptr;
            control->OnMouseUp(*this, mouse);
        }
        return;
    }

    if (DialogControl* owner = OpenPopupOwner()) {
        if (RectContains(owner->PopupRect(), mouse.x, mouse.y)) {
            owner->OnPopupMouseDown(*this, mouse);
        } else {
            // A click outside an open list only closes it.
            owner->ClosePopup();
        }
        return;
    }
    if (RectContains(CloseBoxRect(), mouse.x, mouse.y)) {
        closeBoxPressed = true;
        return;
    }
    if (RectContains(CaptionRect(), mouse.x, mouse.y)) {
        draggingCaption = true;
        dragStart = {mouse.x - dragOffset.x, mouse.y - dragOffset.y};
        return;
    }
    DialogControl* control = ControlAt(mouse.x, mouse.y);
    if (control == nullptr || !control->enabled) {
        return;
    }
    SetFocusTo(control, false);
    captured = control;
    control->OnMouseDown(*this, mouse);
}

void Dialog::HandleMouseMotion(const SDL_MouseMotionEvent& motion) {
    DialogMouse mouse;
    mouse.x = motion.x;
    mouse.y = motion.y;
    mouse.clicks = 0;
    mouse.modifiers = modifiers;
    mouse.timestamp = motion.timestamp;
    if (draggingCaption) {
        dragOffset = {mouse.x - dragStart.x, mouse.y - dragStart.y};
        Centre();
        return;
    }
    closeBoxHovered = RectContains(CloseBoxRect(), mouse.x, mouse.y);
    if (DialogControl* owner = OpenPopupOwner();
        owner != nullptr && RectContains(owner->PopupRect(), mouse.x, mouse.y)) {
        owner->OnPopupMouseMove(*this, mouse);
    }
    if (captured != nullptr) {
        captured->OnMouseDrag(*this, mouse);
        hovered = RectContains(captured->rect, mouse.x, mouse.y) ? captured : nullptr;
    } else {
        hovered = ControlAt(mouse.x, mouse.y);
    }
    // The I-beam over text fields; the main loop sets its own cursor again once
    // the dialog is gone.
    const bool overText =
        hovered != nullptr && hovered->enabled && dynamic_cast<DialogEdit*>(hovered) != nullptr;
    SDL_Cursor* cursor = host.Cursor(overText ? SDL_SYSTEM_CURSOR_IBEAM : SDL_SYSTEM_CURSOR_ARROW);
    if (cursor != nullptr && cursor != SDL_GetCursor()) {
        SDL_SetCursor(cursor);
    }
}

void Dialog::HandleWheel(const SDL_MouseWheelEvent& wheel) {
    int steps = wheel.y;
    if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
        steps = -steps;
    }
    // Wheel up shows earlier rows.
    const int rows = -steps * kWheelRows;
    if (DialogControl* owner = OpenPopupOwner()) {
        owner->OnWheel(*this, rows);
        return;
    }
    DialogControl* control = ControlAt(wheel.mouseX, wheel.mouseY);
    if (control != nullptr && control->enabled) {
        control->OnWheel(*this, rows);
    }
}

void Dialog::DrawBackdrop() const {
    if (outer != nullptr) {
        outer->DrawBackdrop();
        outer->Draw(false);
        return;
    }
    SDL_RenderSetClipRect(host.Renderer(), nullptr);
    if (host.DrawBackdrop()) {
        SDL_RenderSetClipRect(host.Renderer(), nullptr);
    } else {
        const SDL_Color color = DialogColors::kWorkspace;
        SDL_SetRenderDrawColor(host.Renderer(), color.r, color.g, color.b, color.a);
        SDL_RenderClear(host.Renderer());
    }
    const SDL_Point size = WindowSize(host.Renderer());
    FillRectBlended(host.Renderer(), {0, 0, size.x, size.y}, DialogColors::kDim);
}

void Dialog::DrawScene() const {
    DrawBackdrop();
    Draw(true);
}

void Dialog::Draw(bool active) const {
    using namespace DialogColors;
    const SDL_Rect shadow = {frame.x + kShadowOffset, frame.y + kShadowOffset, frame.w, frame.h};
    FillRectBlended(host.Renderer(), shadow, kShadow);
    FillRect(host.Renderer(), frame, kFace);
    DrawFrame(host.Renderer(), frame, kFrame);

    const SDL_Rect bar = CaptionRect();
    FillRect(host.Renderer(), bar, active ? kCaption : kCaptionInactive);
    const SDL_Rect closeBox = CloseBoxRect();
    if (active && (closeBoxHovered || closeBoxPressed)) {
        FillRect(host.Renderer(), closeBox, kCloseHover);
    }
    DrawTextInRect(host.Renderer(), font, kCloseGlyph, closeBox, TextAlign::Center, true,
                   kCaptionText);
    const SDL_Rect captionText = {bar.x + kCaptionTextInset, bar.y,
                                  closeBox.x - bar.x - 2 * kCaptionTextInset, bar.h};
    DrawTextInRect(host.Renderer(), font, ElideText(font, caption, captionText.w), captionText,
                   TextAlign::Left, true, kCaptionText);

    DialogPaint paint;
    paint.renderer = host.Renderer();
    paint.font = font;
    paint.units = units;
    paint.dialogActive = active;
    paint.ticks = SDL_GetTicks();
    for (const auto& control : controls) {
        paint.focused = control.get() == focus && active;
        paint.hovered = control.get() == hovered && active && control->enabled;
        control->Draw(paint);
    }
    if (const DialogControl* owner = OpenPopupOwner()) {
        paint.focused = true;
        paint.hovered = false;
        owner->DrawPopup(paint);
    }
}
