#include "mainwindow/convertlayoutdialog.h"

#include "document/idedocument.h"
#include "history/edithistory.h"
#include "texts/texts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarnel {

ConvertLayoutDialog::ConvertLayoutDialog(IdeDocument& document, QWidget* parent)
    : QDialog(parent), m_document(document), m_current(new QLabel(this)),
      m_toCounted(new QRadioButton(texts::convertToCounted, this)),
      m_toLater(new QRadioButton(texts::convertToLater, this)), m_result(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("convertLayoutDialog"));
    setWindowTitle(texts::convertLayoutTitle);
    m_current->setObjectName(QStringLiteral("currentLayout"));
    m_current->setWordWrap(true);
    m_toCounted->setObjectName(QStringLiteral("toCountedLayout"));
    m_toLater->setObjectName(QStringLiteral("toLaterLayout"));
    m_result->setObjectName(QStringLiteral("convertResult"));
    m_result->setReadOnly(true);
    m_result->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(texts::closeButton);
    m_convert = buttons->addButton(texts::convertButton, QDialogButtonBox::ApplyRole);
    m_convert->setObjectName(QStringLiteral("convertButton"));
    m_convert->setDefault(true);
    connect(m_convert, &QPushButton::clicked, this, &ConvertLayoutDialog::convert);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_current);
    layout->addWidget(m_toCounted);
    layout->addWidget(m_toLater);
    layout->addWidget(m_result, 1);
    layout->addWidget(buttons);
    showCurrentLayout();
    // The layout the objects are not in is the one to go to.
    (m_document.table(LineKind::Object).isLaterLayout() ? m_toCounted : m_toLater)->setChecked(true);
}

void ConvertLayoutDialog::showCurrentLayout()
{
    const auto name = [this](LineKind kind) {
        return m_document.table(kind).isLaterLayout() ? texts::layoutLater : texts::layoutCounted;
    };
    m_current->setText(texts::layoutNow.arg(name(LineKind::Object), name(LineKind::TimedObject)));
}

void ConvertLayoutDialog::convert()
{
    const ObjectLayout to = m_toLater->isChecked() ? ObjectLayout::Later : ObjectLayout::Counted;
    const EditHistory::LayoutConversion done = EditHistory::of(m_document).convertLayout(to);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QStringList lines{texts::linesConverted.arg(english.toString(qint64(done.changed)))};
    bool anyLeft = false;
    for (LineKind kind : {LineKind::Object, LineKind::TimedObject}) {
        const SectionTable& table = m_document.table(kind);
        for (qsizetype row : done.leftRows[size_t(kind)]) {
            if (!anyLeft)
                lines << texts::linesLeft;
            anyLeft = true;
            const qsizetype fileLine = m_document.rowIds().fileLine(table.rows().id(row));
            const QString caption = texts::sectionCaptions[kind == LineKind::Object ? 0 : 1];
            lines << (fileLine > 0 ? texts::lineLeft.arg(caption).arg(fileLine) : texts::newLineLeft.arg(caption));
        }
    }
    m_result->setPlainText(lines.join(u'\n'));
    m_result->show();
    showCurrentLayout();
}

} // namespace tarnel
