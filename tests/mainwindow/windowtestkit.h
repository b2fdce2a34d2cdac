#pragma once

// Shared by the main window tests: a window on a scripted desktop with its own
// settings file in a temporary folder.

#include "document/idedocument.h"
#include "mainwindow/filecommands.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/pathsview.h"
#include "mainwindow/sectionselector.h"
#include "mainwindow/sectionview.h"
#include "platform/scriptedplatform.h"
#include "settings/inifile.h"
#include "settings/settingsfile.h"
#include "support/filelines.h"
#include "support/longtests.h"
#include "support/testfiles.h"
#include "support/testmain.h"
#include "support/windowsession.h"

#include <QAction>
#include <QByteArrayList>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace tarnel {

namespace wkit {

using namespace support;

// The lines between the first line reading `keyword` (any case) and the next "end".
inline QByteArrayList sectionLines(const QByteArray& bytes, const QByteArray& keyword)
{
    QByteArrayList out;
    bool inside = false;
    for (const QByteArray& line : linesOf(bytes)) {
        const QByteArray word = line.trimmed().toLower();
        if (!inside) {
            inside = word == keyword.toLower();
            continue;
        }
        if (word == "end")
            return out;
        out.append(line);
    }
    return out;
}

// A definition line with `fields` comma-separated values, the first being `id`.
inline QByteArray lineWithFields(const QByteArray& id, int fields)
{
    QByteArray line = id;
    for (int k = 1; k < fields; ++k)
        line += ", " + QByteArray::number(k);
    return line;
}

// A file with `rows` rows in every table, first values counting up from
// 100 per table (100.., 200.., ...), and a path group.
inline QByteArray sampleIde(int rows)
{
    const auto block = [rows](int base, int fields) {
        QByteArray out;
        for (int k = 0; k < rows; ++k)
            out += lineWithFields(QByteArray::number(base + k), fields) + "\r\n";
        return out;
    };
    return "objs\r\n" + block(100, 6) + "end\r\ntobj\r\n" + block(200, 8) +
           "end\r\npath\r\ngroup, 1\r\n\t1, 0, 0, 5, 5, 5, 1, 1\r\nend\r\n2dfx\r\n" + block(300, 20) +
           block(400, 9) + block(500, 14) + block(600, 16) + "end\r\n";
}

// The first values of a table's rows, top to bottom.
inline QByteArrayList firstValues(const IdeDocument& document, LineKind kind)
{
    QByteArrayList out;
    const RowStore& rows = document.table(kind).rows();
    for (qsizetype row = 0; row < rows.size(); ++row)
        out.append(rows.firstValue(row).toByteArray());
    return out;
}

inline QString labelText(QWidget& window, const char* name)
{
    auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QString::fromLatin1(name));
}

inline QString titleFor(const QString& path, bool changed = false)
{
    return QStringLiteral("Tarnel [ ") + path + QStringLiteral(" ]") + (changed ? QStringLiteral("*") : QString());
}

inline QString missingFileText(const QString& path)
{
    return path + QStringLiteral("\r\nDoes not exsist");
}

inline QString saveQuestionText(const QString& path)
{
    return QStringLiteral("File: ") + path + QStringLiteral("\r\nDo you want to save changes?");
}

// The window session of every window test, and what only these tests ask of it.
struct Session : WindowSession {
    QString setting(const QString& key) const
    {
        return IniFile::read(settings.path(), QStringLiteral("tarnel"), key).value_or(QStringLiteral("<missing>"));
    }

    QStringList requestKinds() const
    {
        QStringList kinds;
        for (const ScriptedPlatform::Request& r : platform.requests)
            kinds << r.kind;
        return kinds;
    }

    // Clicks a caption of the section selector the way the user does.
    void clickSection(int index)
    {
        QLabel* label = window->selector()->label(index);
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    }

    // Shows the paths text and types a new last line into it, as the user
    // does; the window must be shown.
    void typePathLine(const QByteArray& text)
    {
        clickSection(2);
        PathsView* paths = window->pathsView();
        paths->moveCursor(QTextCursor::End);
        if (!paths->toPlainText().isEmpty())
            QTest::keyClick(paths, Qt::Key_Return);
        QTest::keyClicks(paths, QString::fromLatin1(text));
    }
};

} // namespace wkit

} // namespace tarnel
