// The File menu and the reload button as the user drives them: the question
// about unsaved changes, open, save, save as, reload and the recent files.

#include "windowtestkit.h"

#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

#include <cstdio>
using namespace tarnel;

using namespace wkit;

namespace {

// A path line, so that it reads back from a saved file.
const QByteArray typedLine = "7, 0, 0, 10, 20, 30, 1, 1";

// Runs a command the way the user gives it ("close": the window's close
// button); returns whether the window is closed afterwards.
bool run(Session& s, const QString& command)
{
    if (command == u"close")
        return s.window->close();
    if (command == u"reloadButton")
        QTest::mouseClick(s.child<QPushButton>("reloadButton"), Qt::LeftButton);
    else
        s.action(qPrintable(command))->trigger();
    return !s.window->isVisible();
}

QByteArray settingsWithRecent(const QString& recent1)
{
    return QByteArray(defaultSettings).replace("recent1=recent1", "recent1=" + recent1.toUtf8());
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    // Every command that drops the open document asks first when it is changed.
    void unsavedChangesQuestion_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer"); // "unchanged": the document was not edited
        QTest::addColumn<QString>("goesTo"); // A, B, empty or closed; "stays" when stopped

        const struct {
            const char* command;
            const char* goesTo;
        } commands[] = {{"fileNew", "empty"}, {"fileClose", "empty"}, {"fileOpen", "B"},     {"reloadButton", "A"},
                        {"recentFile2", "B"}, {"close", "closed"},    {"fileExit", "closed"}};
        for (const auto& c : commands) {
            for (const char* answer : {"unchanged", "Cancel", "No", "Yes"}) {
                QTest::addRow("%s %s", c.command, answer)
                    << QString::fromLatin1(c.command) << QString::fromLatin1(answer)
                    << QString::fromLatin1(qstrcmp(answer, "Cancel") == 0 ? "stays" : c.goesTo);
            }
        }
    }

