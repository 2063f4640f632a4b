#include "payment_order/text.h"

#include <cstring>

namespace xkdtazv::payment {

Text TextStore::Keep(std::string_view text) {
  if (text.empty()) return {};
  char* place;
  if (text.size() > kBlockSize / 4) {
    // A long text gets a block of its own; the open block stays open.
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(text.size()));
    place = blocks_.back().get();
  } else {
    if (text.size() > left_) {
      blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
      free_ = blocks_.back().get();
      left_ = kBlockSize;
    }
    place = free_;
    free_ += text.size();
    left_ -= text.size();
  }
  std::memcpy(place, text.data(), text.size());
  return Text::Kept(std::string_view(place, text.size()));
}

}  // namespace xkdtazv::payment
