#include "resources/resource_parser.h"

#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/quoted_text.h"
#include "resources/resource_lexer.h"

namespace standin {

namespace {

constexpr int32_t kMaxColumns = 1000;

struct GadgetWord {
  std::string_view word;
  ElementKind kind;
  bool needs_id;
};

constexpr GadgetWord kGadgetWords[] = {
    {"CHECKBOX", ElementKind::kCheckbox, true}, {"POPUP", ElementKind::kPopup, true},
    {"COMBOBOX", ElementKind::kPopup, true},    {"EDITTEXT", ElementKind::kEdit, true},
    {"COLORFIELD", ElementKind::kColor, true},  {"BUTTON", ElementKind::kButton, true},
    {"USERAREA", ElementKind::kUserArea, true}, {"STATICTEXT", ElementKind::kText, false},
};

const GadgetWord* FindGadgetWord(std::string_view word) {
  for (const GadgetWord& entry : kGadgetWords) {
    if (entry.word == word) return &entry;
  }
  return nullptr;
}

// Reads tokens and reports the first error; every Expect... returns
// std::nullopt (or false) once an error is recorded.
class Parser {
 public:
  Parser(std::string_view text, ParseError& error) : lexer_(text), error_(error) { Advance(); }

  const Token& token() const { return token_; }
  bool failed() const { return failed_; }

  void Advance() {
    token_ = lexer_.Next();
    if (token_.kind == TokenKind::kError) Fail(token_.line, token_.text);
  }

  bool Fail(int32_t line, std::string message) {
    if (!failed_) {
      failed_ = true;
      error_.line = line;
      error_.message = std::move(message);
    }
    return false;
  }
  bool Fail(std::string message) { return Fail(token_.line, std::move(message)); }

  bool IsWord(std::string_view word) const { return token_.kind == TokenKind::kWord && token_.text == word; }

  bool Expect(TokenKind kind, std::string_view what) {
    if (failed_) return false;
    if (token_.kind != kind) return Fail("expected " + std::string(what) + ", found " + Describe(token_));
    Advance();
    return !failed_;
  }

  std::optional<std::string> ExpectWord(std::string_view what) {
    if (failed_) return std::nullopt;
    if (token_.kind != TokenKind::kWord) {
      Fail("expected " + std::string(what) + ", found " + Describe(token_));
      return std::nullopt;
    }
    std::string word = token_.text;
    Advance();
    return word;
  }

  std::optional<int32_t> ExpectInteger(std::string_view what, int64_t min, int64_t max) {
    if (failed_) return std::nullopt;
    if (token_.kind != TokenKind::kInteger) {
      Fail("expected " + std::string(what) + ", found " + Describe(token_));
      return std::nullopt;
    }
    if (token_.value < min || token_.value > max) {
      Fail(std::string(what) + " " + std::to_string(token_.value) + " is outside " + std::to_string(min) +
           " to " + std::to_string(max));
      return std::nullopt;
    }
    auto value = static_cast<int32_t>(token_.value);
    Advance();
    return value;
  }

 private:
  ResourceLexer lexer_;
  ParseError& error_;
  Token token_;
  bool failed_ = false;
};

constexpr int64_t kMaxId = 2147483647;

// Parses the descriptions of one file.
class DescriptionParser {
 public:
  DescriptionParser(std::string_view text, std::map<int32_t, DialogDescription>& out, ParseError& error)
      : p_(text, error), out_(out) {}

  bool Run() {
    while (!p_.failed() && p_.token().kind != TokenKind::kEndOfFile) {
      if (!p_.IsWord("DIALOG")) return p_.Fail("expected DIALOG, found " + Describe(p_.token()));
      ParseDialog();
    }
    return !p_.failed();
  }