    void unsavedChangesQuestion()
    {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(QString, goesTo);

        Session s;
        const QString a = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("a.ide"));
        const QString b = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("b.ide"));
        QVERIFY(!a.isEmpty() && !b.isEmpty());
        s.useSettings(settingsWithRecent(b));
        const QByteArray aOnDisk = fileBytes(a);
        MainWindow& w = s.startShown(a);
        QCOMPARE(s.action("recentFile2")->data().toString(), b);
        const qsizetype aRows = w.document().table(LineKind::Object).rowCount();

        const bool changed = answer != u"unchanged";
        if (changed) {
            s.typePathLine(typedLine);
            QCOMPARE(w.windowTitle(), titleFor(a, true));
        }
        const QString statusBefore = w.statusText();
        s.platform.clear();
        if (answer == u"Yes")
            s.platform.answers << Platform::Answer::Yes;
        else if (answer == u"No")
            s.platform.answers << Platform::Answer::No;
        if (command == u"fileOpen")
            s.platform.fileNames << b;
        QSignalSpy statuses(&w.fileCommands(), &FileCommands::statusMessage);

        const bool closed = run(s, command);

        QStringList expectedKinds;
        if (command == u"fileOpen")
            expectedKinds << QStringLiteral("open");
        if (changed)
            expectedKinds << QStringLiteral("question");
        QCOMPARE(s.requestKinds(), expectedKinds);
        if (changed) {
            const ScriptedPlatform::Request& q = s.platform.requests.last();
            QCOMPARE(q.title, QStringLiteral("Save changes?"));
            QCOMPARE(q.text, saveQuestionText(a));
            QCOMPARE(q.icon, Platform::Icon::None);
        }

        // Yes writes the edit into the file before going on; anything else leaves the file alone.
        if (answer == u"Yes") {
            QVERIFY(!statuses.isEmpty());
            QCOMPARE(statuses.first().first().toString(), QStringLiteral("IDE File saved"));
            QVERIFY(fileBytes(a).startsWith(headerPrefix));
            QCOMPARE(sectionLines(fileBytes(a), "path").last(), typedLine);
        } else {
            QCOMPARE(fileBytes(a), aOnDisk);
        }

        if (goesTo == u"stays") {
            QVERIFY(!closed);
            QCOMPARE(w.windowTitle(), titleFor(a, true));
            QCOMPARE(w.document().openFilePath(), a);
            QCOMPARE(w.document().table(LineKind::Object).rowCount(), aRows);
            QVERIFY(w.document().pathText().endsWith(typedLine));
            QCOMPARE(w.statusText(), statusBefore);
            QVERIFY(statuses.isEmpty());
            return;
        }
        QCOMPARE(closed, goesTo == u"closed");
        if (closed)
            return;
        QVERIFY(!w.document().isModified());
        if (goesTo == u"empty") {
            QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]"));
            for (LineKind kind : allLineKinds)
                QCOMPARE(w.view(kind)->model()->rowCount(), 0);
            QVERIFY(w.document().pathText().isEmpty());
            QCOMPARE(w.statusText(),
                     command == u"fileNew" ? QStringLiteral("New file created") : QStringLiteral("File closed"));
        } else if (goesTo == u"B") {
            QCOMPARE(w.windowTitle(), titleFor(b));
            QCOMPARE(w.statusText(), QStringLiteral("IDE File opened"));
            QCOMPARE(s.action("recentFile1")->data().toString(), b);
            QCOMPARE(s.action("recentFile2")->data().toString(), a);
        } else {
            // Reload: the file as it is on disk now, with the edit only when it was saved.
            QCOMPARE(w.windowTitle(), titleFor(a));
            QCOMPARE(w.statusText(), QStringLiteral("File reopened"));
            QCOMPARE(w.document().table(LineKind::Object).rowCount(), aRows);
            QCOMPARE(w.document().pathText().endsWith(typedLine), answer == u"Yes");
        }
    }

    void discardedDocumentClosesWithoutAsking()
    {
        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("a.ide"));
        MainWindow& w = s.startShown(a);
        s.typePathLine(typedLine);
        s.platform.answers << Platform::Answer::No;
        s.action("fileNew")->trigger();
        QCOMPARE(w.statusText(), QStringLiteral("New file created"));

        s.platform.clear();
        s.action("fileClose")->trigger();
        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.statusText(), QStringLiteral("File closed"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]"));
    }

    // Yes on a document that has no name yet needs a name first; without one nothing is lost.
    void yesOnUntitledDocument_data()
    {
        QTest::addColumn<QString>("saveAs");
        QTest::newRow("save dialog cancelled") << QString();
        QTest::newRow("name chosen") << QStringLiteral("named.ide");
    }

    void yesOnUntitledDocument()
    {
        QFETCH(QString, saveAs);

        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        s.typePathLine(typedLine);
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]*"));
        s.platform.answers << Platform::Answer::Yes;
        const QString target = saveAs.isEmpty() ? QString() : s.path(saveAs);
        s.platform.fileNames << target;

        s.action("fileNew")->trigger();

        QCOMPARE(s.requestKinds(), (QStringList{QStringLiteral("question"), QStringLiteral("save")}));
        QCOMPARE(s.platform.requests.first().text, saveQuestionText(QStringLiteral("empty")));
        if (saveAs.isEmpty()) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]*"));
            QCOMPARE(w.document().pathText(), typedLine);
            QCOMPARE(w.statusText(), QStringLiteral("Tarnel ready"));
        } else {
            QCOMPARE(sectionLines(fileBytes(target), "path"), QByteArrayList{typedLine});
            QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]"));
            QVERIFY(w.document().pathText().isEmpty());
            QCOMPARE(w.statusText(), QStringLiteral("New file created"));
        }
    }

    void openChecksTheName_data()
    {
        QTest::addColumn<QString>("name"); // empty: the dialog is cancelled
        QTest::addColumn<bool>("accepted");

        QTest::newRow("cancelled") << QString() << false;
        QTest::newRow("lower case") << QStringLiteral("town.ide") << true;
        QTest::newRow("upper case") << QStringLiteral("TOWN.IDE") << true;
        QTest::newRow("mixed case") << QStringLiteral("town.Ide") << true;
        QTest::newRow("backup of one") << QStringLiteral("town.ide.bak") << false;
        QTest::newRow("text file") << QStringLiteral("town.txt") << false;
        QTest::newRow("no dot") << QStringLiteral("townide") << false;
    }

    void openChecksTheName()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);

        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("a.ide"));
        const QString chosen =
            name.isEmpty() ? QString() : s.copyOfCorpus(QStringLiteral("modmap-props.ide"), name);
        MainWindow& w = s.startShown(a);
        const qsizetype aRows = w.document().table(LineKind::Object).rowCount();
        s.platform.clear();
        s.platform.fileNames << chosen;

        s.action("fileOpen")->trigger();

        QCOMPARE(s.platform.requests.first().kind, QStringLiteral("open"));
        QCOMPARE(s.platform.requests.first().text, QStringLiteral("IDE Files (*.ide)|*.ide"));
        if (accepted) {
            QCOMPARE(s.platform.requests.size(), 1);
            QCOMPARE(w.windowTitle(), titleFor(chosen));
            QCOMPARE(w.statusText(), QStringLiteral("IDE File opened"));
            QCOMPARE(s.setting(QStringLiteral("recent1")), chosen);
            return;
        }
        if (name.isEmpty()) {
            QCOMPARE(s.platform.requests.size(), 1);
        } else {
            QCOMPARE(s.platform.requests.size(), 2);
            const ScriptedPlatform::Request& r = s.platform.requests.last();
            QCOMPARE(r.kind, QStringLiteral("message"));
            QCOMPARE(r.title, QStringLiteral("Tarnel"));
            QCOMPARE(r.text, QStringLiteral("This is not an IDE file.\r\nThis is an Tarnel. Try and guess why it "
                                            "wont open this file."));
            QCOMPARE(r.icon, Platform::Icon::Information);
        }
        QCOMPARE(w.windowTitle(), titleFor(a));
        QCOMPARE(w.document().table(LineKind::Object).rowCount(), aRows);
        QCOMPARE(w.statusText(), QStringLiteral("IDE File opened"));
        QCOMPARE(s.setting(QStringLiteral("recent1")), a);
    }

    void rejectedNameAsksNothingAboutChanges()
    {
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        s.typePathLine(typedLine);
        s.platform.fileNames << s.path(QStringLiteral("notes.txt"));
        s.action("fileOpen")->trigger();
        QCOMPARE(s.requestKinds(), (QStringList{QStringLiteral("open"), QStringLiteral("message")}));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]*"));
        QCOMPARE(w.document().pathText(), typedLine);
    }

    void saveWritesTheChosenName_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("named");  // a file was open before
        QTest::addColumn<bool>("chosen"); // the dialog gives a name

        QTest::newRow("Save on untitled") << QStringLiteral("fileSave") << false << true;
        QTest::newRow("Save as on untitled") << QStringLiteral("fileSaveAs") << false << true;
        QTest::newRow("Save as on a file") << QStringLiteral("fileSaveAs") << true << true;
        QTest::newRow("Save on untitled, dialog cancelled") << QStringLiteral("fileSave") << false << false;
        QTest::newRow("Save as on a file, dialog cancelled") << QStringLiteral("fileSaveAs") << true << false;
    }

    void saveWritesTheChosenName()
    {
        QFETCH(QString, command);
        QFETCH(bool, named);
        QFETCH(bool, chosen);

        Session s;
        s.useSettings();
        const QString a =
            named ? s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("a.ide")) : QString();
        const QByteArray aOnDisk = named ? fileBytes(a) : QByteArray();
        MainWindow& w = s.startShown(a);
        const QString before = named ? a : QStringLiteral("empty");
        s.typePathLine(typedLine);
        s.platform.clear();
        const QString target = s.path(QStringLiteral("saved.ide"));
        s.platform.fileNames << (chosen ? target : QString());

        QVERIFY(!run(s, command));

        QCOMPARE(s.requestKinds(), QStringList{QStringLiteral("save")});
        QCOMPARE(s.platform.requests.first().text, QStringLiteral("IDE Files (*.ide)|*.ide"));
        if (named)
            QCOMPARE(fileBytes(a), aOnDisk);
        if (!chosen) {
            QVERIFY(!QFile::exists(target));
            QCOMPARE(w.windowTitle(), titleFor(before, true));
            return;
        }
        const QByteArray written = fileBytes(target);
        QVERIFY(written.startsWith(headerPrefix));
        QCOMPARE(sectionLines(written, "path").last(), typedLine);
        QCOMPARE(w.windowTitle(), titleFor(target));
        QCOMPARE(w.statusText(), QStringLiteral("IDE File saved"));

        // What was written reads back as the same document.
        const QByteArray paths = w.document().pathText();
        const qsizetype rows = w.document().table(LineKind::Object).rowCount();
        s.platform.clear();
        QTest::mouseClick(s.child<QPushButton>("reloadButton"), Qt::LeftButton);
        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.document().pathText(), paths);
        QCOMPARE(w.document().table(LineKind::Object).rowCount(), rows);
    }

    void saveOnAFileNeedsNoDialog()
    {
        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("a.ide"));
        MainWindow& w = s.startShown(a);
        s.typePathLine(typedLine);
        s.platform.clear();
        s.action("fileSave")->trigger();
        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.windowTitle(), titleFor(a));
        QCOMPARE(w.statusText(), QStringLiteral("IDE File saved"));
        QCOMPARE(sectionLines(fileBytes(a), "path").last(), typedLine);
    }

    void saveFailureKeepsChanges_data()
    {
        QTest::addColumn<QString>("target");

        QTest::newRow("folder does not exist") << QStringLiteral("missing folder");
        QTest::newRow("name of a folder") << QStringLiteral("folder");
        QTest::newRow("read-only file") << QStringLiteral("read-only");
    }

    void saveFailureKeepsChanges()
    {
        QFETCH(QString, target);

        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("a.ide"));
        const QByteArray aOnDisk = fileBytes(a);
        QString path;
        if (target == u"missing folder") {
            path = s.path(QStringLiteral("no such folder/x.ide"));
        } else if (target == u"folder") {
            path = s.path(QStringLiteral("folder.ide"));
            QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("folder.ide")));
        } else {
            if (runningAsRoot())
                QSKIP("root writes read-only files");
            path = a;
            QVERIFY(QFile::setPermissions(a, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        }

        MainWindow& w = s.startShown(a);
        s.typePathLine(typedLine);
        s.platform.clear();
        if (path == a) {
            s.action("fileSave")->trigger();
        } else {
            s.platform.fileNames << path;
            s.action("fileSaveAs")->trigger();
            QCOMPARE(s.platform.requests.takeFirst().kind, QStringLiteral("save"));
        }

        QCOMPARE(s.platform.requests.size(), 1);
        const ScriptedPlatform::Request& r = s.platform.requests.first();
        QCOMPARE(r.kind, QStringLiteral("message"));
        QCOMPARE(r.title, QStringLiteral("Tarnel"));
        QCOMPARE(r.icon, Platform::Icon::Information);
        QVERIFY2(r.text.startsWith(QStringLiteral("Could not save ") + path + QStringLiteral("\r\n")),
                 qPrintable(r.text));

        QCOMPARE(w.windowTitle(), titleFor(a, true));
        QVERIFY(w.document().isModified());
        QVERIFY(w.document().pathText().endsWith(typedLine));
        QCOMPARE(fileBytes(a), aOnDisk);
        if (target == u"folder")
            QVERIFY(QFileInfo(path).isDir());
        if (target == u"missing folder")
            QVERIFY(!QFileInfo::exists(QFileInfo(path).path()));
    }

    void reloadOnUntitledDoesNothing()
    {
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        s.typePathLine(typedLine);
        QSignalSpy statuses(&w.fileCommands(), &FileCommands::statusMessage);
        QTest::mouseClick(s.child<QPushButton>("reloadButton"), Qt::LeftButton);
        QVERIFY(s.platform.requests.isEmpty());
        QVERIFY(statuses.isEmpty());
        QCOMPARE(w.statusText(), QStringLiteral("Tarnel ready"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]*"));
        QCOMPARE(w.document().pathText(), typedLine);
    }

    void reloadReadsTheDiskAgain()
    {
        Session s;
        s.useSettings();
        const QString a = s.path(QStringLiteral("a.ide"));
        const QString other = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("other.ide"));
        QVERIFY(putFile(a, "objs\r\n100, a, t, 1, 100, 0\r\n101, b, t, 1, 100, 0\r\nend\r\n"));
        MainWindow& w = s.startShown(a);
        QCOMPARE(labelText(w, "objectCount"), QStringLiteral("2"));
        QCOMPARE(labelText(w, "pathsPresent"), QStringLiteral("NO"));

        // Meanwhile the file is edited elsewhere and another file took the top of the list.
        QVERIFY(putFile(a,
                        "objs\r\n300, c, t, 1, 100, 0\r\n301, d, t, 1, 100, 0\r\n302, e, t, 1, 100, 0\r\nend\r\n"
                        "path\r\ngroup, 2\r\nend\r\n"));
        s.settings.writeSetting(QStringLiteral("recent1"), other);
        s.settings.writeSetting(QStringLiteral("recent2"), a);
        s.platform.clear();

        QTest::mouseClick(s.child<QPushButton>("reloadButton"), Qt::LeftButton);

        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.statusText(), QStringLiteral("File reopened"));
        QCOMPARE(firstValues(w.document(), LineKind::Object), (QByteArrayList{"300", "301", "302"}));
        QCOMPARE(w.document().pathText(), QByteArray("group, 2"));
        QCOMPARE(labelText(w, "objectCount"), QStringLiteral("3"));
        QCOMPARE(labelText(w, "pathsPresent"), QStringLiteral("YES"));
        QCOMPARE(w.windowTitle(), titleFor(a));
        QCOMPARE(s.setting(QStringLiteral("recent1")), a);
        QCOMPARE(s.setting(QStringLiteral("recent2")), other);
        QCOMPARE(s.action("recentFile1")->data().toString(), a);
    }

    void reloadOfAVanishedFile_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::newRow("unchanged") << false;
        QTest::newRow("edited, changes kept by No") << true;
    }

    void reloadOfAVanishedFile()
    {
        QFETCH(bool, edited);
        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("a.ide"));
        MainWindow& w = s.startShown(a);
        const qsizetype rows = w.document().table(LineKind::Object).rowCount();
        if (edited)
            s.typePathLine(typedLine);
        QVERIFY(QFile::remove(a));
        s.platform.clear();
        s.platform.answers << Platform::Answer::No;

        QTest::mouseClick(s.child<QPushButton>("reloadButton"), Qt::LeftButton);

        QCOMPARE(s.requestKinds(), edited ? QStringList({"question", "message"}) : QStringList{"message"});
        QCOMPARE(s.platform.messages(), QStringList{missingFileText(a)});
        QCOMPARE(w.statusText(), QStringLiteral("IDE File opened"));
        // Kept changes stay marked, so Close still asks about them.
        QCOMPARE(w.windowTitle(), titleFor(a, edited));
        QCOMPARE(w.document().table(LineKind::Object).rowCount(), rows);
    }

    // Files dropped on the window, or on the filter field, open as File > Open would.
    void droppedFilesOpen_data()
    {
        QTest::addColumn<QString>("row"); // "widget dropped on|files|request (Cancel)|status"
        QTest::newRow("window") << "mainWindow|a.ide||IDE File opened";
        QTest::newRow("filter field") << "filterField|a.ide||IDE File opened";
        QTest::newRow("several") << "mainWindow|a.ide b.ide||IDE File opened: the first of the 2 files dropped";
        QTest::newRow("not an IDE file") << "filterField|a.txt|message|Tarnel ready";
        QTest::newRow("changes, Cancel") << "mainWindow|a.ide|question|Tarnel ready";
    }

    void droppedFilesOpen()
    {
        QFETCH(QString, row);
        const QStringList names = row.section(u'|', 1, 1).split(u' '), asked{row.section(u'|', 2, 2)};
        Session s;
        s.useSettings();
        MainWindow& w = s.startShown();
        if (asked.first() == u"question")
            s.typePathLine(typedLine);
        QList<QUrl> urls;
        for (const QString& name : names)
            urls << QUrl::fromLocalFile(s.path(name));
        QVERIFY(putFile(s.path(names.first()), "objs\r\n100, a, t, 1, 100, 0\r\nend\r\n"));
        s.platform.answers << Platform::Answer::Cancel;
        QMimeData data;
        data.setUrls(urls);
        data.setText(urls.first().toString());
        QWidget* on = row.startsWith(w.objectName()) ? &w : w.findChild<QWidget*>(row.section(u'|', 0, 0));
        // Qt delivers a drop only after the drag entered.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(on, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(on, &drop);

        QVERIFY(drop.isAccepted());
        QCOMPARE(s.requestKinds().join(u' '), asked.first());
        QCOMPARE(w.statusText(), row.section(u'|', 3));
        QCOMPARE(w.document().openFilePath(), asked.first().isEmpty() ? s.path(names.first()) : QString());
        QCOMPARE(w.findChild<QLineEdit*>("filterField")->text(), QString());
    }

    // A file another program changed: with no changes here a reload is offered
    // at once ("wait"), else the status bar tells and Save or Reload asks first.
    void outsideChange_data()
    {
        // Outside change, command, answers: a digit a button of the outside question, Y or N the other.
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("written"); // the file holds this document's save
        QTest::addColumn<int>("objects");
        QTest::newRow("own saves ask nothing") << "none fileSave" << true << 1;
        QTest::newRow("Save anyway") << "edit fileSave 1" << true << 1;
        QTest::newRow("Cancel") << "edit fileSave 2" << false << 1;
        QTest::newRow("Reload, changes dropped") << "edit fileSave 0N" << false << 2;
        QTest::newRow("Reload, changes saved first") << "edit fileSave 0Y" << true << 1;
        QTest::newRow("vanished, Save anyway") << "delete fileSave 0" << true << 1;
        QTest::newRow("Reload button, Yes, Reload") << "edit reloadButton Y0" << false << 2;
        QTest::newRow("no changes here, reloaded") << "edit wait Y" << false << 2;
        QTest::newRow("renamed over, reloaded") << "rename wait Y" << false << 2;
        QTest::newRow("changes here, told") << "edit wait" << false << 1;
        QTest::newRow("vanished, told") << "delete wait" << false << 1;
    }

    void outsideChange()
    {
        QFETCH(QString, row);
        QFETCH(bool, written);
        QFETCH(int, objects);
        const QString outside = row.section(u' ', 0, 0), command = row.section(u' ', 1, 1);
        Session s;
        s.useSettings();
        const QString a = s.path(QStringLiteral("a.ide")), renamed = a + QStringLiteral(".new");
        QVERIFY(putFile(a, "objs\r\n100, a, t, 1, 100, 0\r\nend\r\n"));
        MainWindow& w = s.startShown(a);
        if (row != u"edit wait Y" && row != u"rename wait Y")
            s.typePathLine(typedLine);
        if (outside == u"none")
            s.action("fileSave")->trigger(); // a save of its own is no outside change
        const QString target = outside == u"rename" ? renamed : a;
        const QByteArray outsideBytes = "objs\r\n100, a, t, 1, 100, 0\r\n101, b, t, 1, 9, 0\r\nend\r\n";
        QVERIFY(outside == u"delete" ? QFile::remove(a) : outside == u"none" || putFile(target, outsideBytes));
        QVERIFY(target == a || std::rename(qPrintable(renamed), qPrintable(a)) == 0);
        s.platform.clear();
        QStringList kinds;
        for (QChar c : row.section(u' ', 2)) {
            kinds << (c.isDigit() ? "choice" : command == u"wait" ? "yesno" : "question");
            if (c.isDigit())
                s.platform.choices << c.digitValue();
            else
                s.platform.answers << (c == u'Y' ? Platform::Answer::Yes : Platform::Answer::No);
        }

        if (command == u"wait")
            QTRY_COMPARE(w.statusText(), kinds.isEmpty() ? outside == u"edit" ? texts::fileChangedKeepingChanges
                                                                              : texts::fileVanished
                                                         : texts::fileReopened);
        else
            run(s, command);

        QCOMPARE(s.requestKinds(), kinds);
        if (kinds.contains(QStringLiteral("choice")))
            QCOMPARE(s.platform.requests.at(kinds.indexOf(QStringLiteral("choice"))).text,
                     outside == u"edit" ? "The file was changed by another program since it was opened."
                                        : texts::fileVanishedBeforeSave);
        QCOMPARE(fileBytes(a).contains(typedLine), written);
        QCOMPARE(w.document().table(LineKind::Object).rowCount(), objects);
    }

    // A file that cannot be used leaves nothing that Save could write over it.
    void failedOpenLeavesNothingToOverwrite_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("keepsDocument");
        QTest::addColumn<QString>("reason");
        QTest::newRow("UTF-16, little end first")
            << QByteArray("\xff\xfeo\0b\0j\0s\0") << true << "Could not be read: it is UTF-16 text.";
        QTest::newRow("UTF-16, big end first")
            << QByteArray("\xfe\xff\0o\0b\0j\0s") << true << "Could not be read: it is UTF-16 text.";
        // Unreadable files: tests/robustness, which runs them as an unprivileged user.
        QTest::newRow("missing") << QByteArray() << false << "Does not exsist";
    }

    void failedOpenLeavesNothingToOverwrite()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, keepsDocument);
        QFETCH(QString, reason);
        Session s;
        s.useSettings();
        const QString open = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("open.ide"));
        const QString chosen = s.path(QStringLiteral("chosen.ide"));
        if (!bytes.isNull())
            QVERIFY(putFile(chosen, bytes));
        MainWindow& w = s.startShown(open);
        const qsizetype rows = w.document().table(LineKind::Object).rowCount();
        s.platform.clear();
        s.platform.fileNames << chosen;
        s.action("fileOpen")->trigger();

        QCOMPARE(s.requestKinds(), QStringList({"open", "message"}));
        QVERIFY2(s.platform.messages().first().startsWith(chosen + QStringLiteral("\r\n") + reason),
                 qPrintable(s.platform.messages().first()));
        QCOMPARE(w.document().openFilePath(), keepsDocument ? open : QString());
        QCOMPARE(w.document().table(LineKind::Object).rowCount(), keepsDocument ? rows : 0);
        QVERIFY(!w.document().isModified());

        // Save goes to the open file, or through Save as; the chosen file is never written.
        s.platform.clear();
        s.platform.fileNames << QString();
        s.action("fileSave")->trigger();
        QCOMPARE(s.requestKinds(), keepsDocument ? QStringList() : QStringList{"save"});
        QCOMPARE(QFileInfo::exists(chosen), !bytes.isNull());
        QCOMPARE(fileBytes(chosen), bytes);
    }

    // The open and save dialogs start at the open file: its folder, and for Save as its name.
    void dialogsStartAtTheOpenFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("untitled");
        QTest::newRow("open: the file's folder") << "fileOpen" << false;
        QTest::newRow("save as: the file itself") << "fileSaveAs" << false;
        QTest::newRow("untitled: anywhere") << "fileSave" << true;
    }
    void dialogsStartAtTheOpenFile()
    {
        QFETCH(QString, command);
        QFETCH(bool, untitled);
        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("a.ide"));
        s.startShown(untitled ? QString() : a);
        s.platform.clear();
        s.action(qPrintable(command))->trigger();
        const QString expected = untitled ? QString() : command == u"fileSaveAs" ? a : QFileInfo(a).absolutePath();
        QCOMPARE(s.platform.requests.constFirst().start, expected);
    }

    void freshRecentListOpensNothing()
    {
        Session s;
        MainWindow& w = s.startShown();
        for (int n = 1; n <= 7; ++n) {
            QAction* item = s.action(qPrintable(QStringLiteral("recentFile%1").arg(n)));
            QCOMPARE(item->text(), QStringLiteral("recent%1").arg(n));
            // An empty slot is not offered.
            QVERIFY(!item->isVisible());
            item->trigger();
        }
        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarnel [ empty ]"));
        QCOMPARE(w.statusText(), QStringLiteral("Settings file rebuilt"));
    }

    // After an open the empty slots move down a place and keep the names they
    // had: such a name is no longer its slot's own, so it is taken as a file
    // name, reported missing, and the open document stays.
    void emptySlotsMovedDownReadAsMissingFiles()
    {
        Session s;
        const QString a = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("a.ide"));
        MainWindow& w = s.startShown(a);
        QCOMPARE(s.action("recentFile1")->data().toString(), a);
        s.platform.clear();
        for (int n = 2; n <= 7; ++n) {
            QAction* item = s.action(qPrintable(QStringLiteral("recentFile%1").arg(n)));
            QCOMPARE(item->text(), QStringLiteral("recent%1").arg(n - 1));
            QVERIFY(!item->isVisible());
            item->trigger();
            QCOMPARE(s.platform.messages().constLast(), QStringLiteral("recent%1\r\nDoes not exsist").arg(n - 1));
        }
        QCOMPARE(s.platform.requests.size(), 6);
        QCOMPARE(w.windowTitle(), titleFor(a));
        QCOMPARE(w.document().openFilePath(), a);
        QCOMPARE(s.action("recentFile1")->data().toString(), a);
    }

    void recentListFollowsOpens()
    {
        Session s;
        s.useSettings();
        // An ampersand would turn into a keyboard accelerator in a menu caption.
        const QString a =
            s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("roads & props.ide"));
        const QString b = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("b.ide"));
        MainWindow& w = s.startShown();
        s.platform.fileNames << a << b;
        s.action("fileOpen")->trigger();
        s.action("fileOpen")->trigger();
        QCOMPARE(w.windowTitle(), titleFor(b));

        QCOMPARE(s.setting(QStringLiteral("recent1")), b);
        QCOMPARE(s.setting(QStringLiteral("recent2")), a);
        QCOMPARE(s.action("recentFile1")->data().toString(), b);
        QCOMPARE(s.action("recentFile1")->text(), b);
        QCOMPARE(s.action("recentFile2")->data().toString(), a);
        QCOMPARE(s.action("recentFile2")->text(), QString(a).replace(QStringLiteral("&"), QStringLiteral("&&")));
        QVERIFY(s.action("recentFile2")->isVisible());

        s.platform.clear();
        s.action("recentFile2")->trigger();
        QVERIFY(s.platform.requests.isEmpty());
        QCOMPARE(w.windowTitle(), titleFor(a));
        QCOMPARE(w.statusText(), QStringLiteral("IDE File opened"));
        QCOMPARE(s.action("recentFile1")->data().toString(), a);
        QCOMPARE(s.action("recentFile2")->data().toString(), b);
    }

    void missingRecentFileKeepsTheOpenDocument()
    {
        Session s;
        s.useSettings();
        const QString a = s.copyOfCorpus(QStringLiteral("modmap-smalltown3.ide"), QStringLiteral("a.ide"));
        const QString b = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("b.ide"));
        MainWindow& w = s.startShown(a);
        s.platform.fileNames << b;
        s.action("fileOpen")->trigger();
        const qsizetype rows = w.document().table(LineKind::Object).rowCount();
        const QByteArray paths = w.document().pathText();
        QVERIFY(QFile::remove(a));
        s.platform.clear();

        s.action("recentFile2")->trigger();

        QCOMPARE(s.platform.requests.size(), 1);
        QCOMPARE(s.platform.requests.first().kind, QStringLiteral("message"));
        QCOMPARE(s.platform.requests.first().title, QStringLiteral("Tarnel"));
        QCOMPARE(s.platform.requests.first().text, missingFileText(a));
        QCOMPARE(s.platform.requests.first().icon, Platform::Icon::Information);
        QCOMPARE(w.document().openFilePath(), b);
        QCOMPARE(w.windowTitle(), titleFor(b));
        QCOMPARE(w.document().table(LineKind::Object).rowCount(), rows);
        QCOMPARE(w.document().pathText(), paths);
        QCOMPARE(s.action("recentFile1")->data().toString(), b);
        QCOMPARE(s.action("recentFile2")->data().toString(), a);
    }

    void functionKeyOpensRecentFile()
    {
        Session s;
        const QString c = s.copyOfCorpus(QStringLiteral("modmap-props.ide"), QStringLiteral("c.ide"));
        s.useSettings(QByteArray(defaultSettings).replace("recent3=recent3", "recent3=" + c.toUtf8()));
        MainWindow& w = s.startShown();
        QCOMPARE(s.action("recentFile3")->shortcut(), QKeySequence(Qt::Key_F3));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        QTest::keyClick(&w, Qt::Key_F3);

        QCOMPARE(w.windowTitle(), titleFor(c));
        QCOMPARE(s.setting(QStringLiteral("recent1")), c);
    }

    // 500 object lines one value short each: once the prompt's box is ticked the rest of that
    // load is only counted, and the next load prompts again.
    void loadPromptsStopOnceTicked_data()
    {
        QTest::addColumn<int>("tickedAt"); // the prompt whose box is ticked, from 1; 0: none
        QTest::addColumn<int>("prompts");
        QTest::addColumn<QString>("summary");
        QTest::newRow("first") << 1 << 1 << QStringLiteral("There were 499 more load errors in this file.");
        QTest::newRow("none") << 0 << 500 << QString();
        QTest::newRow("one before last")
            << 499 << 499 << QStringLiteral("There was 1 more load error in this file.");
        QTest::newRow("last") << 500 << 500 << QString();
    }
    void loadPromptsStopOnceTicked()
    {
        QFETCH(int, tickedAt);
        QFETCH(int, prompts);
        QFETCH(QString, summary);

        Session s;
        s.useSettings();
        const QString path = s.path(QStringLiteral("short.ide"));
        // A complete line first: beside it, lines of five values are short.
        QByteArray bytes = "objs\r\n" + lineWithFields("1", 6) + "\r\n";
        for (int k = 0; k < 500; ++k)
            bytes += lineWithFields(QByteArray::number(1000 + k), 5) + "\r\n";
        QVERIFY(putFile(path, bytes + "end\r\n"));
        for (int k = 1; k <= 500; ++k)
            s.platform.ticks << (k == tickedAt);
        s.startShown(path);

        QStringList kinds(prompts, QStringLiteral("checkmessage"));
        if (!summary.isEmpty())
            kinds << QStringLiteral("message");
        QCOMPARE(s.requestKinds(), kinds);
        // In file order, each with its box; the summary looks like every other notice.
        for (int k = 0; k < s.platform.requests.size(); ++k) {
            const ScriptedPlatform::Request& r = s.platform.requests[k];
            QCOMPARE(r.text, k < prompts
                                 ? QStringLiteral("The below line caused and error. Please correct or further "
                                                  "errors could occur\r\n") +
                                       lineWithFields(QByteArray::number(1000 + k), 5)
                                 : summary + QStringLiteral("\r\nFile > Load report lists every one."));
            QCOMPARE(r.checkBox, k < prompts ? QStringLiteral("Do not show again for this file") : QString());
            QCOMPARE(r.title, QStringLiteral("Tarnel"));
            QCOMPARE(r.icon, Platform::Icon::Information);
        }

        // The next load prompts again and counts afresh.
        s.platform.clear();
        s.platform.ticks = {false, true};
        QTest::mouseClick(s.child<QPushButton>("reloadButton"), Qt::LeftButton);
        QCOMPARE(s.requestKinds(), QStringList({"checkmessage", "checkmessage", "message"}));
        QCOMPARE(s.platform.messages().constLast(),
                 QStringLiteral(
                     "There were 498 more load errors in this file.\r\nFile > Load report lists every one."));
    }
};

TARNEL_TEST_MAIN(FileCommandsTest)
#include "test_mainwindow_filecommands.moc"
