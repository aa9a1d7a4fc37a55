#include "engine/script/compiler.h"

#include "ascii/ascii.h"
#include "engine/script/builtins.h"
#include "engine/script/lexer.h"
#include "engine/script/numeric_code.h"
#include "engine/script/script_error.h"
#include "errors/run_error.h"

#include <algorithm>
#include <array>

namespace slopekit::script {
namespace {

// Binary operator levels, loosest first; Not and the unary signs sit between them.
enum Level {
    ImpLevel,
    EqvLevel,
    XorLevel,
    OrLevel,
    AndLevel,
    NotLevel,
    CompareLevel,
    ConcatLevel,
    AddLevel,
    ModLevel,
    IntDivLevel,
    MulLevel,
    PowLevel,
    UnaryLevel
};

struct BinaryOp {
    Tok token;
    Level level;
    Op op;
};

constexpr std::array<BinaryOp, 19> BinaryOps{{
    {Tok::Imp, ImpLevel, Op::Imp},
    {Tok::Eqv, EqvLevel, Op::Eqv},
    {Tok::Xor, XorLevel, Op::Xor},
    {Tok::Or, OrLevel, Op::Or},
    {Tok::And, AndLevel, Op::And},
    {Tok::Eq, CompareLevel, Op::Equal},
    {Tok::Ne, CompareLevel, Op::NotEqual},
    {Tok::Lt, CompareLevel, Op::Less},
    {Tok::Gt, CompareLevel, Op::Greater},
    {Tok::Le, CompareLevel, Op::LessEqual},
    {Tok::Ge, CompareLevel, Op::GreaterEqual},
    {Tok::Ampersand, ConcatLevel, Op::Concat},
    {Tok::Plus, AddLevel, Op::Add},
    {Tok::Minus, AddLevel, Op::Subtract},
    {Tok::Mod, ModLevel, Op::Modulo},
    {Tok::Backslash, IntDivLevel, Op::IntDivide},
    {Tok::Star, MulLevel, Op::Multiply},
    {Tok::Slash, MulLevel, Op::Divide},
    {Tok::Caret, PowLevel, Op::Power},
}};

const BinaryOp* binaryOp(Tok token, Level level)
{
    for (const BinaryOp& b : BinaryOps)
        if (b.token == token && b.level == level)
            return &b;
    return nullptr;
}

class Compiler {
public:
    Compiler(std::string_view text, Globals& globals, const MethodTable& methods)
        : m_lexer(text), m_globals(globals), m_methods(methods), m_program(std::make_shared<Program>())
    {
        m_program->source = std::string(text);
        if (text.size() > MaxTextLength)
            throw SyntaxFault{errnum::SyntaxError, MaxTextLength};
        advance();
    }

    std::shared_ptr<const Program> expressionProgram()
    {
        expression();
        if (m_token.kind != Tok::End)
            throw SyntaxFault{errnum::ExpectedEndOfStatement, m_token.offset};
        if (m_program->numeric)
            m_program->numericCode = numericCode(*m_program);
        return m_program;
    }

    std::shared_ptr<const Program> statementProgram()
    {
        for (;;) {
            while (m_token.kind == Tok::Colon || m_token.kind == Tok::Newline)
                advance();
            if (m_token.kind == Tok::End)
                return m_program;
            assignment();
            if (m_token.kind != Tok::Colon && m_token.kind != Tok::Newline && m_token.kind != Tok::End)
                throw SyntaxFault{errnum::ExpectedEndOfStatement, m_token.offset};
        }
    }

private:
    // Counts nesting (parentheses, arguments, prefix operators) so no text can exhaust the stack.
    class Nesting {
    public:
        Nesting(Compiler& c) : m_c(c)
        {
            if (++m_c.m_nesting > MaxDepth)
                throw SyntaxFault{errnum::SyntaxError, m_c.m_token.offset};
        }
        ~Nesting() { --m_c.m_nesting; }

    private:
        Compiler& m_c;
    };

    void advance() { m_token = m_lexer.next(); }

    void expect(Tok kind, int error)
    {
        if (m_token.kind != kind)
            throw SyntaxFault{error, m_token.offset};
        advance();
    }

    void emit(Instruction ins, int stackEffect)
    {
        m_program->code.push_back(ins);
        m_depth += stackEffect;
        m_program->maxStack = std::max(m_program->maxStack, static_cast<std::size_t>(std::max(m_depth, 0)));
    }

    void emitOp(Op op, std::size_t offset, int stackEffect)
    {
        if (op == Op::Concat)
            m_program->numeric = false;
        Instruction ins{op};
        ins.offset = static_cast<std::uint32_t>(offset);
        emit(ins, stackEffect);
    }

