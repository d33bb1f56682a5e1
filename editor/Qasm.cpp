#include "editor/Qasm.h"

#include "editor/CircuitEditor.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <map>
#include <set>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace Fasoria {

namespace {

const double kPi = std::acos(-1.0);
// The circuit file's angle limit: an imported circuit must be one that can be saved and read back.
const double kAngleLimit = 2.0 * kPi + 1e-9;
// Parentheses deeper than this are refused, so no input can exhaust the stack.
constexpr int kMaxExpressionDepth = 64;

// Names come from the input and may be as long as the file; a message shows at most this much of one.
constexpr std::size_t kMaxShownName = 64;
// Beyond this many warnings only their number is reported.
constexpr std::size_t kMaxWarnings = 20;

std::string shownName(const std::string &name)
{
    return name.size() <= kMaxShownName ? name : name.substr(0, kMaxShownName) + "...";
}

std::string quotedName(const std::string &name)
{
    return "'" + shownName(name) + "'";
}

std::string qubitText(const std::string &name, std::int64_t index)
{
    return shownName(name) + "[" + std::to_string(index) + "]";
}

// A QASM real needs a decimal point before any exponent ("1e-05" is not one), so one is added there.
std::string realText(double value)
{
    char buffer[64];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    const std::size_t exponent = text.find('e');
    if (exponent != std::string::npos && text.find('.') == std::string::npos) {
        text.insert(exponent, ".0");
    }
    return text;
}

enum class TokenType
{
    Identifier,
    Integer,
    Real,
    String,
    Symbol,
    End,
};

struct Token
{
    TokenType type;
    std::string text;
    int line;
};

// The reader's refusal; caught in readQasm and never seen by callers.
struct QasmError
{
    int line;
    std::string message;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

std::string characterText(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x21 && byte < 0x7f) {
        return std::string("'") + c + "'";
    }
    static const char kHex[] = "0123456789ABCDEF";
    return std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 0xf];
}

class Tokenizer
{
public:
    explicit Tokenizer(const std::string &text) : m_text(text)
    {
        // A byte-order mark some editors put in front of UTF-8 text.
        if (m_text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            m_position = 3;
        }
    }

    /// The next token, or End (repeatedly) once the text is used up. Tokens are read on demand, so the
    /// first mistake in reading order is the one reported.
    Token nextToken() { return skipBlanks() ? next() : Token{TokenType::End, std::string(), m_line}; }

private:
    char at(std::size_t offset) const
    {
        const std::size_t index = m_position + offset;
        return index < m_text.size() ? m_text[index] : '\0';
    }

    // Skips white space and comments; false at the end of the text.
    bool skipBlanks()
    {
        while (m_position < m_text.size()) {
            const char c = at(0);
            if (c == '\n') {
                ++m_line;
                ++m_position;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++m_position;
            } else if (c == '/' && at(1) == '/') {
                while (m_position < m_text.size() && at(0) != '\n') {
                    ++m_position;
                }
            } else {
                return true;
            }
        }
        return false;
    }

    Token take(TokenType type, std::size_t length)
    {
        Token token{type, m_text.substr(m_position, length), m_line};
        m_position += length;
        return token;
    }

    std::size_t digitsFrom(std::size_t offset) const
    {
        std::size_t end = offset;
        while (isDigit(at(end))) {
            ++end;
        }
        return end;
    }

    Token number()
    {
        std::size_t end = digitsFrom(0);
        bool real = false;
        if (at(end) == '.') {
            real = true;
            end = digitsFrom(end + 1);
        }
        if (at(end) == 'e' || at(end) == 'E') {
            const std::size_t sign = (at(end + 1) == '+' || at(end + 1) == '-') ? 1 : 0;
            if (isDigit(at(end + 1 + sign))) {
                real = true;
                end = digitsFrom(end + 1 + sign);
            }
        }
        return take(real ? TokenType::Real : TokenType::Integer, end);
    }

