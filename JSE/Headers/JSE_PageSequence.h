// The ordered list of the page collection's page and layout records: what a
// vector offers by position (reading, inserting, erasing, changing a
// record), each in time that grows with the logarithm of the list's length
// rather than with the length, and searches for the first record at or after
// a position that shares pages with a range, is of a kind or begins after a
// page, which skip every stretch of the list that cannot hold one. So a
// change to a long list costs what it touches, wherever in the list it is.
//
// Records are kept in a balanced tree by position; each stretch knows the
// first and last pages and the kinds of its records. A record may be marked
// (the page collection marks the records it has placed out of its sort
// order); marked records are found without walking the list.
//
// Record needs the members startPage, endPage (long) and pageType (int).
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

template <class Record>
class PageSequence {
public:
    PageSequence() = default;
    PageSequence(const PageSequence&) = delete;
    PageSequence& operator=(const PageSequence&) = delete;
    ~PageSequence() { Free(m_root); }

    long size() const { return Count(m_root); }
    bool empty() const { return m_root == nullptr; }
    // i must be a position of the list.
    const Record& operator[](long i) const { return NodeAt(i)->record; }

    void insert(long i, Record record) {
        Node* node = new Node{std::move(record), nullptr, nullptr, NextPriority()};
        Pull(node);
        auto [left, right] = Split(m_root, i);
        m_root = Merge(Merge(left, node), right);
    }
    void push_back(Record record) { insert(size(), std::move(record)); }
    void erase(long i) {
        auto [left, rest] = Split(m_root, i);
        auto [middle, right] = Split(rest, 1);
        Free(middle);
        m_root = Merge(left, right);
    }
    void clear() {
        Free(m_root);
        m_root = nullptr;
    }
    // Changes record i through change(Record&); the list learns its new pages
    // and kind.
    template <class Change>
    void edit(long i, const Change& change) {
        Edit(m_root, i, change, -1);
    }

    bool marked(long i) const { return NodeAt(i)->marked; }
    void setMarked(long i, bool marked) {
        Edit(m_root, i, [](Record&) {}, marked ? 1 : 0);
    }
    long markedCount() const { return m_root ? m_root->marks : 0; }
    // The first unmarked position at or after from, and the last one before
    // `before`; -1 when there is none.
    long nextUnmarked(long from) const {
        return Find(
            m_root, 0, from, [](const Node& n) { return n.marks < n.count; }, [](const Node& n) { return !n.marked; });
    }
    long previousUnmarked(long before) const { return FindLast(m_root, 0, before); }
    // The positions of the marked records, in order.
    std::vector<long> markedPositions() const {
        std::vector<long> found;
        Visit(
            m_root, 0, 0, size(), [](const Node& n) { return n.marks > 0; }, [](const Node& n) { return n.marked; },
            [&](long i, const Record&) { found.push_back(i); });
        return found;
    }

    // The first position at or after from whose record shares a page with
    // start..end and satisfies match; -1 when there is none.
    template <class Match>
    long findOverlapping(long from, long start, long end, Match match) const {
        return Find(m_root, 0, from, Overlap{start, end}, [&](const Node& n) {
            return Shares(n.record, start, end) && match(n.record);
        });
    }
    // Every position before `before` whose record shares a page with
    // start..end and satisfies match, in order.
    template <class Match>
    std::vector<long> allOverlapping(long start, long end, Match match,
                                     long before = std::numeric_limits<long>::max()) const {
        std::vector<long> found;
        Visit(
            m_root, 0, 0, before, Overlap{start, end},
            [&](const Node& n) { return Shares(n.record, start, end) && match(n.record); },
            [&](long i, const Record&) { found.push_back(i); });
        return found;
    }
    // The first position at or after from whose record is of the kind and
    // satisfies match; -1 when there is none.
    template <class Match>
    long findOfKind(long from, int kind, Match match) const {
        const std::uint64_t bit = KindBit(kind);
        return Find(
            m_root, 0, from, [bit](const Node& n) { return (n.kinds & bit) != 0; },
            [&](const Node& n) { return n.record.pageType == kind && match(n.record); });
    }
    // The first position at or after from whose record begins after page;
    // -1 when there is none.
    long findStartingAfter(long from, long page) const {
        return Find(
            m_root, 0, from, [page](const Node& n) { return n.maxStart > page; },
            [page](const Node& n) { return n.record.startPage > page; });
    }

    // The records in order.
    std::vector<Record> records() const {
        std::vector<Record> out;
        out.reserve(static_cast<std::size_t>(size()));
        Visit(
            m_root, 0, 0, size(), [](const Node&) { return true; }, [](const Node&) { return true; },
            [&](long, const Record& r) { out.push_back(r); });
        return out;
    }

private:
    struct Node {
        Record record;
        Node* left = nullptr;
        Node* right = nullptr;
        std::uint64_t priority = 0;
        bool marked = false;
        // The stretch this node heads.
        long count = 1;
        long marks = 0;
        long minStart = 0, maxStart = 0, maxEnd = 0;
        std::uint64_t kinds = 0;
    };

