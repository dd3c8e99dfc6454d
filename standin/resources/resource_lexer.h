// Splits the text of a resource file or string table into tokens: words,
// integers, quoted texts and the marks `{`, `}` and `;`. Comments run from
// `//` to the end of the line or between `/*` and `*/`.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace standin {

enum class TokenKind { kWord, kInteger, kText, kOpen, kClose, kSemicolon, kEndOfFile, kError };

struct Token {
  TokenKind kind = TokenKind::kEndOfFile;
  std::string text;   // a word, the decoded text, or the error message
  int64_t value = 0;  // an integer's value
  int32_t line = 1;
};

// How a token is named in error messages ("word FOO", "\"{\"", "end of file").
std::string Describe(const Token& token);

class ResourceLexer {
 public:
  explicit ResourceLexer(std::string_view input) : input_(input) {}
  // The next token; after the end of the input or an error it keeps
  // returning that same kind of token.
  Token Next();

 private:
  void SkipSpaceAndComments();
  Token Error(std::string message) const;
  // Records the error that every later call returns too.
  Token Fail(std::string message);
  Token ReadText();
  Token ReadInteger();

  std::string_view input_;
  std::size_t at_ = 0;
  int32_t line_ = 1;
  bool failed_ = false;
  std::string failure_;
};

}  // namespace standin
