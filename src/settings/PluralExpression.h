#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <optional>
#include <vector>

// The plural rule of a gettext catalogue: "nplurals=N; plural=EXPR;" from the catalogue header, where EXPR is a
// C expression over n. The expression is parsed once into a small tree and evaluated with unsigned 64-bit
// arithmetic; division or remainder by zero yields 0 instead of trapping. Malformed rules are rejected, so a
// catalogue with a bad header falls back to the English rule "n != 1".
class PluralExpression final {
public:
    // The English rule: two forms, plural = n != 1.
    PluralExpression();

    // Parses a bare expression such as "n%10==1 ? 0 : 1"; nullopt when it is not a valid expression.
    static std::optional<PluralExpression> parse(QByteArrayView expression, int formCount);
    // Reads the "Plural-Forms:" line of a catalogue header; the English rule (with a warning) when the line
    // is present but malformed, silently when it is absent.
    static PluralExpression fromHeader(QByteArrayView header);

    int formCount() const { return m_formCount; }
    // The raw value of the expression for n.
    std::uint64_t evaluate(std::uint64_t n) const;
    // The form to use for n: the value of the expression, or 0 when it is not below formCount().
    int formIndex(std::uint64_t n) const;

private:
    class Parser;

    enum class Op : std::uint8_t {
        Number,
        Variable,
        Not,
        Multiply,
        Divide,
        Remainder,
        Add,
        Subtract,
        Less,
        LessEqual,
        Greater,
        GreaterEqual,
        Equal,
        NotEqual,
        And,
        Or,
        Conditional,
    };

    struct Node {
        Op op = Op::Number;
        std::uint64_t value = 0;
        int operands[3] = {-1, -1, -1};
    };

    std::uint64_t evaluateNode(int index, std::uint64_t n) const;

    std::vector<Node> m_nodes;
    int m_root = 0;
    int m_formCount = 2;
};