    void emitSlot(Op op, Slot& slot, std::size_t offset, int stackEffect)
    {
        if (slot.kind == SlotKind::Object)
            m_program->numeric = false;
        else if (op == Op::Load && (slot.kind == SlotKind::Variable || slot.kind == SlotKind::NumberField) &&
                 std::find(m_program->variables.begin(), m_program->variables.end(), &slot) ==
                     m_program->variables.end())
            m_program->variables.push_back(&slot);
        Instruction ins{op};
        ins.offset = static_cast<std::uint32_t>(offset);
        ins.slot = &slot;
        emit(ins, stackEffect);
    }

    void emitIndexed(Op op, std::uint32_t index, std::size_t offset, int stackEffect, int argc = 0)
    {
        Instruction ins{op};
        ins.offset = static_cast<std::uint32_t>(offset);
        ins.argc = static_cast<std::uint8_t>(std::min(argc, 255));
        ins.index = index;
        emit(ins, stackEffect);
    }

    void pushConstant(const Value& v, std::size_t offset)
    {
        m_program->constants.push_back(v);
        if (v.type == Type::String)
            m_program->numeric = false;
        emitIndexed(Op::Push, static_cast<std::uint32_t>(m_program->constants.size() - 1), offset, 1);
    }

    Slot& slotNamed(std::string_view name)
    {
        foldCase(name, m_key);
        return m_globals.obtain(m_key);
    }

    // statement := name [ "." name ] "=" expression
    void assignment()
    {
        if (m_token.kind != Tok::Name)
            throw SyntaxFault{errnum::ExpectedIdentifier, m_token.offset};
        const Token target = m_token;
        advance();
        Slot* slot = nullptr;
        int failure = 0;
        if (m_token.kind == Tok::Dot) {
            advance();
            if (m_token.kind != Tok::Name)
                throw SyntaxFault{errnum::ExpectedIdentifier, m_token.offset};
            failure = memberSlot(target.lexeme, m_token.lexeme, slot);
            advance();
        } else {
            slot = &slotNamed(target.lexeme);
        }
        expect(Tok::Eq, errnum::ExpectedEquals);
        expression();
        if (failure)
            emitIndexed(Op::Raise, static_cast<std::uint32_t>(failure), target.offset, -1);
        else
            emitSlot(Op::Store, *slot, target.offset, -1);
    }

    // The field slot of object.member, or the error number that using it must raise.
    int memberSlot(std::string_view objectName, std::string_view member, Slot*& slot)
    {
        foldCase(objectName, m_key);
        Slot* object = m_globals.find(m_key);
        if (!object || object->kind != SlotKind::Object)
            return errnum::ObjectRequired;
        std::string key = m_key + ".";
        foldCase(member, m_key);
        key += m_key;
        slot = m_globals.find(key);
        return slot ? 0 : errnum::NoSuchMember;
    }

    void expression() { level(ImpLevel); }

    void level(Level n)
    {
        if (n == NotLevel) {
            if (m_token.kind == Tok::Not) {
                const Nesting nest(*this);
                const std::size_t at = m_token.offset;
                advance();
                level(NotLevel);
                emitOp(Op::Not, at, 0);
                return;
            }
            level(CompareLevel);
            return;
        }
        if (n == UnaryLevel) {
            if (m_token.kind == Tok::Minus || m_token.kind == Tok::Plus) {
                const Nesting nest(*this);
                const Token sign = m_token;
                advance();
                level(UnaryLevel);
                if (sign.kind == Tok::Minus)
                    emitOp(Op::Negate, sign.offset, 0);
                return;
            }
            primary();
            return;
        }
        const Level next = static_cast<Level>(n + 1);
        level(next);
        while (const BinaryOp* b = binaryOp(m_token.kind, n)) {
            const std::size_t at = m_token.offset;
            advance();
            level(next);
            emitOp(b->op, at, -1);
        }
    }

    // primary := number | string | True | False | "(" expression ")" | name [ "." name ] [ arguments ]
    void primary()
    {
        const Token t = m_token;
        switch (t.kind) {
        case Tok::Number:
            advance();
            pushConstant(t.number, t.offset);
            return;
        case Tok::String: {
            advance();
            std::string text;
            for (std::size_t i = 0; i < t.lexeme.size(); ++i) {
                text += t.lexeme[i];
                if (t.lexeme[i] == '"')
                    ++i;  // a doubled quote stands for one
            }
            pushConstant(Value::string(&m_program->strings.emplace_back(std::move(text))), t.offset);
            return;
        }
        case Tok::True:
        case Tok::False:
            advance();
            pushConstant(Value::boolean(t.kind == Tok::True), t.offset);
            return;
        case Tok::LParen: {
            const Nesting nest(*this);
            advance();
            expression();
            expect(Tok::RParen, errnum::ExpectedCloseParen);
            return;
        }
        case Tok::Name:
            advance();
            name(t);
            return;
        default: throw SyntaxFault{errnum::ExpectedExpression, t.offset};
        }
    }

