#include "editors/editorhost.h"

#include "document/idedocument.h"
#include "editors/editorplacement.h"
#include "editors/lighteditor.h"
#include "editors/objecteditor.h"
#include "editors/particleeditor.h"
#include "editors/pededitor.h"
#include "editors/suneditor.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QScreen>

#include <algorithm>

namespace tarnel {

EditorHost::EditorHost(IdeDocument& document, Platform& platform, QWidget* owner, QObject* parent)
    : QObject(parent), m_document(document), m_platform(platform), m_owner(owner)
{
}

EditorHost::~EditorHost()
{
    // Editors of an owner are its children and go with it; only ownerless ones are left here.
    for (const QPointer<LineEditor>& editor : m_editors) {
        if (editor && !editor->parent())
            delete editor.data();
    }
}

void EditorHost::openRows(LineKind kind, const QList<qsizetype>& rows)
{
    // Each row would only replace the one before in the fields, so the last is loaded once,
    // however many are selected.
    const qsizetype count = m_document.table(kind).rowCount();
    qsizetype last = -1;
    for (qsizetype row : rows) {
        if (row >= 0 && row < count)
            last = std::max(last, row);
    }
    if (last < 0)
        return;
    if (!mayReplace(kind, last)) {
        shownEditor(kind);
        return;
    }
    shownEditor(kind)->loadRow(last);
}

void EditorHost::openNew(LineKind kind)
{
    shownEditor(kind)->enterAddMode();
}

QWidget* EditorHost::editor(LineKind kind) const
{
    return m_editors[size_t(kind)].data();
}

bool EditorHost::mayDiscardAll()
{
    for (const QPointer<LineEditor>& open : m_editors) {
        if (!open || !open->hasUnconfirmedChanges())
            continue;
        const std::optional<qsizetype> followed = open->followedRow();
        const QString question = open->mode() == LineEditor::Mode::Edit && followed
                                     ? texts::discardLineChanges.arg(*followed + 1)
                                     : texts::discardEditorChanges.arg(open->windowTitle());
        // The question is about fields the user should see.
        open->raise();
        if (m_platform.askYesNo(open, texts::appTitle, question) != Platform::Answer::Yes)
            return false;
        open->close();
    }
    return true;
}

bool EditorHost::mayReplace(LineKind kind, qsizetype row)
{
    LineEditor* open = m_editors[size_t(kind)];
    const std::optional<qsizetype> followed = open ? open->followedRow() : std::nullopt;
    if (!followed || *followed == row || !open->hasUnconfirmedChanges())
        return true;
    return m_platform.askYesNo(open, texts::appTitle, texts::discardLineChanges.arg(*followed + 1)) ==
           Platform::Answer::Yes;
}

void EditorHost::placeBesideOwner(LineEditor* editor) const
{
    if (m_owner)
        tarnel::placeBesideOwner(*m_owner, *editor);
}

LineEditor* EditorHost::shownEditor(LineKind kind)
{
    QPointer<LineEditor>& slot = m_editors[size_t(kind)];
    if (!slot) {
        slot = createEditor(kind);
        placeBesideOwner(slot);
        slot->show();
    } else {
        // Already open, perhaps behind the main window: bring it forward.
        slot->show();
        slot->raise();
        slot->activateWindow();
    }
    return slot;
}

namespace {

// The editor class of each kind, in the kinds' order; the object editor is told whether it edits timed objects.
template <typename Editor, auto... timed>
LineEditor* makeEditor(IdeDocument& document, Platform& platform, QWidget* owner)
{
    return new Editor(timed..., document, platform, owner);
}

const std::array<LineEditor* (*)(IdeDocument&, Platform&, QWidget*), lineKindCount> editorFactories = {
    makeEditor<ObjectEditor, false>, makeEditor<ObjectEditor, true>, makeEditor<LightEditor>,
    makeEditor<SunEditor>,           makeEditor<ParticleEditor>,     makeEditor<PedEditor>};

} // namespace

LineEditor* EditorHost::createEditor(LineKind kind)
{
    LineEditor* editor = editorFactories[size_t(kind)](m_document, m_platform, m_owner);
    connect(editor, &LineEditor::statusMessage, this, &EditorHost::statusMessage);
    connect(editor, &LineEditor::rowConfirmed, this,
            [this, kind](qsizetype row) { emit rowConfirmed(kind, row); });
    connect(editor, &LineEditor::finished, this, [this, kind, editor] {
        // Cleared at once: the next opening makes a fresh editor even before this one is gone.
        if (m_editors[size_t(kind)] == editor)
            m_editors[size_t(kind)] = nullptr;
        editor->deleteLater();
    });
    return editor;
}

} // namespace tarnel
