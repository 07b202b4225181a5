#include "platform/option_button.h"

namespace shoutotsu {

void OptionButton::setValueFlag(bool value) {
    if (value == value_) {
        return;
    }
    value_ = value;
    notify(Property::Value);
}

void OptionButton::select() {
    if (container() != nullptr) {
        for (Control* sibling : container()->children()) {
            if (sibling == this || sibling->kind() != ControlKind::OptionButton ||
                sibling->name() != name()) {
                continue;
            }
            static_cast<OptionButton*>(sibling)->setValueFlag(false);
        }
    }
    setValueFlag(true);
}

} // namespace shoutotsu
