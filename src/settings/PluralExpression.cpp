#include "settings/PluralExpression.h"

#include <QLoggingCategory>
#include <array>
#include <limits>

namespace {

Q_LOGGING_CATEGORY(lcPlural, "tervo.lang.plural")

// Real rules are well under 200 characters; the limits keep parsing and evaluation depth small for any input.
constexpr qsizetype maxExpressionLength = 512;
constexpr int maxNesting = 32;
constexpr int maxFormCount = 100;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

// Recursive-descent parser with C precedence: ?: (right-associative), ||, &&, == !=, < <= > >=, + -, * / %,
// unary !, then n, literals and parentheses. Every method returns the index of the node it built, or -1.
class PluralExpression::Parser {
public:
    explicit Parser(QByteArrayView text)
        : m_text(text)
    {
    }

    std::optional<PluralExpression> run(int formCount)
    {
        const int root = conditional();
        skipSpace();
        if (root < 0 || m_pos != m_text.size()) {
            return std::nullopt;
        }
        PluralExpression result;
        result.m_nodes = std::move(m_nodes);
        result.m_root = root;
        result.m_formCount = formCount;
        return result;
    }

private:
    struct BinaryOperator {
        const char* token;
        Op op;
        int level;
    };

    // Binding levels from the loosest; within a level the longer tokens come first so "<=" wins over "<".
    static constexpr int binaryLevels = 6;
    static constexpr std::array<BinaryOperator, 13> binaryOperators{{
        {"||", Op::Or, 0},
        {"&&", Op::And, 1},
        {"==", Op::Equal, 2},
        {"!=", Op::NotEqual, 2},
        {"<=", Op::LessEqual, 3},
        {">=", Op::GreaterEqual, 3},
        {"<", Op::Less, 3},
        {">", Op::Greater, 3},
        {"+", Op::Add, 4},
        {"-", Op::Subtract, 4},
        {"*", Op::Multiply, 5},
        {"/", Op::Divide, 5},
        {"%", Op::Remainder, 5},
    }};

    void skipSpace()
    {
        while (m_pos < m_text.size() && isSpace(m_text[m_pos])) {
            ++m_pos;
        }
    }

    bool accept(QByteArrayView token)
    {
        skipSpace();
        if (!m_text.sliced(m_pos).startsWith(token)) {
            return false;
        }
        m_pos += token.size();
        return true;
    }

    bool enter() { return ++m_depth <= maxNesting; }
    int leave(int result)
    {
        --m_depth;
        return result;
    }

    int add(Op op, int first = -1, int second = -1, int third = -1)
    {
        Node node;
        node.op = op;
        node.operands[0] = first;
        node.operands[1] = second;
        node.operands[2] = third;
        m_nodes.push_back(node);
        return static_cast<int>(m_nodes.size()) - 1;
    }

    int conditional()
    {
        if (!enter()) {
            return leave(-1);
        }
        const int condition = binary(0);
        if (condition < 0 || !accept("?")) {
            return leave(condition);
        }
        const int whenTrue = conditional();
        if (whenTrue < 0 || !accept(":")) {
            return leave(-1);
        }
        const int whenFalse = conditional();
        return leave(whenFalse < 0 ? -1 : add(Op::Conditional, condition, whenTrue, whenFalse));
    }

    int binary(int level)
    {
        if (level == binaryLevels) {
            return unary();
        }
        int left = binary(level + 1);
        while (left >= 0) {
            const BinaryOperator* matched = nullptr;
            for (const BinaryOperator& candidate : binaryOperators) {
                if (candidate.level == level && accept(candidate.token)) {
                    matched = &candidate;
                    break;
                }
            }
            if (matched == nullptr) {
                break;
            }
            const int right = binary(level + 1);
            left = right < 0 ? -1 : add(matched->op, left, right);
        }
        return left;
    }

    int unary()
    {
        if (!accept("!")) {
            return primary();
        }
        if (!enter()) {
            return leave(-1);
        }
        const int operand = unary();
        return leave(operand < 0 ? -1 : add(Op::Not, operand));
    }

    int primary()
    {
        if (accept("n")) {
            return add(Op::Variable);
        }
        if (accept("(")) {
            const int inner = conditional();
            return inner >= 0 && accept(")") ? inner : -1;
        }
        if (m_pos >= m_text.size() || !isDigit(m_text[m_pos])) {
            return -1;
        }
        std::uint64_t value = 0;
        constexpr std::uint64_t limit = std::numeric_limits<std::uint64_t>::max() / 10;
        while (m_pos < m_text.size() && isDigit(m_text[m_pos])) {
            if (value > limit) {
                return -1;
            }
            value = value * 10 + static_cast<std::uint64_t>(m_text[m_pos] - '0');
            ++m_pos;
        }
        const int index = add(Op::Number);
        m_nodes[static_cast<std::size_t>(index)].value = value;
        return index;
    }

