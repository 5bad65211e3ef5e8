// TMenu: drawing and polling a group of buttons.
#include "widgets/TMenu.h"

namespace vsm {

int TMenu::AddItem(const ButtonPtr& button) {
    items.push_back(button);
    return 0;
}

ButtonPtr TMenu::GetItem(int id) {
    for (const ButtonPtr& button : items)
        if (button && button->id == id) return button;
    return nullptr;
}

int TMenu::Draw(float alpha) {
    if (!visible) return 0;
    SetAlpha(alpha);
    // A copy of the list: a button's drawing may not disturb the walk.
    const std::list<ButtonPtr> buttons = items;
    for (const ButtonPtr& button : buttons)
        if (button) button->Draw();
    SetAlpha(1);
    return 0;
}

int TMenu::State() {
    if (!visible || !enable) return 0;
    const std::list<ButtonPtr> buttons = items;
    for (const ButtonPtr& button : buttons) {
        if (!button) continue;
        if (int id = button->State()) return id;
    }
    return 0;
}

int TAdvancedMenu::Draw(float alpha) {
    if (!visible) return 0;
    if (dim) DrawImage(image, dim->Left(), dim->Top(), 0);
    return TMenu::Draw(alpha);
}

AdvancedMenuPtr CreateAdvancedMenu(const TImageSource& source, const DimPtr& dim) {
    auto menu = std::make_shared<TAdvancedMenu>();
    menu->image = source.LoadAsImage();
    menu->dim = dim;
    return menu;
}

} // namespace vsm
