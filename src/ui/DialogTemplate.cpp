#include "ui/DialogTemplate.h"

void BuildFromTemplate(Dialog& dialog, std::span<const DialogTemplateItem> items) {
    TemplateControl previous = TemplateControl::Static;
    for (const DialogTemplateItem& item : items) {
        switch (item.kind) {
        case TemplateControl::Static:
            dialog.AddStatic(item.id, item.caption, item.units);
            break;
        case TemplateControl::StaticRight:
            dialog.AddStatic(item.id, item.caption, item.units, TextAlign::Right);
            break;
        case TemplateControl::Edit:
            dialog.AddEdit(item.id, item.units);
            break;
        case TemplateControl::CentredEdit:
            dialog.AddEdit(item.id, item.units).SetCentred(true);
            break;
        case TemplateControl::PushButton:
            dialog.AddButton(item.id, item.caption, item.units);
            break;
        case TemplateControl::DefaultPushButton:
            dialog.AddButton(item.id, item.caption, item.units, ButtonKind::DefaultPush);
            break;
        case TemplateControl::PushCheckBox:
            dialog.AddButton(item.id, item.caption, item.units, ButtonKind::CheckBox);
            break;
        case TemplateControl::PushRadio: {
            DialogButton& radio =
                dialog.AddButton(item.id, item.caption, item.units, ButtonKind::Radio);
            if (previous != TemplateControl::PushRadio) {
                radio.StartGroup();
            }
            break;
        }
        case TemplateControl::DropDownList:
            dialog.AddDropDown(item.id, item.units);
            break;
        }
        if (!item.startsEnabled) {
            dialog.Enable(item.id, false);
        }
        previous = item.kind;
    }
}
