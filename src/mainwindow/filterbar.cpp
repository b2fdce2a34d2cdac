#include "mainwindow/filterbar.h"

#include "texts/texts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace tarnel {

FilterBar::FilterBar(QWidget* parent) : QWidget(parent), m_field(new QLineEdit(this)), m_count(new QLabel(this))
{
    setObjectName(QStringLiteral("filterBar"));
    m_field->setObjectName(QStringLiteral("filterField"));
    m_field->setPlaceholderText(texts::filterHint);
    m_field->setClearButtonEnabled(true);
    m_field->installEventFilter(this);
    m_count->setObjectName(QStringLiteral("filterCount"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_count);
    connect(m_field, &QLineEdit::textChanged, this, &FilterBar::textChanged);
    connect(m_field, &QLineEdit::returnPressed, this, &FilterBar::accepted);
    hide();
}

QString FilterBar::text() const
{
    return m_field->text();
}

void FilterBar::setText(const QString& text)
{
    m_field->setText(text);
}

void FilterBar::open()
{
    show();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void FilterBar::showCount(qsizetype shown, qsizetype total)
{
    // Grouped the English way: "3,599".
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    m_count->setText(texts::filterCount.arg(english.toString(qint64(shown)), english.toString(qint64(total))));
}

void FilterBar::clearCount()
{
    m_count->clear();
}

bool FilterBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_field->clear();
        hide();
        emit closed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tarnel
