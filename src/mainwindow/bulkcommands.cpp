#include "mainwindow/bulkcommands.h"

#include "mainwindow/convertlayoutdialog.h"
#include "mainwindow/namedaction.h"
#include "mainwindow/sectionmodel.h"
#include "mainwindow/sectionswitcher.h"
#include "mainwindow/sectionview.h"
#include "mainwindow/setcolumndialog.h"
#include "texts/texts.h"

#include <QAction>
#include <QLocale>
#include <QMenu>

namespace tarnel {

BulkCommands::BulkCommands(IdeDocument& document, Platform& platform, SectionSwitcher& sections, QWidget& window)
    : QObject(&window), m_document(document), m_platform(platform), m_sections(sections), m_window(window)
{
}

void BulkCommands::addEditItems(QMenu& edit)
{
    QAction* setColumn = namedAction(&m_window, QStringLiteral("editSetColumn"), texts::menuSetColumn);
    setColumn->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(setColumn, &QAction::triggered, this, &BulkCommands::openSetColumn);
    QAction* convert = namedAction(&m_window, QStringLiteral("editConvertLayout"), texts::menuConvertLayout);
    connect(convert, &QAction::triggered, this, &BulkCommands::openConvertLayout);
    edit.addAction(setColumn);
    edit.addAction(convert);
}

void BulkCommands::openSetColumn()
{
    const std::optional<LineKind> kind = m_sections.shownTable();
    if (!kind)
        return;
    const SectionView* view = m_sections.view(*kind);
    bool selection = false;
    QList<qsizetype> rows = view->selectedOrShownRows(&selection);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QString scope;
    if (!selection) {
        scope = texts::setColumnAllShown.arg(english.toString(qint64(rows.size())));
    } else {
        scope = rows.size() == 1 ? texts::setColumnOneSelected
                                 : texts::setColumnSelected.arg(english.toString(qint64(rows.size())));
    }
    if (rows.isEmpty())
        return;
    SetColumnDialog dialog(m_document, m_platform, *kind, std::move(rows), scope, &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const qsizetype changed = dialog.changedRows();
    emit statusMessage(changed == 0   ? texts::noLineChanged
                       : changed == 1 ? texts::oneLineSet
                                      : texts::linesSet.arg(english.toString(qint64(changed))));
}

void BulkCommands::openConvertLayout()
{
    ConvertLayoutDialog dialog(m_document, &m_window);
    dialog.exec();
}

} // namespace tarnel
