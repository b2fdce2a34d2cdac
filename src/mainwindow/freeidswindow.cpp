#include "mainwindow/freeidswindow.h"

#include "document/freeids.h"
#include "document/idedocument.h"
#include "document/idindex.h"
#include "history/documentids.h"
#include "editors/toolwindow.h"
#include "mainwindow/escapecloses.h"
#include "document/objectids.h"
#include "map/gamemap.h"
#include "mainwindow/openmap.h"
#include "platform/platform.h"
#include "texts/texts.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tarnel {

namespace {

QPushButton* namedButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// The typed bound, or none when the field is empty.
std::optional<qint64> boundOf(const QLineEdit* field)
{
    bool ok = false;
    const qint64 value = field->text().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

} // namespace

FreeIdsWindow::FreeIdsWindow(IdeDocument& document, Platform& platform, QWidget* parent)
    : QWidget(parent), m_ids(DocumentIds::of(document)), m_platform(platform), m_document(document),
      m_pending(new QTimer(this)), m_count(new QSpinBox(this)), m_from(new QLineEdit(this)),
      m_to(new QLineEdit(this)), m_freeCommented(new QCheckBox(texts::freeIdsFreeCommented, this)),
      m_limit(new QLabel(this)), m_sources(new QListWidget(this)),
      m_remove(namedButton(this, "freeIdsRemove", texts::freeIdsRemove)), m_blocks(new QListWidget(this)),
      m_copy(namedButton(this, "freeIdsCopy", texts::freeIdsCopy))
{
    setObjectName(QStringLiteral("FreeIds"));
    setWindowTitle(texts::freeIdsTitle);
    makeToolWindow(*this);
    closeOnEscape(*this);
    m_count->setObjectName(QStringLiteral("freeIdsCount"));
    m_count->setRange(1, 1000000);
    m_count->setValue(10);
    // Up to 18 digits: what an object ID can hold.
    const auto* number = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,18}")), this);
    for (QLineEdit* field : {m_from, m_to}) {
        field->setValidator(number);
        connect(field, &QLineEdit::textChanged, this, &FreeIdsWindow::scheduleRecompute);
    }
    m_from->setObjectName(QStringLiteral("freeIdsFrom"));
    m_to->setObjectName(QStringLiteral("freeIdsTo"));
    m_freeCommented->setObjectName(QStringLiteral("freeIdsFreeCommented"));
    connect(m_freeCommented, &QCheckBox::toggled, this, &FreeIdsWindow::scheduleRecompute);
    m_sources->setObjectName(QStringLiteral("freeIdsSources"));
    m_blocks->setObjectName(QStringLiteral("freeIdsBlocks"));
    auto* addFiles = namedButton(this, "freeIdsAddFiles", texts::freeIdsAddFiles);
    auto* addFolder = namedButton(this, "freeIdsAddFolder", texts::freeIdsAddFolder);

    auto* range = new QHBoxLayout;
    range->addWidget(m_from);
    range->addWidget(new QLabel(texts::freeIdsTo, this));
    range->addWidget(m_to);
    auto* form = new QFormLayout;
    form->addRow(texts::freeIdsCount, m_count);
    form->addRow(texts::freeIdsFrom, range);
    auto* hint = new QLabel(texts::freeIdsRangeHint, this);
    hint->setWordWrap(true);
    form->addRow(hint);
    form->addRow(m_freeCommented);
    m_limit->setObjectName(QStringLiteral("freeIdsLimit"));
    m_limit->setWordWrap(true);
    m_limit->hide();
    form->addRow(m_limit);
    auto* sourceButtons = new QHBoxLayout;
    sourceButtons->addWidget(addFiles);
    sourceButtons->addWidget(addFolder);
    sourceButtons->addWidget(m_remove);
    sourceButtons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(texts::freeIdsOtherFiles, this));
    layout->addWidget(m_sources, 1);
    layout->addLayout(sourceButtons);
    layout->addWidget(new QLabel(texts::freeIdsBlocks, this));
    layout->addWidget(m_blocks, 2);
    layout->addWidget(m_copy, 0, Qt::AlignRight);

    // Edits come a row at a time: the runs are worked out once the batch is done.
    m_pending->setSingleShot(true);
    m_pending->setInterval(0);
    connect(m_pending, &QTimer::timeout, this, &FreeIdsWindow::recompute);
    connect(&m_ids, &DocumentIds::changed, this, &FreeIdsWindow::scheduleRecompute);
    connect(m_count, &QSpinBox::valueChanged, this, &FreeIdsWindow::scheduleRecompute);
    connect(addFiles, &QPushButton::clicked, this, &FreeIdsWindow::addFiles);
    connect(addFolder, &QPushButton::clicked, this, &FreeIdsWindow::addFolder);
    connect(m_remove, &QPushButton::clicked, this, &FreeIdsWindow::removeSelected);
    connect(m_copy, &QPushButton::clicked, this, &FreeIdsWindow::copyFirst);
    connect(m_sources, &QListWidget::currentRowChanged, this, [this](int row) { m_remove->setEnabled(row >= 0); });
    m_remove->setEnabled(false);
}

