// TList: the game's list of shared objects, walked safely while elements come and go.
#pragma once

#include <cstddef>
#include <iterator>
#include <list>
#include <memory>
#include <vector>

namespace vsm {

// A list of shared objects whose walk (ForEach) goes on correctly when the element being
// visited, or any other, is removed during the walk, and that also visits elements appended
// during the walk. Removals during a walk leave an empty slot that the walk skips and erases
// once it is over, so no iterator a walk holds ever dangles.
template <class T> class TList {
  public:
    using Ptr = std::shared_ptr<T>;

    TList() = default;
    TList(const TList& other) { Assign(other.Snapshot()); }
    TList(TList&& other) noexcept { *this = std::move(other); }
    TList& operator=(const TList& other) {
        if (this != &other) Assign(other.Snapshot());
        return *this;
    }
    TList& operator=(TList&& other) noexcept {
        if (this != &other) Assign(other.Snapshot());
        other.Clear();
        return *this;
    }

    // Appends the object; a null pointer is ignored.
    void AddLast(Ptr item) {
        if (item) items_.push_back(std::move(item));
    }
    // Puts the object at the front; a null pointer is ignored. A walk under way does not reach it.
    void AddFirst(Ptr item) {
        if (item) items_.push_front(std::move(item));
    }

    // Takes the first entry holding this object out of the list; false when it is not listed.
    bool Remove(const T* item) {
        if (!item) return false;
        if (walking_ > 0 && hasCurrent_ && current_->get() == item) {
            current_->reset();
            ++dead_;
            return true;
        }
        for (auto it = items_.begin(); it != items_.end(); ++it) {
            if (it->get() != item) continue;
            if (walking_ > 0) {
                it->reset();
                ++dead_;
            } else {
                items_.erase(it);
            }
            return true;
        }
        return false;
    }
    bool Remove(const Ptr& item) { return Remove(item.get()); }

    // Empties the list (also in the middle of a walk, which then visits only later additions).
    void Clear() {
        if (walking_ == 0) {
            items_.clear();
            dead_ = 0;
            return;
        }
        for (auto& p : items_) {
            if (p) {
                p.reset();
                ++dead_;
            }
        }
    }

    // Number of listed objects.
    size_t Count() const { return items_.size() - dead_; }
    bool IsEmpty() const { return Count() == 0; }
    bool Contains(const T* item) const {
        for (auto& p : items_)
            if (p && p.get() == item) return true;
        return false;
    }
    // First and last listed object; null when the list is empty.
    Ptr First() const {
        for (auto& p : items_)
            if (p) return p;
        return nullptr;
    }
    Ptr Last() const {
        for (auto it = items_.rbegin(); it != items_.rend(); ++it)
            if (*it) return *it;
        return nullptr;
    }
    // A copy of the listed objects, front to back.
    std::vector<Ptr> Snapshot() const {
        std::vector<Ptr> out;
        out.reserve(Count());
        for (auto& p : items_)
            if (p) out.push_back(p);
        return out;
    }

    // Calls fn(const Ptr&) for every object front to back, including objects appended during
    // the walk; an object removed before the walk reaches it is not visited. Walks may nest.
    template <class F> void ForEach(F&& fn) {
        WalkGuard guard(*this);
        for (auto it = items_.begin(); it != items_.end();) {
            if (!*it) {
                ++it;
                continue;
            }
            current_ = it;
            hasCurrent_ = true;
            Ptr keep = *it; // the object outlives its own removal during fn
            fn(keep);
            hasCurrent_ = false;
            if (!*it && walking_ == 1) {
                // Unlink at once: only the outermost walk holds an iterator to this node.
                it = items_.erase(it);
                --dead_;
            } else {
                ++it;
            }
        }
    }

    // Read-only iteration over the listed objects (empty slots skipped).
    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Ptr;
        using difference_type = std::ptrdiff_t;
        using pointer = const Ptr*;
        using reference = const Ptr&;
        using Base = typename std::list<Ptr>::const_iterator;
        const_iterator(Base it, Base end) : it_(it), end_(end) { Skip(); }
        reference operator*() const { return *it_; }
        pointer operator->() const { return &*it_; }
        const_iterator& operator++() {
            ++it_;
            Skip();
            return *this;
        }
        const_iterator operator++(int) {
            auto copy = *this;
            ++*this;
            return copy;
        }
        bool operator==(const const_iterator& o) const { return it_ == o.it_; }
        bool operator!=(const const_iterator& o) const { return it_ != o.it_; }

      private:
        void Skip() {
            while (it_ != end_ && !*it_)
                ++it_;
        }
        Base it_, end_;
    };
    const_iterator begin() const { return const_iterator(items_.begin(), items_.end()); }
    const_iterator end() const { return const_iterator(items_.end(), items_.end()); }

  private:
    struct WalkGuard {
        explicit WalkGuard(TList& l) : list(l), savedCurrent(l.current_), savedHas(l.hasCurrent_) {
            ++list.walking_;
        }
        ~WalkGuard() {
            --list.walking_;
            list.current_ = savedCurrent;
            list.hasCurrent_ = savedHas;
            if (list.walking_ == 0 && list.dead_ > 0) {
                list.items_.remove_if([](const Ptr& p) { return !p; });
                list.dead_ = 0;
            }
        }
        TList& list;
        typename std::list<Ptr>::iterator savedCurrent;
        bool savedHas;
    };

    void Assign(const std::vector<Ptr>& src) {
        Clear();
        for (auto& p : src)
            AddLast(p);
    }

    std::list<Ptr> items_;
    typename std::list<Ptr>::iterator current_{};
    bool hasCurrent_ = false;
    int walking_ = 0;
    size_t dead_ = 0;
};

} // namespace vsm