    Token next()
    {
        const char c = at(0);
        if (isLetter(c)) {
            std::size_t end = 1;
            while (isLetter(at(end)) || isDigit(at(end))) {
                ++end;
            }
            return take(TokenType::Identifier, end);
        }
        if (isDigit(c) || (c == '.' && isDigit(at(1)))) {
            return number();
        }
        if (c == '"') {
            std::size_t end = 1;
            while (at(end) != '"' && at(end) != '\n' && m_position + end < m_text.size()) {
                ++end;
            }
            if (at(end) != '"') {
                throw QasmError{m_line, "unterminated string"};
            }
            return take(TokenType::String, end + 1);
        }
        if (c == '-' && at(1) == '>') {
            return take(TokenType::Symbol, 2);
        }
        if (std::string(";,()[]+-*/").find(c) != std::string::npos) {
            return take(TokenType::Symbol, 1);
        }
        throw QasmError{m_line, "unexpected character " + characterText(c)};
    }

    const std::string &m_text;
    std::size_t m_position = 0;
    int m_line = 1;
};

// One qubit operand: a single qubit, or the whole register.
struct Operand
{
    bool wholeRegister = false;
    std::int64_t index = 0;
};

class Reader
{
public:
    explicit Reader(const std::string &text) : m_tokenizer(text), m_current(m_tokenizer.nextToken()) {}

    void run()
    {
        readHeader();
        while (peek().type != TokenType::End) {
            readStatement();
        }
        if (m_qubits == 0) {
            throw QasmError{peek().line, "no quantum register declared"};
        }
    }

    std::int32_t qubits() const { return static_cast<std::int32_t>(m_qubits); }
    std::vector<LessonStep> &steps() { return m_steps; }
    std::vector<std::string> &warnings() { return m_warnings; }

private:
    const Token &peek() const { return m_current; }

    Token take()
    {
        Token token = m_current;
        if (token.type != TokenType::End) {
            m_current = m_tokenizer.nextToken();
        }
        return token;
    }

    bool acceptSymbol(const char *symbol)
    {
        if (peek().type == TokenType::Symbol && peek().text == symbol) {
            take();
            return true;
        }
        return false;
    }

    void expectSymbol(const char *symbol)
    {
        if (!acceptSymbol(symbol)) {
            throw QasmError{peek().line, std::string("expected '") + symbol + "'"};
        }
    }

    std::string expectIdentifier(const char *what)
    {
        if (peek().type != TokenType::Identifier) {
            throw QasmError{peek().line, std::string("expected ") + what};
        }
        return take().text;
    }

    // A whole number in 0..high; larger values are refused with tooLarge.
    std::int64_t expectInteger(std::int64_t high, const std::string &tooLarge)
    {
        const Token token = peek();
        if (token.type != TokenType::Integer) {
            throw QasmError{token.line, "expected a whole number"};
        }
        take();
        std::int64_t value = 0;
        const char *end = token.text.data() + token.text.size();
        const std::from_chars_result result = std::from_chars(token.text.data(), end, value);
        if (result.ec != std::errc() || value > high) {
            throw QasmError{token.line, tooLarge};
        }
        return value;
    }

    void readHeader()
    {
        const Token first = peek();
        if (first.type != TokenType::Identifier || first.text != "OPENQASM") {
            throw QasmError{first.line, "expected OPENQASM 2.0; at the start"};
        }
        take();
        const Token version = take();
        double number = 0.0;
        const char *end = version.text.data() + version.text.size();
        if ((version.type != TokenType::Real && version.type != TokenType::Integer) ||
            std::from_chars(version.text.data(), end, number).ec != std::errc() || number != 2.0) {
            throw QasmError{version.line, "only OpenQASM 2.0 is supported"};
        }
        expectSymbol(";");
    }

    void readStatement()
    {
        const Token head = peek();
        if (head.type != TokenType::Identifier) {
            throw QasmError{head.line, "expected a statement"};
        }
        take();
        const std::string &word = head.text;
        if (word == "include") {
            readInclude();
        } else if (word == "qreg") {
            readQuantumRegister(head.line);
        } else if (word == "creg") {
            readClassicalRegister(head.line);
        } else if (word == "measure") {
            readMeasure(head.line);
        } else if (word == "barrier") {
            readOperands();
        } else {
            readGate(head);
        }
        expectSymbol(";");
    }

