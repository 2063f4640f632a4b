#include "payment_order/postal_code_form.h"

#include <stdexcept>
#include <string>

namespace xkdtazv::payment {
namespace {

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }
bool IsLetter(char c) noexcept { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char Folded(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

[[noreturn]] void Unsupported(std::string_view form, std::size_t pos) {
  throw std::logic_error("postal code form \"" + std::string(form) + "\" not understood at " +
                         std::to_string(pos));
}

}  // namespace

PostalCodeForm::PostalCodeForm(std::string_view form) {
  if (Parse(form, 0, false) != form.size()) Unsupported(form, 0);
}

std::size_t PostalCodeForm::Parse(std::string_view form, std::size_t pos, bool in_group) {
  while (pos < form.size()) {
    const char c = form[pos];
    if (c == ')') {
      if (!in_group) Unsupported(form, pos);
      return pos;
    }
    const std::size_t index = nodes_.size();
    nodes_.emplace_back();
    if (form.substr(pos, 2) == "\\d") {
      nodes_[index].digits = true;
      pos += 2;
    } else if (c == '[') {
      const std::size_t close = form.find(']', pos);
      if (close == std::string_view::npos) Unsupported(form, pos);
      std::string_view items = form.substr(pos + 1, close - pos - 1);
      while (!items.empty()) {
        if (items.substr(0, 3) == "A-Z") {
          nodes_[index].letters = true;
          items.remove_prefix(3);
        } else if (items.substr(0, 2) == "\\d") {
          nodes_[index].digits = true;
          items.remove_prefix(2);
        } else if (IsLetter(items.front()) && nodes_[index].literal == '\0') {
          nodes_[index].literal = Folded(items.front());
          items.remove_prefix(1);
        } else {
          Unsupported(form, pos);
        }
      }
      pos = close + 1;
    } else if (form.substr(pos, 3) == "(?:") {
      nodes_[index].kind = Node::Kind::kGroup;
      pos = Parse(form, pos + 3, true);
      if (pos >= form.size()) Unsupported(form, pos);
      ++pos;  // the group's ")"
      nodes_[index].children = nodes_.size() - index - 1;
    } else if (std::string_view("\\()[]{}?*+|^$.").find(c) == std::string_view::npos) {
      nodes_[index].literal = Folded(c);
      ++pos;
    } else {
      Unsupported(form, pos);
    }
    // The quantifier, if any.
    Node& node = nodes_[index];
    if (pos < form.size() && form[pos] == '?') {
      node.min = 0;
      ++pos;
    } else if (pos < form.size() && form[pos] == '{') {
      const std::size_t close = form.find('}', pos);
      if (close == std::string_view::npos) Unsupported(form, pos);
      const std::string bounds(form.substr(pos + 1, close - pos - 1));
      const std::size_t comma = bounds.find(',');
      node.min = std::stoul(bounds.substr(0, comma));
      node.max = comma == std::string::npos ? node.min : std::stoul(bounds.substr(comma + 1));
      if (node.max < node.min || node.max == 0) Unsupported(form, pos);
      pos = close + 1;
    }
  }
  if (in_group) Unsupported(form, pos);
  return pos;
}

bool PostalCodeForm::Takes(const Node& node, char c) noexcept {
  return (node.digits && IsDigit(c)) || (node.letters && IsLetter(c)) ||
         (node.literal != '\0' && Folded(c) == node.literal);
}

bool PostalCodeForm::Match(std::size_t first, std::size_t last, std::string_view text,
                           std::size_t pos, Continuation next) const {
  if (first == last) return next(pos);
  const Node& node = nodes_[first];
  if (node.kind == Node::Kind::kGroup) return Repeat(first, last, 0, text, pos, next);
  // Greedy: the longest run first, then one character less at a time.
  std::size_t run = 0;
  while (run < node.max && pos + run < text.size() && Takes(node, text[pos + run])) ++run;
  for (std::size_t count = run + 1; count-- > node.min;) {
    if (Match(first + 1, last, text, pos + count, next)) return true;
  }
  return false;
}

bool PostalCodeForm::Repeat(std::size_t group, std::size_t last, std::size_t count,
                            std::string_view text, std::size_t pos, Continuation next) const {
  const Node& node = nodes_[group];
  const std::size_t after = group + 1 + node.children;
  if (count < node.max) {
    auto again = [&](std::size_t end) {
      // A pass that took nothing would repeat forever: a matcher stops there.
      if (end == pos) return false;
      return Repeat(group, last, count + 1, text, end, next);
    };
    if (Match(group + 1, after, text, pos, Continuation(again))) return true;
  }
  return count >= node.min && Match(after, last, text, pos, next);
}

}  // namespace xkdtazv::payment