 private:
  void ParseDialog() {
    int32_t line = p_.token().line;
    p_.Advance();
    std::optional<int32_t> id = p_.ExpectInteger("dialog id", 1, kMaxId);
    if (!id || !p_.Expect(TokenKind::kOpen, "\"{\"")) return;
    auto [it, added] = out_.try_emplace(*id);
    if (!added) {
      p_.Fail(line, "dialog " + std::to_string(*id) + " is described twice (first on line " +
                        std::to_string(it->second.line) + ")");
      return;
    }
    dialog_ = &it->second;
    dialog_->id = *id;
    dialog_->line = line;
    ids_.clear();
    shaped_.clear();
    // The open groups, innermost last; -1 stands for the dialog itself.
    std::vector<int32_t> open{-1};
    while (!p_.failed() && !open.empty()) {
      const Token& token = p_.token();
      if (token.kind == TokenKind::kClose) {
        open.pop_back();
        p_.Advance();
      } else if (token.kind != TokenKind::kWord) {
        p_.Fail("expected a gadget, a group or \"}\", found " + Describe(token));
      } else if (token.text == "TITLE") {
        ParseTitle(open.back());
      } else if (token.text == "COLUMNS" || token.text == "ROWS") {
        ParseGroupShape(open.back());
      } else if (token.text == "GROUP") {
        if (std::optional<int32_t> group = ParseGroupHead(open.back())) open.push_back(*group);
      } else {
        ParseGadget(open.back());
      }
    }
  }

  void ParseTitle(int32_t group) {
    p_.Advance();
    std::optional<std::string> key = p_.ExpectWord("a string key after TITLE");
    if (!key || !p_.Expect(TokenKind::kSemicolon, "\";\"")) return;
    (group < 0 ? dialog_->title_key : dialog_->elements[group].caption_key) = *key;
  }

  void ParseGroupShape(int32_t group) {
    std::string word = p_.token().text;
    int32_t line = p_.token().line;
    if (group < 0) {
      p_.Fail(word + " belongs in a GROUP, not directly in a DIALOG");
      return;
    }
    p_.Advance();
    std::optional<int32_t> count = p_.ExpectInteger("count after " + word, 1, kMaxColumns);
    if (!count || !p_.Expect(TokenKind::kSemicolon, "\";\"")) return;
    LayoutElement& element = dialog_->elements[group];
    if (word == "COLUMNS") {
      element.columns = *count;
    } else {
      element.rows = *count;
      element.columns = 0;
    }
    if (shaped_[group]++ > 0) p_.Fail(line, "a group takes one COLUMNS or ROWS");
  }

  // Reads `GROUP [id] {` and returns the new group's index.
  std::optional<int32_t> ParseGroupHead(int32_t parent) {
    LayoutElement element;
    element.kind = ElementKind::kGroup;
    element.parent = parent;
    element.line = p_.token().line;
    p_.Advance();
    if (p_.token().kind == TokenKind::kInteger && !ReadId(element)) return std::nullopt;
    if (!p_.Expect(TokenKind::kOpen, "\"{\" after GROUP")) return std::nullopt;
    dialog_->elements.push_back(std::move(element));
    return static_cast<int32_t>(dialog_->elements.size() - 1);
  }

  void ParseGadget(int32_t parent) {
    const GadgetWord* word = FindGadgetWord(p_.token().text);
    if (word == nullptr) {
      p_.Fail("unknown gadget kind " + QuoteForMessage(p_.token().text));
      return;
    }
    LayoutElement element;
    element.kind = word->kind;
    element.parent = parent;
    element.line = p_.token().line;
    p_.Advance();
    if (p_.token().kind == TokenKind::kInteger) {
      if (!ReadId(element)) return;
    } else if (word->needs_id) {
      p_.Fail(std::string(word->word) + " needs an id");
      return;
    }
    if (p_.token().kind == TokenKind::kSemicolon) {
      p_.Advance();
    } else if (p_.Expect(TokenKind::kOpen, "\";\" or \"{\" after " + std::string(word->word))) {
      ParseGadgetProperties(element, word->word);
    }
    if (p_.failed()) return;
    if (element.kind == ElementKind::kUserArea && element.width == 0) {
      p_.Fail(element.line, "USERAREA " + std::to_string(element.id) + " needs a SIZE");
      return;
    }
    dialog_->elements.push_back(std::move(element));
  }

