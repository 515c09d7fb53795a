// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of a list, all kept in one buffer: a list of a hundred thousand lines is one block of
// text and one table of where each line starts, not a hundred thousand separate strings.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna::text {

class Lines {
public:
    Lines() = default;
    Lines(std::initializer_list<std::string_view> lines);
    explicit Lines(const std::vector<std::string>& lines);
    Lines(const Lines& other);
    Lines& operator=(const Lines& other);
    Lines(Lines&&) noexcept = default;
    Lines& operator=(Lines&&) noexcept = default;
    ~Lines() = default;

    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    std::string_view operator[](std::size_t i) const { return lines_[i]; }

    void push_back(std::string_view line);
    // Adds every line of `other` after these, in its order.
    void append(const Lines& other);
    // Puts the line after every line that does not come after it in list order.
    void insertSorted(std::string_view line);
    // List order (see compareList); lines that compare equal keep their order.
    void sort();
    // Empties the list and keeps its room for the next fill.
    void clear();
    std::vector<std::string> strings() const;

    class const_iterator {
    public:
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        const_iterator() = default;
        const_iterator(const Lines* lines, std::size_t i) : lines_(lines), i_(i) {}
        std::string_view operator*() const { return (*lines_)[i_]; }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        const_iterator operator++(int) {
            auto old = *this;
            ++i_;
            return old;
        }
        bool operator==(const const_iterator& o) const { return i_ == o.i_; }

    private:
        const Lines* lines_ = nullptr;
        std::size_t i_ = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, lines_.size()}; }

private:
    // The text lives in blocks that never move once made, so each line is a view into them;
    // clear() keeps the blocks for the next fill.
    struct Free {
        void operator()(char* p) const;
    };
    struct Block {
        std::unique_ptr<char[], Free> bytes;
        std::size_t size = 0;
    };
    char* room(std::size_t n);
    std::vector<Block> blocks_;
    std::size_t block_ = 0; // the block being filled
    std::size_t used_ = 0;  // bytes of it in use
    std::vector<std::string_view> lines_;
};

} // namespace quaderna::text
