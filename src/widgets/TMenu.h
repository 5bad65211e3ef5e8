// TMenu: buttons a screen draws and polls as one; TAdvancedMenu adds a background picture.
#pragma once

#include "widgets/TButton.h"
#include "widgets/TImageSource.h"
#include "widgets/TObject.h"

#include <list>
#include <memory>

namespace vsm {

class TMenu;
class TAdvancedMenu;
using MenuPtr = std::shared_ptr<TMenu>;
using AdvancedMenuPtr = std::shared_ptr<TAdvancedMenu>;

// A list of buttons drawn at one alpha and polled in the order added.
class TMenu : public TObject {
  public:
    std::list<ButtonPtr> items;
    // Kept for the screens; the menu never reads or changes it.
    int SelectedItem = 0;
    // 0: State returns 0 without polling the buttons.
    int enable = 1;
    // 0: Draw draws nothing and State returns 0.
    int visible = 1;

    // Appends the button; two buttons may share an id. Returns 0.
    virtual int AddItem(const ButtonPtr& button);
    // Returns the first button with the id; null when there is none.
    virtual ButtonPtr GetItem(int id);
    // Unless hidden: sets the alpha once, draws every button in order, then sets the alpha to 1.
    // Returns 0.
    virtual int Draw(float alpha);
    // Returns the first non-zero State of the buttons in order (the later ones are not polled
    // this frame); 0 when none reports or when the menu is hidden or disabled.
    virtual int State();
};

// A menu drawn over a background picture at its rectangle's corner.
class TAdvancedMenu : public TMenu {
  public:
    ImagePtr image;
    DimPtr dim;

    // Unless hidden: the picture (before the menu's alpha is set), then the buttons as TMenu does.
    int Draw(float alpha) override;
};

// Returns a new advanced menu with the picture loaded from the source.
AdvancedMenuPtr CreateAdvancedMenu(const TImageSource& source, const DimPtr& dim);

} // namespace vsm