    QByteArrayView m_text;
    qsizetype m_pos = 0;
    int m_depth = 0;
    std::vector<Node> m_nodes;
};

PluralExpression::PluralExpression()
{
    Node variable;
    variable.op = Op::Variable;
    Node one;
    one.value = 1;
    Node differs;
    differs.op = Op::NotEqual;
    differs.operands[0] = 0;
    differs.operands[1] = 1;
    m_nodes = {variable, one, differs};
    m_root = 2;
}

std::optional<PluralExpression> PluralExpression::parse(QByteArrayView expression, int formCount)
{
    if (formCount < 1 || formCount > maxFormCount || expression.size() > maxExpressionLength) {
        return std::nullopt;
    }
    return Parser(expression).run(formCount);
}

PluralExpression PluralExpression::fromHeader(QByteArrayView header)
{
    constexpr QByteArrayView key("Plural-Forms:");
    qsizetype start = 0;
    while (start < header.size() && !header.sliced(start).startsWith(key)) {
        const qsizetype newline = header.indexOf('\n', start);
        start = newline < 0 ? header.size() : newline + 1;
    }
    if (start >= header.size()) {
        return {};
    }
    const qsizetype end = header.indexOf('\n', start);
    const QByteArrayView line = header.sliced(start + key.size(), (end < 0 ? header.size() : end) - start - key.size());

    std::optional<int> formCount;
    QByteArrayView expression;
    qsizetype fieldStart = 0;
    while (fieldStart < line.size()) {
        const qsizetype semicolon = line.indexOf(';', fieldStart);
        const qsizetype fieldEnd = semicolon < 0 ? line.size() : semicolon;
        const QByteArrayView field = line.sliced(fieldStart, fieldEnd - fieldStart);
        fieldStart = fieldEnd + 1;
        const qsizetype equals = field.indexOf('=');
        if (equals < 0) {
            continue;
        }
        const QByteArrayView name = field.first(equals).trimmed();
        const QByteArrayView value = field.sliced(equals + 1).trimmed();
        bool ok = false;
        if (name == "nplurals") {
            const int count = value.toInt(&ok);
            formCount = ok ? std::optional<int>(count) : std::optional<int>(0);
        } else if (name == "plural") {
            expression = value;
        }
    }

    if (formCount && !expression.isEmpty()) {
        if (auto parsed = parse(expression, *formCount)) {
            return std::move(*parsed);
        }
    }
    qCWarning(lcPlural) << "Malformed Plural-Forms header, using n != 1:" << line.toByteArray();
    return {};
}

std::uint64_t PluralExpression::evaluate(std::uint64_t n) const
{
    return evaluateNode(m_root, n);
}

int PluralExpression::formIndex(std::uint64_t n) const
{
    const std::uint64_t value = evaluate(n);
    return value < static_cast<std::uint64_t>(m_formCount) ? static_cast<int>(value) : 0;
}

std::uint64_t PluralExpression::evaluateNode(int index, std::uint64_t n) const
{
    const Node& node = m_nodes[static_cast<std::size_t>(index)];
    const auto operand = [&](int which) {
        return evaluateNode(node.operands[which], n);
    };
    switch (node.op) {
    case Op::Number:
        return node.value;
    case Op::Variable:
        return n;
    case Op::Not:
        return operand(0) == 0 ? 1 : 0;
    case Op::And:
        return operand(0) != 0 && operand(1) != 0 ? 1 : 0;
    case Op::Or:
        return operand(0) != 0 || operand(1) != 0 ? 1 : 0;
    case Op::Conditional:
        return operand(0) != 0 ? operand(1) : operand(2);
    default:
        break;
    }
    const std::uint64_t left = operand(0);
    const std::uint64_t right = operand(1);
    switch (node.op) {
    case Op::Multiply:
        return left * right;
    case Op::Divide:
        return right == 0 ? 0 : left / right;
    case Op::Remainder:
        return right == 0 ? 0 : left % right;
    case Op::Add:
        return left + right;
    case Op::Subtract:
        return left - right;
    case Op::Less:
        return left < right ? 1 : 0;
    case Op::LessEqual:
        return left <= right ? 1 : 0;
    case Op::Greater:
        return left > right ? 1 : 0;
    case Op::GreaterEqual:
        return left >= right ? 1 : 0;
    case Op::Equal:
        return left == right ? 1 : 0;
    case Op::NotEqual:
        return left != right ? 1 : 0;
    default:
        return 0;
    }
}
