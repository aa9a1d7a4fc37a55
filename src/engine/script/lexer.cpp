#include "engine/script/lexer.h"

#include "ascii/ascii.h"
#include "engine/script/number_literal.h"
#include "engine/script/script_error.h"

#include <array>
#include <utility>

namespace slopekit::script {
namespace {

constexpr std::array<std::pair<std::string_view, Tok>, 9> Keywords{{
    {"mod", Tok::Mod},
    {"not", Tok::Not},
    {"and", Tok::And},
    {"or", Tok::Or},
    {"xor", Tok::Xor},
    {"eqv", Tok::Eqv},
    {"imp", Tok::Imp},
    {"true", Tok::True},
    {"false", Tok::False},
}};

Tok keywordKind(std::string_view name)
{
    for (const auto& [word, kind] : Keywords)
        if (sameName(name, word))
            return kind;
    return Tok::Name;
}

}  // namespace

bool isKeyword(std::string_view name) { return keywordKind(name) != Tok::Name; }

Token Lexer::make(Tok kind, std::size_t start, std::size_t length)
{
    m_pos = start + length;
    return {kind, start, m_text.substr(start, length), {}};
}

void Lexer::skipBlanksAndComments()
{
    for (;;) {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\r'))
            ++m_pos;
        if (m_pos >= m_text.size() || m_text[m_pos] != '\'')
            return;
        while (m_pos < m_text.size() && m_text[m_pos] != '\n')
            ++m_pos;
    }
}

Token Lexer::next()
{
    skipBlanksAndComments();
    const std::size_t start = m_pos;
    if (start >= m_text.size())
        return {Tok::End, start, {}, {}};
    const char c = m_text[start];
    const char following = start + 1 < m_text.size() ? m_text[start + 1] : '\0';
    if (isDigit(c) || (c == '.' && isDigit(following)) || startsBasedLiteral(m_text, start))
        return numberToken(start);
    if (isLetter(c))
        return nameToken(start);
    if (c == '"')
        return stringToken(start);
    return symbolToken(start, c, following);
}

Token Lexer::numberToken(std::size_t start)
{
    const NumberLiteral lit = scanNumberLiteral(m_text, start);
    if (lit.error)
        throw SyntaxFault{lit.error, start};
    Token t = make(Tok::Number, start, lit.end - start);
    t.number = lit.value;
    return t;
}

Token Lexer::nameToken(std::size_t start)
{
    std::size_t end = start + 1;
    while (end < m_text.size() && isNameCharacter(m_text[end]))
        ++end;
    Token t = make(Tok::Name, start, end - start);
    t.kind = keywordKind(t.lexeme);
    return t;
}

Token Lexer::stringToken(std::size_t start)
{
    std::size_t end = start + 1;
    for (;;) {
        if (end >= m_text.size() || m_text[end] == '\n')
            throw SyntaxFault{errnum::UnterminatedString, start};
        if (m_text[end] == '"') {
            if (end + 1 < m_text.size() && m_text[end + 1] == '"') {
                end += 2;
                continue;
            }
            break;
        }
        ++end;
    }
    Token t = make(Tok::String, start, end + 1 - start);
    t.lexeme = m_text.substr(start + 1, end - start - 1);
    return t;
}

Token Lexer::symbolToken(std::size_t start, char c, char following)
{
    switch (c) {
    case '\n': return make(Tok::Newline, start, 1);
    case ':': return make(Tok::Colon, start, 1);
    case '.': return make(Tok::Dot, start, 1);
    case ',': return make(Tok::Comma, start, 1);
    case '(': return make(Tok::LParen, start, 1);
    case ')': return make(Tok::RParen, start, 1);
    case '+': return make(Tok::Plus, start, 1);
    case '-': return make(Tok::Minus, start, 1);
    case '*': return make(Tok::Star, start, 1);
    case '/': return make(Tok::Slash, start, 1);
    case '\\': return make(Tok::Backslash, start, 1);
    case '^': return make(Tok::Caret, start, 1);
    case '&': return make(Tok::Ampersand, start, 1);
    case '=': return make(Tok::Eq, start, 1);
    case '<':
        if (following == '>')
            return make(Tok::Ne, start, 2);
        if (following == '=')
            return make(Tok::Le, start, 2);
        return make(Tok::Lt, start, 1);
    case '>':
        if (following == '=')
            return make(Tok::Ge, start, 2);
        return make(Tok::Gt, start, 1);
    default: throw SyntaxFault{errnum::InvalidCharacter, start};
    }
}

}  // namespace slopekit::script
