// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/Lines.h"

#include "core/text/Text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/mman.h>

namespace quaderna::text {

namespace {

// A list's first block is small, for the many short lists. The blocks after it are 2 MiB, aligned
// to 2 MiB: where the system offers large pages, such a block takes one page fault instead of five
// hundred when it is first filled.
constexpr std::size_t kFirstBlock = std::size_t{64} << 10;
constexpr std::size_t kBlock = std::size_t{2} << 20;

char* newBlock(std::size_t size, bool large) {
    void* p = large ? std::aligned_alloc(kBlock, size) : std::malloc(size);
    if (!p)
        throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    if (large)
        ::madvise(p, size, MADV_HUGEPAGE);
#endif
    return static_cast<char*>(p);
}

inline unsigned char fold(char c) {
    return static_cast<unsigned char>(upperAZ(c));
}

} // namespace

void Lines::Free::operator()(char* p) const {
    std::free(p);
}

Lines::Lines(std::initializer_list<std::string_view> lines) {
    lines_.reserve(lines.size());
    for (std::string_view l : lines)
        push_back(l);
}

Lines::Lines(const std::vector<std::string>& lines) {
    lines_.reserve(lines.size());
    for (const std::string& l : lines)
        push_back(l);
}

Lines::Lines(const Lines& other) {
    lines_.reserve(other.size());
    for (std::string_view l : other.lines_)
        push_back(l);
}

Lines& Lines::operator=(const Lines& other) {
    if (this != &other) {
        Lines copy(other);
        *this = std::move(copy);
    }
    return *this;
}

char* Lines::room(std::size_t n) {
    if (block_ < blocks_.size() && blocks_[block_].size - used_ >= n) {
        char* at = blocks_[block_].bytes.get() + used_;
        used_ += n;
        return at;
    }
    // The next block, made (or made larger) when there is none that holds n bytes.
    if (block_ < blocks_.size() && used_ > 0)
        ++block_;
    if (block_ == blocks_.size())
        blocks_.emplace_back();
    Block& b = blocks_[block_];
    if (b.size < n) {
        const bool large = block_ > 0 || n > kFirstBlock;
        b.size = large ? (n + kBlock - 1) / kBlock * kBlock : kFirstBlock;
        b.bytes.reset(newBlock(b.size, large));
    }
    used_ = n;
    return b.bytes.get();
}

void Lines::push_back(std::string_view line) {
    if (line.empty()) {
        lines_.emplace_back();
        return;
    }
    char* at = room(line.size());
    std::memcpy(at, line.data(), line.size());
    lines_.emplace_back(at, line.size());
}

void Lines::append(const Lines& other) {
    lines_.reserve(lines_.size() + other.size());
    for (std::string_view l : other.lines_)
        push_back(l);
}

void Lines::insertSorted(std::string_view line) {
    const auto at = std::upper_bound(lines_.begin(), lines_.end(), line, listLess);
    const auto k = at - lines_.begin();
    push_back(line);
    std::rotate(lines_.begin() + k, lines_.end() - 1, lines_.end());
}

void Lines::clear() {
    lines_.clear();
    block_ = 0;
    used_ = 0;
}

std::vector<std::string> Lines::strings() const {
    return {lines_.begin(), lines_.end()};
}

namespace {

struct Entry {
    std::uint64_t head; // eight key bytes from some depth on, big-endian, zero past the line's end
    std::uint32_t index;
};

std::uint64_t headAt(std::string_view line, std::size_t depth) {
    if (depth + 8 > line.size()) {
        std::uint64_t head = 0;
        for (std::size_t k = depth; k < depth + 8; ++k)
            head = (head << 8) | (k < line.size() ? fold(line[k]) : 0u);
        return head;
    }
    // Eight bytes folded at once: a byte below 0x80 whose low seven bits lie in a..z loses 0x20.
    constexpr std::uint64_t ones = 0x0101010101010101u, highs = 0x8080808080808080u;
    std::uint64_t word;
    std::memcpy(&word, line.data() + depth, 8);
    const std::uint64_t low = word & ~highs;
    const std::uint64_t atLeastA = (low + ones * (0x80 - 'a')) & highs;
    const std::uint64_t pastZ = (low + ones * (0x80 - 'z' - 1)) & highs;
    word -= (atLeastA & ~pastZ & ~word & highs) >> 2;
    if constexpr (std::endian::native == std::endian::little)
        word = __builtin_bswap64(word);
    return word;
}

// Orders entries by head, entries with equal heads keeping their order: a radix sort on the
// head's eight bytes from the last, skipping the bytes in which every entry is alike. `b` is room
// for as many entries; gives where the ordered entries are, `a` or `b`.
Entry* radixByHead(Entry* a, Entry* b, std::size_t n) {
    std::array<std::array<std::uint32_t, 256>, 8> counts{};
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t d = 0; d < 8; ++d)
            ++counts[d][(a[i].head >> (8 * d)) & 0xFF];
    Entry* from = a;
    Entry* to = b;
    for (std::size_t d = 0; d < 8; ++d) {
        auto& count = counts[d];
        if (count[(a[0].head >> (8 * d)) & 0xFF] == n)
            continue; // every entry has the same byte here
        std::uint32_t sum = 0;
        for (auto& c : count) {
            const std::uint32_t here = c;
            c = sum;
            sum += here;
        }
        for (const Entry* e = from; e != from + n; ++e)
            to[count[(e->head >> (8 * d)) & 0xFF]++] = *e;
        std::swap(from, to);
    }
    return from;
}

// From this many entries on a run is sorted by radix; below, by comparison. (A users' list has
// runs of a few dozen lines for each name, alike up to the card number.)
constexpr std::size_t kRadixRun = 24;

// Orders a run of entries whose keys are equal before `depth`, by the next eight bytes and then,
// where those are equal too, by the eight after them. A line that ended is padded with zeros, so
// once every line of a run has ended they are equal but for their lengths: the shorter first. The
// run comes in line order, which the radix sort keeps for equal heads; `room` is scratch for as
// many entries.
void orderRun(const std::vector<std::string_view>& lines, Entry* first, Entry* last, Entry* room,
              std::size_t depth) {
    // The eight-byte steps in which every line of the run goes on alike are skipped at once, each
    // line compared word by word with the first (as they stand, then folded where they differ).
    {
        const std::string_view lead = lines[first->index];
        std::size_t alike = lead.size() >= depth ? (lead.size() - depth) / 8 : 0;
        for (const Entry* e = first + 1; e != last && alike > 0; ++e) {
            const std::string_view line = lines[e->index];
            const std::size_t words = line.size() >= depth ? (line.size() - depth) / 8 : 0;
            alike = std::min(alike, words);
            for (std::size_t k = 0; k < alike; ++k) {
                const std::size_t at = depth + 8 * k;
                if (std::memcmp(lead.data() + at, line.data() + at, 8) != 0 &&
                    headAt(lead, at) != headAt(line, at)) {
                    alike = k;
                    break;
                }
            }
        }
        depth += 8 * alike;
    }
    for (;; depth += 8) {
        bool ended = true, same = true;
        for (Entry* e = first; e != last; ++e) {
            ended = ended && lines[e->index].size() <= depth;
            e->head = headAt(lines[e->index], depth);
            same = same && e->head == first->head;
        }
        if (ended) {
            std::sort(first, last, [&](const Entry& x, const Entry& y) {
                const std::size_t sx = lines[x.index].size(), sy = lines[y.index].size();
                return sx != sy ? sx < sy : x.index < y.index;
            });
            return;
        }
        if (!same)
            break; // (a run that is alike here too goes straight on to the next eight bytes)
    }
    const auto n = static_cast<std::size_t>(last - first);
    if (n >= kRadixRun) {
        if (const Entry* sorted = radixByHead(first, room, n); sorted != first)
            std::copy(sorted, sorted + n, first);
    } else {
        std::sort(first, last, [](const Entry& x, const Entry& y) {
            return x.head != y.head ? x.head < y.head : x.index < y.index;
        });
    }
    for (Entry* i = first; i != last;) {
        Entry* j = i + 1;
        while (j != last && j->head == i->head)
            ++j;
        if (j - i > 1)
            orderRun(lines, i, j, room + (i - first), depth + 8);
        i = j;
    }
}

// How many key bytes two lines have alike from `depth` on, before either ends.
std::size_t commonFrom(std::string_view x, std::string_view y, std::size_t depth) {
    const std::size_t limit = std::min(x.size(), y.size());
    std::size_t k = depth;
    while (k < limit && fold(x[k]) == fold(y[k]))
        ++k;
    return k > depth ? k - depth : 0;
}

// Puts the lines into list order: gives the entries, in `a` or `b` (room for as many entries as
// lines), each with the index of the line that goes there.
const Entry* orderEntries(const std::vector<std::string_view>& lines, Entry* a, Entry* b) {
    // Lines are compared on their keys (a-z taken as A-Z). What every line shares at its start is
    // skipped; the next eight key bytes, as one number, are sorted by radix, which keeps equal
    // numbers in line order. Only runs of lines whose numbers are equal go on to the next eight.
    const std::size_t n = lines.size();

    // The first sixteen key bytes of every line, as two numbers (the second kept for now in the
    // radix sort's room), read in one pass that also finds what all lines share at their start.
    const std::uint64_t lead0 = headAt(lines[0], 0), lead1 = headAt(lines[0], 8);
    std::size_t shared = lines[0].size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view l = lines[i];
        const std::uint64_t w0 = headAt(l, 0), w1 = headAt(l, 8);
        a[i] = {w0, static_cast<std::uint32_t>(i)};
        b[i].head = w1;
        if (shared > 0) {
            std::size_t same;
            if (w0 != lead0)
                same = static_cast<std::size_t>(std::countl_zero(w0 ^ lead0)) / 8;
            else if (w1 != lead1)
                same = 8 + static_cast<std::size_t>(std::countl_zero(w1 ^ lead1)) / 8;
            else
                same = 16 + commonFrom(lines[0], l, 16);
            shared = std::min({shared, same, l.size()});
        }
    }
    // The eight key bytes after what is shared, from the two numbers where they lie in them.
    if (shared > 0 && shared < 8) {
        const int bits = 8 * static_cast<int>(shared);
        for (std::size_t i = 0; i < n; ++i)
            a[i].head = (a[i].head << bits) | (b[i].head >> (64 - bits));
    } else if (shared == 8) {
        for (std::size_t i = 0; i < n; ++i)
            a[i].head = b[i].head;
    } else if (shared > 8) {
        for (std::size_t i = 0; i < n; ++i)
            a[i].head = headAt(lines[i], shared);
    }
    Entry* sorted = radixByHead(a, b, n);
    Entry* room = sorted == a ? b : a;
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        while (j < n && sorted[j].head == sorted[i].head)
            ++j;
        if (j - i > 1)
            orderRun(lines, sorted + i, sorted + j, room + i, shared + 8);
        i = j;
    }
    return sorted;
}

// A sort's working room, kept by each thread from one sort to the next: a long list is sorted
// again and again (each search), and memory taken afresh each time costs its page faults.
struct SortRoom {
    std::vector<Entry> a, b;
    std::vector<std::string_view> lines;
};
thread_local SortRoom sortRoom;

} // namespace

void Lines::sort() {
    const std::size_t n = lines_.size();
    if (n < 2)
        return;
    SortRoom& room = sortRoom;
    room.a.resize(n);
    room.b.resize(n);
    const Entry* sorted = orderEntries(lines_, room.a.data(), room.b.data());
    room.lines.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        room.lines[i] = lines_[sorted[i].index];
    lines_.swap(room.lines); // the list's former table stays as the room for the next sort
}

} // namespace quaderna::text
