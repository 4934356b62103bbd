#pragma once
// The song tree's nodes, kept apart from any widget so that a worker thread can build them: keys,
// texts, images, colours, bold groups and the ticks. Node 0 is the invisible root whose children
// are the genres; real nodes count from 1 in order of creation.
#include <QColor>
#include <QHash>
#include <QString>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace sorv {

inline const QColor kGreyNode(200, 200, 200);
inline const QColor kBlueNode(0, 0, 255);
inline const QColor kBlackNode(0, 0, 0);

// Adding a node whose key is already in the tree.
class DuplicateKey : public std::runtime_error {
 public:
  explicit DuplicateKey(const QString& key) : std::runtime_error(key.toStdString()) {}
};

class SongTreeStore {
 public:
  enum class Colour : uint8_t { Plain, Grey, Blue, Black };

  struct Node {
    QString key, text;
    int32_t parent = 0;
    int32_t row = 0;  // place among its siblings
    std::vector<int32_t> children;
    uint8_t image = 0;
    Colour colour = Colour::Plain;
    bool bold = false;
    bool ticked = false;
  };

  SongTreeStore();

  // Adds an unticked node as the last child of parent (0: a top-level node) and returns its
  // index. Throws DuplicateKey when the key exists.
  int addNode(int parent, const QString& key, const QString& text, int image, bool bold);
  int nodeCount() const { return static_cast<int>(nodes_.size()) - 1; }
  // Node 0..nodeCount(); 0 is the root.
  const Node& node(int index) const { return nodes_[index]; }
  // The node with that key, or 0.
  int findKey(const QString& key) const { return keys_.value(key, 0); }

  void setColour(int index, Colour colour) { nodes_[index].colour = colour; }
  // The colour to paint with; invalid for a plain node.
  QColor colour(int index) const;
  bool isGrey(int index) const { return nodes_[index].colour == Colour::Grey; }
  bool isLeaf(int index) const { return index != 0 && nodes_[index].children.empty(); }
  bool isTicked(int index) const { return nodes_[index].ticked; }
  void setTicked(int index, bool ticked) { nodes_[index].ticked = ticked; }

  // Nodes below index (not index itself) in display order: depth first, children in order.
  template <typename Visit>
  void forEachBelow(int index, Visit visit) const {
    std::vector<int32_t> pending(nodes_[index].children.rbegin(), nodes_[index].children.rend());
    while (!pending.empty()) {
      const int at = pending.back();
      pending.pop_back();
      visit(at);
      pending.insert(pending.end(), nodes_[at].children.rbegin(), nodes_[at].children.rend());
    }
  }

 private:
  std::vector<Node> nodes_;
  QHash<QString, int32_t> keys_;
};

}  // namespace sorv