    struct Overlap {
        long start, end;
        bool operator()(const Node& n) const { return n.minStart <= end && n.maxEnd >= start; }
    };

    static bool Shares(const Record& r, long start, long end) { return r.startPage <= end && start <= r.endPage; }
    static std::uint64_t KindBit(int kind) { return std::uint64_t{1} << (static_cast<unsigned>(kind) % 64u); }
    static long Count(const Node* n) { return n ? n->count : 0; }

    static void Pull(Node* n) {
        n->count = 1 + Count(n->left) + Count(n->right);
        n->marks = (n->marked ? 1 : 0) + (n->left ? n->left->marks : 0) + (n->right ? n->right->marks : 0);
        n->minStart = n->maxStart = n->record.startPage;
        n->maxEnd = n->record.endPage;
        n->kinds = KindBit(n->record.pageType);
        for (const Node* child : {n->left, n->right}) {
            if (!child) continue;
            n->minStart = std::min(n->minStart, child->minStart);
            n->maxStart = std::max(n->maxStart, child->maxStart);
            n->maxEnd = std::max(n->maxEnd, child->maxEnd);
            n->kinds |= child->kinds;
        }
    }

    std::uint64_t NextPriority() {
        // xorshift64: the tree's shape need not be unpredictable, only even.
        m_seed ^= m_seed << 13;
        m_seed ^= m_seed >> 7;
        m_seed ^= m_seed << 17;
        return m_seed;
    }

    static void Free(Node* n) {
        if (!n) return;
        Free(n->left);
        Free(n->right);
        delete n;
    }

    // The first i records, and the rest.
    static std::pair<Node*, Node*> Split(Node* n, long i) {
        if (!n) return {nullptr, nullptr};
        if (Count(n->left) >= i) {
            auto [left, right] = Split(n->left, i);
            n->left = right;
            Pull(n);
            return {left, n};
        }
        auto [left, right] = Split(n->right, i - Count(n->left) - 1);
        n->right = left;
        Pull(n);
        return {n, right};
    }

    static Node* Merge(Node* a, Node* b) {
        if (!a) return b;
        if (!b) return a;
        if (a->priority > b->priority) {
            a->right = Merge(a->right, b);
            Pull(a);
            return a;
        }
        b->left = Merge(a, b->left);
        Pull(b);
        return b;
    }

    const Node* NodeAt(long i) const {
        const Node* n = m_root;
        while (n) {
            const long left = Count(n->left);
            if (i < left) {
                n = n->left;
            } else if (i == left) {
                return n;
            } else {
                i -= left + 1;
                n = n->right;
            }
        }
        return nullptr;
    }

    // Changes record i of the stretch n, and marks it (mark 1), unmarks it
    // (0) or leaves its mark (-1).
    template <class Change>
    static void Edit(Node* n, long i, const Change& change, int mark) {
        const long left = Count(n->left);
        if (i < left) {
            Edit(n->left, i, change, mark);
        } else if (i > left) {
            Edit(n->right, i - left - 1, change, mark);
        } else {
            change(n->record);
            if (mark >= 0) n->marked = mark == 1;
        }
        Pull(n);
    }

    // The first position at or after from, in the stretch n beginning at
    // offset, whose node matches; mayHold(stretch) false skips a stretch.
    template <class MayHold, class Match>
    static long Find(const Node* n, long offset, long from, const MayHold& mayHold, const Match& match) {
        if (!n || offset + n->count <= from || !mayHold(*n)) return -1;
        const long here = offset + Count(n->left);
        if (const long found = Find(n->left, offset, from, mayHold, match); found >= 0) return found;
        if (here >= from && match(*n)) return here;
        return Find(n->right, here + 1, from, mayHold, match);
    }

    // The last unmarked position before `before` in the stretch n beginning
    // at offset; -1 when there is none.
    static long FindLast(const Node* n, long offset, long before) {
        if (!n || offset >= before || n->marks == n->count) return -1;
        const long here = offset + Count(n->left);
        if (const long found = FindLast(n->right, here + 1, before); found >= 0) return found;
        if (here < before && !n->marked) return here;
        return FindLast(n->left, offset, before);
    }

    template <class MayHold, class Match, class Out>
    static void Visit(const Node* n, long offset, long from, long before, const MayHold& mayHold, const Match& match,
                      const Out& out) {
        if (!n || offset + n->count <= from || offset >= before || !mayHold(*n)) return;
        const long here = offset + Count(n->left);
        Visit(n->left, offset, from, before, mayHold, match, out);
        if (here >= from && here < before && match(*n)) out(here, n->record);
        Visit(n->right, here + 1, from, before, mayHold, match, out);
    }

    Node* m_root = nullptr;
    std::uint64_t m_seed = 0x9E3779B97F4A7C15ull;
};
