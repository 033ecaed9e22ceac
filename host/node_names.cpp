#include <cwctype>
#include <set>
#include <string>

#include "host/interface.h"

namespace {
void CollectNames(INode* node, std::set<std::wstring>& names) {
    names.insert(node->GetName());
    for (int i = 0; i < node->NumberOfChildren(); ++i) CollectNames(node->GetChildNode(i), names);
}
}  // namespace

void Interface::MakeNameUnique(std::wstring& name) const {
    std::size_t end = name.size();
    while (end > 0 && std::iswdigit(name[end - 1])) --end;
    const std::wstring base = name.substr(0, end);
    std::set<std::wstring> names;
    CollectNames(root_.get(), names);
    for (unsigned long n = 1;; ++n) {
        std::wstring number = std::to_wstring(n);
        if (number.size() < 3) number.insert(0, 3 - number.size(), L'0');
        name = base + number;
        if (names.count(name) == 0) return;
    }
}
