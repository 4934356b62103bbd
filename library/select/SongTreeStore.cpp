#include "library/select/SongTreeStore.h"

namespace sorv {

SongTreeStore::SongTreeStore() : nodes_(1) {}

int SongTreeStore::addNode(int parent, const QString& key, const QString& text, int image,
                           bool bold) {
  const int index = static_cast<int>(nodes_.size());
  if (keys_.contains(key)) throw DuplicateKey(key);
  keys_.insert(key, index);
  Node node;
  node.key = key;
  node.text = text;
  node.parent = parent;
  node.row = static_cast<int32_t>(nodes_[parent].children.size());
  node.image = static_cast<uint8_t>(image);
  node.bold = bold;
  nodes_[parent].children.push_back(index);
  nodes_.push_back(std::move(node));
  return index;
}

QColor SongTreeStore::colour(int index) const {
  switch (nodes_[index].colour) {
    case Colour::Grey:
      return kGreyNode;
    case Colour::Blue:
      return kBlueNode;
    case Colour::Black:
      return kBlackNode;
    case Colour::Plain:
      break;
  }
  return {};
}

}  // namespace sorv
