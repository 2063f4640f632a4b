// The member names one JSON object has had so far, to find one given twice.
// An object of a batch has a few dozen members: they are looked through in a
// single buffer, without a node per name. Past kFew they move into a tree, so
// that no object, however large, makes the search quadratic.
//
//   NamesSeen seen;
//   if (!seen.Insert(name)) ...;  // given twice
#ifndef XKDTAZV_BATCH_NAMES_SEEN_H_
#define XKDTAZV_BATCH_NAMES_SEEN_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace xkdtazv::cli {

class NamesSeen {
 public:
  // False when `name` was seen before.
  bool Insert(std::string_view name) {
    if (in_tree_ || count_ == kFew || name.size() > UINT32_MAX) {
      MoveIntoTree();
      return tree_.emplace(name).second;
    }
    for (std::size_t at = 0; at < few_.size();) {
      const std::string_view seen = At(at);
      if (seen == name) return false;
      at += sizeof(std::uint32_t) + seen.size();
    }
    const auto length = static_cast<std::uint32_t>(name.size());
    few_.append(reinterpret_cast<const char*>(&length), sizeof length);
    few_.append(name);
    ++count_;
    return true;
  }

 private:
  static constexpr std::size_t kFew = 64;

  // Each name stands in few_ after its length.
  std::string_view At(std::size_t at) const noexcept {
    std::uint32_t length = 0;
    std::memcpy(&length, few_.data() + at, sizeof length);
    return std::string_view(few_).substr(at + sizeof length, length);
  }

  void MoveIntoTree() {
    if (in_tree_) return;
    for (std::size_t at = 0; at < few_.size();) {
      const std::string_view seen = At(at);
      tree_.emplace(seen);
      at += sizeof(std::uint32_t) + seen.size();
    }
    std::string().swap(few_);
    in_tree_ = true;
  }

  std::string few_;
  std::size_t count_ = 0;  // of the names in few_
  bool in_tree_ = false;
  std::set<std::string, std::less<>> tree_;
};

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_BATCH_NAMES_SEEN_H_
