// TContainer: storing, finding, drawing, polling and removing resources by id.
#include "widgets/TContainer.h"

#include "widgets/TButton.h"
#include "widgets/TFont.h"
#include "widgets/TFrame.h"
#include "widgets/TMemo.h"
#include "widgets/TSFX.h"
#include "widgets/TText.h"

#include <vector>

namespace vsm {

TContainer data;

int TContainerItem::Draw() {
    // Without a rectangle the picture goes to the screen's corner.
    const float left = dim ? dim->Left() : 0.0f;
    const float top = dim ? dim->Top() : 0.0f;
    if (ImagePtr image = obj.Image()) DrawImage(image, left, top, 0);
    if (PixmapPtr pixmap = obj.Pixmap()) DrawPixmap(pixmap, static_cast<int>(left), static_cast<int>(top));
    if (auto memo = obj.As<TMemo>()) memo->Draw();
    if (auto frame = obj.As<TFrame>()) frame->Draw();
    if (auto text = obj.As<TText>()) text->Draw();
    if (auto button = obj.As<TButton>()) button->Draw();
    return 0;
}

int TContainerItem::State() {
    if (auto button = obj.As<TButton>()) button->State();
    return 0;
}

int TContainerItem::Play() {
    if (auto sfx = obj.As<TSFX>()) sfx->Play();
    return 0;
}

int TContainerItem::Stop() {
    if (auto sfx = obj.As<TSFX>()) sfx->Stop();
    return 0;
}

ContainerItemPtr CreateContainerItem(int id, const TObjectRef& object, const DimPtr& dim) {
    auto item = std::make_shared<TContainerItem>();
    item->id = id;
    item->obj = object;
    item->dim = dim;
    return item;
}

int TContainer::Add(const TObjectRef& object, int id, const DimPtr& dim) {
    items.push_back(CreateContainerItem(id, object, dim));
    return 0;
}

ContainerItemPtr TContainer::Get(int id) {
    for (const ContainerItemPtr& item : items)
        if (item && item->id == id) return item;
    return nullptr;
}

TObjectRef TContainer::GetObject(int id) {
    ContainerItemPtr item = Get(id);
    return item ? item->obj : TObjectRef();
}

ImagePtr TContainer::GetImage(int id) {
    return GetObject(id).Image();
}
PixmapPtr TContainer::GetPixmap(int id) {
    return GetObject(id).Pixmap();
}
std::shared_ptr<TText> TContainer::GetText(int id) {
    return GetObject(id).As<TText>();
}
std::shared_ptr<TFont> TContainer::GetFont(int id) {
    return GetObject(id).As<TFont>();
}
FontPtr TContainer::GetTTFont(int id) {
    return GetObject(id).ImageFont();
}
std::shared_ptr<TMemo> TContainer::GetMemo(int id) {
    return GetObject(id).As<TMemo>();
}
std::shared_ptr<TFrame> TContainer::GetFrame(int id) {
    return GetObject(id).As<TFrame>();
}
std::shared_ptr<TSFX> TContainer::GetSFX(int id) {
    return GetObject(id).As<TSFX>();
}
DimPtr TContainer::GetDim(int id) {
    return GetObject(id).As<TDim>();
}
std::shared_ptr<TButton> TContainer::GetButton(int id) {
    return GetObject(id).As<TButton>();
}

// Visits the items that hold the id when the action starts, so an action that adds or removes
// items (a button hook, say) cannot disturb the walk.
template <class Action> void TContainer::ForEach(int id, Action action) {
    std::vector<ContainerItemPtr> matching;
    for (const ContainerItemPtr& item : items)
        if (item && item->id == id) matching.push_back(item);
    for (const ContainerItemPtr& item : matching)
        action(*item);
}

int TContainer::Draw(int id) {
    ForEach(id, [](TContainerItem& item) { item.Draw(); });
    return 0;
}

int TContainer::State(int id) {
    ForEach(id, [](TContainerItem& item) { item.State(); });
    return 0;
}

int TContainer::Play(int id) {
    ForEach(id, [](TContainerItem& item) { item.Play(); });
    return 0;
}

int TContainer::Stop(int id) {
    ForEach(id, [](TContainerItem& item) { item.Stop(); });
    return 0;
}

int TContainer::Remove(int id) {
    items.remove_if([id](const ContainerItemPtr& item) { return item && item->id == id; });
    return 0;
}

int TContainer::Count() {
    return static_cast<int>(items.size());
}

int TContainer::Clear() {
    items.clear();
    return 0;
}

} // namespace vsm
