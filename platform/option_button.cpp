#include "platform/option_button.h"

#include <algorithm>

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

std::vector<OptionButton*> optionGroup(const OptionButton& option) {
    if (option.container() == nullptr) {
        return {const_cast<OptionButton*>(&option)};
    }
    std::vector<OptionButton*> group;
    for (Control* sibling : option.container()->children()) {
        if (sibling->kind() == ControlKind::OptionButton && sibling->name() == option.name()) {
            group.push_back(static_cast<OptionButton*>(sibling));
        }
    }
    std::sort(group.begin(), group.end(),
              [](const OptionButton* a, const OptionButton* b) { return a->index() < b->index(); });
    return group;
}

OptionButton& optionAfter(const OptionButton& from, int step) {
    const std::vector<OptionButton*> group = optionGroup(from);
    const auto here =
        static_cast<int>(std::find(group.begin(), group.end(), &from) - group.begin());
    const int count = static_cast<int>(group.size());
    return *group[static_cast<size_t>(((here + step) % count + count) % count)];
}

} // namespace shoutotsu
