#include "app/node_names.h"

#include "host/interface.h"

NodesByName NameNodes(Interface* ip) {
    NodesByName byName;
    std::vector<INode*> pending{ip->GetRootNode()};
    while (!pending.empty()) {
        INode* node = pending.back();
        pending.pop_back();
        for (int i = 0; i < node->NumberOfChildren(); ++i) pending.push_back(node->GetChildNode(i));
        if (!node->IsRootNode()) byName[node->GetName()].push_back(node);
    }
    return byName;
}
