#pragma once

#include "engine/script/value.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace slopekit::script {

enum class Tok : std::uint8_t {
    End,
    Newline,
    Colon,
    Number,
    String,
    Name,
    Dot,
    Comma,
    LParen,
    RParen,
    Plus,
    Minus,
    Star,
    Slash,
    Backslash,
    Caret,
    Ampersand,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Mod,
    Not,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    True,
    False,
};

struct Token {
    Tok kind = Tok::End;
    std::size_t offset = 0;
    std::string_view lexeme;  // a name as written; a string's content with "" still doubled
    Value number;             // a Number token's value
};

// Splits a text into tokens on demand. Blanks, tabs and CR separate tokens; ' starts a
// comment to the end of the line. Throws SyntaxFault for an invalid character (1032),
// an unterminated string (1033) or a malformed number (1031).
class Lexer {
public:
    explicit Lexer(std::string_view text) : m_text(text) {}
    Token next();

private:
    void skipBlanksAndComments();
    // The token that starts at `start`, of each kind.
    Token numberToken(std::size_t start);
    Token nameToken(std::size_t start);
    Token stringToken(std::size_t start);
    Token symbolToken(std::size_t start, char c, char following);
    Token make(Tok kind, std::size_t start, std::size_t length);

    std::string_view m_text;
    std::size_t m_pos = 0;
};

// Whether a name (in any case) is one of the language's keywords.
bool isKeyword(std::string_view name);

}  // namespace slopekit::script