    void readInclude()
    {
        const Token file = take();
        if (file.type != TokenType::String || file.text != "\"qelib1.inc\"") {
            throw QasmError{file.line, "only \"qelib1.inc\" can be included"};
        }
    }

    void declareName(const std::string &name, int line)
    {
        if (!m_names.insert(name).second) {
            throw QasmError{line, "name " + quotedName(name) + " is already declared"};
        }
    }

    void readQuantumRegister(int line)
    {
        if (m_qubits != 0) {
            throw QasmError{line, "only one quantum register is supported"};
        }
        const std::string name = expectIdentifier("a register name");
        expectSymbol("[");
        const int sizeLine = peek().line;
        const std::int64_t size = expectInteger(CircuitEditor::kMaxQubits, "at most 8 qubits are supported");
        if (size == 0) {
            throw QasmError{sizeLine, "a register needs at least one qubit"};
        }
        expectSymbol("]");
        declareName(name, line);
        m_registerName = name;
        m_qubits = size;
    }

    void readClassicalRegister(int line)
    {
        const std::string name = expectIdentifier("a register name");
        expectSymbol("[");
        const std::int64_t size = expectInteger(INT32_MAX, "classical register too large");
        expectSymbol("]");
        declareName(name, line);
        m_classicalRegisters.emplace(name, size);
        m_warnings.push_back("line " + std::to_string(line) + ": classical register " + quotedName(name) + " ignored");
    }

    // The circuit keeps the state before measurement, so a measurement is skipped with a warning; a gate
    // after it on the same qubit would act on the measured outcome, which the circuit cannot express.
    void readMeasure(int line)
    {
        const Operand qubits = readOperand();
        expectSymbol("->");
        const int nameLine = peek().line;
        const std::string name = expectIdentifier("a classical register");
        const auto found = m_classicalRegisters.find(name);
        if (found == m_classicalRegisters.end()) {
            throw QasmError{nameLine, "unknown classical register " + quotedName(name)};
        }
        const bool oneBit = acceptSymbol("[");
        if (oneBit) {
            expectInteger(found->second - 1, "bit outside the classical register " + quotedName(name));
            expectSymbol("]");
        }
        if (qubits.wholeRegister == oneBit) {
            throw QasmError{line, "measure needs a qubit and a bit, or two whole registers"};
        }
        if (qubits.wholeRegister && found->second != m_qubits) {
            throw QasmError{line, "measure needs registers of the same size"};
        }
        for (std::int64_t qubit = 0; qubit < m_qubits; ++qubit) {
            if (qubits.wholeRegister || qubit == qubits.index) {
                m_measured.insert(qubit);
            }
        }
        m_warnings.push_back("line " + std::to_string(line) +
                             ": measurement ignored; the circuit keeps the state before measurement");
    }

    Operand readOperand()
    {
        const Token token = peek();
        const std::string name = expectIdentifier("a qubit");
        if (m_qubits == 0) {
            throw QasmError{token.line, "no quantum register declared before this line"};
        }
        if (name != m_registerName) {
            throw QasmError{token.line, "unknown quantum register " + quotedName(name)};
        }
        Operand operand{true, 0};
        if (acceptSymbol("[")) {
            operand.wholeRegister = false;
            operand.index = expectInteger(m_qubits - 1, "qubit outside the register " + qubitText(name, m_qubits));
            expectSymbol("]");
        }
        return operand;
    }

    std::vector<Operand> readOperands()
    {
        std::vector<Operand> operands{readOperand()};
        while (acceptSymbol(",")) {
            operands.push_back(readOperand());
        }
        return operands;
    }

    double readPrimary(int depth)
    {
        const Token token = peek();
        if (acceptSymbol("(")) {
            const double value = readExpression(depth + 1);
            expectSymbol(")");
            return value;
        }
        if (token.type == TokenType::Identifier) {
            take();
            if (token.text != "pi") {
                throw QasmError{token.line, "unknown name " + quotedName(token.text) + " in an expression"};
            }
            return kPi;
        }
        if (token.type == TokenType::Integer || token.type == TokenType::Real) {
            take();
            double value = 0.0;
            const char *end = token.text.data() + token.text.size();
            const std::from_chars_result result = std::from_chars(token.text.data(), end, value);
            if (result.ec != std::errc() || result.ptr != end) {
                throw QasmError{token.line, "number out of range: " + token.text};
            }
            return value;
        }
        throw QasmError{token.line, "expected a number, pi or '('"};
    }