    // arguments := "(" [ expression { "," expression } ] ")"; returns how many.
    int arguments()
    {
        const Nesting nest(*this);
        advance();
        int count = 0;
        if (m_token.kind != Tok::RParen) {
            for (;;) {
                expression();
                ++count;
                if (m_token.kind != Tok::Comma)
                    break;
                advance();
            }
        }
        expect(Tok::RParen, errnum::ExpectedCloseParen);
        return count;
    }

    void name(const Token& t)
    {
        if (m_token.kind == Tok::Dot) {
            advance();
            if (m_token.kind != Tok::Name)
                throw SyntaxFault{errnum::ExpectedIdentifier, m_token.offset};
            const Token member = m_token;
            advance();
            memberUse(t, member);
            return;
        }
        if (m_token.kind != Tok::LParen) {
            emitSlot(Op::Load, slotNamed(t.lexeme), t.offset, 1);
            return;
        }
        const int argc = arguments();
        foldCase(t.lexeme, m_key);
        if (const auto b = findBuiltin(m_key)) {
            const Builtin& f = builtin(*b);
            if (argc < f.minArgs || argc > f.maxArgs)
                raise(errnum::WrongArgumentCount, t.offset, argc);
            else
                emitIndexed(Op::CallBuiltin, *b, t.offset, 1 - argc, argc);
            if (!f.numeric)
                m_program->numeric = false;
            return;
        }
        if (const auto m = m_methods.find(m_key); m != m_methods.end()) {
            callMethod(*m->second.object, m->second.index, t.offset, argc);
            return;
        }
        raise(errnum::TypeMismatch, t.offset, argc);  // not a function
    }

    void memberUse(const Token& object, const Token& member)
    {
        const int argc = m_token.kind == Tok::LParen ? arguments() : -1;
        foldCase(object.lexeme, m_key);
        Slot* objectSlot = m_globals.find(m_key);
        if (!objectSlot || objectSlot->kind != SlotKind::Object) {
            raise(errnum::ObjectRequired, object.offset, std::max(argc, 0));
            return;
        }
        foldCase(member.lexeme, m_key);
        const auto& methods = objectSlot->object->methods;
        for (std::uint32_t i = 0; i < methods.size(); ++i) {
            if (sameName(methods[i].name, m_key)) {
                callMethod(*objectSlot, i, member.offset, std::max(argc, 0));
                return;
            }
        }
        Slot* field = nullptr;
        const int failure = memberSlot(object.lexeme, member.lexeme, field);
        if (failure || argc >= 0)
            raise(failure ? failure : errnum::TypeMismatch, member.offset, std::max(argc, 0));
        else
            emitSlot(Op::Load, *field, member.offset, 1);
    }

    void callMethod(Slot& object, std::uint32_t index, std::size_t offset, int argc)
    {
        if (argc != object.object->methods[index].arity) {
            raise(errnum::WrongArgumentCount, offset, argc);
            return;
        }
        Instruction ins{Op::CallMethod};
        ins.offset = static_cast<std::uint32_t>(offset);
        ins.argc = static_cast<std::uint8_t>(argc);
        ins.method = &object.object->methods[index];
        if (argc > 2)
            m_program->numeric = false;
        emit(ins, 1 - argc);
    }

    // A call that can never succeed fails when it is reached, after its arguments ran.
    void raise(int number, std::size_t offset, int argc)
    {
        emitIndexed(Op::Raise, static_cast<std::uint32_t>(number), offset, 1 - argc);
    }

    Lexer m_lexer;
    Globals& m_globals;
    const MethodTable& m_methods;
    std::shared_ptr<Program> m_program;
    Token m_token;
    int m_nesting = 0;
    int m_depth = 0;
    std::string m_key;
};

}  // namespace

std::shared_ptr<const Program> compileExpression(std::string_view text, Globals& globals, const MethodTable& methods)
{
    return Compiler(text, globals, methods).expressionProgram();
}

std::shared_ptr<const Program> compileStatements(std::string_view text, Globals& globals, const MethodTable& methods)
{
    return Compiler(text, globals, methods).statementProgram();
}

}  // namespace slopekit::script
