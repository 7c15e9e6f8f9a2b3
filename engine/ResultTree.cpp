#include "engine/ResultTree.h"

int MemoryResultTree::NodeCount() const {
    int count = 0;
    for (const Node& n : roots) count += 1 + static_cast<int>(n.children.size());
    return count;
}

int MemoryResultTree::AddRoot(const std::string& text) {
    roots.push_back({text, {}});
    return static_cast<int>(roots.size()) - 1;
}

void MemoryResultTree::AddChild(int root, const std::string& text) {
    if (root >= 0 && root < static_cast<int>(roots.size())) roots[root].children.push_back(text);
}
