#include "mainwindow/leftpanel.h"

#include "document/idedocument.h"
#include "mainwindow/optionboxes.h"
#include "mainwindow/pitchedrows.h"
#include "mainwindow/sectionselector.h"
#include "mainwindow/statisticspanel.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>

namespace tarnel {

LeftPanel::LeftPanel(IdeDocument& document, Platform& platform, SettingsFile& settings, QWidget* parent)
    : QWidget(parent), m_document(document), m_platform(platform), m_selector(new SectionSelector(this)),
      m_statistics(new StatisticsPanel(document, this)), m_options(new OptionBoxes(document, settings, *this))
{
    setObjectName(QStringLiteral("leftPanel"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_selector->setAutoFillBackground(true);
    m_selector->setBackgroundRole(QPalette::Base);

    auto* openNote = new QPushButton(texts::notepad, this);
    openNote->setObjectName(QStringLiteral("openInTextEditor"));
    m_reload = new QPushButton(texts::reloadOpenFile, this);
    m_reload->setObjectName(QStringLiteral("reloadButton"));
    connect(openNote, &QPushButton::clicked, this, &LeftPanel::openInTextEditor);

    // Column 0 indents the options under the statistics.
    auto* rows = new PitchedRows(this);
    rows->setColumnMinimumWidth(0, 8);
    rows->setColumnMinimumWidth(1, 121);
    rows->addRow(m_selector, 176, 0, 2);
    rows->addRow(m_statistics, 160, 0, 2);
    for (QCheckBox* box : {m_options->showLines(), m_options->catchPaste(), m_options->objectSort()})
        rows->addRow(box, 16, 1);
    rows->addRow(m_options->keepLayout(), 24, 1);
    rows->addRow(openNote, 24, 0, 2);
    rows->addRow(m_reload, 24, 0, 2);
    rows->endRows();
}

void LeftPanel::openInTextEditor()
{
    if (m_document.isUntitled())
        return;
    // The answer may come later, from the event loop: the panel may be gone by then.
    m_platform.openInTextEditor(m_document.openFilePath(), [panel = QPointer<LeftPanel>(this)](bool started) {
        if (!started && panel)
            panel->m_platform.showMessage(panel->window(), texts::appTitle, texts::textEditorFailed,
                                          Platform::Icon::Information);
    });
}

} // namespace tarnel