  void ParseGadgetProperties(LayoutElement& element, std::string_view kind) {
    while (!p_.failed() && p_.token().kind != TokenKind::kClose) {
      if (p_.IsWord("NAME")) {
        p_.Advance();
        std::optional<std::string> key = p_.ExpectWord("a string key after NAME");
        if (key) element.caption_key = *key;
      } else if (p_.IsWord("SIZE") && element.kind == ElementKind::kUserArea) {
        p_.Advance();
        std::optional<int32_t> width = p_.ExpectInteger("width", 1, kMaxUserAreaSide);
        std::optional<int32_t> height = p_.ExpectInteger("height", 1, kMaxUserAreaSide);
        if (width && height) {
          element.width = *width;
          element.height = *height;
        }
      } else if (p_.token().kind == TokenKind::kWord) {
        p_.Fail("unknown property " + ShowInMessage(p_.token().text) + " of " + std::string(kind));
        return;
      } else {
        p_.Fail("expected a property or \"}\", found " + Describe(p_.token()));
        return;
      }
      p_.Expect(TokenKind::kSemicolon, "\";\"");
    }
    p_.Expect(TokenKind::kClose, "\"}\"");
  }

  bool ReadId(LayoutElement& element) {
    std::optional<int32_t> id = p_.ExpectInteger("gadget id", 1, kMaxId);
    if (!id) return false;
    auto [it, added] = ids_.emplace(*id, element.line);
    if (!added) {
      return p_.Fail(element.line, "gadget id " + std::to_string(*id) + " is used twice in dialog " +
                                       std::to_string(dialog_->id) + " (first on line " +
                                       std::to_string(it->second) + ")");
    }
    element.id = *id;
    return true;
  }

  Parser p_;
  std::map<int32_t, DialogDescription>& out_;
  DialogDescription* dialog_ = nullptr;
  std::unordered_map<int32_t, int32_t> ids_;     // gadget id -> line, in the current dialog
  std::unordered_map<int32_t, int32_t> shaped_;  // group index -> COLUMNS/ROWS seen
};

}  // namespace

bool ParseDialogDescriptions(std::string_view text, std::map<int32_t, DialogDescription>& out,
                             ParseError& error) {
  return DescriptionParser(text, out, error).Run();
}

bool ParseStringTable(std::string_view text, StringTable& out, ParseError& error) {
  Parser p(text, error);
  std::unordered_map<std::string, int32_t> lines;
  while (!p.failed() && p.token().kind != TokenKind::kEndOfFile) {
    if (!p.IsWord("STRINGTABLE")) return p.Fail("expected STRINGTABLE, found " + Describe(p.token()));
    p.Advance();
    if (!p.Expect(TokenKind::kOpen, "\"{\" after STRINGTABLE")) break;
    while (!p.failed() && p.token().kind != TokenKind::kClose) {
      int32_t line = p.token().line;
      std::optional<std::string> key = p.ExpectWord("a string key or \"}\"");
      if (!key) break;
      if (p.token().kind != TokenKind::kText) {
        p.Fail("expected a quoted text after " + ShowInMessage(*key) + ", found " + Describe(p.token()));
        break;
      }
      std::string text_value = p.token().text;
      p.Advance();
      if (!p.Expect(TokenKind::kSemicolon, "\";\"")) break;
      auto [it, added] = lines.emplace(*key, line);
      if (!added) {
        return p.Fail(
            line, "string " + *key + " is defined twice (first on line " + std::to_string(it->second) + ")");
      }
      out.Add(std::move(*key), std::move(text_value));
    }
    p.Expect(TokenKind::kClose, "\"}\"");
  }
  return !p.failed();
}

}  // namespace standin
