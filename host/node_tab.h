// A list of scene nodes, as the host's node operations take and fill them.
#pragma once

#include <vector>

class INode;

class INodeTab {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    INode*& operator[](int i) { return items_[static_cast<std::size_t>(i)]; }
    // Appends num nodes from el; returns the index of the first.
    int Append(int num, INode** el) {
        const int first = Count();
        for (int i = 0; i < num; ++i) items_.push_back(el[i]);
        return first;
    }
    void ZeroCount() { items_.clear(); }

private:
    std::vector<INode*> items_;
};

// What a node clone shares with its original: a copy has its own object, an instance shares it.
enum CloneType { NODE_COPY, NODE_INSTANCE };
