#include <algorithm>
#include <limits>
#include <unordered_map>

#include "common/box_helpers.h"
#include "road/quad_tree.h"
#include "road/way_overlap.h"

namespace {
using WayList = std::vector<std::uint32_t>;

constexpr std::uint8_t kStays = 1u << 4;

// What the split reads of a way, prepared once for the many cells it is routed through.
struct Routing {
    WayReach reach;
    // minHalf, or NaN for an inert way, which never stays.
    float stayHalf;

    explicit Routing(const WayRecord& way)
        : reach(way), stayHalf(way.IsInert() ? std::numeric_limits<float>::quiet_NaN() : way.minHalf) {}
    // Ways at least this wide across stay at a node whose cell is t / 2 wide.
    bool StaysAt(float t) const { return stayHalf >= t; }
};

Box3 ChildCell(const Box3& cell, const Point3& h, int index) {
    const float x = static_cast<float>(index & 1), y = static_cast<float>(index >> 1);
    return Box3(cell.pmin + Point3(h.x * x, h.y * y, 0.0f), cell.pmin + Point3(h.x * (x + 1.0f), h.y * (y + 1.0f), 0.0f));
}

std::uint64_t HashOf(const WayList& list) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ list.size();
    for (const std::uint32_t i : list) h = (h ^ i) * 0x100000001B3ull;
    return h;
}
}  // namespace

class QuadTree::Builder {
public:
    Builder(QuadTree& tree, std::int32_t count)
        : tree_(tree),
          // The limit also keeps every index within 32 bits.
          limit_(std::min<std::size_t>(kTreeSizePerWay * static_cast<std::size_t>(count) + kTreeSizeBase,
                                       std::numeric_limits<std::uint32_t>::max())) {
        routing_.reserve(static_cast<std::size_t>(count));
        for (std::int32_t i = 0; i < count; ++i) routing_.emplace_back(tree.ways_[i]);
    }

    void Build(std::uint32_t index, const Box3& cell, WayList list, std::int32_t depth) {
        tree_.cells_[index] = cell;
        tree_.nodes_[index].centre = Box3Center(cell);
        const std::int32_t n = static_cast<std::int32_t>(list.size());
        if (n <= 5 * depth || depth >= QuadNode::kMaxDepth) {
            Keep(index, list);
            return;
        }
        const Point3 h = Box3Size(cell) * 0.5f;
        Box3 cells[4];
        for (int k = 0; k < 4; ++k) cells[k] = ChildCell(cell, h, k);
        WayList lists[5];
        Split(list, cells, 4.0f * h.x, lists);
        WayList().swap(list);
        Keep(index, lists[4]);
        WayList().swap(lists[4]);

        Reserve(4);
        const std::uint32_t first = static_cast<std::uint32_t>(tree_.nodes_.size());
        tree_.nodes_.resize(first + 4);
        tree_.cells_.resize(first + 4);
        tree_.nodes_[index].child = first;
        for (int k = 0; k < 4; ++k) Build(first + static_cast<std::uint32_t>(k), cells[k], std::move(lists[k]), depth + 1);
    }

private:
    // Routes the list, in order, to the four children's lists and to the list that stays
    // (index 4), each allocated once at its final size.
    void Split(const WayList& list, const Box3 (&cells)[4], float t, WayList (&out)[5]) const {
        std::vector<std::uint8_t> route(list.size());
        std::size_t sizes[5] = {0, 0, 0, 0, 0};
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Routing& way = routing_[list[i]];
            std::uint8_t r = 0;
            if (way.StaysAt(t)) {
                r = kStays;
            } else {
                for (int k = 0; k < 4; ++k)
                    if (WayOverlapsBox(way.reach, cells[k])) r |= static_cast<std::uint8_t>(1u << k);
            }
            route[i] = r;
            for (int k = 0; k < 5; ++k) sizes[k] += (r >> k) & 1u;
        }
        for (int k = 0; k < 5; ++k) out[k].reserve(sizes[k]);
        for (std::size_t i = 0; i < list.size(); ++i)
            for (int k = 0; k < 5; ++k)
                if ((route[i] >> k) & 1u) out[k].push_back(list[i]);
    }

    void Reserve(std::size_t more) const {
        if (more > limit_ - tree_.nodes_.size() - tree_.pool_.size()) throw LaneTreeTooLarge();
    }

    // Points the node at a run of the pool equal to the list, appending one when none is.
    void Keep(std::uint32_t index, const WayList& list) {
        QuadNode& node = tree_.nodes_[index];
        node.count = static_cast<std::int32_t>(list.size());
        node.items = 0;
        if (list.empty()) return;
        std::vector<std::uint32_t>& pool = tree_.pool_;
        const std::uint64_t key = HashOf(list);
        const auto found = runs_.find(key);
        if (found != runs_.end() && found->second.second == list.size() &&
            std::equal(list.begin(), list.end(), pool.begin() + found->second.first)) {
            node.items = found->second.first;
            return;
        }
        Reserve(list.size());
        node.items = static_cast<std::uint32_t>(pool.size());
        pool.insert(pool.end(), list.begin(), list.end());
        if (found == runs_.end()) runs_.emplace(key, std::make_pair(node.items, list.size()));
    }

    QuadTree& tree_;
    const std::size_t limit_;
    std::vector<Routing> routing_;
    // Hash of a list to the pool run (start, length) first stored with that hash.
    std::unordered_map<std::uint64_t, std::pair<std::uint32_t, std::size_t>> runs_;
};

void QuadTree::Build(const WayRecord* ways, std::int32_t count, const Box3& cell) {
    Free();
    ways_ = ways;
    count = ways ? std::max(count, 0) : 0;
    footprints_.resize(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const Matrix3& m = ways[i].inverse;
        footprints_[static_cast<std::size_t>(i)] = {{m[0].x, m[1].x, m[2].x}, {m[0].y, m[1].y, m[2].y}, m[3].x,
                                                    m[3].y, ways[i].halfX, ways[i].halfY};
    }
    WayList all(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) all[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(i);
    nodes_.resize(1);
    cells_.resize(1);
    Builder builder(*this, count);
    builder.Build(0, cell, std::move(all), 0);
    nodes_.shrink_to_fit();
    cells_.shrink_to_fit();
    pool_.shrink_to_fit();
}

void QuadTree::Free() {
    ways_ = nullptr;
    std::vector<QuadNode>().swap(nodes_);
    std::vector<Box3>().swap(cells_);
    std::vector<std::uint32_t>().swap(pool_);
    std::vector<Footprint>().swap(footprints_);
}
