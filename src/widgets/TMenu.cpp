// TMenu: drawing and polling a group of buttons.
#include "widgets/TMenu.h"

#include "widgets/ButtonPolling.h"

namespace vsm {

int TMenu::AddItem(const ButtonPtr& button) {
    items.push_back(button);
    return 0;
}

ButtonPtr TMenu::GetItem(int id) {
    return FindButton(items, id);
}

int TMenu::Draw(float alpha) {
    if (!visible) return 0;
    DrawButtons(items, alpha);
    return 0;
}

int TMenu::State() {
    if (!visible || !enable) return 0;
    return PollButtons(items);
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
