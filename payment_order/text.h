// The texts of the neutral view. A `Text` is a view of characters that live
// as long as the view does: a literal, the source the view was read from, or
// the view's own `TextStore`. Orders are then copied and moved as cheaply as
// their views, and a run allocates text in a few large blocks, not per text.
//
//   TextStore store;
//   order.debtor_agent_instruction = store.Keep("WEISUNGSSCHLUESSEL " + codes);
//   order.creditor_agent.clearing_system = "DEBLZ";
//   order.creditor.name = Text::Kept(stored_name);  // lives as long as the view
#ifndef XKDTAZV_PAYMENT_ORDER_TEXT_H_
#define XKDTAZV_PAYMENT_ORDER_TEXT_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xkdtazv::payment {

class Text : public std::string_view {
 public:
  // Empty, but never a null pointer: texts are copied with memcpy.
  constexpr Text() noexcept : std::string_view("", 0) {}
  // A literal lives as long as the program.
  template <std::size_t N>
  constexpr Text(const char (&literal)[N]) noexcept : std::string_view(literal, N - 1) {}
  // Characters that outlive the view: the caller vouches for that.
  static constexpr Text Kept(std::string_view kept) noexcept {
    return kept.data() == nullptr ? Text() : Text(kept);
  }
  // A string's characters go with the string: keep them in a TextStore.
  Text(const std::string&) = delete;
  Text(std::string&&) = delete;

  // Narrows the view to a part of itself.
  constexpr Text Part(std::size_t from, std::size_t count = npos) const {
    return Text(substr(from, count));
  }

 private:
  constexpr explicit Text(std::string_view kept) noexcept : std::string_view(kept) {}
};

// Messages quote texts: a Text joins strings as a std::string does.
inline std::string operator+(std::string lhs, Text rhs) { return lhs.append(rhs); }
inline std::string operator+(const char* lhs, Text rhs) { return std::string(lhs).append(rhs); }
inline std::string operator+(Text lhs, const char* rhs) { return std::string(lhs).append(rhs); }
inline std::string operator+(Text lhs, const std::string& rhs) {
  return std::string(lhs).append(rhs);
}

// Keeps copies of texts for as long as it lives, in blocks that never move.
// Moving the store keeps its texts where they are.
class TextStore {
 public:
  TextStore() = default;
  TextStore(TextStore&&) noexcept = default;
  TextStore& operator=(TextStore&&) noexcept = default;

  Text Keep(std::string_view text);

 private:
  static constexpr std::size_t kBlockSize = 64 * 1024;

  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // in the open block
  std::size_t left_ = 0;
};

}  // namespace xkdtazv::payment

#endif  // XKDTAZV_PAYMENT_ORDER_TEXT_H_