    double readUnary(int depth)
    {
        if (depth > kMaxExpressionDepth) {
            throw QasmError{peek().line, "expression nested too deeply"};
        }
        if (acceptSymbol("-")) {
            return -readUnary(depth + 1);
        }
        return readPrimary(depth);
    }

    double readTerm(int depth)
    {
        double value = readUnary(depth);
        for (;;) {
            if (acceptSymbol("*")) {
                value = value * readUnary(depth);
            } else if (acceptSymbol("/")) {
                value = value / readUnary(depth);
            } else {
                return value;
            }
        }
    }

    double readExpression(int depth)
    {
        if (depth > kMaxExpressionDepth) {
            throw QasmError{peek().line, "expression nested too deeply"};
        }
        double value = readTerm(depth);
        for (;;) {
            if (acceptSymbol("+")) {
                value = value + readTerm(depth);
            } else if (acceptSymbol("-")) {
                value = value - readTerm(depth);
            } else {
                return value;
            }
        }
    }

    std::vector<double> readParameters()
    {
        std::vector<double> values;
        if (acceptSymbol("(")) {
            values.push_back(readExpression(0));
            while (acceptSymbol(",")) {
                values.push_back(readExpression(0));
            }
            expectSymbol(")");
        }
        return values;
    }

    void append(int line, GateKind kind, std::int64_t target, std::int64_t control, double angle)
    {
        for (const std::int64_t qubit : {target, control}) {
            if ((qubit == target || kind == GateKind::Cnot) && m_measured.count(qubit) != 0) {
                throw QasmError{line, "gate on " + qubitText(m_registerName, qubit) + " after it was measured"};
            }
        }
        if (m_steps.size() >= CircuitEditor::kMaxSteps) {
            throw QasmError{line, "more than 256 gates"};
        }
        m_steps.emplace_back(kind, static_cast<std::int32_t>(target), static_cast<std::int32_t>(control), angle);
    }

    void applySingle(const Token &head, const std::vector<Operand> &operands, GateKind kind, double angle)
    {
        if (operands.size() != 1) {
            throw QasmError{head.line, head.text + " acts on one qubit"};
        }
        const Operand &operand = operands.front();
        const std::int64_t first = operand.wholeRegister ? 0 : operand.index;
        const std::int64_t last = operand.wholeRegister ? m_qubits - 1 : operand.index;
        for (std::int64_t qubit = first; qubit <= last; ++qubit) {
            append(head.line, kind, qubit, 0, angle);
        }
    }

    void applyPair(const Token &head, const std::vector<Operand> &operands)
    {
        if (operands.size() != 2 || operands[0].wholeRegister || operands[1].wholeRegister) {
            throw QasmError{head.line, head.text + " acts on two single qubits"};
        }
        const std::int64_t control = operands[0].index;
        const std::int64_t target = operands[1].index;
        if (control == target) {
            throw QasmError{head.line, head.text + " needs two different qubits"};
        }
        if (head.text == "cz") {
            append(head.line, GateKind::H, target, 0, 0.0);
            append(head.line, GateKind::Cnot, target, control, 0.0);
            append(head.line, GateKind::H, target, 0, 0.0);
        } else {
            append(head.line, GateKind::Cnot, target, control, 0.0);
        }
    }

    double checkedAngle(const Token &head, const std::vector<double> &parameters)
    {
        if (parameters.size() != 1) {
            throw QasmError{head.line, head.text + " takes one parameter"};
        }
        const double angle = parameters.front();
        if (!std::isfinite(angle)) {
            throw QasmError{head.line, "phase angle is not a finite number"};
        }
        if (std::fabs(angle) > kAngleLimit) {
            throw QasmError{head.line, "phase angle outside -2pi..2pi"};
        }
        return angle;
    }

