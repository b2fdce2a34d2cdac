#pragma once

// Shared by the editor tests: a document, a scripted desktop, an owner window
// and the host, with small ways to reach the editors' controls by name.

#include "document/idedocument.h"
#include "editors/editorhost.h"
#include "editors/lineeditor.h"
#include "support/testeditkey.h"
#include "platform/scriptedplatform.h"
#include "support/childlookup.h"
#include "support/testmain.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <array>

namespace tarnel {

namespace ekit {

inline const QString missingValue =
    QStringLiteral("Missing value detected\r\nPlease make shure all sections have there values");

// A line's values as the loader makes them: split at commas, spaces trimmed.
inline QList<QByteArray> values(const QByteArray& line)
{
    QList<QByteArray> out;
    for (const QByteArray& piece : line.split(','))
        out << piece.trimmed();
    return out;
}

inline QByteArray joined(const QList<QByteArray>& values)
{
    return QByteArrayList(values).join(", ");
}

// One line of each kind, every value different, so a value in the wrong column shows.
inline QByteArray sampleLine(LineKind kind)
{
    static const std::array<QByteArray, lineKindCount> lines = {
        "1200, barrel, props, 1, 150, 0",
        "1300, lamp, street, 1, 90, 0, 20, 6",
        "1400, 1.5, -2, 3.25, 255, 128, 0, 200, 0, coronastar, shad_exp, 100, 12, 1, 8, 2, 3, 1, 0, 0",
        "1500, 4, 5, 6, 10, 20, 30, 250, 4",
        "1600, 7, 8, 9, 40, 50, 60, 200, 1, 3, 0.1, 0.2, 0.3, 2",
        "1700, 1, 2, 3, 0, 0, 0, 120, 3, 2, 0.5, 0.6, 0.7, 0.8, 0.9, 1"};
    return lines[size_t(kind)];
}

struct Session {
    IdeDocument document;
    ScriptedPlatform platform;
    QWidget owner;
    EditorHost host{document, platform, &owner};
    QStringList statuses;
    support::ChildLookup children;

    Session()
    {
        QObject::connect(&host, &EditorHost::statusMessage, [this](const QString& text) { statuses << text; });
    }

    qsizetype addRow(LineKind kind, const QByteArray& line)
    {
        return document.table(kind).appendRow(testKey, values(line));
    }
    // Gives the table these lines as a file read would, which decides its layout.
    void readRows(LineKind kind, const QByteArrayList& lines)
    {
        RowStore rows;
        for (const QByteArray& line : lines)
            rows.appendLine(line);
        document.table(kind).replaceAll(testKey, std::move(rows));
    }
    QList<QByteArray> row(LineKind kind, qsizetype at) const { return document.table(kind).rows().values(at); }
    QWidget* open(LineKind kind, const QList<qsizetype>& rows)
    {
        host.openRows(kind, rows);
        return host.editor(kind);
    }
    QWidget* openNew(LineKind kind)
    {
        host.openNew(kind);
        return host.editor(kind);
    }
    // The open editor of the kind, to ask its mode and row.
    const LineEditor& editor(LineKind kind) const
    {
        const auto* editor = qobject_cast<const LineEditor*>(host.editor(kind));
        if (!editor)
            qFatal("no open editor");
        return *editor;
    }
    template <typename T = QLineEdit>
    T* child(LineKind kind, const char* name,
             const std::source_location& where = std::source_location::current()) const
    {
        return children.find<T>(host.editor(kind), name, where);
    }
    QString text(LineKind kind, const char* name) const { return child(kind, name)->text(); }
    void setText(LineKind kind, const char* name, const QString& text) const { child(kind, name)->setText(text); }
    // Replaces a field's text by typing, as the user would.
    void type(LineKind kind, const char* name, const QString& text) const
    {
        QLineEdit* field = child(kind, name);
        field->selectAll();
        for (const QChar c : text) {
            // keyClicks knows ASCII only; other characters arrive as the text of a key.
            if (c.unicode() < 0x80)
                QTest::keyClick(field, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    void click(LineKind kind, const char* name) const
    {
        QTest::mouseClick(child<QPushButton>(kind, name), Qt::LeftButton);
    }
    QString preview(LineKind kind) const { return text(kind, "preview"); }
    QColor swatch(LineKind kind) const
    {
        return child<QFrame>(kind, "colourSwatch")->palette().color(QPalette::Window);
    }
};

} // namespace ekit

} // namespace tarnel
Q_DECLARE_METATYPE(tarnel::LineKind)
namespace tarnel {

} // namespace tarnel
