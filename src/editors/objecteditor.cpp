#include "editors/objecteditor.h"

#include "document/rowcells.h"
#include "editors/editordesigns.h"
#include "editors/meshwarning.h"
#include "texts/texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tarnel {

namespace {

LineKind kindOf(bool timed)
{
    return timed ? LineKind::TimedObject : LineKind::Object;
}

} // namespace

ObjectEditor::ObjectEditor(bool timed, IdeDocument& document, Platform& platform, QWidget* owner)
    : LineEditor(editorDesign(kindOf(timed)), document, kindOf(timed), platform, owner)
{
    const QList<LabelledField> left = {
        addTextField(0, "objectIdField", texts::objectIdCaption),
        addTextField(1, "objectNameField", texts::objectNameCaption),
        addTextField(2, "textureFileField", texts::textureFileCaption),
    };
    QList<LabelledField> right = {
        addTextField(3, "objectCountField", texts::objectCountCaption),
        addTextField(4, "drawDistanceField", texts::drawDistanceCaption),
        addTextField(5, "parametersField", texts::objectParametersCaption),
    };
    if (timed) {
        right << addTextField(6, "timeOnField", texts::timeOnCaption)
              << addTextField(7, "timeOffField", texts::timeOffCaption);
    }

    m_meshCount = right[0].field;
    m_drawDistances = right[1].field;
    setListColumn(drawDistanceColumn);
    m_meshWarning = new QLabel(frame());
    m_meshWarning->setObjectName(QStringLiteral("meshWarning"));
    connect(m_meshCount, &QLineEdit::textChanged, this, &ObjectEditor::showMeshWarning);
    connect(m_drawDistances, &QLineEdit::textChanged, this, &ObjectEditor::showMeshWarning);

    auto* fields = new QVBoxLayout(frame());
    auto* columns = new QHBoxLayout;
    QGridLayout* leftGrid = captionedRows(left);
    leftGrid->setRowStretch(int(left.size()), 1);
    QGridLayout* rightGrid = captionedRows(right);
    rightGrid->setRowStretch(int(right.size()), 1);
    columns->addLayout(leftGrid, 3);
    columns->addLayout(rightGrid, 2);
    fields->addLayout(columns, 1);
    fields->addWidget(m_meshWarning);
    setMinimumWidth(620);
}

void ObjectEditor::layoutChanged()
{
    // The later layout has no mesh count: nothing to show or type there.
    if (isLaterLayoutLine())
        m_meshCount->clear();
    m_meshCount->setEnabled(!isLaterLayoutLine());
    showMeshWarning();
}

void ObjectEditor::showMeshWarning()
{
    m_meshWarning->setText(isLaterLayoutLine() ? QString()
                                               : meshWarning(m_meshCount->text(), m_drawDistances->text()));
}

} // namespace tarnel
