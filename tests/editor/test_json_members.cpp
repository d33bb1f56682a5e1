// The repeated-member scanner every JSON reader runs after the syntax check, and the name its refusal shows.

#include "editor/JsonMembers.h"

#include <QtTest>

#include <optional>

using namespace Fasoria;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

// An object nested `depth` levels deep under "k", with `innermost` inside the last one.
QByteArray nested(int depth, const QByteArray &innermost)
{
    QByteArray json = innermost;
    for (int level = 0; level < depth; ++level) {
        json = "{\"k\":" + json + "}";
    }
    return json;
}

} // namespace

class TestJsonMembers : public QObject
{
    Q_OBJECT

private slots:
    void firstRepeatedMember_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<std::optional<QString>>("expected");
        const std::optional<QString> none;

        QTest::addRow("distinct") << QByteArray(R"({"a":1,"b":{"c":[1,2]}})") << none;
        QTest::addRow("empty object") << QByteArray("{}") << none;
        QTest::addRow("repeated") << QByteArray(R"({"a":1,"a":2})") << std::optional<QString>("a");
        QTest::addRow("repeated with white space")
            << QByteArray("{ \"a\" :1 ,\n\t\"a\"\r\n: 2 }") << std::optional<QString>("a");
        QTest::addRow("empty name twice") << QByteArray(R"({"":1,"":2})") << std::optional<QString>("");
        QTest::addRow("letter case differs") << QByteArray(R"({"A":1,"a":2})") << none;

        // Names compare as the JSON reader decodes them.
        QTest::addRow("escaped letter") << QByteArray(R"({"a":1,"\u0061":2})") << std::optional<QString>("a");
        QTest::addRow("escaped in the first")
            << QByteArray(R"({"\u0073tage":1,"stage":2})") << std::optional<QString>("stage");
        QTest::addRow("upper-case hex") << QByteArray(R"({"\u00E9":1,"é":2})") << std::optional<QString>("é");
        QTest::addRow("escaped surrogate pair and raw character")
            << QByteArray(R"({"😀":1,"\ud83d\ude00":2})") << std::optional<QString>("😀");
        // moc misreads \" inside raw strings, so these are written with ordinary escapes.
        QTest::addRow("escaped quote") << QByteArray("{\"a\\\"b\":1,\"a\\u0022b\":2}")
                                       << std::optional<QString>("a\"b");
        QTest::addRow("escaped slash") << QByteArray(R"({"a/b":1,"a\/b":2})") << std::optional<QString>("a/b");
        QTest::addRow("short escapes") << QByteArray(R"({"\t\n":1,"\u0009\u000a":2})")
                                       << std::optional<QString>("\t\n");
        QTest::addRow("escaped backslash is not an escape") << QByteArray(R"({"\\u0061":1,"a":2})") << none;
        QTest::addRow("lone surrogate") << QByteArray(R"({"\ud800":1,"\ud800":2})")
                                        << std::optional<QString>(QString(QChar(0xD800)));

        // Each object has names of its own, at any depth.
        QTest::addRow("nested object") << QByteArray(R"({"a":{"b":1,"b":2}})") << std::optional<QString>("b");
        QTest::addRow("array of objects")
            << QByteArray(R"({"l":[{"x":1},{"x":2,"y":0,"x":3}]})") << std::optional<QString>("x");
        QTest::addRow("same name in sibling objects") << QByteArray(R"({"l":[{"x":1},{"x":2}],"o":{"x":3}})") << none;
        QTest::addRow("same name in parent and child") << QByteArray(R"({"x":{"x":{"x":1}}})") << none;
        QTest::addRow("repeated after a nested object")
            << QByteArray(R"({"a":{"c":1,"d":[{}]},"a":2})") << std::optional<QString>("a");
        QTest::addRow("inside a top-level array") << QByteArray(R"([1,{"a":1,"a":2}])") << std::optional<QString>("a");
        QTest::addRow("first in document order")
            << QByteArray(R"({"b":1,"a":1,"a":2,"b":2})") << std::optional<QString>("a");
        QTest::addRow("deep") << nested(300, R"({"z":1,"z":2})") << std::optional<QString>("z");

        // Strings that are values are never names.
        QTest::addRow("value equal to a name") << QByteArray(R"({"a":"a","b":"a"})") << none;
        QTest::addRow("values in an array") << QByteArray(R"({"a":["a","a"],"b":["b"]})") << none;
        QTest::addRow("value that looks like an object")
            << QByteArray("{\"a\":\"{\\\"a\\\":1,\\\"a\\\":2}\",\"b\":\"\\\\\"}") << none;
    }

    void firstRepeatedMember()
    {
        QFETCH(QByteArray, json);
        QFETCH(std::optional<QString>, expected);
        QCOMPARE(Fasoria::firstRepeatedMember(json), expected);
    }

    void message_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");

        QTest::addRow("plain") << "stage"
                               << R"(Repeated member "stage")";
        QTest::addRow("control characters") << QString("a\tb\x1b[2J\x7f") << "Repeated member \"a\\tb\\e[2J\\x7F\"";
        QTest::addRow("bidirectional override") << QString("a\u202Eb") << R"(Repeated member "a\u{202E}b")";
        QTest::addRow("backslash") << "a\\b"
                                   << R"(Repeated member "a\\b")";
        QTest::addRow("64 characters") << QString(64, 'n') << "Repeated member \"" + QString(64, 'n') + "\"";
        QTest::addRow("65 characters cut") << QString(65, 'n') << "Repeated member \"" + QString(64, 'n') + "...\"";
        QTest::addRow("cut counts code points") << QString(63, 'n') + "😀😀"
                                                << "Repeated member \"" + QString(63, 'n') + "😀...\"";
    }

    void message()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(repeatedMemberMessage(name), expected);
    }
};

QTEST_GUILESS_MAIN(TestJsonMembers)
#include "test_json_members.moc"
