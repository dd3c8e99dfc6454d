#include "resources/resource_lexer.h"

#include "base/quoted_text.h"

namespace standin {

namespace {

bool IsWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordChar(char c) { return IsWordStart(c) || IsDigit(c); }

}  // namespace

std::string Describe(const Token& token) {
  switch (token.kind) {
    case TokenKind::kWord:
      return "word " + ShowInMessage(token.text);
    case TokenKind::kInteger:
      return "number " + std::to_string(token.value);
    case TokenKind::kText:
      return "text " + QuoteForMessage(token.text);
    case TokenKind::kOpen:
      return "\"{\"";
    case TokenKind::kClose:
      return "\"}\"";
    case TokenKind::kSemicolon:
      return "\";\"";
    case TokenKind::kEndOfFile:
      return "end of file";
    case TokenKind::kError:
      return token.text;
  }
  return token.text;
}

Token ResourceLexer::Fail(std::string message) {
  failed_ = true;
  failure_ = std::move(message);
  return Error(failure_);
}

Token ResourceLexer::Error(std::string message) const {
  Token token;
  token.kind = TokenKind::kError;
  token.text = std::move(message);
  token.line = line_;
  return token;
}

void ResourceLexer::SkipSpaceAndComments() {
  while (at_ < input_.size()) {
    char c = input_[at_];
    if (c == '\n') {
      ++line_;
      ++at_;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      ++at_;
    } else if (input_.substr(at_, 2) == "//") {
      while (at_ < input_.size() && input_[at_] != '\n') ++at_;
    } else if (input_.substr(at_, 2) == "/*") {
      int32_t start = line_;
      std::size_t end = input_.find("*/", at_ + 2);
      if (end == std::string_view::npos) {
        failed_ = true;
        failure_ = "comment opened on line " + std::to_string(start) + " is not closed";
        line_ = start;
        at_ = input_.size();
        return;
      }
      for (std::size_t i = at_; i < end; ++i) line_ += input_[i] == '\n' ? 1 : 0;
      at_ = end + 2;
    } else {
      return;
    }
  }
}

Token ResourceLexer::Next() {
  if (!failed_) SkipSpaceAndComments();
  if (failed_) return Error(failure_);
  Token token;
  token.line = line_;
  if (at_ >= input_.size()) return token;
  char c = input_[at_];
  if (c == '{' || c == '}' || c == ';') {
    ++at_;
    token.kind = c == '{' ? TokenKind::kOpen : c == '}' ? TokenKind::kClose : TokenKind::kSemicolon;
    return token;
  }
  if (c == '"') return ReadText();
  if (IsDigit(c) || c == '-') return ReadInteger();
  if (IsWordStart(c)) {
    std::size_t start = at_;
    while (at_ < input_.size() && IsWordChar(input_[at_])) ++at_;
    token.kind = TokenKind::kWord;
    token.text = std::string(input_.substr(start, at_ - start));
    return token;
  }
  unsigned code = static_cast<unsigned char>(c);
  if (code >= 0x20 && code < 0x7f) return Fail(std::string("unexpected character '") + c + "'");
  static const char kHex[] = "0123456789abcdef";
  return Fail(std::string("unexpected byte 0x") + kHex[code >> 4] + kHex[code & 15]);
}

Token ResourceLexer::ReadText() {
  Token token;
  token.kind = TokenKind::kText;
  token.line = line_;
  ++at_;  // the opening quote
  while (true) {
    if (at_ >= input_.size() || input_[at_] == '\n') return Fail("text is not closed on its line");
    char c = input_[at_++];
    if (c == '"') return token;
    if (c != '\\') {
      if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
        return Fail("control character in text");
      }
      token.text += c;
      continue;
    }
    char escaped = at_ < input_.size() ? input_[at_++] : '\0';
    switch (escaped) {
      case 'n':
        token.text += '\n';
        break;
      case 't':
        token.text += '\t';
        break;
      case '"':
      case '\\':
        token.text += escaped;
        break;
      default:
        return Fail("unknown escape in text (use \\n, \\t, \\\" or \\\\)");
    }
  }
}

Token ResourceLexer::ReadInteger() {
  Token token;
  token.kind = TokenKind::kInteger;
  token.line = line_;
  std::size_t start = at_;
  bool negative = input_[at_] == '-';
  if (negative) ++at_;
  if (at_ >= input_.size() || !IsDigit(input_[at_])) {
    return Fail("'-' must start a number");
  }
  // Every number of the format fits in 32 bits; longer ones are refused
  // before they could overflow.
  constexpr int64_t kTooLarge = int64_t{1} << 40;
  int64_t value = 0;
  while (at_ < input_.size() && IsDigit(input_[at_])) {
    if (value < kTooLarge) value = value * 10 + (input_[at_] - '0');
    ++at_;
  }
  if (at_ < input_.size() && IsWordChar(input_[at_])) {
    while (at_ < input_.size() && IsWordChar(input_[at_])) ++at_;
    return Fail("bad number " + QuoteForMessage(input_.substr(start, at_ - start)));
  }
  if (value >= kTooLarge) {
    return Fail("number " + std::string(input_.substr(start, at_ - start)) + " is too large");
  }
  token.value = negative ? -value : value;
  return token;
}

}  // namespace standin
