#include "platform/scriptedplatform.h"

#include <QtTest>

using namespace tarnel;

using Answer = Platform::Answer;
using Icon = Platform::Icon;

class ScriptedPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void questionsAnswerInOrderThenCancel();
    void fileDialogsShareOneList();
    void colorsAnswerInOrder();
    void recordsEveryKind();
    void hookSeesRequestWhilePending();
};

void ScriptedPlatformTest::questionsAnswerInOrderThenCancel()
{
    ScriptedPlatform p;
    p.answers = {Answer::No, Answer::Yes};
    QCOMPARE(p.askYesNoCancel(nullptr, "Q1", "first"), Answer::No);
    QCOMPARE(p.askYesNoCancel(nullptr, "Q2", "second"), Answer::Yes);
    QCOMPARE(p.askYesNoCancel(nullptr, "Q3", "third"), Answer::Cancel);
    QVERIFY(p.answers.isEmpty());
    QCOMPARE(p.requests.size(), 3);
    QCOMPARE(p.count("question"), 3);
    QCOMPARE(p.requests[1].title, QString("Q2"));
    QCOMPARE(p.requests[2].text, QString("third"));
    QCOMPARE(p.requests[0].icon, Icon::None);
    // Yes or No only: a Cancel given is a No, as is none left.
    p.answers = {Answer::Cancel};
    QCOMPARE(p.askYesNo(nullptr, "Q4", "fourth"), Answer::No);
    QCOMPARE(p.askYesNo(nullptr, "Q5", "fifth"), Answer::No);
}

void ScriptedPlatformTest::fileDialogsShareOneList()
{
    ScriptedPlatform p;
    p.fileNames = {"a.ide", "b.ide", "", "c.ide"};
    QCOMPARE(p.openFileName(nullptr, texts::ideFileFilter, "/maps"), QString("a.ide"));
    QCOMPARE(p.saveFileName(nullptr, "Text|*.txt", "/maps/a.ide"), QString("b.ide"));
    QCOMPARE(p.saveFileName(nullptr, texts::ideFileFilter, QString()), QString());
    QCOMPARE(p.openFileName(nullptr, texts::ideFileFilter, QString()), QString("c.ide"));
    QCOMPARE(p.openFileName(nullptr, texts::ideFileFilter, QString()), QString());

    QStringList kinds;
    for (const auto& r : p.requests)
        kinds << r.kind;
    QCOMPARE(kinds, QStringList({"open", "save", "save", "open", "open"}));
    QCOMPARE(p.requests[1].text, QString("Text|*.txt"));
    QCOMPARE(p.requests[0].text, texts::ideFileFilter);
    QCOMPARE(p.requests[0].start, QString("/maps"));
    QCOMPARE(p.requests[1].start, QString("/maps/a.ide"));
}

void ScriptedPlatformTest::colorsAnswerInOrder()
{
    ScriptedPlatform p;
    p.colors = {QColor(10, 20, 30), std::nullopt, QColor()};
    const QColor initial(0x12, 0xab, 0x0f);
    QCOMPARE(p.chooseColor(nullptr, initial, "Pick"), std::optional<QColor>(QColor(10, 20, 30)));
    QCOMPARE(p.chooseColor(nullptr, initial, "Pick"), std::nullopt);
    QCOMPARE(p.chooseColor(nullptr, initial, "Pick"), std::nullopt);
    QCOMPARE(p.chooseColor(nullptr, Qt::white, "Other"), std::nullopt);
    QCOMPARE(p.count("color"), 4);
    QCOMPARE(p.requests[0].title, QString("Pick"));
    QCOMPARE(p.requests[0].text, QString("#12ab0f"));
    QCOMPARE(p.requests[3].title, QString("Other"));
    QCOMPARE(p.requests[3].text, QString("#ffffff"));
}

void ScriptedPlatformTest::recordsEveryKind()
{
    ScriptedPlatform p;
    p.clipboard = "pasted\r\ntext";
    p.showMessage(nullptr, "T1", "one\r\ntwo", Icon::Information);
    p.beep();
    QCOMPARE(p.clipboardText(), QString("pasted\r\ntext"));
    QVERIFY(p.openUrl(QUrl("https://example.org/help")));
    QList<bool> editorReplies;
    const auto noteReply = [&editorReplies](bool started) { editorReplies << started; };
    p.openInTextEditor("/tmp/a b.ide", noteReply);
    p.showMessage(nullptr, "T2", "three", Icon::None);
    p.urlOpens = false;
    p.editorStarts = false;
    QVERIFY(!p.openUrl(QUrl("https://example.org/")));
    p.openInTextEditor("/x.ide", noteReply);
    QCOMPARE(editorReplies, QList<bool>({true, false}));
    p.ticks = {true};
    QVERIFY(p.showMessageWithCheckBox(nullptr, "T3", "four", "Skip", Icon::Information));
    QVERIFY(!p.showMessageWithCheckBox(nullptr, "T4", "five", "Skip", Icon::None));

    QCOMPARE(p.messages(), QStringList({"one\r\ntwo", "three", "four", "five"}));
    QCOMPARE(p.requests[8].kind, QString("checkmessage"));
    QCOMPARE(p.requests[8].title, QString("T3"));
    QCOMPARE(p.requests[8].checkBox, QString("Skip"));
    QCOMPARE(p.requests[8].icon, Icon::Information);
    QCOMPARE(p.requests[0].checkBox, QString());
    QCOMPARE(p.requests[0].icon, Icon::Information);
    QCOMPARE(p.requests[5].icon, Icon::None);
    QCOMPARE(p.requests[5].title, QString("T2"));
    QCOMPARE(p.requests[1].kind, QString("beep"));
    QCOMPARE(p.requests[2].kind, QString("clipboard"));
    QCOMPARE(p.requests[3].kind, QString("url"));
    QCOMPARE(p.requests[3].text, QString("https://example.org/help"));
    QCOMPARE(p.requests[4].kind, QString("editor"));
    QCOMPARE(p.requests[4].text, QString("/tmp/a b.ide"));
    QCOMPARE(p.count("url"), 2);
    QCOMPARE(p.count("editor"), 2);
    QCOMPARE(p.count("question"), 0);

    p.clear();
    QVERIFY(p.requests.isEmpty());
    QVERIFY(p.messages().isEmpty());
}

void ScriptedPlatformTest::hookSeesRequestWhilePending()
{
    ScriptedPlatform p;
    QStringList seen;
    p.onRequest = [&](const ScriptedPlatform::Request& r) {
        seen << r.kind + ':' + r.title + ':' + QString::number(p.requests.size());
        // Answering from inside the hook counts for the pending question.
        if (r.kind == u"question") {
            p.answers.append(Answer::No);
            p.showMessage(nullptr, "nested", "while asking", Icon::None);
        }
    };
    QCOMPARE(p.askYesNoCancel(nullptr, "Save?", "changes"), Answer::No);
    p.beep();
    QCOMPARE(seen, QStringList({"question:Save?:1", "message:nested:2", "beep::3"}));
    QCOMPARE(p.requests[0].kind, QString("question"));
    QCOMPARE(p.messages(), QStringList({"while asking"}));
}

QTEST_GUILESS_MAIN(ScriptedPlatformTest)
#include "test_platform_scripted.moc"