void FreeIdsWindow::followMap(const OpenMap& map)
{
    m_map = &map;
    for (auto signal : {&OpenMap::opened, &OpenMap::closed, &OpenMap::mapChanged})
        connect(&map, signal, this, &FreeIdsWindow::scheduleRecompute);
}

void FreeIdsWindow::showEvent(QShowEvent* event)
{
    recompute();
    QWidget::showEvent(event);
}

void FreeIdsWindow::addFiles()
{
    for (const QString& path : m_platform.openFileNames(this, texts::ideFileFilter, m_document.openFileFolder()))
        addSource(path, false);
}

void FreeIdsWindow::addFolder()
{
    const QString path = m_platform.folderName(this, m_document.openFileFolder());
    if (!path.isEmpty())
        addSource(path, true);
}

void FreeIdsWindow::addSource(const QString& path, bool folder)
{
    const QString shown = QDir::toNativeSeparators(path);
    for (const Source& source : std::as_const(m_sourceIds)) {
        if (source.path == shown)
            return;
    }
    Source source{shown, {}, {}, {}};
    const QDir dir(path);
    const QStringList files =
        folder ? dir.entryList({QStringLiteral("*.ide")}, QDir::Files | QDir::Readable | QDir::Hidden, QDir::Name)
               : QStringList{path};
    for (const QString& file : files) {
        const FileObjectIds read = objectIdsOfFile(folder ? dir.filePath(file) : file);
        if (!read.failure.isEmpty())
            source.unreadable.append(folder ? file : read.failure);
        source.ids.append(read.ids);
        source.commentedIds.append(read.commentedIds);
    }
    std::sort(source.ids.begin(), source.ids.end());
    std::sort(source.commentedIds.begin(), source.commentedIds.end());
    auto* item = new QListWidgetItem(m_sources);
    if (source.unreadable.isEmpty()) {
        item->setText(texts::freeIdsFileIds.arg(shown).arg(source.ids.size()));
    } else {
        item->setText(texts::freeIdsUnreadable.arg(shown, source.unreadable.join(texts::freeIdsReasonSeparator)));
        item->setForeground(Qt::darkRed);
    }
    m_sourceIds.append(source);
    scheduleRecompute();
}

void FreeIdsWindow::removeSelected()
{
    const int row = m_sources->currentRow();
    if (row < 0)
        return;
    delete m_sources->takeItem(row);
    m_sourceIds.removeAt(row);
    scheduleRecompute();
}

void FreeIdsWindow::copyFirst()
{
    if (!m_firstStart.isEmpty())
        m_platform.setClipboardText(m_firstStart);
}

void FreeIdsWindow::scheduleRecompute()
{
    if (isVisible())
        m_pending->start();
}

std::optional<qint64> FreeIdsWindow::idLimit() const
{
    return m_map && m_map->isOpen() ? m_map->map().idLimit() : std::nullopt;
}

QList<qint64> FreeIdsWindow::usedIds() const
{
    const bool mapOpen = m_map && m_map->isOpen();
    // The map's IDs take in the shown document as edited.
    QList<qint64> used = mapOpen ? m_map->map().usedIds() : m_ids.index().usedIds();
    const auto merge = [&used](QList<qint64> more) {
        std::sort(more.begin(), more.end());
        const qsizetype middle = used.size();
        used.append(more);
        std::inplace_merge(used.begin(), used.begin() + middle, used.end());
    };
    // A line commented out to switch it off holds its ID for when it is switched on.
    const bool countCommented = !m_freeCommented->isChecked();
    if (countCommented) {
        merge(commentedObjectIds(m_document));
        if (mapOpen)
            merge(m_map->map().commentedIds());
    }
    for (const Source& source : std::as_const(m_sourceIds)) {
        merge(source.ids);
        if (countCommented)
            merge(source.commentedIds);
    }
    return used;
}

void FreeIdsWindow::recompute()
{
    m_pending->stop();
    const QList<qint64> used = usedIds();
    const qint64 count = m_count->value();
    IdBlock range = defaultIdRange(used, count);
    // With a limit, the range runs up to it: an ID at or above it makes the game fail.
    const std::optional<qint64> limit = idLimit();
    if (limit)
        range.last = *limit - 1;
    m_limit->setVisible(m_map && m_map->isOpen());
    m_limit->setText(limit ? texts::freeIdsLimit.arg(*limit) : texts::freeIdsNoLimit);
    m_from->setPlaceholderText(QString::number(range.first));
    m_to->setPlaceholderText(QString::number(range.last));
    range.first = boundOf(m_from).value_or(range.first);
    range.last = boundOf(m_to).value_or(range.last);
    if (limit)
        range.last = std::min(range.last, *limit - 1);
    const QList<IdBlock> blocks = freeIdBlocks(used, count, range, blocksShown);
    m_blocks->clear();
    for (const IdBlock& block : blocks)
        m_blocks->addItem(texts::freeIdsRun.arg(block.first).arg(block.last));
    if (blocks.isEmpty())
        m_blocks->addItem(texts::freeIdsNone);
    m_firstStart = blocks.isEmpty() ? QString() : QString::number(blocks.first().first);
    m_copy->setEnabled(!blocks.isEmpty());
}

} // namespace tarnel
