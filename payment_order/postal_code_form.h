// The postal code forms of the town line table, matched as a backtracking
// ECMAScript matcher with case folding matches them, but without building an
// automaton per country: the forms use only a handful of constructs.
//
//   const PostalCodeForm us(R"(\d{5}(?:-\d{4})?)");
//   us.MatchesExactly("12345-6789");   // true
//
// Understood: \d, [A-Z], classes of ranges, \d and letters such as [A-Z\d] or
// [\dW], literal characters, (?:...) groups, and the quantifiers ?, {n} and
// {n,m}, each greedy. Letters match in either case; a form outside this subset
// is a programming error and throws std::logic_error.
#ifndef XKDTAZV_PAYMENT_ORDER_POSTAL_CODE_FORM_H_
#define XKDTAZV_PAYMENT_ORDER_POSTAL_CODE_FORM_H_

#include <cstddef>
#include <string_view>
#include <vector>

namespace xkdtazv::payment {

class PostalCodeForm {
 public:
  explicit PostalCodeForm(std::string_view form);

  // The ends of the matches that begin at `pos`, in the order a backtracking
  // matcher tries them, each offered to `accept` until it takes one (returns
  // true). Returns whether one was taken.
  template <class Accept>
  bool MatchFrom(std::string_view text, std::size_t pos, Accept&& accept) const {
    return Match(0, nodes_.size(), text, pos, Continuation(accept));
  }
  bool MatchesExactly(std::string_view text) const {
    return MatchFrom(text, 0, [&text](std::size_t end) { return end == text.size(); });
  }

 private:
  // One atom with its repetition; a group is followed by its `children` nodes.
  struct Node {
    enum class Kind { kClass, kGroup } kind = Kind::kClass;
    bool digits = false;
    bool letters = false;
    char literal = '\0';  // a further character the class takes
    std::size_t children = 0;
    std::size_t min = 1;
    std::size_t max = 1;
  };

  // A reference to the caller's callable: the matcher recurses through it
  // without copying or allocating.
  class Continuation {
   public:
    template <class F>
    explicit Continuation(F& f)
        : object_(&f), call_([](void* o, std::size_t end) { return (*static_cast<F*>(o))(end); }) {}
    bool operator()(std::size_t end) const { return call_(object_, end); }

   private:
    void* object_;
    bool (*call_)(void*, std::size_t);
  };

  bool Match(std::size_t first, std::size_t last, std::string_view text, std::size_t pos,
             Continuation next) const;
  bool Repeat(std::size_t node, std::size_t last, std::size_t count, std::string_view text,
              std::size_t pos, Continuation next) const;
  static bool Takes(const Node& node, char c) noexcept;
  std::size_t Parse(std::string_view form, std::size_t pos, bool in_group);

  std::vector<Node> nodes_;
};

}  // namespace xkdtazv::payment

#endif  // XKDTAZV_PAYMENT_ORDER_POSTAL_CODE_FORM_H_
