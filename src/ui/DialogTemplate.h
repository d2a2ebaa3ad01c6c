#pragma once
// Dialogs laid out from a fixed table of controls, like a dialog template:
// each row gives the control's id, kind, caption, rectangle in dialog units
// and whether it starts enabled. The tables are the single place where a
// dialog's layout is written down.

#include "ui/Dialog.h"

#include <span>

enum class TemplateControl {
    Static,
    StaticRight,
    Edit,
    CentredEdit,
    PushButton,
    DefaultPushButton,
    // Check boxes and radio buttons that look like buttons staying pressed.
    PushCheckBox,
    PushRadio,
    DropDownList,
};

struct DialogTemplateItem {
    int id;
    TemplateControl kind;
    const char* caption;
    SDL_Rect units;
    bool startsEnabled = true;
};

// Adds the controls in table order, which is also their Tab order. A radio
// button that follows a control of another kind starts a new group.
void BuildFromTemplate(Dialog& dialog, std::span<const DialogTemplateItem> items);