    void readGate(const Token &head)
    {
        static const std::set<std::string> kFixed = {"h", "x", "z", "s", "sdg", "t", "tdg", "cx", "cz"};
        const std::string &name = head.text;
        const bool phase = name == "u1" || name == "p";
        if (!phase && kFixed.count(name) == 0) {
            throw QasmError{head.line, "unsupported gate or statement " + quotedName(name)};
        }
        const std::vector<double> parameters = readParameters();
        if (!phase && !parameters.empty()) {
            throw QasmError{head.line, name + " takes no parameters"};
        }
        const std::vector<Operand> operands = readOperands();
        if (name == "cx" || name == "cz") {
            applyPair(head, operands);
        } else if (phase) {
            applySingle(head, operands, GateKind::P, checkedAngle(head, parameters));
        } else if (name == "h" || name == "x" || name == "z") {
            const GateKind kind = name == "h" ? GateKind::H : (name == "x" ? GateKind::X : GateKind::Z);
            applySingle(head, operands, kind, 0.0);
        } else {
            // s and t are P(π/2) and P(π/4); their daggers ("sdg", "tdg") the inverse angles.
            const double angle = name[0] == 's' ? kPi / 2.0 : kPi / 4.0;
            applySingle(head, operands, GateKind::P, name.size() == 3 ? -angle : angle);
        }
    }

    Tokenizer m_tokenizer;
    Token m_current;
    std::int64_t m_qubits = 0;
    std::string m_registerName;
    std::set<std::string> m_names;
    std::map<std::string, std::int64_t> m_classicalRegisters;
    std::set<std::int64_t> m_measured;
    std::vector<LessonStep> m_steps;
    std::vector<std::string> m_warnings;
};

bool fail(std::string *error, const std::string &message)
{
    if (error) {
        *error = message;
    }
    return false;
}

} // namespace

std::string writeQasm(const Circuit &circuit)
{
    const CircuitEditor workingCopy(circuit);
    std::string text = "OPENQASM 2.0;\ninclude \"qelib1.inc\";\nqreg q[" + std::to_string(circuit.qubitCount) + "];\n";
    for (const LessonStep &step : circuit.steps) {
        const Gate &gate = step.gate;
        const std::string target = qubitText("q", gate.target);
        switch (gate.kind) {
        case GateKind::H:
            text += "h " + target + ";\n";
            break;
        case GateKind::X:
            text += "x " + target + ";\n";
            break;
        case GateKind::Z:
            text += "z " + target + ";\n";
            break;
        case GateKind::P:
            text += "u1(" + realText(gate.angle) + ") " + target + ";\n";
            break;
        case GateKind::Cnot:
            text += "cx " + qubitText("q", gate.control) + "," + target + ";\n";
            break;
        default:
            throw std::invalid_argument("Gate kind has no OpenQASM form");
        }
    }
    return text;
}

bool readQasm(const std::string &text, Circuit &circuit, std::vector<std::string> *warnings, std::string *error)
{
    if (text.size() > kMaxQasmBytes) {
        return fail(error, "input exceeds 1 MiB");
    }
    Circuit parsed;
    std::vector<std::string> notes;
    try {
        Reader reader(text);
        reader.run();
        parsed.qubitCount = reader.qubits();
        parsed.steps = std::move(reader.steps());
        notes = std::move(reader.warnings());
        if (notes.size() > kMaxWarnings) {
            const std::size_t more = notes.size() - kMaxWarnings;
            notes.resize(kMaxWarnings);
            notes.push_back("... and " + std::to_string(more) + " more warnings");
        }
    } catch (const QasmError &refusal) {
        return fail(error, "line " + std::to_string(refusal.line) + ": " + refusal.message);
    }
    setCustomTexts(parsed);
    // The checks above cover the editor's rules; the working copy is the final word all the same, as for a
    // circuit file.
    try {
        const CircuitEditor workingCopy(parsed);
    } catch (const std::exception &exception) {
        return fail(error, exception.what());
    }
    circuit = std::move(parsed);
    if (warnings) {
        *warnings = std::move(notes);
    }
    return true;
}

} // namespace Fasoria
