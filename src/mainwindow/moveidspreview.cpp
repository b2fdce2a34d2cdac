#include "mainwindow/moveidspreview.h"

#include "texts/texts.h"

#include <QColor>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace tarnel {

namespace {
// A file row's internal id; a line row's is its file's index + 1.
constexpr quintptr fileRow = 0;
enum Column { LineColumn, BeforeColumn, AfterColumn, ColumnCount };
} // namespace

MoveIdsPreviewModel::MoveIdsPreviewModel(QList<File> files, QObject* parent)
    : QAbstractItemModel(parent), m_files(std::move(files))
{
}

qsizetype MoveIdsPreviewModel::lineCount() const
{
    qsizetype count = 0;
    for (const File& file : m_files)
        count += file.kept ? 0 : file.lines.size();
    return count;
}

QModelIndex MoveIdsPreviewModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return {};
    if (!parent.isValid())
        return row < m_files.size() ? createIndex(row, column, fileRow) : QModelIndex();
    if (parent.internalId() != fileRow || row >= m_files[parent.row()].lines.size())
        return {};
    return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex MoveIdsPreviewModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == fileRow)
        return {};
    return createIndex(int(child.internalId() - 1), 0, fileRow);
}

int MoveIdsPreviewModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return int(m_files.size());
    if (parent.internalId() != fileRow || parent.column() != 0)
        return 0;
    return int(m_files[parent.row()].lines.size());
}

int MoveIdsPreviewModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

QVariant MoveIdsPreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (index.internalId() == fileRow) {
        const File& file = m_files[index.row()];
        if (role == Qt::DisplayRole && index.column() == LineColumn)
            return (file.kept ? texts::moveIdsKeptLines : texts::moveIdsFileLines)
                .arg(file.name, QLocale().toString(file.lines.size()));
        if (role == Qt::ForegroundRole && file.kept)
            return QColor(0xb0, 0, 0);
        return {};
    }
    const LineChange& line = m_files[qsizetype(index.internalId() - 1)].lines[index.row()];
    if (role == Qt::FontRole && index.column() != LineColumn)
        return QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (role == Qt::TextAlignmentRole && index.column() == LineColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case LineColumn: return line.line > 0 ? QString::number(line.line) : texts::moveIdsNewRow;
    case BeforeColumn: return QString::fromLatin1(line.before);
    default: return QString::fromLatin1(line.after);
    }
}

QVariant MoveIdsPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case LineColumn: return texts::moveIdsLineColumn;
    case BeforeColumn: return texts::moveIdsBeforeColumn;
    default: return texts::moveIdsAfterColumn;
    }
}

MoveIdsPreview::MoveIdsPreview(QList<MoveIdsPreviewModel::File> files, QWidget* parent)
    : QDialog(parent), m_model(new MoveIdsPreviewModel(std::move(files), this))
{
    setObjectName(QStringLiteral("moveIdsPreview"));
    setWindowTitle(texts::moveIdsPreviewTitle);
    const QLocale locale;
    auto* heading = new QLabel(texts::moveIdsPreviewHeading.arg(locale.toString(m_model->lineCount()),
                                                                locale.toString(m_model->fileCount())),
                               this);
    heading->setObjectName(QStringLiteral("movePreviewHeading"));
    auto* tree = new QTreeView(this);
    tree->setObjectName(QStringLiteral("movePreviewLines"));
    tree->setUniformRowHeights(true);
    tree->setModel(m_model);
    tree->setAlternatingRowColors(true);
    for (int file = 0; file < m_model->rowCount(); ++file)
        tree->setFirstColumnSpanned(file, QModelIndex(), true);
    // Open when the lines are few enough to read through.
    if (m_model->lineCount() <= 2000)
        tree->expandAll();
    const int charWidth = fontMetrics().averageCharWidth();
    tree->header()->resizeSection(LineColumn, charWidth * 12);
    tree->header()->resizeSection(BeforeColumn, charWidth * 64);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* apply = buttons->addButton(texts::moveIdsApply, QDialogButtonBox::AcceptRole);
    apply->setObjectName(QStringLiteral("moveApplyButton"));
    apply->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("moveCancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(tree, 1);
    layout->addWidget(buttons);
    resize(charWidth * 150, fontMetrics().height() * 32);
}

} // namespace tarnel
