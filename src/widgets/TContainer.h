// TContainer: the registry of shared resources and widgets keyed by integer id, and the global
// `data` that the loading screen fills and the screens read.
#pragma once

#include "widgets/TDim.h"
#include "widgets/TObject.h"

#include <list>
#include <memory>

namespace vsm {

class TText;
class TFont;
class TMemo;
class TFrame;
class TSFX;
class TButton;

class TContainerItem;
using ContainerItemPtr = std::shared_ptr<TContainerItem>;

// One stored entry: an object under an id, with the rectangle where a plain image or pixmap is
// drawn (widgets draw in their own rectangle).
class TContainerItem : public TObject {
  public:
    int id = 0;
    DimPtr dim;
    TObjectRef obj;

    // Draws an image or pixmap at the rectangle's corner ((0, 0) without a rectangle), or calls
    // the Draw of a memo, frame, text or button; anything else is not drawn. Returns 0.
    virtual int Draw();
    // Polls a button and drops its result; anything else does nothing. Returns 0.
    virtual int State();
    // Plays a sound effect; anything else does nothing. Returns 0.
    virtual int Play();
    // Stops a sound effect; anything else does nothing. Returns 0.
    virtual int Stop();
};

// Returns a new item with those fields (note the order, unlike TContainer::Add).
ContainerItemPtr CreateContainerItem(int id, const TObjectRef& object, const DimPtr& dim);

// Objects stored by id in insertion order. Ids need not be unique: lookups take the first item
// with the id, by-id actions visit every such item in order. Every operation without another
// result returns 0.
class TContainer : public TObject {
  public:
    std::list<ContainerItemPtr> items;

    // Appends a new item at the end; no test for an id already present.
    virtual int Add(const TObjectRef& object, int id, const DimPtr& dim = nullptr);
    // Returns the first item with the id; null when there is none.
    virtual ContainerItemPtr Get(int id);
    // Returns the first item's object; a null reference when there is no item.
    virtual TObjectRef GetObject(int id);
    // The typed getters: the first item's object as the named type (subtypes pass); null when
    // there is no item or when that first item holds an object of another type.
    virtual ImagePtr GetImage(int id);
    virtual PixmapPtr GetPixmap(int id);
    virtual std::shared_ptr<TText> GetText(int id);
    virtual std::shared_ptr<TFont> GetFont(int id);
    virtual FontPtr GetTTFont(int id);
    virtual std::shared_ptr<TMemo> GetMemo(int id);
    virtual std::shared_ptr<TFrame> GetFrame(int id);
    virtual std::shared_ptr<TSFX> GetSFX(int id);
    // The stored object itself when it is a rectangle, not the item's rectangle.
    virtual DimPtr GetDim(int id);
    virtual std::shared_ptr<TButton> GetButton(int id);
    // Draws every item with the id, in insertion order.
    virtual int Draw(int id);
    // Polls every item with the id; always returns 0 whatever the buttons report.
    virtual int State(int id);
    // Plays every sound effect with the id.
    virtual int Play(int id);
    // Stops every sound effect with the id.
    virtual int Stop(int id);
    // Removes every item with the id.
    virtual int Remove(int id);
    // Returns the number of items.
    virtual int Count();
    // Removes all items.
    virtual int Clear();

  private:
    template <class Action> void ForEach(int id, Action action);
};

// The one shared container, empty at start-up; tests empty it with data.Clear().
extern TContainer data;

} // namespace vsm
