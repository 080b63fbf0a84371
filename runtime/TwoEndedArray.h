#pragma once
// A contiguous array, like std::vector, that also removes its first elements
// cheaply: elements live in one vector after a gap that removals near the
// front widen, so an erase shifts whichever side of it is shorter. Display
// lists use it for their children, which are often taken from the front.
//
//   rt::TwoEndedArray<int> a;
//   a.push_back(1); a.push_back(2);
//   a.erase(a.begin());  // no shift: the gap grows by one
//
// Iterators are pointers; any insertion or erasure invalidates them.

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace rt {

template <class T>
class TwoEndedArray {
public:
    using value_type = T;
    using size_type = std::size_t;
    using iterator = T*;
    using const_iterator = const T*;
    using reverse_iterator = std::reverse_iterator<iterator>;
    using const_reverse_iterator = std::reverse_iterator<const_iterator>;

    [[nodiscard]] size_type size() const { return items_.size() - head_; }
    [[nodiscard]] bool empty() const { return size() == 0; }
    T& operator[](size_type i) { return items_[head_ + i]; }
    const T& operator[](size_type i) const { return items_[head_ + i]; }
    T& front() { return items_[head_]; }
    const T& front() const { return items_[head_]; }
    T& back() { return items_.back(); }
    const T& back() const { return items_.back(); }
    iterator begin() { return items_.data() + head_; }
    iterator end() { return items_.data() + items_.size(); }
    const_iterator begin() const { return items_.data() + head_; }
    const_iterator end() const { return items_.data() + items_.size(); }
    reverse_iterator rbegin() { return reverse_iterator(end()); }
    reverse_iterator rend() { return reverse_iterator(begin()); }
    const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
    const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }

    void push_back(T value) {
        // Reuse the gap before the vector would grow: amortised constant time.
        if (head_ > 0 && items_.size() == items_.capacity()) closeGap();
        items_.push_back(std::move(value));
    }
    void pop_back() {
        items_.pop_back();
        if (empty()) clear();
    }
    void clear() {
        items_.clear();
        head_ = 0;
    }
    iterator erase(const_iterator position) {
        auto index = static_cast<size_type>(position - begin());
        if (index < size() / 2) {
            auto first = items_.begin() + static_cast<std::ptrdiff_t>(head_);
            auto at = first + static_cast<std::ptrdiff_t>(index);
            std::move_backward(first, at, at + 1);
            *first = T();
            ++head_;
        } else {
            items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(head_ + index));
        }
        if (empty()) clear();
        return begin() + index;
    }
    iterator insert(const_iterator position, T value) {
        auto index = static_cast<size_type>(position - begin());
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(head_ + index),
                      std::move(value));
        return begin() + index;
    }

    friend bool operator==(const TwoEndedArray& a, const TwoEndedArray& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend bool operator==(const TwoEndedArray& a, const std::vector<T>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    void closeGap() {
        items_.erase(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(head_));
        head_ = 0;
    }

    std::vector<T> items_;
    size_type head_ = 0;  // items_[0, head_) is the gap
};

}  // namespace rt
