#include "mainwindow/optionboxes.h"

#include "document/idedocument.h"
#include "history/edithistory.h"
#include "settings/settingsfile.h"
#include "texts/texts.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace tarnel {

namespace {

const QString linesKey = QStringLiteral("lines");
const QString pasteKey = QStringLiteral("paste");
const QString sortKey = QStringLiteral("sort");
const QString keepLayoutKey = QStringLiteral("keepLayout");

QCheckBox* optionBox(QWidget& panel, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, &panel);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

OptionBoxes::OptionBoxes(IdeDocument& document, SettingsFile& settings, QWidget& panel)
    : QObject(&panel), m_document(document), m_settings(settings),
      m_showLines(optionBox(panel, "gridLinesBox", texts::gridLines)),
      m_catchPaste(optionBox(panel, "catchPasteBox", texts::catchPaste)),
      m_objectSort(optionBox(panel, "sortByIdBox", texts::sortByObject)),
      m_keepLayout(optionBox(panel, "keepLayout", texts::keepFileLayout))
{
    const auto following = [this](void (OptionBoxes::*changed)(bool), const QString& key) {
        return [this, changed, key](bool on) {
            emit(this->*changed)(on);
            write(key, on);
        };
    };
    connect(m_showLines, &QCheckBox::toggled, this, following(&OptionBoxes::gridLinesChanged, linesKey));
    connect(m_catchPaste, &QCheckBox::toggled, this, following(&OptionBoxes::pasteCatchingChanged, pasteKey));
    connect(m_objectSort, &QCheckBox::toggled, this, &OptionBoxes::applySort);
    // The box follows the document's sorting, which undo and redo change too.
    connect(&m_document, &IdeDocument::sortedChanged, m_objectSort, [this](bool sorted) {
        const QSignalBlocker quiet(m_objectSort);
        m_objectSort->setChecked(sorted);
        write(sortKey, sorted);
    });
    connect(m_keepLayout, &QCheckBox::toggled, this, following(&OptionBoxes::keepLayoutChanged, keepLayoutKey));
}

void OptionBoxes::restore()
{
    m_objectSort->setChecked(m_settings.readOption(sortKey));
    m_showLines->setChecked(m_settings.readOption(linesKey));
    m_catchPaste->setChecked(m_settings.readOption(pasteKey));
    m_keepLayout->setChecked(m_settings.readAddedOption(keepLayoutKey));
    // The Edit menu must match the box also when the box stayed clear.
    emit pasteCatchingChanged(m_catchPaste->isChecked());
    write(pasteKey, m_catchPaste->isChecked());
}

void OptionBoxes::showKeepLayout(bool on)
{
    const QSignalBlocker quiet(m_keepLayout);
    m_keepLayout->setChecked(on);
}

void OptionBoxes::applySort(bool on)
{
    EditHistory::of(m_document).setSorted(on);
    write(sortKey, on);
}

// How the settings file stores an option.
void OptionBoxes::write(const QString& key, bool on)
{
    m_settings.writeSetting(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace tarnel
